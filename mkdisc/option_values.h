// Parsers for the value forms of the command line. Each returns false when the
// text is not of its form; the caller names the option in its message.
#pragma once
#include <cstdint>
#include <string>

// Decimal, or hexadecimal with 0x; the whole text must be the number.
bool ParseUnsigned32(const std::string& text, uint32_t& value);
bool ParseSigned32(const std::string& text, int32_t& value);

// #RRGGBB or R,G,B (0-255 each), as a COLORREF 0x00BBGGRR.
bool ParseColour(const std::string& text, uint32_t& colorRef);

// X,Y with signed decimal numbers.
bool ParsePoint(const std::string& text, int32_t& x, int32_t& y);

// COLOR,DX,DY where COLOR is either colour form.
bool ParseShadow(const std::string& text, uint32_t& colorRef, int32_t& dx, int32_t& dy);
