// Loading item tables into a real tree view, in this process.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "item_list.h"
#include "item_records.h"
#include "item_tree.h"
#include "key_fields.h"
#include "main_window.h"
#include "message_box_catcher.h"
#include "resource.h"
#include "scramble.h"
#include "viewer_state.h"

namespace {

ItemRecord Record(uint32_t id, uint32_t parent, uint32_t type, const char* name, uint32_t size = 0)
{
    ItemRecord record = {};
    record.itemId = id;
    record.parentId = parent;
    record.itemType = type;
    record.itemSize = size;
    record.methodFlags = 0x440;
    strcpy(record.itemName, name);
    if (RecordHasDataFields(type))
        strcpy(record.dataFileName, "disc0001.dat");
    return record;
}

std::vector<unsigned char> TableOf(const std::vector<ItemRecord>& records)
{
    std::vector<unsigned char> table;
    for (const auto& record : records) {
        size_t at = table.size();
        table.resize(at + ItemRecordSize(&record));
        WriteItemRecord(&record, table.data() + at);
    }
    return table;
}

// A viewer file stand-in: some program bytes, then the scrambled table; the
// trailer globals describe it as LoadLayout would have.
class ItemTreeLoad : public ::testing::Test {
protected:
    HWND parent = nullptr;
    std::filesystem::path file = std::filesystem::temp_directory_path() / "item_tree_test.bin";

    void SetUp() override
    {
        UnscrambleKeyFields();
        appInstance = GetModuleHandleA(nullptr);
        rootIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_DISC_ROOT));
        closedFolderIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_FOLDER_CLOSED));
        openFolderIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_FOLDER_OPEN));
        fileIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_FILE));
        InitCommonControls();
        parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                 appInstance, nullptr);
        statusWindow = CreateStatusWindowA(WS_CHILD, "Ready.", parent, 1);
        treeWindow = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES, 0, 21,
                                     300, 300, parent, (HMENU)2, appInstance, nullptr);
        FreeItems();
    }

    void TearDown() override
    {
        DestroyWindow(parent);
        FreeItems();
        std::filesystem::remove(file);
    }

    void WriteViewer(const std::vector<unsigned char>& table, uint32_t itemCount)
    {
        std::vector<unsigned char> scrambled = table;
        XorScramble(layoutKey, scrambled.data(), (int32_t)scrambled.size());
        FILE* out = fopen(file.string().c_str(), "wb");
        fputs("MZ program bytes", out);
        fwrite(scrambled.data(), 1, scrambled.size(), out);
        fclose(out);
        snprintf(viewerPath, sizeof viewerPath, "%s", file.string().c_str());
        layoutTrailer = {};
        layoutTrailer.layoutStart = 16;
        layoutTrailer.itemTableSize = (uint32_t)table.size();
        layoutTrailer.itemCount = itemCount;
    }

    std::string Status()
    {
        char text[1024] = "";
        SendMessageA(statusWindow, SB_GETTEXTA, 0, (LPARAM)text);
        return text;
    }

    struct Entry {
        std::string text;
        bool expanded;
        ArcsealItem* item;
        std::vector<Entry> children;
    };

    std::vector<Entry> Children(HTREEITEM first)
    {
        std::vector<Entry> entries;
        for (HTREEITEM handle = first; handle;
             handle = (HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)handle)) {
            char text[256] = "";
            TVITEMA item = {};
            item.mask = TVIF_TEXT | TVIF_STATE | TVIF_PARAM;
            item.hItem = handle;
            item.stateMask = TVIS_EXPANDED;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(treeWindow, TVM_GETITEMA, 0, (LPARAM)&item);
            HTREEITEM child = (HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)handle);
            entries.push_back({text, (item.state & TVIS_EXPANDED) != 0, (ArcsealItem*)item.lParam,
                               Children(child)});
        }
        return entries;
    }

    std::vector<Entry> Tree()
    {
        return Children((HTREEITEM)SendMessageA(treeWindow, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    }
};

TEST_F(ItemTreeLoad, BuildsTheTreeTheListAndTheTotals)
{
    WriteViewer(TableOf({Record(1, 0, ITEM_DISC_ROOT_BIT, "stored name"), Record(2, 1, ITEM_WHOLE_DISC, "My Disc"),
                         Record(3, 2, ITEM_FOLDER, "Docs"), Record(4, 3, ITEM_FILE, "a.txt", 1000),
                         Record(5, 3, ITEM_FOLDER, "Sub"), Record(6, 5, ITEM_FILE, "b.txt", 536),
                         Record(7, 0, ITEM_DISC_ROOT_BIT | ITEM_FOLDER, "second root"),
                         Record(8, 2, 0x100, "folder-like")}),
                8);
    ASSERT_EQ(LoadItemTree(treeWindow), 1);

    auto tree = Tree();
    ASSERT_EQ(tree.size(), 2u);
    EXPECT_EQ(tree[0].text, "Arcseal");
    EXPECT_TRUE(tree[0].expanded) << "the first disc root is expanded";
    EXPECT_STREQ(tree[0].item->itemName, "Arcseal") << "the stored name is replaced in the item too";
    EXPECT_EQ(tree[1].text, "Arcseal");
    EXPECT_FALSE(tree[1].expanded) << "a second disc root is not";
    ASSERT_EQ(tree[0].children.size(), 1u);
    const Entry& disc = tree[0].children[0];
    EXPECT_EQ(disc.text, "My Disc");
    ASSERT_EQ(disc.children.size(), 2u);
    EXPECT_EQ(disc.children[0].text, "Docs");
    EXPECT_EQ(disc.children[1].text, "folder-like");
    ASSERT_EQ(disc.children[0].children.size(), 1u) << "files have no tree entries";
    EXPECT_EQ(disc.children[0].children[0].text, "Sub");
    EXPECT_EQ(disc.children[0].children[0].item->itemId, 5u);

    // Folders: whole disc, Docs, Sub, folder-like; disc roots are not counted.
    EXPECT_EQ(folderCount, 4u);
    EXPECT_EQ(fileCount, 2u);
    EXPECT_EQ(totalBytes, 1536u);
    EXPECT_EQ(Status(), "1536 Bytes - 1.50 KB - 0.00 MB - 4 Folders - 2 Files");

    std::vector<uint32_t> order;
    for (ArcsealItem* item = itemListHead; item; item = item->next)
        order.push_back(item->itemId);
    EXPECT_EQ(order, (std::vector<uint32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    ArcsealItem* file = FindItem(4);
    EXPECT_EQ(file->treeHandle, nullptr);
    EXPECT_STREQ(file->dataFileName, "disc0001.dat");
    EXPECT_EQ(FindItem(3)->dataFileName, nullptr);
}

TEST_F(ItemTreeLoad, ItemsWhoseParentHasNoEntryGoToTheRootAndStayOnTheList)
{
    WriteViewer(TableOf({Record(1, 0, ITEM_DISC_ROOT_BIT, "r"), Record(2, 1, ITEM_WHOLE_DISC, "Disc"),
                         Record(3, 99, ITEM_FOLDER, "Lost"), Record(4, 2, ITEM_FILE, "f.txt", 5),
                         Record(5, 4, ITEM_FOLDER, "Under a file"), Record(6, 98, ITEM_FOLDER, "Lost too")}),
                6);
    ASSERT_EQ(LoadItemTree(treeWindow), 1);
    auto tree = Tree();
    ASSERT_EQ(tree.size(), 4u);
    EXPECT_EQ(tree[1].text, "Lost");
    EXPECT_EQ(tree[2].text, "Under a file");
    EXPECT_EQ(tree[3].text, "Lost too");
    int count = 0;
    for (ArcsealItem* item = itemListHead; item; item = item->next)
        ++count;
    EXPECT_EQ(count, 6) << "no earlier item is dropped from the list";
    EXPECT_EQ(itemListHead->itemId, 1u);
}

TEST_F(ItemTreeLoad, AnEmptyTableLeavesReadyInTheStatusBar)
{
    WriteViewer({}, 0);
    EXPECT_EQ(LoadItemTree(treeWindow), 1);
    EXPECT_EQ(Status(), "Ready.");
    EXPECT_TRUE(Tree().empty());
}

TEST_F(ItemTreeLoad, ADamagedRecordStopsTheLoadWithAMessageAndKeepsTheItemsBefore)
{
    auto table = TableOf({Record(1, 0, ITEM_DISC_ROOT_BIT, "r"), Record(2, 1, ITEM_WHOLE_DISC, "Disc")});
    WriteViewer(table, 1000000);  // a count the table cannot hold
    MessageBoxCatcher catcher;
    EXPECT_EQ(LoadItemTree(treeWindow), 1);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Error: 14303");
    EXPECT_NE(catcher.Boxes()[0].text.find("item 3 of 1000000"), std::string::npos) << catcher.Boxes()[0].text;
    EXPECT_EQ(Tree().size(), 1u);
    EXPECT_EQ(folderCount, 1u);

    // A name longer than 254 bytes is refused although it fits the table.
    FreeItems();
    table = TableOf({Record(1, 0, ITEM_DISC_ROOT_BIT, "r"), Record(2, 1, ITEM_FOLDER, "x")});
    uint32_t longName = 255;
    memcpy(table.data() + 29 + 24, &longName, 4);
    table.resize(table.size() + 300, 'n');
    WriteViewer(table, 2);
    MessageBoxCatcher second;
    EXPECT_EQ(LoadItemTree(treeWindow), 1);
    ASSERT_EQ(second.Boxes().size(), 1u);
    EXPECT_NE(second.Boxes()[0].text.find("longer than 254 bytes"), std::string::npos);

    // Folders nested 100,000 deep: the tree keeps them down to the deepest
    // any disc holds, and the rest is refused at once, not walked.
    FreeItems();
    std::vector<ItemRecord> chain{Record(1, 0, ITEM_DISC_ROOT_BIT, "r")};
    for (uint32_t id = 2; id <= 100001; ++id)
        chain.push_back(Record(id, id - 1, ITEM_FOLDER, "d"));
    WriteViewer(TableOf(chain), (uint32_t)chain.size());
    MessageBoxCatcher deep;
    EXPECT_EQ(LoadItemTree(treeWindow), 1);
    ASSERT_EQ(deep.Boxes().size(), 1u);
    EXPECT_NE(deep.Boxes()[0].text.find("item 2050 of 100001 (its folders nest too deep)"), std::string::npos)
        << deep.Boxes()[0].text;
    EXPECT_EQ(folderCount, 2048u);
}

TEST_F(ItemTreeLoad, AMissingViewerFileStopsTheLoad)
{
    WriteViewer({}, 0);
    snprintf(viewerPath, sizeof viewerPath, "C:\\no such folder\\discview.exe");
    MessageBoxCatcher catcher;
    EXPECT_EQ(LoadItemTree(treeWindow), 0);
    ASSERT_EQ(catcher.Boxes().size(), 1u);
    EXPECT_EQ(catcher.Boxes()[0].caption, "Error: 14301");
    EXPECT_EQ(catcher.Boxes()[0].text, "Cannot open viewer file to decrypt tree items...");
}

}  // namespace
