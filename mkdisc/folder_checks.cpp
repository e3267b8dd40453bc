#include "folder_checks.h"

#include <algorithm>
#include <cwctype>
#include <system_error>
#include <vector>

#include "build_error.h"
#include "folder_listing.h"
#include "staged_output.h"

namespace {

fs::path Resolve(const fs::path& path)
{
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(fs::absolute(path, error), error);
    if (error)
        throw BuildError("cannot resolve " + ShowPath(path) + ": " + error.message());
    return resolved.lexically_normal();
}

std::vector<fs::path::string_type> Components(const fs::path& path)
{
    std::vector<fs::path::string_type> parts;
    for (const fs::path& part : path) {
        fs::path::string_type text = part.native();
        if (text.empty())
            continue;  // the trailing separator of "dir/"
#ifdef _WIN32
        // Windows names are case-insensitive: C:\Src and c:\src are one folder.
        for (auto& c : text)
            c = (wchar_t)std::towlower((wint_t)c);
#endif
        parts.push_back(text);
    }
    return parts;
}

}  // namespace

bool IsSameOrInside(const fs::path& inner, const fs::path& outer)
{
    std::vector<fs::path::string_type> innerParts = Components(inner);
    std::vector<fs::path::string_type> outerParts = Components(outer);
    if (outerParts.size() > innerParts.size())
        return false;
    for (size_t i = 0; i < outerParts.size(); ++i) {
        if (innerParts[i] != outerParts[i])
            return false;
    }
    return true;
}

void CheckSourceAndOutput(const fs::path& sourceDir, const fs::path& outputDir)
{
    std::error_code error;
    if (!fs::is_directory(sourceDir, error))
        throw BuildError("source folder " + ShowPath(sourceDir) + " does not exist or is not a folder");
    if (fs::exists(outputDir, error) && !fs::is_directory(outputDir, error))
        throw BuildError("output folder " + ShowPath(outputDir) + " is not a folder");

    fs::path source = Resolve(sourceDir);
    fs::path output = Resolve(outputDir);
    if (IsSameOrInside(output, source))
        throw BuildError("output folder " + ShowPath(outputDir) + " lies inside source folder " +
                         ShowPath(sourceDir) + "; the disc would read its own output");
    if (IsSameOrInside(source, output))
        throw BuildError("source folder " + ShowPath(sourceDir) + " lies inside output folder " +
                         ShowPath(outputDir) + "; keep the disc apart from its source");
}

std::vector<std::string> OtherFilesInOutput(const fs::path& outputDir)
{
    std::vector<std::string> others;
    std::error_code error;
    if (!fs::is_directory(outputDir, error))
        return others;
    for (const FolderEntry& entry : ListFolder(outputDir, error)) {
        std::string name;
        if (!PathToUtf8(entry.path.filename(), name))
            name = ShowPath(entry.path.filename());
        bool own = entry.kind == EntryKind::File ? IsDiscFileName(name)
                   : entry.kind == EntryKind::Folder && IsDiscFolderName(name);
        if (!own)
            others.push_back(name);
    }
    if (error)
        throw BuildError("cannot read output folder " + ShowPath(outputDir) + ": " + error.message());
    std::sort(others.begin(), others.end());
    return others;
}

std::string OtherFilesText(const fs::path& outputDir, const std::vector<std::string>& names)
{
    const size_t shown = 3;
    std::string list;
    for (size_t i = 0; i < names.size() && i < shown; ++i)
        list += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    if (names.size() > shown)
        list += " and " + std::to_string(names.size() - shown) + " more";
    return "the output folder " + ShowPath(outputDir) + " already holds other files (" + list +
           "); they would be written to the disc too";
}
