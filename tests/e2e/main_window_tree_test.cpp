// The folder tree and the status bar as a person sees them: "Arcseal" on top,
// expanded; the whole-disc item under it; the folders in the order mkdisc
// wrote them (per folder, by the bytes of their CP1252 names), each under its
// parent; no files. The status bar holds the disc's totals.
#include <chrono>
#include <cstdio>
#include <utility>

#include "main_window_disc.h"
#include "mouse.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

// Image-list positions: disc root, closed folder, open folder.
constexpr int kRootImage = 0;
constexpr int kClosedFolderImage = 1;
constexpr int kOpenFolderImage = 2;

using DepthAndText = std::pair<int, std::string>;

// The whole tree of the test disc. Uppercase sorts before lowercase and
// 0xDC after both in the table, and the tree keeps that order.
std::vector<DepthAndText> ExpectedTree()
{
    return {
        {0, "Arcseal"}, {1, kDiscLabel}, {2, "Docs"}, {3, "Letters"}, {4, "deep"},
        {2, "Empty"},   {2, "archive"},  {2, "\xDC" "ber"},
    };
}

std::vector<DepthAndText> DepthsAndTexts(const std::vector<TreeEntry>& entries)
{
    std::vector<DepthAndText> result;
    for (const TreeEntry& entry : entries)
        result.emplace_back(entry.depth, entry.text);
    return result;
}

// The totals text computed from the disc's contents. The whole-disc item is
// a folder too; the disc root is not.
std::string TotalsOf(const std::vector<std::string>& folders, const std::vector<DiscFile>& files)
{
    unsigned long bytes = 0;
    for (const DiscFile& file : files)
        bytes += file.size;
    char text[256];
    snprintf(text, sizeof text, "%lu Bytes - %0.2f KB - %0.2f MB - %lu Folders - %lu Files", bytes,
             bytes / 1024.0, bytes / 1048576.0, (unsigned long)folders.size() + 1, (unsigned long)files.size());
    return text;
}

class TreeTest : public MainWindowTest {};

TEST_F(TreeTest, HoldsTheDiscRootTheWholeDiscAndTheFoldersInTableOrder)
{
    ASSERT_NO_FATAL_FAILURE(OpenTestDisc());
    std::vector<TreeEntry> entries = ReadTree(tree_);
    EXPECT_EQ(DepthsAndTexts(entries), ExpectedTree());
    ASSERT_GE(entries.size(), 2u);

    EXPECT_TRUE(entries[0].expanded) << "the disc root should start expanded";
    EXPECT_FALSE(entries[1].expanded) << "only the disc root starts expanded";
    EXPECT_EQ(DepthsAndTexts(ShownTreeEntries(tree_)),
              (std::vector<DepthAndText>{{0, "Arcseal"}, {1, kDiscLabel}}));

    EXPECT_EQ(entries[0].image, kRootImage);
    EXPECT_EQ(entries[0].selectedImage, kRootImage);
    for (size_t i = 1; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].image, kClosedFolderImage) << entries[i].text;
        EXPECT_EQ(entries[i].selectedImage, kOpenFolderImage) << entries[i].text;
    }
}

TEST_F(TreeTest, ExpandsAndCollapsesWithTheMouse)
{
    ASSERT_NO_FATAL_FAILURE(OpenTestDisc());

    ASSERT_TRUE(ExpandWithButton(kDiscLabel));
    EXPECT_EQ(DepthsAndTexts(ShownTreeEntries(tree_)),
              (std::vector<DepthAndText>{{0, "Arcseal"}, {1, kDiscLabel}, {2, "Docs"}, {2, "Empty"},
                                         {2, "archive"}, {2, "\xDC" "ber"}}));

    // A double click on a folder's name opens it, like its button.
    DoubleClickAt(ScreenCentre(tree_, Entry("Docs").label));
    ASSERT_TRUE(WaitUntil(2s, [&] { return Entry("Docs").expanded; })) << "double click did not expand Docs";
    ASSERT_TRUE(ExpandWithButton("Letters"));

    std::vector<TreeEntry> shown = ShownTreeEntries(tree_);
    EXPECT_EQ(DepthsAndTexts(shown), ExpectedTree());
    // On screen: each entry below the one before it, children indented.
    for (size_t i = 1; i < shown.size(); ++i) {
        EXPECT_GT(shown[i].label.top, shown[i - 1].label.top) << shown[i].text;
        if (shown[i].depth > shown[i - 1].depth) {
            EXPECT_GT(shown[i].label.left, shown[i - 1].label.left) << shown[i].text;
        }
    }
    EXPECT_FALSE(Entry("Empty").hasChildren);

    // The whole-disc item's button closes its branch again.
    auto button = ExpandButtonCentre(tree_, Entry(kDiscLabel));
    ASSERT_TRUE(button);
    ClickAt(ScreenPoint(tree_, *button));
    EXPECT_TRUE(WaitUntil(2s, [&] { return !Entry(kDiscLabel).expanded; }));
    EXPECT_EQ(DepthsAndTexts(ShownTreeEntries(tree_)),
              (std::vector<DepthAndText>{{0, "Arcseal"}, {1, kDiscLabel}}));

    // The disc root has no contents of its own: a double click on it only
    // closes it, with no message.
    DoubleClickAt(ScreenCentre(tree_, Entry("Arcseal").label));
    EXPECT_TRUE(WaitUntil(2s, [&] { return !Entry("Arcseal").expanded; })) << "double click did not close Arcseal";
    auto message = WaitForMessageBox(viewer_->Id(), 1s);
    EXPECT_FALSE(message) << "double-clicking the disc root showed \"" << message->caption << "\" / \""
                          << message->text << "\"";
}

TEST_F(TreeTest, StatusBarShowsTheDiscTotals)
{
    ASSERT_NO_FATAL_FAILURE(OpenTestDisc());
    const std::string expected = "1583046 Bytes - 1545.94 KB - 1.51 MB - 7 Folders - 14 Files";
    ASSERT_EQ(TotalsOf(DiscFolders(), DiscFiles()), expected) << "the test's own sums are off";
    EXPECT_EQ(StatusBarText(status_), expected);
}

TEST_F(TreeTest, StatusBarOfADiscWithOneFile)
{
    WriteDiscContent(Scratch() / "content", {}, {{"one.bin", 1536}});
    ASSERT_NO_FATAL_FAILURE(OpenTestDisc());
    EXPECT_EQ(StatusBarText(status_), "1536 Bytes - 1.50 KB - 0.00 MB - 1 Folders - 1 Files");
    EXPECT_EQ(DepthsAndTexts(ReadTree(tree_)), (std::vector<DepthAndText>{{0, "Arcseal"}, {1, kDiscLabel}}));
}

}  // namespace
}  // namespace e2e
