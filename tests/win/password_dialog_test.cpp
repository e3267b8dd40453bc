// The password gate, run modally in this process, with a timer playing the reader.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "key_fields.h"
#include "password_dialog.h"
#include "resource.h"
#include "viewer_state.h"

namespace {

std::string Text(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string BoxText(HWND box)
{
    return Text(GetDlgItem(box, 0xFFFF));
}

// The reader's part: each step waits until a window with its caption is on
// screen (a question box is answered first), then acts on it. A thread timer
// runs the steps from inside the modal loops of the dialog and the box.
struct Step {
    std::string caption;
    std::function<void(HWND)> action;
};
std::vector<Step> steps;
size_t nextStep;
std::vector<std::string> captionsSeen;

const char* const GATE = "Enter password:";
const char* const QUESTION = "Password Incorrect.";

HWND VisibleWindow(const char* caption)
{
    struct Search {
        const char* caption;
        HWND found;
    } search = {caption, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = (Search*)data;
            if (IsWindowVisible(window) && Text(window) == s->caption) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        (LPARAM)&search);
    return search.found;
}

void CALLBACK ReaderTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = VisibleWindow(QUESTION);
    HWND window = box ? box : VisibleWindow(GATE);
    if (!window)
        return;
    std::string caption = Text(window);
    if (captionsSeen.empty() || captionsSeen.back() != caption)
        captionsSeen.push_back(caption);
    if (nextStep < steps.size() && caption == steps[nextStep].caption)
        steps[nextStep++].action(window);
    else if (box)
        PostMessageA(box, WM_COMMAND, IDNO, 0);  // unexpected: answer it so the test ends
}

// Types text into the edit control as keystrokes would arrive (so the
// control's limit applies), then presses OK.
void TypeAndPressOk(HWND dialog, const std::string& text)
{
    HWND edit = GetDlgItem(dialog, IDC_PASSWORD_EDIT);
    SetWindowTextA(edit, "");
    for (char c : text)
        SendMessageA(edit, WM_CHAR, (unsigned char)c, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

class PasswordGate : public ::testing::Test {
protected:
    void SetUp() override
    {
        UnscrambleKeyFields();
        appInstance = GetModuleHandleA(nullptr);
        startCancelled = 0;
        ASSERT_TRUE(MakePasswordCheckBlock("Right Pass", layoutHeader.contentKey));
        steps.clear();
        nextStep = 0;
        captionsSeen.clear();
    }

    INT_PTR Run()
    {
        UINT_PTR timer = SetTimer(nullptr, 0, 20, ReaderTimer);
        INT_PTR result = DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_PASSWORD), nullptr,
                                         PasswordDialog, 0);
        KillTimer(nullptr, timer);
        EXPECT_EQ(nextStep, steps.size()) << "every step ran";
        return result;
    }
};

const char* const INCORRECT_TEXT =
    "Password incorrect, do you want to try again?\r\n\r\n"
    "( case sensitive - make sure \"CAPS LOCK\" is not on )";

TEST_F(PasswordGate, TheRightPasswordBecomesTheContentKey)
{
    steps = {{GATE, [](HWND dialog) { TypeAndPressOk(dialog, "Right Pass"); }}};
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(startCancelled, 0);
    EXPECT_STREQ(layoutHeader.contentKey, "Right PassTk9w");
}

TEST_F(PasswordGate, AWrongPasswordAsksAndNoGivesUp)
{
    char before[CONTENT_KEY_SIZE];
    memcpy(before, layoutHeader.contentKey, sizeof before);
    std::string question;
    // One letter's case changed: a single position always changes the check value.
    steps = {{GATE, [](HWND dialog) { TypeAndPressOk(dialog, "Right pass"); }},
             {QUESTION, [&](HWND box) {
                  question = BoxText(box);
                  PostMessageA(box, WM_COMMAND, IDNO, 0);
              }}};
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(startCancelled, 1);
    EXPECT_EQ(question, INCORRECT_TEXT);
    EXPECT_EQ(memcmp(before, layoutHeader.contentKey, sizeof before), 0) << "check block kept";
}

TEST_F(PasswordGate, YesKeepsTheDialogWithAnEmptyFieldForAnotherTry)
{
    std::string keptText;
    steps = {{GATE, [](HWND dialog) { TypeAndPressOk(dialog, "Right Pasz"); }},
             {QUESTION, [](HWND box) { PostMessageA(box, WM_COMMAND, IDYES, 0); }},
             {GATE, [&](HWND dialog) {  // active again once the box is gone
                  keptText = Text(GetDlgItem(dialog, IDC_PASSWORD_EDIT));
                  TypeAndPressOk(dialog, "Right Pass");
              }}};
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(keptText, "") << "the wrong password is still there to be typed after";
    EXPECT_EQ(startCancelled, 0);
    EXPECT_STREQ(layoutHeader.contentKey, "Right PassTk9w");
}

TEST_F(PasswordGate, CancelGivesUpWithoutAQuestion)
{
    steps = {{GATE, [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }}};
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(startCancelled, 1);
    for (const auto& caption : captionsSeen)
        EXPECT_NE(caption, QUESTION);
}

TEST_F(PasswordGate, TypingStopsAt250CharactersAndTheLongestPasswordWorks)
{
    std::string longest(MAX_PASSWORD_LENGTH, 'p');
    ASSERT_TRUE(MakePasswordCheckBlock(longest.c_str(), layoutHeader.contentKey));
    size_t typedLength = 0;
    steps = {{GATE, [&](HWND dialog) {
        TypeAndPressOk(dialog, longest + "overflow");
        typedLength = (size_t)GetWindowTextLengthA(GetDlgItem(dialog, IDC_PASSWORD_EDIT));
    }}};
    EXPECT_EQ(Run(), 1);
    EXPECT_EQ(typedLength, MAX_PASSWORD_LENGTH);
    EXPECT_EQ(startCancelled, 0);
    EXPECT_EQ(std::string(layoutHeader.contentKey), longest + "Tk9w");
}

}  // namespace
