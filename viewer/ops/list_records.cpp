#include "list_records.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "heap_text.h"
#include "report.h"

LIST_ITEM* listHead;
int32_t listCount;

static LIST_ITEM* listTail;

// Records by Position, so the lookups the list control makes for every row it
// paints do not walk the list. Rebuilt after a sort; null when it could not
// be allocated, and the lookups then walk.
static LIST_ITEM** byPosition;
static int32_t byPositionCapacity;

static void RebuildPositionIndex()
{
    free(byPosition);
    byPosition = nullptr;
    byPositionCapacity = 0;
    if (listCount == 0)
        return;
    byPosition = (LIST_ITEM**)malloc((size_t)listCount * sizeof *byPosition);
    if (!byPosition)
        return;
    byPositionCapacity = listCount;
    int32_t i = 0;
    for (LIST_ITEM* record = listHead; record && i < listCount; record = record->Next)
        byPosition[i++] = record;
}

static void IndexAppended(LIST_ITEM* record)
{
    if (listCount > byPositionCapacity) {
        int32_t capacity = byPositionCapacity ? byPositionCapacity * 2 : 256;
        LIST_ITEM** grown = (LIST_ITEM**)realloc(byPosition, (size_t)capacity * sizeof *grown);
        if (!grown) {
            free(byPosition);
            byPosition = nullptr;
            byPositionCapacity = -1;  // stays off until the next rebuild
            return;
        }
        byPosition = grown;
        byPositionCapacity = capacity;
    }
    if (byPosition)
        byPosition[listCount - 1] = record;
}

int AddListItem(ArcsealItem* item, const char* name, uint64_t size, uint32_t flags)
{
    int first = listHead == nullptr;
    if (!name)
        name = "";
    LIST_ITEM* record = (LIST_ITEM*)calloc(1, sizeof *record);
    if (!record) {
        if (first)
            ShowError("ERROR: 70", "Cannot allocate LIST_ITEM (root)");
        else
            ShowError("ERROR: 73", "Cannot allocate LIST_ITEM ->Next ");
        return 0;
    }
    record->FileName = CopyTextToHeap(name);
    if (!record->FileName) {
        free(record);
        if (first)
            ShowError("ERROR: 71", "Cannot allocate LIST_ITEM (root)->FileName");
        else
            ShowError("ERROR: 74", "Cannot allocate LIST_ITEM ->FileName ");
        return 0;
    }
    record->Path = CopyTextToHeap("NO PATH");
    if (!record->Path) {
        free(record->FileName);
        free(record);
        if (first)
            ShowError("ERROR: 72", "Cannot allocate LIST_ITEM (root)->Path");
        else
            ShowError("ERROR: 75", "Cannot allocate LIST_ITEM ->Path");
        return 0;
    }
    record->Size = size;
    record->ItemFlags = flags;
    record->Item = item;
    if (first) {
        record->Position = 0;
        listHead = record;
    } else {
        record->Position = listTail->Position + 1;
        record->Prev = listTail;
        listTail->Next = record;
    }
    listTail = record;
    ++listCount;
    IndexAppended(record);
    return 1;
}

void FreeFileList()
{
    LIST_ITEM* record = listHead;
    while (record) {
        LIST_ITEM* next = record->Next;
        free(record->FileName);
        free(record->Path);
        free(record);
        record = next;
    }
    listHead = nullptr;
    listTail = nullptr;
    listCount = 0;
    free(byPosition);
    byPosition = nullptr;
    byPositionCapacity = 0;
}

LIST_ITEM* FindListItemByPosition(int32_t position)
{
    if (byPosition && position >= 0 && position < listCount && byPosition[position]->Position == position)
        return byPosition[position];
    for (LIST_ITEM* record = listHead; record; record = record->Next)
        if (record->Position == position)
            return record;
    return nullptr;
}

LIST_ITEM* FindListItemByRow(int32_t row)
{
    if (byPosition && row >= 0 && row < listCount && byPosition[row]->RowIndex == row)
        return byPosition[row];
    for (LIST_ITEM* record = listHead; record; record = record->Next)
        if (record->RowIndex == row)
            return record;
    return nullptr;
}

static signed char SortKey(const LIST_ITEM* record)
{
    char c = record->FileName[0];
    if (c >= 'a' && c <= 'z')
        c = (char)(c - 'a' + 'A');
    return (signed char)c;
}

// The design's order: the upper-cased first character, as a signed byte.
static int FirstLetterOrder(const LIST_ITEM* a, const LIST_ITEM* b)
{
    return SortKey(a) - SortKey(b);
}

static int (*compareRecords)(const LIST_ITEM*, const LIST_ITEM*) = FirstLetterOrder;
static int reversed;

static int Folded(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

static int IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int NaturalCompare(const char* a, const char* b)
{
    while (*a && *b) {
        if (IsDigit(*a) && IsDigit(*b)) {
            // Numbers by value: leading zeros aside, the longer run is larger.
            while (*a == '0')
                ++a;
            while (*b == '0')
                ++b;
            size_t lengthA = 0, lengthB = 0;
            while (IsDigit(a[lengthA]))
                ++lengthA;
            while (IsDigit(b[lengthB]))
                ++lengthB;
            if (lengthA != lengthB)
                return lengthA < lengthB ? -1 : 1;
            int digits = strncmp(a, b, lengthA);
            if (digits != 0)
                return digits;
            a += lengthA;
            b += lengthB;
            continue;
        }
        int difference = Folded((unsigned char)*a) - Folded((unsigned char)*b);
        if (difference != 0)
            return difference;
        ++a;
        ++b;
    }
    return (unsigned char)*a - (unsigned char)*b;
}

static int NameOrder(const LIST_ITEM* a, const LIST_ITEM* b)
{
    return NaturalCompare(a->FileName, b->FileName);
}

static int SizeOrder(const LIST_ITEM* a, const LIST_ITEM* b)
{
    return a->Size < b->Size ? -1 : a->Size > b->Size;
}

static int TypeOrder(const LIST_ITEM* a, const LIST_ITEM* b)
{
    int type = NaturalCompare(a->TypeName, b->TypeName);
    return type != 0 ? type : NameOrder(a, b);
}

// Whether right goes before left in the order chosen.
static int ComesFirst(const LIST_ITEM* right, const LIST_ITEM* left)
{
    int order = compareRecords(right, left);
    return reversed ? order > 0 : order < 0;
}

// Merges two sorted chains; on equal keys the left one's record comes first.
static LIST_ITEM* Merge(LIST_ITEM* left, LIST_ITEM* right)
{
    LIST_ITEM head = {};
    LIST_ITEM* tail = &head;
    while (left && right) {
        if (ComesFirst(right, left)) {
            tail->Next = right;
            right = right->Next;
        } else {
            tail->Next = left;
            left = left->Next;
        }
        tail = tail->Next;
    }
    tail->Next = left ? left : right;
    return head.Next;
}

// Stable merge sort of a chain of count records, linked by Next only.
static LIST_ITEM* MergeSort(LIST_ITEM* chain, int32_t count)
{
    if (count < 2)
        return chain;
    int32_t half = count / 2;
    LIST_ITEM* middle = chain;
    for (int32_t i = 1; i < half; ++i)
        middle = middle->Next;
    LIST_ITEM* right = middle->Next;
    middle->Next = nullptr;
    return Merge(MergeSort(chain, half), MergeSort(right, count - half));
}

static void SortWith(int (*compare)(const LIST_ITEM*, const LIST_ITEM*), int descending)
{
    compareRecords = compare;
    reversed = descending;
    listHead = MergeSort(listHead, listCount);
    LIST_ITEM* previous = nullptr;
    int32_t position = 0;
    for (LIST_ITEM* record = listHead; record; record = record->Next) {
        record->Prev = previous;
        record->Position = position++;
        previous = record;
    }
    listTail = previous;
    RebuildPositionIndex();
}

void SortFileList()
{
    SortWith(FirstLetterOrder, 0);
}

void SortFileListBy(ListOrder order, int descending)
{
    SortWith(order == ORDER_SIZE ? SizeOrder : order == ORDER_TYPE ? TypeOrder : NameOrder, descending);
}

void ListCellText(const LIST_ITEM* record, int column, char* text, size_t size)
{
    if (size == 0)
        return;
    text[0] = 0;
    if (column == 0)
        snprintf(text, size, "%s", record ? record->FileName : "not found");
    else if (column == 1) {
        if (!record)
            snprintf(text, size, "0");
        else if (record->ItemFlags & 0x4)
            snprintf(text, size, "-Up Directory-");
        else if (record->ItemFlags & 0x8)
            snprintf(text, size, "-Drive Root-");
        else if (record->ItemFlags & 0x2)
            snprintf(text, size, "-directory-");
        else
            snprintf(text, size, "%llu bytes ( %0.2f kb/%0.2f MB )", (unsigned long long)record->Size,
                     (double)record->Size / 1024, (double)record->Size / 1048576);
    } else if (column == 2 && record) {
        snprintf(text, size, "%s", record->TypeName);
    }
}
