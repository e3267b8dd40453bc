#include "paths.h"

namespace e2e {

static std::filesystem::path WinePath(const char* path)
{
    return std::filesystem::path(path).make_preferred();
}

std::filesystem::path ProgramDir() { return WinePath(E2E_PROGRAM_DIR); }
std::filesystem::path DiscviewExe() { return ProgramDir() / "discview.exe"; }
std::filesystem::path MkdiscExe() { return ProgramDir() / "mkdisc.exe"; }
std::filesystem::path BuilderExe() { return ProgramDir() / "Arcseal3.exe"; }
std::filesystem::path DataDir() { return WinePath(E2E_DATA_DIR); }
std::filesystem::path ScratchRoot() { return WinePath(E2E_SCRATCH_DIR); }
std::filesystem::path ScreenshotDir() { return WinePath(E2E_SCREENSHOT_DIR); }

}  // namespace e2e
