// Multi-line texts for the viewer's licence box and splash screen: CP1252 with
// CR LF line ends, which is what Windows edit controls and the splash expect.
#pragma once
#include <string>

const size_t SPLASH_TEXT_MAX = 2788;       // the header field keeps its NUL
const size_t SPLASH_LINE_MAX = 1023;       // the splash draws from a 1024-byte line buffer
const size_t LICENCE_TEXT_MAX = 1048576;   // read whole into memory, so kept modest

// Converts UTF-8 (an optional byte-order mark is dropped) to CP1252 and makes
// every line end CR LF. Returns an empty text, or the reason it is refused.
std::string ConvertWindowsText(const std::string& utf8, std::string& cp1252);

// As above, then checks the splash limits and makes sure the text ends with
// CR LF, since the splash draws nothing after the last line break.
std::string ConvertSplashText(const std::string& utf8, std::string& cp1252);
