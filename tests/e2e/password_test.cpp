// The password gate, driven with real keystrokes and clicks: the right
// password lets the start-up go on, a wrong one asks whether to try again,
// Cancel and No end the viewer quietly.
#include <chrono>
#include <string>
#include <vector>

#include "input.h"
#include "layout_bytes.h"
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

// The value the design's password check compares: byte j of password + salt
// adds (j + byte) mod 256, all XORed together.
unsigned char OneByteCheckValue(const std::string& password)
{
    const std::string salted = password + "Tk9w";
    unsigned char value = 0;
    for (size_t j = 0; j < salted.size(); ++j)
        value ^= (unsigned char)(j + (unsigned char)salted[j]);
    return value;
}

// A wrong password that passes the one-byte check of kPassword: its last
// three characters changed.
std::wstring CollidingPassword()
{
    const std::string right = "Open Sesame-42";
    const unsigned char wanted = OneByteCheckValue(right);
    std::string candidate = right;
    for (char a = '!'; a <= '~'; ++a)
        for (char b = '!'; b <= '~'; ++b)
            for (char c = '!'; c <= '~'; ++c) {
                candidate.replace(candidate.size() - 3, 3, {a, b, c});
                if (candidate != right && OneByteCheckValue(candidate) == wanted)
                    return std::wstring(candidate.begin(), candidate.end());
            }
    return L"";
}

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

TEST_F(PasswordTest, WrongPasswordAsksAgainAndYesEmptiesTheField)
{
    HWND dialog = StartAndWaitForDialog();
    ASSERT_TRUE(dialog);
    EnterPassword(dialog, L"not the password");
    auto box = WaitForIncorrectBox();
    ASSERT_TRUE(box) << "no question after a wrong password";
    Screenshot("password-incorrect");

    ASSERT_TRUE(PressButton(box->window, IDYES));
    ASSERT_TRUE(WaitUntilGone(box->window, 5s));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog should stay for another try";
    // Typed after the wrong one, the right password would be refused too.
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kPasswordEdit)), "");

    // Any number of tries: the right password still gets in.
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

// About one wrong password in 256 passes the design's one-byte check. A disc
// with the integrity record turns it away; one without (the original
// builder's) still lets it in, as the design does.
TEST_F(PasswordTest, WrongPasswordPassingTheOneByteCheckOpensOnlyADiscWithoutTheRecord)
{
    const std::wstring colliding = CollidingPassword();
    ASSERT_FALSE(colliding.empty());
    struct Case {
        std::string name;
        std::vector<std::wstring> options;
        bool admitted;
    };
    const std::vector<Case> cases = {
        {"verified", kVerifiedDisc, false},
        {"strong", kStrongDisc, false},
        {"no-record", kDiscWithoutRecord, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::wstring> options = {L"--password", kPassword};
        options.insert(options.end(), c.options.begin(), c.options.end());
        disc_ = BuildSampleDisc(c.name, options);
        ASSERT_TRUE(disc_.ok) << disc_.output;
        HWND dialog = StartAndWaitForDialog();
        ASSERT_TRUE(dialog);
        EnterPassword(dialog, colliding);
        if (c.admitted) {
            EXPECT_TRUE(WaitUntilGone(dialog, 5s));
            EXPECT_TRUE(FinishesStartUpCleanly(*viewer_));
            continue;
        }
        auto box = WaitForIncorrectBox();
        ASSERT_TRUE(box) << "a wrong password was let in";
        AnswerNoAndExpectTheEnd(box->window);
    }
}

// A strong disc whose splash text was changed after it was built: the right
// password opens the keys, but the list of files no longer matches the
// layout, and the viewer says so instead of showing it.
TEST_F(PasswordTest, AlteredStrongDiscIsRefusedAfterThePassword)
{
    std::vector<std::wstring> options = {L"--password", kPassword};
    options.insert(options.end(), kStrongDisc.begin(), kStrongDisc.end());
    disc_ = BuildSampleDisc("altered", options);
    ASSERT_TRUE(disc_.ok) << disc_.output;
    Bytes bytes = ReadBytes(disc_.viewer);
    SetHeaderTextField(bytes, kSplashText, "Free copies for everyone");
    WriteBytes(disc_.viewer, bytes);

    HWND dialog = StartAndWaitForDialog();
    ASSERT_TRUE(dialog);
    EnterPassword(dialog, kPassword);
    auto box = WaitForMessageBox(viewer_->Id());
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Error: 14304");
    EXPECT_EQ(box->text, "The disc was altered or damaged: its list of files cannot be read.");
    // The main window gives up without showing a file, and the viewer ends.
    ASSERT_TRUE(PressButton(box->window, IDOK));
    EXPECT_TRUE(viewer_->WaitForExit(5s));
    EXPECT_TRUE(MessageBoxesOf(viewer_->Id()).empty());
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
