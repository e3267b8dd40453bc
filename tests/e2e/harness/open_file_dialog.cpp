#include "open_file_dialog.h"

namespace e2e {

using namespace std::chrono_literals;

// The explorer-style dialog's file-name combo box (cmb13).
constexpr int kFileNameFieldId = 0x47c;

HWND WaitForOpenFileDialog(DWORD processId, std::chrono::milliseconds timeout)
{
    return WaitForWindow(processId, "#32770", kOpenDialogCaption, timeout);
}

HWND WaitForSaveFileDialog(DWORD processId, std::chrono::milliseconds timeout)
{
    return WaitForWindow(processId, "#32770", kSaveDialogCaption, timeout);
}

bool OpenFileInDialog(HWND dialog, const std::filesystem::path& path)
{
    // The field takes the path as the program's ANSI text.
    const std::wstring wide = path.wstring();
    int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)wide.size(), nullptr, 0, nullptr, nullptr);
    std::string text(length > 0 ? length : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), (int)wide.size(), text.data(), length, nullptr, nullptr);
    HWND field = GetDlgItem(dialog, kFileNameFieldId);
    if (!field || !SetControlText(field, text))
        return false;
    return PressButton(dialog, IDOK) && WaitUntilGone(dialog, 5s);
}

bool CancelOpenFileDialog(HWND dialog)
{
    return PressButton(dialog, IDCANCEL) && WaitUntilGone(dialog, 5s);
}

}  // namespace e2e
