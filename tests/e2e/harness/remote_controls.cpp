#include "remote_controls.h"

#include "remote_buffer.h"
#include "ui.h"

namespace e2e {

constexpr size_t kTextSize = 1024;  // characters

// One buffer per read: the structure at offset 0, its text right behind it.
// Texts are read as UTF-16: an A message to a control of another process
// comes back in that process's code page (UTF-8 for the viewer).
constexpr size_t kTextOffset = 256;
constexpr size_t kBufferSize = kTextOffset + kTextSize * sizeof(wchar_t);

static std::wstring ReadWideText(const RemoteBuffer& buffer)
{
    wchar_t text[kTextSize] = L"";
    if (!buffer.Read(kTextOffset, text, sizeof text))
        return {};
    text[kTextSize - 1] = L'\0';
    return text;
}

static std::string ReadText(const RemoteBuffer& buffer)
{
    return ToCp1252(ReadWideText(buffer));
}

static HTREEITEM NextTreeItem(HWND tree, UINT relation, HTREEITEM item)
{
    auto next = SendWithTimeout(tree, TVM_GETNEXTITEM, relation, (LPARAM)item);
    return next ? (HTREEITEM)*next : nullptr;
}

static std::optional<RECT> TreeLabelRect(HWND tree, RemoteBuffer& buffer, HTREEITEM item)
{
    // TVM_GETITEMRECT takes the item handle in the rectangle's first bytes.
    if (!buffer.Put(0, RECT{}) || !buffer.Put(0, item))
        return std::nullopt;
    auto ok = SendWithTimeout(tree, TVM_GETITEMRECT, TRUE, (LPARAM)buffer.At());
    if (!ok || !*ok)
        return std::nullopt;
    return buffer.Get<RECT>(0);
}

static std::optional<TreeEntry> ReadTreeEntry(HWND tree, RemoteBuffer& buffer, HTREEITEM item, int depth,
                                              bool shown)
{
    TVITEMW request{};
    request.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    request.hItem = item;
    request.stateMask = TVIS_EXPANDED;
    request.pszText = static_cast<wchar_t*>(buffer.At(kTextOffset));
    request.cchTextMax = (int)kTextSize;
    wchar_t empty = L'\0';
    if (!buffer.Put(0, request) || !buffer.Write(kTextOffset, &empty, sizeof empty))
        return std::nullopt;
    auto ok = SendWithTimeout(tree, TVM_GETITEMW, 0, (LPARAM)buffer.At());
    auto answer = buffer.Get<TVITEMW>(0);
    if (!ok || !*ok || !answer)
        return std::nullopt;

    TreeEntry entry;
    entry.handle = item;
    entry.depth = depth;
    entry.wide = ReadWideText(buffer);
    entry.text = ToCp1252(entry.wide);
    entry.expanded = answer->state & TVIS_EXPANDED;
    // Selection and highlight as the tree reports them for navigation: not
    // every tree view keeps them in the item's state bits.
    entry.selected = item == NextTreeItem(tree, TVGN_CARET, nullptr);
    entry.dropHighlighted = item == NextTreeItem(tree, TVGN_DROPHILITE, nullptr);
    entry.image = answer->iImage;
    entry.selectedImage = answer->iSelectedImage;
    entry.shown = shown;
    if (shown) {
        if (auto rect = TreeLabelRect(tree, buffer, item))
            entry.label = *rect;
    }
    return entry;
}

static void ReadSiblings(HWND tree, RemoteBuffer& buffer, HTREEITEM first, int depth, bool shown,
                         std::vector<TreeEntry>& entries)
{
    // A depth limit guards against a reading that loops on a broken tree.
    if (depth > 64)
        return;
    for (HTREEITEM item = first; item; item = NextTreeItem(tree, TVGN_NEXT, item)) {
        auto entry = ReadTreeEntry(tree, buffer, item, depth, shown);
        if (!entry)
            return;
        HTREEITEM child = NextTreeItem(tree, TVGN_CHILD, item);
        entry->hasChildren = child != nullptr;
        entries.push_back(*entry);
        ReadSiblings(tree, buffer, child, depth + 1, shown && entry->expanded, entries);
    }
}

std::vector<TreeEntry> ReadTree(HWND tree)
{
    std::vector<TreeEntry> entries;
    RemoteBuffer buffer(tree, kBufferSize);
    ReadSiblings(tree, buffer, NextTreeItem(tree, TVGN_ROOT, nullptr), 0, true, entries);
    return entries;
}

std::vector<TreeEntry> ShownTreeEntries(HWND tree)
{
    std::vector<TreeEntry> shown;
    for (const TreeEntry& entry : ReadTree(tree)) {
        if (entry.shown)
            shown.push_back(entry);
    }
    return shown;
}

std::optional<TreeEntry> FindTreeEntry(const std::vector<TreeEntry>& entries, const std::string& text)
{
    for (const TreeEntry& entry : entries) {
        if (entry.text == text)
            return entry;
    }
    return std::nullopt;
}

std::optional<TreeHit> TreeHitTest(HWND tree, POINT clientPoint)
{
    RemoteBuffer buffer(tree, sizeof(TVHITTESTINFO));
    TVHITTESTINFO request{};
    request.pt = clientPoint;
    if (!buffer.Put(0, request))
        return std::nullopt;
    auto item = SendWithTimeout(tree, TVM_HITTEST, 0, (LPARAM)buffer.At());
    auto answer = buffer.Get<TVHITTESTINFO>(0);
    if (!item || !answer)
        return std::nullopt;
    return TreeHit{answer->flags, (HTREEITEM)*item};
}

std::optional<POINT> ExpandButtonCentre(HWND tree, const TreeEntry& entry)
{
    if (!entry.shown)
        return std::nullopt;
    const LONG y = (entry.label.top + entry.label.bottom) / 2;
    LONG first = -1, last = -1;
    for (LONG x = 0; x < entry.label.left; ++x) {
        auto hit = TreeHitTest(tree, {x, y});
        if (hit && hit->item == entry.handle && (hit->flags & TVHT_ONITEMBUTTON)) {
            if (first < 0)
                first = x;
            last = x;
        }
    }
    if (first < 0)
        return std::nullopt;
    return POINT{(first + last) / 2, y};
}

std::vector<ListColumn> ReadListColumns(HWND list)
{
    std::vector<ListColumn> columns;
    auto header = SendWithTimeout(list, LVM_GETHEADER, 0, 0);
    if (!header || !*header)
        return columns;
    auto count = SendWithTimeout((HWND)*header, HDM_GETITEMCOUNT, 0, 0);
    if (!count)
        return columns;
    RemoteBuffer buffer(list, kBufferSize);
    for (int i = 0; i < (int)*count; ++i) {
        LVCOLUMNW request{};
        request.mask = LVCF_TEXT | LVCF_WIDTH;
        request.pszText = static_cast<wchar_t*>(buffer.At(kTextOffset));
        request.cchTextMax = (int)kTextSize;
        buffer.Put(0, request);
        auto ok = SendWithTimeout(list, LVM_GETCOLUMNW, i, (LPARAM)buffer.At());
        auto answer = buffer.Get<LVCOLUMNW>(0);
        if (!ok || !*ok || !answer)
            break;
        columns.push_back({ReadText(buffer), answer->cx});
    }
    return columns;
}

static std::wstring ListCellText(HWND list, RemoteBuffer& buffer, int row, int column)
{
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = static_cast<wchar_t*>(buffer.At(kTextOffset));
    request.cchTextMax = (int)kTextSize;
    wchar_t empty = L'\0';
    if (!buffer.Put(0, request) || !buffer.Write(kTextOffset, &empty, sizeof empty))
        return {};
    if (!SendWithTimeout(list, LVM_GETITEMTEXTW, row, (LPARAM)buffer.At()))
        return {};
    return ReadWideText(buffer);
}

std::vector<ListRow> ReadList(HWND list)
{
    std::vector<ListRow> rows;
    auto count = SendWithTimeout(list, LVM_GETITEMCOUNT, 0, 0);
    if (!count)
        return rows;
    const size_t columns = ReadListColumns(list).size();
    RemoteBuffer buffer(list, kBufferSize);
    for (int row = 0; row < (int)*count; ++row) {
        ListRow read;
        for (size_t column = 0; column < columns; ++column) {
            read.wideCells.push_back(ListCellText(list, buffer, row, (int)column));
            read.cells.push_back(ToCp1252(read.wideCells.back()));
        }
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        buffer.Put(0, bounds);
        if (SendWithTimeout(list, LVM_GETITEMRECT, row, (LPARAM)buffer.At()))
            read.bounds = buffer.Get<RECT>(0).value_or(RECT{});
        auto state = SendWithTimeout(list, LVM_GETITEMSTATE, row, LVIS_SELECTED);
        read.selected = state && (*state & LVIS_SELECTED);
        rows.push_back(read);
    }
    return rows;
}

std::vector<std::vector<std::string>> ListTexts(const std::vector<ListRow>& rows)
{
    std::vector<std::vector<std::string>> texts;
    for (const ListRow& row : rows)
        texts.push_back(row.cells);
    return texts;
}

std::string StatusBarText(HWND statusBar, int part)
{
    RemoteBuffer buffer(statusBar, kBufferSize);
    wchar_t empty = L'\0';
    buffer.Write(kTextOffset, &empty, sizeof empty);
    // SB_GETTEXTW has no buffer size: the length is asked first.
    auto length = SendWithTimeout(statusBar, SB_GETTEXTLENGTHW, part, 0);
    if (!length || LOWORD(*length) >= kTextSize)
        return {};
    if (!SendWithTimeout(statusBar, SB_GETTEXTW, part, (LPARAM)buffer.At(kTextOffset)))
        return {};
    return ReadText(buffer);
}

RECT RectInParent(HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace e2e
