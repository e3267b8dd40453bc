#include "shell_drop_target.h"

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <thread>

namespace e2e {

namespace fs = std::filesystem;

struct ShellDropWindow::Target final : IDropTarget {
    fs::path folder;
    bool entered = false;
    int drops = 0;
    std::vector<std::wstring> dropped;
    LONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override { return (ULONG)InterlockedDecrement(&references); }

    static FORMATETC Files()
    {
        return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    }
    // The shell takes files, and copies what is offered as a copy.
    static DWORD Effect(IDataObject* data, DWORD allowed)
    {
        FORMATETC files = Files();
        if (!data || data->QueryGetData(&files) != S_OK || !(allowed & DROPEFFECT_COPY))
            return DROPEFFECT_NONE;
        return DROPEFFECT_COPY;
    }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        entered = true;
        *effect = Effect(data, *effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
    {
        *effect &= DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        ++drops;
        dropped.clear();
        *effect = Effect(data, *effect);
        FORMATETC files = Files();
        STGMEDIUM medium{};
        if (*effect == DROPEFFECT_NONE || data->GetData(&files, &medium) != S_OK)
            return S_OK;
        HDROP drop = (HDROP)medium.hGlobal;
        std::wstring from;
        UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
            DragQueryFileW(drop, i, path.data(), (UINT)path.size() + 1);
            dropped.push_back(path);
            from += path;
            from += L'\0';
        }
        ReleaseStgMedium(&medium);
        if (dropped.empty())
            return S_OK;
        from += L'\0';
        std::wstring to = folder.wstring() + L'\0';
        SHFILEOPSTRUCTW copy{};
        copy.wFunc = FO_COPY;
        copy.pFrom = from.c_str();
        copy.pTo = to.c_str();
        copy.fFlags = FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_SILENT | FOF_NOERRORUI;
        if (SHFileOperationW(&copy) != 0)
            *effect = DROPEFFECT_NONE;
        return S_OK;
    }
};

static const wchar_t kClass[] = L"ArcsealTestShellFolder";

ShellDropWindow::ShellDropWindow(const fs::path& folder, const RECT& screen)
{
    OleInitialize(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClass;
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, L"Folder", WS_POPUP | WS_BORDER | WS_VISIBLE,
                              screen.left, screen.top, screen.right - screen.left, screen.bottom - screen.top,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
    target_ = new Target;
    target_->folder = folder;
    RegisterDragDrop(window_, target_);
    PumpMessagesFor(std::chrono::milliseconds(200));
}

ShellDropWindow::~ShellDropWindow()
{
    RevokeDragDrop(window_);
    DestroyWindow(window_);
    delete target_;
    OleUninitialize();
}

POINT ShellDropWindow::Centre() const
{
    RECT rect;
    GetWindowRect(window_, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool ShellDropWindow::Entered() const { return target_->entered; }
int ShellDropWindow::Drops() const { return target_->drops; }
std::vector<std::wstring> ShellDropWindow::DroppedPaths() const { return target_->dropped; }

void PumpMessagesFor(std::chrono::milliseconds time)
{
    auto end = std::chrono::steady_clock::now() + time;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (std::chrono::steady_clock::now() < end);
}

static void SendButton(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void DragWhilePumping(POINT from, POINT to, int steps, std::chrono::milliseconds settle)
{
    const auto step = std::chrono::milliseconds(60);
    SetCursorPos(from.x, from.y);
    PumpMessagesFor(step);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    PumpMessagesFor(step);
    for (int i = 1; i <= steps; ++i) {
        SetCursorPos(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
        PumpMessagesFor(step);
    }
    SendButton(MOUSEEVENTF_LEFTUP);
    PumpMessagesFor(settle);
}

}  // namespace e2e
