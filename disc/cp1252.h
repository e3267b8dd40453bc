// UTF-8 to Windows code page 1252: the viewer works with ANSI texts only, so
// every name and text the builder stores must be converted first.
#pragma once
#include <string>

// Converts strictly valid UTF-8 to CP1252. Returns false when the text is not
// valid UTF-8 or holds a character that CP1252 cannot represent; *badOffset
// (when given) then receives the byte offset of the offending sequence.
bool Utf8ToCp1252(const std::string& utf8, std::string& cp1252, size_t* badOffset = nullptr);

// The UTF-8 form of a CP1252 text (its five unassigned bytes become U+FFFD).
std::string Cp1252ToUtf8(const std::string& cp1252);

// Lower-case form of a CP1252 text as Windows compares file names, so that two
// names which would land on the same file can be recognised.
std::string FoldCaseCp1252(const std::string& cp1252);
