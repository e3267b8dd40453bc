#include "uninstall_test_support.h"

namespace e2e {

namespace fs = std::filesystem;

void UninstallTest::RunAndAnswerNo(const fs::path& uninstaller)
{
    Process& process = Start(uninstaller);
    auto question = WaitForBox(process);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->caption, kConfirmCaption);
    EXPECT_EQ(question->text, kConfirmText);
    ASSERT_TRUE(PressButton(question->window, IDNO));
    ASSERT_TRUE(WaitUntilGone(question->window));
    ASSERT_TRUE(EndsWithoutMessages(process));
}

std::optional<std::string> UninstallTest::RunAndAnswerYes(const fs::path& uninstaller, const std::string& screenshot)
{
    Process& process = Start(uninstaller);
    auto question = WaitForBox(process);
    if (!question)
        return std::nullopt;
    EXPECT_EQ(question->caption, kConfirmCaption);
    EXPECT_EQ(question->text, kConfirmText);
    if (!screenshot.empty())
        Screenshot(screenshot);
    if (!PressButton(question->window, IDYES) || !WaitUntilGone(question->window))
        return std::nullopt;

    auto warning = WaitForBox(process);
    if (!warning)
        return std::nullopt;
    EXPECT_EQ(warning->caption, "INFO:");
    EXPECT_EQ(warning->text, kWarningText);
    if (!PressButton(warning->window, IDOK) || !WaitUntilGone(warning->window))
        return std::nullopt;

    auto end = WaitForBox(process);
    if (!end)
        return std::nullopt;
    EXPECT_EQ(end->caption, "INFO:");
    if (!PressButton(end->window, IDOK) || !WaitUntilGone(end->window))
        return std::nullopt;
    EXPECT_TRUE(EndsWithoutMessages(process));
    return end->text;
}

}  // namespace e2e
