// The licence agreement as the agreement dialog shows it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "agreement_text.h"

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0, end;
    while ((end = text.find("\r\n", at)) != std::string::npos) {
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    EXPECT_EQ(at, text.size()) << "the last line ends in CR LF too";
    return lines;
}

TEST(AgreementText, PlainAsciiLinesEndingInCrLf)
{
    const std::string text = agreementText;
    for (char c : text)
        EXPECT_TRUE(c == '\r' || c == '\n' || (c >= 32 && c < 127)) << "character " << (int)(unsigned char)c;
    std::vector<std::string> lines = Lines(text);
    EXPECT_EQ(lines.size(), 166u);
    EXPECT_GT(text.size(), 7000u);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find('\n'), std::string::npos) << "a bare line feed";
        EXPECT_EQ(line.find('\r'), std::string::npos) << "a bare carriage return";
        // The box does not wrap: every line must fit its width.
        EXPECT_LE(line.size(), 72u) << line;
    }
}

TEST(AgreementText, TitleLineIndentedWith45Blanks)
{
    const std::string text = agreementText;
    EXPECT_EQ(text.find_first_not_of(' '), 45u);
    EXPECT_EQ(text.compare(45, 17, "LICENCE AGREEMENT"), 0);
}

}  // namespace
