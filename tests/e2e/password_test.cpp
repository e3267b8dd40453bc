// The password gate, driven with real keystrokes and clicks: the right
// password lets the start-up go on, a wrong one asks whether to try again,
// Cancel and No end the viewer quietly.
#include <chrono>

#include "input.h"
#include "viewer_test.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

const std::wstring kPassword = L"Open Sesame-42";
const int kPasswordEdit = 1001;
const std::string kIncorrectCaption = "Password Incorrect.";
const std::string kIncorrectText =
    "Password incorrect, do you want to try again?\r\n\r\n"
    "( case sensitive - make sure \"CAPS LOCK\" is not on )";

class PasswordTest : public ViewerTest {
protected:
    void SetUp() override
    {
        ViewerTest::SetUp();
        disc_ = BuildSampleDisc("disc", {L"--password", kPassword});
        ASSERT_TRUE(disc_.ok) << disc_.output;
    }

    // Starts the disc's viewer and waits for its password dialog.
    HWND StartAndWaitForDialog()
    {
        viewer_ = &StartViewer(disc_.viewer);
        return WaitForPasswordDialog(*viewer_);
    }

    // As a person: click into the field, type, click OK.
    void EnterPassword(HWND dialog, const std::wstring& text)
    {
        ClickCentre(GetDlgItem(dialog, kPasswordEdit));
        TypeText(text);
        ClickCentre(GetDlgItem(dialog, IDOK));
    }

    // Clears the field with the keyboard, as a person would before retyping.
    void ClearField(HWND dialog, size_t length)
    {
        ClickCentre(GetDlgItem(dialog, kPasswordEdit));
        PressKey(VK_END);
        for (size_t i = 0; i < length; ++i)
            PressKey(VK_BACK);
    }

    // The "Password Incorrect." question, checked word for word.
    std::optional<MessageBoxInfo> WaitForIncorrectBox()
    {
        auto box = WaitForMessageBox(viewer_->Id());
        if (box) {
            EXPECT_EQ(box->caption, kIncorrectCaption);
            EXPECT_EQ(box->text, kIncorrectText);
        }
        return box;
    }

    // "No" to the question ends the viewer, with no further message.
    void AnswerNoAndExpectTheEnd(HWND box)
    {
        ASSERT_TRUE(PressButton(box, IDNO));
        ASSERT_TRUE(WaitUntilGone(box, 5s));
        EXPECT_TRUE(EndsQuietly(*viewer_));
    }

    BuiltDisc disc_;
    Process* viewer_ = nullptr;
};

TEST_F(PasswordTest, RightPasswordIsAccepted)
{
    HWND dialog = StartAndWaitForDialog();
    ASSERT_TRUE(dialog);
    Screenshot("password-dialog");
    ClickCentre(GetDlgItem(dialog, kPasswordEdit));
    TypeText(kPassword);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kPasswordEdit)), "Open Sesame-42");
    Screenshot("password-typed");
    ClickCentre(GetDlgItem(dialog, IDOK));
    EXPECT_TRUE(WaitUntilGone(dialog, 5s));
    EXPECT_TRUE(FinishesStartUpCleanly(*viewer_));
}

TEST_F(PasswordTest, WrongPasswordAsksAgainAndYesKeepsTheTypedText)
{
    HWND dialog = StartAndWaitForDialog();
    ASSERT_TRUE(dialog);
    const std::wstring wrong = L"not the password";
    EnterPassword(dialog, wrong);
    auto box = WaitForIncorrectBox();
    ASSERT_TRUE(box) << "no question after a wrong password";
    Screenshot("password-incorrect");

    ASSERT_TRUE(PressButton(box->window, IDYES));
    ASSERT_TRUE(WaitUntilGone(box->window, 5s));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog should stay for another try";
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kPasswordEdit)), "not the password");

    // Any number of tries: the right password still gets in.
    ClearField(dialog, wrong.size());
    EnterPassword(dialog, kPassword);
    EXPECT_TRUE(WaitUntilGone(dialog, 5s));
    EXPECT_TRUE(FinishesStartUpCleanly(*viewer_));
}

TEST_F(PasswordTest, WrongPasswordThenNoEndsTheViewer)
{
    HWND dialog = StartAndWaitForDialog();
    ASSERT_TRUE(dialog);
    EnterPassword(dialog, L"guess");
    auto box = WaitForIncorrectBox();
    ASSERT_TRUE(box) << "no question after a wrong password";
    AnswerNoAndExpectTheEnd(box->window);
}

TEST_F(PasswordTest, PasswordIsCaseSensitive)
{
    HWND dialog = StartAndWaitForDialog();
    ASSERT_TRUE(dialog);
    // One letter in the other case. (The check compares one combined 8-bit
    // value, so an even number of case flips can pass: not tested here.)
    EnterPassword(dialog, L"open Sesame-42");
    auto box = WaitForIncorrectBox();
    ASSERT_TRUE(box) << "the password in other letter case was let in";
    AnswerNoAndExpectTheEnd(box->window);
}

TEST_F(PasswordTest, EmptyPasswordIsRefused)
{
    HWND dialog = StartAndWaitForDialog();
    ASSERT_TRUE(dialog);
    ClickCentre(GetDlgItem(dialog, IDOK));
    auto box = WaitForIncorrectBox();
    ASSERT_TRUE(box) << "an empty password was let in";
    AnswerNoAndExpectTheEnd(box->window);
}

TEST_F(PasswordTest, CancelEndsWithoutAnyMessage)
{
    HWND dialog = StartAndWaitForDialog();
    ASSERT_TRUE(dialog);
    ClickCentre(GetDlgItem(dialog, kPasswordEdit));
    TypeText(L"half typed");
    ClickCentre(GetDlgItem(dialog, IDCANCEL));
    EXPECT_TRUE(EndsQuietly(*viewer_));
}

}  // namespace
}  // namespace e2e
