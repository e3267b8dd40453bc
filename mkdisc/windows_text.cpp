#include "windows_text.h"

#include "cp1252.h"

namespace {

std::string WithCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

size_t LineNumberAt(const std::string& text, size_t offset)
{
    size_t line = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n')
            ++line;
    }
    return line;
}

}  // namespace

std::string ConvertWindowsText(const std::string& utf8, std::string& cp1252)
{
    std::string text = utf8;
    if (text.compare(0, 2, "\xFF\xFE") == 0 || text.compare(0, 2, "\xFE\xFF") == 0)
        return "the text is UTF-16; save it as UTF-8";
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    size_t nul = text.find('\0');
    if (nul != std::string::npos)
        return "line " + std::to_string(LineNumberAt(text, nul)) +
               " contains a NUL byte, which would cut the text short";
    std::string converted;
    size_t bad = 0;
    if (!Utf8ToCp1252(text, converted, &bad))
        return "line " + std::to_string(LineNumberAt(text, bad)) +
               " is not UTF-8 or has a character that code page 1252 cannot hold";
    cp1252 = WithCrLf(converted);
    return std::string();
}

std::string ConvertSplashText(const std::string& utf8, std::string& cp1252)
{
    std::string text;
    std::string problem = ConvertWindowsText(utf8, text);
    if (!problem.empty())
        return problem;
    if (text.empty())
        return "the splash text is empty";
    if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0)
        text += "\r\n";
    if (text.size() > SPLASH_TEXT_MAX)
        return "the splash text takes " + std::to_string(text.size()) +
               " bytes with CR LF line ends; at most " + std::to_string(SPLASH_TEXT_MAX) + " fit";
    size_t lineStart = 0;
    for (size_t line = 1; lineStart < text.size(); ++line) {
        size_t end = text.find("\r\n", lineStart);
        if (end - lineStart > SPLASH_LINE_MAX)
            return "line " + std::to_string(line) + " of the splash text is longer than " +
                   std::to_string(SPLASH_LINE_MAX) + " bytes";
        lineStart = end + 2;
    }
    cp1252 = text;
    return std::string();
}
