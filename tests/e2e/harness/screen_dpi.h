// The screen's DPI as Wine gives it to programs (HKCU\Control Panel\Desktop
// "LogPixels"): a program started after the change sees it in its DPI,
// system metrics and dialog units; the wineserver need not restart.
#pragma once
#include <windows.h>

#include <optional>

namespace e2e {

// Sets the DPI for programs started from now on, and puts the value back as
// it was found (or removes it) when it goes out of scope: the tests run one
// after another in one prefix.
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi);
    ~ScreenDpi();
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

    bool Applied() const { return applied_; }

private:
    std::optional<DWORD> before_;
    bool applied_ = false;
};

}  // namespace e2e
