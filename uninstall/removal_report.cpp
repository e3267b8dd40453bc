#include "removal_report.h"

#include <cstdio>
#include <cstring>

static const char* const NOT_REMOVED_TEXT = "Not all of Arcseal3 could be removed from your computer. These stayed:";
// Room kept for the first line, the blank line and the count of the rest.
static const size_t RESERVED = 160;

static const char* ReasonText(LeftReason reason)
{
    switch (reason) {
    case LEFT_IN_USE:
        return "in use";
    case LEFT_READ_ONLY:
        return "read-only";
    case LEFT_NOT_EMPTY:
        return "holds files Arcseal3 did not install";
    case LEFT_NOT_EMPTIED:
        return "not everything in it could be deleted";
    case LEFT_AT_RESTART:
        return "in use; Windows deletes it when it next starts";
    }
    return "could not be deleted";
}

void InitRemovalReport(RemovalReport* report)
{
    report->lines[0] = 0;
    report->length = 0;
    report->left = 0;
    report->unlisted = 0;
}

void AddLeftItem(RemovalReport* report, const char* path, LeftReason reason)
{
    ++report->left;
    size_t room = sizeof report->lines - RESERVED - report->length;
    int written = snprintf(report->lines + report->length, room, "%s (%s)\r\n", path, ReasonText(reason));
    if (written < 0 || (size_t)written >= room) {
        report->lines[report->length] = 0;
        ++report->unlisted;
        return;
    }
    report->length += (size_t)written;
}

void ClosingMessage(const RemovalReport* report, char* message, size_t size)
{
    if (report->left == 0) {
        snprintf(message, size, "%s", REMOVED_TEXT);
        return;
    }
    int written = snprintf(message, size, "%s\r\n\r\n%s", NOT_REMOVED_TEXT, report->lines);
    if (written < 0 || (size_t)written >= size)
        return;
    if (report->unlisted > 0)
        snprintf(message + written, size - (size_t)written, "and %d more", report->unlisted);
    else if (written >= 2)
        message[written - 2] = 0;   // no line end after the last line
}
