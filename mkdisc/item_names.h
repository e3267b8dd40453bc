// Names the viewer will show and later create on a Windows disk (export, view,
// font install): they must be CP1252 and acceptable to Windows as file names.
#pragma once
#include <string>

// Converts a UTF-8 name to CP1252 and checks it. Returns an empty text when
// the name is fine (cp1252 then holds it), else the reason it is refused.
std::string ConvertItemName(const std::string& utf8Name, std::string& cp1252Name);

// Strong discs: the name in NFC, checked as Windows would create it (at most
// 255 UTF-16 units). Returns an empty text when it is fine, else the reason.
std::string ConvertWideItemName(const std::string& utf8Name, std::string& nfcName);

// The NFC form of UTF-8 text (the temporary copy is wiped: passwords pass
// through here); false when the text is not valid UTF-8.
bool NfcText(const std::string& utf8, std::string& nfc);

// The form two names of one folder share when Windows would put both on one
// file: CP1252 names folded as Windows compares them, wide ones in Unicode.
std::string FoldedItemName(const std::string& name, bool wide);

// What a scrambled disc's refusal adds: where such a name or size can go.
extern const char* const STRONG_DISC_HINT;

// The reason a CP1252 name cannot be created on Windows, or an empty text.
std::string WindowsNameProblem(const std::string& cp1252Name);
