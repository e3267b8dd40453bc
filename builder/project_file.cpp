#include "project_file.h"

#include <cstring>

namespace {

const char BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";
const char FIRST_LINE[] = "; Arcseal 3 project. Passwords are not kept in this file.";

bool IsEscaped(Field field)
{
    return field == FIELD_SPLASH_TEXT;
}

std::string Escape(const std::string& value)
{
    std::string out;
    for (char c : value) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out.push_back(c);
    }
    return out;
}

std::string Unescape(const std::string& value)
{
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && (value[i + 1] == 'n' || value[i + 1] == '\\')) {
            out.push_back(value[i + 1] == 'n' ? '\n' : '\\');
            ++i;
        } else {
            out.push_back(value[i]);
        }
    }
    return out;
}

std::string Trimmed(const std::string& text)
{
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return std::string();
    size_t end = text.find_last_not_of(" \t");
    return text.substr(start, end - start + 1);
}

bool SameName(const std::string& a, const char* b)
{
    if (a.size() != strlen(b))
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = (char)(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = (char)(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace

std::string ProjectText(const ProjectSettings& settings)
{
    std::string text = std::string(BYTE_ORDER_MARK) + FIRST_LINE + "\r\n";
    const char* section = "";
    for (int i = 0; i < FIELD_COUNT; ++i) {
        const FieldInfo* info = FindField((Field)i);
        if (strcmp(section, info->section) != 0) {
            section = info->section;
            text += std::string("\r\n[") + section + "]\r\n";
        }
        if (!info->key)
            continue;
        std::string value = settings[info->field];
        text += std::string(info->key) + "=" + (IsEscaped(info->field) ? Escape(value) : value) + "\r\n";
    }
    return text;
}

int ReadProjectText(const std::string& text, ProjectSettings& settings, std::string& problem)
{
    ProjectSettings read = DefaultSettings();
    size_t at = text.compare(0, 3, BYTE_ORDER_MARK) == 0 ? 3 : 0;
    if (text.find('\0') != std::string::npos) {
        problem = "this is not a project file (it is not text)";
        return 0;
    }
    std::string section;
    for (size_t lineNumber = 1; at < text.size(); ++lineNumber) {
        size_t end = text.find('\n', at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::string trimmed = Trimmed(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#')
            continue;
        if (trimmed[0] == '[') {
            if (trimmed.back() != ']') {
                problem = "line " + std::to_string(lineNumber) + " opens a [section] but does not close it";
                return 0;
            }
            section = Trimmed(trimmed.substr(1, trimmed.size() - 2));
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos) {
            problem = "line " + std::to_string(lineNumber) + " is neither a [section] nor a Name=value setting";
            return 0;
        }
        std::string key = Trimmed(line.substr(0, equals));
        std::string value = line.substr(equals + 1);
        for (int i = 0; i < FIELD_COUNT; ++i) {
            const FieldInfo* info = FindField((Field)i);
            if (info->key && SameName(key, info->key) && SameName(section, info->section))
                read[info->field] = IsEscaped(info->field) ? Unescape(value) : Trimmed(value);
        }
    }
    // The checkboxes know only ticked and not.
    for (Field flag : {FIELD_USE_PASSWORD, FIELD_NO_EXPORT, FIELD_CLEAR_RECENT, FIELD_HIDE_TITLE, FIELD_BROWSER_READER}) {
        std::string value = Trimmed(read[flag]);
        bool ticked = value == "1" || SameName(value, "yes") || SameName(value, "true") || SameName(value, "on");
        read[flag] = ticked ? "1" : "0";
    }
    settings = read;
    return 1;
}
