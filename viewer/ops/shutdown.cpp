#include "shutdown.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdlib>

#include "item_list.h"
#include "item_tree.h"
#include "layout_format.h"
#include "main_window.h"
#include "temp_copies.h"
#include "viewer_state.h"

void ShutDownViewer()
{
    if (layoutHeader.flags & FLAG_CLEAR_RECENT)
        SHAddToRecentDocs(SHARD_PATHA, nullptr);
    DeleteTempCopies();
    if (treeImageList)
        ImageList_Destroy(treeImageList);
    FreeItems();
    DeleteObject(foldersCaption);
    DeleteObject(filesCaption);
    DeleteObject(captionEnd);
    PostQuitMessage(0);
    exit(0);
}
