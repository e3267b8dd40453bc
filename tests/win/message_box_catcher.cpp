#include "message_box_catcher.h"

#include <cstring>

namespace {

std::vector<CaughtBox> caught;
int boxAnswer = IDOK;

std::string TextOf(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK AnswerIfMessageBox(HWND window, LPARAM)
{
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    HWND textControl = GetDlgItem(window, 0xFFFF);
    if (IsWindowVisible(window) && strcmp(className, "#32770") == 0 && textControl &&
        GetPropA(window, "caught") == nullptr) {
        SetPropA(window, "caught", (HANDLE)1);
        caught.push_back({TextOf(window), TextOf(textControl)});
        PostMessageA(window, WM_COMMAND, boxAnswer, 0);
    }
    return TRUE;
}

void CALLBACK LookForBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), AnswerIfMessageBox, 0);
}

}  // namespace

MessageBoxCatcher::MessageBoxCatcher(int answer)
{
    caught.clear();
    boxAnswer = answer;
    timer_ = SetTimer(nullptr, 0, 20, LookForBoxes);
}

MessageBoxCatcher::~MessageBoxCatcher()
{
    KillTimer(nullptr, timer_);
}

const std::vector<CaughtBox>& MessageBoxCatcher::Boxes() const
{
    return caught;
}
