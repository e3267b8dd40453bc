// The context menus of the folder tree and the file list, the double clicks,
// View/Open and View/Open With.
#pragma once
#include <windows.h>

struct ArcsealItem;

const int CMD_PROPERTIES = 7654;
const int CMD_OPEN_WITH = 7655;
const int CMD_EXPORT = 7656;
const int CMD_VIEW_OPEN = 7657;

// The pane the last context menu was opened on: 0 none yet, 2 tree, 3 list.
extern int menuSource;

void ShowFolderMenu();
void ShowFileMenu();
void OnListDoubleClick();
void OnTreeDoubleClick();

// CMD_VIEW_OPEN and CMD_OPEN_WITH: every selected row of the list, in row order.
void OnViewOpen();
void OnOpenWith();

// Opens the file of one list row, with its associated program or the given one.
void OpenListRow(int row, const char* program);

// Opens every selected row of the list, with program or (null) the one set for its type.
void OpenSelectedRows(const char* program);

// Writes a plain copy of the file into the Windows directory's Temp folder
// (deleted when the viewer ends) and hands it to the shell.
void OpenItemFile(ArcsealItem* item, const char* program);

// The standard open-file dialog for a program; "" when cancelled.
const char* ChooseProgram();

// The context-menu key or Shift+F10 in a pane (tree or list).
void ShowMenuForKeyboard(HWND pane);
