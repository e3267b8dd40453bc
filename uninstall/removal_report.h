// What the uninstaller could not remove, and the closing message that says
// so. No windows.h.
#pragma once
#include <cstddef>

const char* const REMOVED_TEXT = "Arcseal3 has been removed from your computer";

enum LeftReason {
    LEFT_IN_USE = 0,      // a program holds it open (or it may not be deleted)
    LEFT_READ_ONLY,
    LEFT_NOT_EMPTY,       // a folder that holds files Arcseal3 did not install
    LEFT_NOT_EMPTIED,     // a folder of an installation without a log: something in it stayed
    LEFT_AT_RESTART,      // in use now; Windows deletes it when it next starts
};

const size_t REPORT_TEXT_SIZE = 1024;   // the size of every message text

struct RemovalReport {
    char lines[REPORT_TEXT_SIZE];   // "path (reason)" lines, CR LF ended
    size_t length;
    int left;                       // everything that stayed, listed or not
    int unlisted;                   // what did not fit the message any more
};

void InitRemovalReport(RemovalReport* report);
void AddLeftItem(RemovalReport* report, const char* path, LeftReason reason);

// REMOVED_TEXT when nothing stayed; otherwise a text that lists what stayed
// and why, as much of it as fits the message.
void ClosingMessage(const RemovalReport* report, char* message, size_t size);
