// Unicode names and passwords of strong discs: stored and compared in NFC, so
// that a name or password typed on a Mac (NFD) and on Windows (NFC) is one
// and the same. libutf8proc does the work natively, Windows' own
// NormalizeString and LCMapStringEx in the Windows programs. No windows.h.
#pragma once
#include <cstddef>

// 1 when the length bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF); NUL bytes are refused too.
int IsValidUtf8(const char* text, size_t length);

// The NFC form of valid UTF-8 text, NUL-ended, to be freed with free();
// *resultLength gets its length. Null when the text is not valid UTF-8 or
// memory runs out.
char* NfcUtf8(const char* text, size_t length, size_t* resultLength);

// NFC, then case-folded as file systems that ignore case compare names: two
// names with the same folded form would land on one file. Free with free().
char* FoldedUtf8(const char* text, size_t length);
