#include "check_text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "item_list.h"
#include "item_records.h"

void StartCheckReport(CheckReport* report, uint32_t total)
{
    memset(report, 0, sizeof *report);
    report->total = total;
}

void FreeCheckReport(CheckReport* report)
{
    free(report->listed);
    report->listed = nullptr;
    report->listedLength = 0;
}

int NoteCheckedFile(CheckReport* report, const char* path, int damaged, int unreadable)
{
    ++report->checked;
    if (!damaged && !unreadable)
        return 1;
    if (report->problems++ >= CHECK_LISTED_FILES)
        return 1;
    const char* why = damaged ? "damaged" : "cannot be read";
    size_t line = strlen(path) + strlen(why) + 8;
    char* grown = (char*)realloc(report->listed, report->listedLength + line);
    if (!grown)
        return 0;
    report->listed = grown;
    int written = snprintf(grown + report->listedLength, line, "%s - %s\r\n", path, why);
    report->listedLength += written > 0 ? (size_t)written : 0;
    return 1;
}

static const char* Files(uint32_t count)
{
    return count == 1 ? "file" : "files";
}

char* FormatCheckReport(const CheckReport* report)
{
    size_t size = report->listedLength + 400;
    char* text = (char*)malloc(size);
    if (!text)
        return nullptr;
    int length;
    if (report->aborted)
        length = snprintf(text, size, "The check was aborted after %lu of %lu %s.",
                          (unsigned long)report->checked, (unsigned long)report->total, Files(report->total));
    else if (report->problems == 0)
        length = snprintf(text, size, "The disc was checked: all %lu files are intact.",
                          (unsigned long)report->total);
    else
        length = snprintf(text, size, "The disc was checked: %lu of its %lu %s %s damaged or cannot be read.",
                          (unsigned long)report->problems, (unsigned long)report->total, Files(report->total),
                          report->problems == 1 ? "is" : "are");
    if (report->problems > 0) {
        if (report->aborted)
            length += snprintf(text + length, size - length, " Of those, %lu %s damaged or cannot be read.",
                               (unsigned long)report->problems, report->problems == 1 ? "is" : "are");
        length += snprintf(text + length, size - length, "\r\n\r\n%.*s", (int)report->listedLength,
                           report->listed ? report->listed : "");
        if (report->problems > CHECK_LISTED_FILES)
            snprintf(text + length, size - length, "and %lu more",
                     (unsigned long)(report->problems - CHECK_LISTED_FILES));
    } else if (report->aborted) {
        snprintf(text + length, size - length, " Those are intact.");
    }
    return text;
}

static int IsDiscItself(const ArcsealItem* item)
{
    return item->itemType == ITEM_WHOLE_DISC || (item->itemType & ITEM_DISC_ROOT_BIT);
}

void DiscPathOf(const ArcsealItem* item, char* path, size_t size)
{
    if (size == 0)
        return;
    path[0] = 0;
    uint32_t limit = 0;
    for (const ArcsealItem* at = itemListHead; at; at = at->next)
        ++limit;
    // Built from the end: each parent's name goes in front.
    size_t used = 0;
    for (const ArcsealItem* at = item; at && !IsDiscItself(at) && limit-- > 0; at = FindItem(at->parentId)) {
        const char* name = at->itemName ? at->itemName : "";
        size_t nameLength = strlen(name);
        size_t need = nameLength + (used ? 1 : 0);
        if (used + need + 1 > size)
            break;
        memmove(path + need, path, used + 1);
        memcpy(path, name, nameLength);
        if (used)
            path[nameLength] = '\\';
        used += need;
        if (at->parentId == at->itemId)
            break;
    }
}
