// Running arcs3uninst.exe as a person does: answer its question, confirm its
// warning, read its closing message - also when the uninstaller of an
// installation hands the work to a copy of itself in the temporary folder.
// What the uninstallers leave to Windows to delete at its next start is
// read from the registry, and undone after each test.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "setup_test_support.h"

namespace e2e {

inline const std::string kConfirmCaption = "Are you Sure?";
inline const std::string kConfirmText = "Are you sure you want to remove Arcseal3 from your computer?";
inline const std::string kWarningText = "Please make sure Arcseal3 is not curently running";
inline const std::string kRemovedText = "Arcseal3 has been removed from your computer";
inline const std::string kNotRemovedText = "Not all of Arcseal3 could be removed from your computer. These stayed:";
inline const std::string kAtRestart = " (in use; Windows deletes it when it next starts)";

class UninstallTest : public InstallerTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Answers No; the uninstaller must then end at once.
    void RunAndAnswerNo(const std::filesystem::path& uninstaller);
    // Answers Yes and OK; returns the text of the closing message, after
    // which the uninstaller must end with 0. Nothing (with a failure) when
    // the sequence of messages differs.
    std::optional<std::string> RunAndAnswerYes(const std::filesystem::path& uninstaller,
                                               const std::string& screenshot = "");

    // The copy in the temporary folder the last run handed its work to;
    // empty when the uninstaller started did the work itself.
    const std::filesystem::path& Copy() const { return copy_; }
    // Paths queued for deletion at Windows' next start since the test began,
    // in their order.
    std::vector<std::string> RemovalsAtRestart() const;

    // The uninstaller that asks: the one started or, when that ends by
    // itself with 0 and without a message, the copy it started.
    Process* Asking(Process& started);

private:

    std::filesystem::path copy_;
    std::optional<std::string> pendingBefore_;   // the registry value as the test found it, raw
};

}  // namespace e2e
