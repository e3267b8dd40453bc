// Running arcs3uninst.exe as a person does: answer its question, confirm its
// warning, read its closing message.
#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "setup_test_support.h"

namespace e2e {

inline const std::string kConfirmCaption = "Are you Sure?";
inline const std::string kConfirmText = "Are you sure you want to remove Arcseal3 from your computer?";
inline const std::string kWarningText = "Please make sure Arcseal3 is not curently running";
inline const std::string kRemovedText = "Arcseal3 has been removed from your computer";

class UninstallTest : public InstallerTest {
protected:
    // Answers No; the uninstaller must then end at once.
    void RunAndAnswerNo(const std::filesystem::path& uninstaller);
    // Answers Yes and OK; returns the text of the closing message, after
    // which the uninstaller must end with 0. Nothing (with a failure) when
    // the sequence of messages differs.
    std::optional<std::string> RunAndAnswerYes(const std::filesystem::path& uninstaller,
                                               const std::string& screenshot = "");
};

}  // namespace e2e
