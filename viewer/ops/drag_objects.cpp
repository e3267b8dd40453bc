#include "drag_objects.h"

#include <ole2.h>
#include <shlobj.h>

#include <cstring>

// The formats on offer, in order of preference: the files, then the effect
// the viewer prefers (a copy; the files are the viewer's own temporary ones).
static FORMATETC OfferedFormat(int index)
{
    static CLIPFORMAT preferredEffect;
    if (!preferredEffect)
        preferredEffect = (CLIPFORMAT)RegisterClipboardFormatA(CFSTR_PREFERREDDROPEFFECT);
    FORMATETC format = {index == 0 ? (CLIPFORMAT)CF_HDROP : preferredEffect, nullptr, DVASPECT_CONTENT, -1,
                        TYMED_HGLOBAL};
    return format;
}
static const int OFFERED_FORMATS = 2;

static int OfferedIndex(const FORMATETC* format)
{
    if (!format || !(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT)
        return -1;
    for (int i = 0; i < OFFERED_FORMATS; ++i)
        if (OfferedFormat(i).cfFormat == format->cfFormat)
            return i;
    return -1;
}

HGLOBAL MakeDropFiles(const char* const* paths, int count)
{
    size_t characters = 1;  // the empty string that ends the list
    for (int i = 0; i < count; ++i)
        characters += (size_t)MultiByteToWideChar(CP_ACP, 0, paths[i], -1, nullptr, 0);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + characters * sizeof(WCHAR));
    if (!block)
        return nullptr;
    DROPFILES* drop = (DROPFILES*)GlobalLock(block);
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    WCHAR* text = (WCHAR*)(drop + 1);
    for (int i = 0; i < count; ++i)
        text += MultiByteToWideChar(CP_ACP, 0, paths[i], -1, text, (int)characters);
    GlobalUnlock(block);
    return block;
}

static HGLOBAL MakeEffect(DWORD effect)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof(DWORD));
    if (block) {
        *(DWORD*)GlobalLock(block) = effect;
        GlobalUnlock(block);
    }
    return block;
}

// One object per drag, on the stack of RunFileDrag: reference counts are
// kept for the targets' sake, and the drag loop has ended before it goes.
struct FileDataObject : IDataObject {
    const FileDragHandlers* handlers;
    LONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDataObject)) {
            *object = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override { return (ULONG)InterlockedDecrement(&references); }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        int index = OfferedIndex(format);
        if (index < 0)
            return DV_E_FORMATETC;
        HGLOBAL block = index == 0 ? handlers->makeDropFiles() : MakeEffect(DROPEFFECT_COPY);
        if (!block)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        return OfferedIndex(format) < 0 ? DV_E_FORMATETC : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        if (out)
            out->ptd = nullptr;
        return E_NOTIMPL;
    }
    // What targets tell the source after a drop ("Performed DropEffect" and
    // the like) changes nothing here.
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override
    {
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        FORMATETC offered[OFFERED_FORMATS];
        for (int i = 0; i < OFFERED_FORMATS; ++i)
            offered[i] = OfferedFormat(i);
        return SHCreateStdEnumFmtEtc(OFFERED_FORMATS, offered, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

struct FileDropSource : IDropSource {
    const FileDragHandlers* handlers;
    LONG references = 1;
    DWORD lastEffect = DROPEFFECT_NONE;  // what the window under the cursor last said it would do

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropSource)) {
            *object = static_cast<IDropSource*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override { return (ULONG)InterlockedDecrement(&references); }

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keyState) override
    {
        if (escapePressed || (keyState & MK_RBUTTON))
            return DRAGDROP_S_CANCEL;
        if (keyState & MK_LBUTTON)
            return S_OK;
        // Let go. Over nothing that takes files, OLE drops nowhere by itself.
        if (lastEffect == DROPEFFECT_NONE)
            return DRAGDROP_S_DROP;
        // The export may show its progress window and its messages: the
        // mouse must reach them, not the drag loop's capture.
        ReleaseCapture();
        return handlers->makeFiles() ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override
    {
        lastEffect = effect & ~(DWORD)DROPEFFECT_SCROLL;
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
};

DWORD RunFileDrag(const FileDragHandlers* handlers)
{
    // The drag loop needs OLE (COM alone is not enough); a second call only
    // counts up.
    if (FAILED(OleInitialize(nullptr)))
        return DROPEFFECT_NONE;
    FileDataObject data;
    data.handlers = handlers;
    FileDropSource source;
    source.handlers = handlers;
    DWORD effect = DROPEFFECT_NONE;
    if (DoDragDrop(&data, &source, DROPEFFECT_COPY, &effect) != DRAGDROP_S_DROP)
        effect = DROPEFFECT_NONE;
    return effect;
}
