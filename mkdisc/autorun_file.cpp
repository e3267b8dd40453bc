#include "autorun_file.h"

std::string AutorunText(const std::string& viewerName, const std::string& label)
{
    // Windows reads the file as ANSI text with CR LF line ends; the label is
    // already CP1252 and holds no control characters (it is an item name).
    return "[autorun]\r\n"
           "open=" + viewerName + "\r\n"
           "icon=" + viewerName + ",0\r\n"
           "label=" + label + "\r\n";
}

void WriteAutorunFile(const fs::path& path, const std::string& viewerName, const std::string& label)
{
    std::string text = AutorunText(viewerName, label);
    FilePtr file = OpenForWriting(path);
    WriteBytes(file.get(), text.data(), text.size(), path);
    FinishWriting(file, path);
}
