// Comparing what the viewer wrote with the files the disc was made from:
// whole trees by shape (every folder and file, empty folders included) and
// single files byte for byte.
#pragma once
#include <filesystem>
#include <optional>
#include <set>
#include <string>

namespace e2e {

// Every folder and file below root as a relative path with '/' between the
// parts; folders end in '/'. UTF-8, so names print in failure messages.
std::set<std::string> TreeShape(const std::filesystem::path& root);

// Nothing when both files hold the same bytes; otherwise what differs
// (sizes, or the first differing offset).
std::optional<std::string> FileDifference(const std::filesystem::path& expected,
                                          const std::filesystem::path& actual);

// A path made from a relative UTF-8 path as TreeShape gives it.
std::filesystem::path FromUtf8(const std::string& relative);
std::string ToUtf8(const std::wstring& text);

}  // namespace e2e
