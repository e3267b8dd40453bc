// Heap copies of texts, as the viewer's records own them. No windows.h.
#pragma once

// A zero-filled heap block of the text's length plus 10 bytes holding the
// text; null when there is no memory. The caller frees it.
char* CopyTextToHeap(const char* text);
