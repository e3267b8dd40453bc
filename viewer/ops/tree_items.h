// Finding what the reader points at in the folder tree and the file list.
#pragma once
#include <windows.h>
#include <commctrl.h>

struct ArcsealItem;

// The tree entry under the mouse cursor (anywhere on its row), or null.
HTREEITEM TreeItemUnderCursor();

// Reads a tree entry's text (up to 255 characters), state and item; 0 when
// the entry cannot be read.
int ReadTreeItem(HTREEITEM entry, char* text, ArcsealItem** item);

// The tree entry under the mouse cursor, read and made the tree's selected
// entry; its item (possibly none) in *item. Null when there is no entry there
// or it cannot be read, and nothing is selected then.
HTREEITEM SelectTreeItemUnderCursor(ArcsealItem** item);

// The list row under the mouse cursor (icon, label or state icon), or -1.
int ListRowUnderCursor();

// The record of the list row under the mouse cursor, whose row becomes the
// list's selection mark; null when there is no row with a record there.
struct LIST_ITEM* MarkListRowUnderCursor();

// The next selected row after the given one (-1 to start), or -1.
int NextSelectedRow(int after);
