// The reader for any browser on every disc (unless --no-browser-reader): one
// page to double-click at the top of the disc and its scripts in one folder
// beside it. A rebuild without it takes an earlier one away.
#pragma once
#include "staged_output.h"

const char BROWSER_READER_PAGE[] = "Open in browser.html";
const char BROWSER_READER_FOLDER[] = "browser-reader";

// Stages the page and the folder; they go in place with the rest of the disc.
void StageBrowserReader(StagedOutput& output);
