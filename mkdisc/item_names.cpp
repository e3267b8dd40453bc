#include "item_names.h"

#include <cstring>

#include "cp1252.h"
#include "item_records.h"
#include "path_text.h"

std::string WindowsNameProblem(const std::string& cp1252Name)
{
    if (cp1252Name.empty())
        return "the name is empty";
    if (cp1252Name.size() > ITEM_NAME_MAX)
        return "the name is longer than 254 bytes in code page 1252";
    for (unsigned char c : cp1252Name) {
        if (c >= 32 && strchr("\\/:*?\"<>|", c))
            return std::string("the name contains '") + (char)c +
                   "', which Windows does not allow in file names";
    }
    // The viewer refuses the same names when it writes a file.
    const char* problem = FileNameProblem(cp1252Name.c_str());
    return problem ? problem : std::string();
}

std::string ConvertItemName(const std::string& utf8Name, std::string& cp1252Name)
{
    std::string converted;
    if (!Utf8ToCp1252(utf8Name, converted))
        return "the name has a character that code page 1252 cannot hold";
    std::string problem = WindowsNameProblem(converted);
    if (problem.empty())
        cp1252Name = converted;
    return problem;
}
