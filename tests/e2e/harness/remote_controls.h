// Reading another process's tree view, list view and status bar from outside,
// as they stand on screen: texts as the program's ANSI strings, states and
// rectangles. Every read goes through SendMessageTimeout, so a hung program
// gives empty results instead of blocking the test.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct TreeEntry {
    HTREEITEM handle = nullptr;
    int depth = 0;              // 0 for the tree's root entries
    std::string text;           // in code page 1252
    std::wstring wide;          // as the tree holds it
    bool expanded = false;
    bool selected = false;
    bool dropHighlighted = false;
    int image = -1;
    int selectedImage = -1;
    bool hasChildren = false;
    bool shown = false;         // every ancestor is expanded
    RECT label{};               // the text's rectangle in tree client coordinates, when shown
};

// Every entry of the tree, collapsed branches included, in display order
// (depth first, children in their order under the parent).
std::vector<TreeEntry> ReadTree(HWND tree);
// Only the entries a person sees: those whose ancestors are all expanded.
std::vector<TreeEntry> ShownTreeEntries(HWND tree);
// The first entry with that text, from a reading.
std::optional<TreeEntry> FindTreeEntry(const std::vector<TreeEntry>& entries, const std::string& text);

// The tree's own hit test at a point of its client area: the flags
// (TVHT_...) and the item hit, if any.
struct TreeHit {
    UINT flags = 0;
    HTREEITEM item = nullptr;
};
std::optional<TreeHit> TreeHitTest(HWND tree, POINT clientPoint);
// The middle of a shown entry's expand button (+/-), found with the tree's
// own hit test along the entry's row; nothing when the entry has none.
std::optional<POINT> ExpandButtonCentre(HWND tree, const TreeEntry& entry);

struct ListRow {
    std::vector<std::string> cells;  // one text per column, in code page 1252
    std::vector<std::wstring> wideCells;  // as the list holds them
    RECT bounds{};                   // list client coordinates
    bool selected = false;
};

struct ListColumn {
    std::string title;
    int width = 0;
};

std::vector<ListColumn> ReadListColumns(HWND list);
// Every row of a report-style list with the texts of all its columns.
std::vector<ListRow> ReadList(HWND list);
// Only the texts, row by row: handy for comparisons.
std::vector<std::vector<std::string>> ListTexts(const std::vector<ListRow>& rows);

// The text of one part of a status bar.
std::string StatusBarText(HWND statusBar, int part = 0);

// A control's window rectangle (border included) in its parent's client coordinates.
RECT RectInParent(HWND control);

}  // namespace e2e
