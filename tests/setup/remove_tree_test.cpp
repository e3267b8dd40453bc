// RemoveTreeContents in this process: a whole tree goes, what cannot be
// deleted stays with the folders that hold it, and the current drive is
// what it was before.
#include <gtest/gtest.h>

#include <windows.h>
#include <direct.h>

#include "package_test_files.h"
#include "remove_tree.h"

namespace setup_test {
namespace {

namespace fs = std::filesystem;

std::set<std::string> Entries(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(RemoveTreeContents, EmptiesTheTreeAndKeepsTheFolder)
{
    TempFolder folder("remove-tree");
    const fs::path root = folder.Path() / "Arcseal3";
    fs::create_directories(root / "Help" / "images" / "deeper");
    WriteBytes(root / "a.exe", Pattern(10));
    WriteBytes(root / "Help" / "index.htm", Pattern(10));
    WriteBytes(root / "Help" / "images" / "deeper" / "x.gif", Pattern(10));
    fs::create_directories(root / "empty");
    int drive = _getdrive();
    RemoveTreeContents(root.string().c_str());
    EXPECT_TRUE(fs::is_directory(root));
    EXPECT_TRUE(Entries(root).empty());
    EXPECT_EQ(_getdrive(), drive);
}

TEST(RemoveTreeContents, WhatCannotBeDeletedStaysWithItsFolders)
{
    TempFolder folder("remove-tree-kept");
    const fs::path root = folder.Path() / "Arcseal3";
    fs::create_directories(root / "Help" / "images");
    fs::create_directories(root / "Hidden");
    fs::create_directories(root / ".dot");
    WriteBytes(root / "Help" / "images" / "locked.gif", Pattern(1));
    WriteBytes(root / "Help" / "gone.htm", Pattern(1));
    WriteBytes(root / "Hidden" / "kept.txt", Pattern(1));
    WriteBytes(root / ".dot" / "kept.txt", Pattern(1));
    SetFileAttributesW((root / "Help" / "images" / "locked.gif").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW((root / "Hidden").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);

    RemoveTreeContents(root.string().c_str());
    EXPECT_EQ(Entries(root), (std::set<std::string>{".dot", "Help", "Hidden"}));
    EXPECT_EQ(Entries(root / "Help"), (std::set<std::string>{"images"}));
    EXPECT_EQ(Entries(root / "Help" / "images"), (std::set<std::string>{"locked.gif"}));
    EXPECT_EQ(Entries(root / "Hidden"), (std::set<std::string>{"kept.txt"}));
    EXPECT_EQ(Entries(root / ".dot"), (std::set<std::string>{"kept.txt"}));
    SetFileAttributesW((root / "Help" / "images" / "locked.gif").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW((root / "Hidden").c_str(), FILE_ATTRIBUTE_DIRECTORY);
}

TEST(RemoveTreeContents, MissingFolderRemovesNothing)
{
    TempFolder folder("remove-tree-missing");
    WriteBytes(folder.Path() / "kept.txt", Pattern(1));
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    SetCurrentDirectoryA(folder.Path().string().c_str());
    int drive = _getdrive();
    RemoveTreeContents((folder.Path() / "missing").string().c_str());
    EXPECT_EQ(_getdrive(), drive);
    EXPECT_TRUE(fs::exists(folder.Path() / "kept.txt")) << "the current directory was emptied";
    SetCurrentDirectoryA(before);
}

}  // namespace
}  // namespace setup_test
