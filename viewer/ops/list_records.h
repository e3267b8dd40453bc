// The records behind the rows of the file list, in row order. No windows.h:
// the record list, its order and its texts are tested natively.
#pragma once
#include <cstddef>
#include <cstdint>

struct ArcsealItem;

struct LIST_ITEM {
    int32_t RowIndex;   // row index the list control gave the row
    int32_t Position;   // 0, 1, 2, ... in row order
    uint64_t Size;      // the file's size in bytes
    uint32_t ItemFlags; // the item's methodFlags; 0x2, 0x4, 0x8 pick special size texts
    ArcsealItem* Item;  // not owned
    char* FileName;     // owned copy of the item's name
    char* Path;         // owned copy of "NO PATH"
    char TypeName[80];  // the file type's description, as the shell gives it
    int32_t Image;      // the row's icon in the list's image list
    LIST_ITEM* Next;
    LIST_ITEM* Prev;
};

extern LIST_ITEM* listHead;
extern int32_t listCount;

// Appends a record; 0 after its failure message (nothing added).
int AddListItem(ArcsealItem* item, const char* name, uint64_t size, uint32_t flags);

// Frees every record with its texts.
void FreeFileList();

// The first record with that Position (or RowIndex), or null.
LIST_ITEM* FindListItemByPosition(int32_t position);
LIST_ITEM* FindListItemByRow(int32_t row);

// Stable sort by the first character of the name, upper-cased (A-Z only) and
// compared as a signed byte, so names starting with bytes 0x80-0xFF come
// first; afterwards Position runs 0, 1, 2, ... in the new order.
void SortFileList();

// The orders a click on a column header chooses.
enum ListOrder { ORDER_NAME, ORDER_SIZE, ORDER_TYPE };

// Stable sort by a column: names in the natural order Explorer uses ("File 2"
// before "File 10"), sizes, type names; descending reverses it. Ties keep the
// order they had. Position then runs 0, 1, 2, ... in the new order.
void SortFileListBy(ListOrder order, int descending);

// <0, 0 or >0 as Explorer orders two names: runs of digits by their value,
// letters without regard to their case.
int NaturalCompare(const char* a, const char* b);

// The text of a list cell: column 0 the name ("not found" without a record),
// column 1 the size text ("0" without a record), column 2 the type name;
// other columns get "".
void ListCellText(const LIST_ITEM* record, int column, char* text, size_t size);
