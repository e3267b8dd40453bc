// Filling a real list view from the item list, in this process.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "file_list.h"
#include "item_list.h"
#include "item_records.h"
#include "list_records.h"
#include "main_window.h"
#include "resource.h"
#include "viewer_state.h"

namespace {

// The list's parent answers the text requests as the main window does.
LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && ((NMHDR*)lParam)->code == LVN_GETDISPINFOA) {
        GetFileListText((NMLVDISPINFOA*)lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class FileListFill : public ::testing::Test {
protected:
    HWND parent = nullptr;

    void SetUp() override
    {
        appInstance = GetModuleHandleA(nullptr);
        fileIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_FILE));
        InitCommonControls();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = ParentProc;
        windowClass.hInstance = appInstance;
        windowClass.lpszClassName = "FileListTestParent";
        RegisterClassA(&windowClass);
        parent = CreateWindowExA(0, "FileListTestParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                                 nullptr, appInstance, nullptr);
        listWindow = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 500, 300, parent,
                                     (HMENU)3, appInstance, nullptr);
        SetupFileListColumns();
        FreeItems();
    }

    void TearDown() override
    {
        DestroyWindow(parent);
        FreeFileList();
        FreeItems();
    }

    ArcsealItem* Add(uint32_t id, uint32_t parentId, uint32_t type, const char* name, uint32_t size = 0)
    {
        ArcsealItem* item = NewItem(parentId, type, size, 0, 0x440, name, "disc0001.dat", 0);
        SetItemId(item, id);
        return item;
    }

    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        int rows = (int)SendMessageA(listWindow, LVM_GETITEMCOUNT, 0, 0);
        for (int row = 0; row < rows; ++row) {
            char text[260] = "";
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(listWindow, LVM_GETITEMTEXTA, row, (LPARAM)&item);
            texts.push_back(text);
        }
        return texts;
    }
};

TEST_F(FileListFill, ListsTheFolderFilesSortedWithTheirSizes)
{
    ArcsealItem* folder = Add(3, 2, ITEM_FOLDER, "Docs");
    Add(4, 3, ITEM_FILE, "beta.txt", 1536);
    Add(5, 3, ITEM_FOLDER, "Sub");
    Add(6, 3, ITEM_FILE, "Alpha.txt", 0);
    Add(7, 5, ITEM_FILE, "deeper.txt", 1);
    Add(8, 3, ITEM_WHOLE_DISC, "odd whole disc");
    Add(9, 3, ITEM_FILE, "alpha2.txt", 2097152);
    FillFileList(folder);

    EXPECT_EQ(Column(0), (std::vector<std::string>{"Alpha.txt", "alpha2.txt", "beta.txt"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{"0 bytes ( 0.00 kb/0.00 MB )",
                                                   "2097152 bytes ( 2048.00 kb/2.00 MB )",
                                                   "1536 bytes ( 1.50 kb/0.00 MB )"}));
    int row = 0;
    for (LIST_ITEM* record = listHead; record; record = record->Next, ++row) {
        EXPECT_EQ(record->RowIndex, row);
        EXPECT_EQ(record->Position, row);
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SendMessageA(listWindow, LVM_GETITEMA, 0, (LPARAM)&item);
        EXPECT_EQ((LIST_ITEM*)item.lParam, record);
    }
}

TEST_F(FileListFill, ManyFilesOfOneTypeShareOneIcon)
{
    ArcsealItem* folder = Add(3, 2, ITEM_FOLDER, "Docs");
    for (uint32_t i = 0; i < 50; ++i)
        Add(10 + i, 3, ITEM_FILE, ("file" + std::to_string(i) + ".txt").c_str(), i);
    FillFileList(folder);
    EXPECT_EQ(SendMessageA(listWindow, LVM_GETITEMCOUNT, 0, 0), 50);
    HIMAGELIST images = (HIMAGELIST)SendMessageA(listWindow, LVM_GETIMAGELIST, LVSIL_SMALL, 0);
    ASSERT_NE(images, nullptr);
    EXPECT_LE(ImageList_GetImageCount(images), 2) << "the default icon and the one .txt icon";
}

TEST_F(FileListFill, AFolderWithoutFilesEmptiesTheList)
{
    ArcsealItem* docs = Add(3, 2, ITEM_FOLDER, "Docs");
    ArcsealItem* empty = Add(4, 2, ITEM_FOLDER, "Empty");
    Add(5, 3, ITEM_FILE, "a.txt", 1);
    FillFileList(docs);
    EXPECT_EQ(Column(0).size(), 1u);
    FillFileList(empty);
    EXPECT_TRUE(Column(0).empty());
    EXPECT_EQ(listHead, nullptr);
}

}  // namespace
