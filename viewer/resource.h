/* Resource identifiers of discview, shared by the resource script and the code.
   Plain #defines only: windres reads this file too. */
#ifndef DISCVIEW_RESOURCE_H
#define DISCVIEW_RESOURCE_H

/* Dialogs */
#define IDD_EULA 101
#define IDD_PASSWORD 103
#define IDD_PROPERTIES 106
#define IDD_ABOUT 109
#define IDD_EXPORTING 111
#define IDD_FIND 130

/* Menu of the main window */
#define IDM_MAIN 102
#define CMD_FILE_EXIT 40005
#define CMD_HELP 40006
#define CMD_ABOUT 40007
#define CMD_WEBSITE 40008
#define CMD_CHECK_DISC 40009
#define CMD_FIND 40010

/* Icons */
#define IDI_DISC_ROOT 105
#define IDI_FOLDER_CLOSED 119
#define IDI_FOLDER_OPEN 120
#define IDI_FILE 121

/* Bitmaps */
#define IDB_ABOUT_PICTURE 110
#define IDB_EXPORT_FRAME_FIRST 112 /* seven frames, 112 to 118 */
#define IDB_EXPORT_FRAME_COUNT 7
#define IDB_FILES_CAPTION 124
#define IDB_FOLDERS_CAPTION 125
#define IDB_CAPTION_END 126

/* Cursor */
#define IDC_SPLITTER_CURSOR 122

/* Controls of the licence dialog (101) */
#define IDC_EULA_TEXT 1000

/* Controls of the password dialog (103) */
#define IDC_PASSWORD_EDIT 1001

/* Controls of the properties dialog (106) */
#define IDC_PROP_TYPE 1000
#define IDC_PROP_NAME 1002
#define IDC_PROP_SCRAMBLING 1003
#define IDC_PROP_SIZE 1004
#define IDC_PROP_UNUSED 1005

/* Children of the main window */
#define IDC_STATUS_BAR 1
#define IDC_FOLDER_TREE 2
#define IDC_FILE_LIST 3

/* Window classes: the splash screen and the main window */
#define SPLASH_WINDOW_CLASS "ScreenOneClass"
#define MAIN_WINDOW_CLASS "ScreenTwoClass"

/* Controls of the Find window (130) */
#define IDC_FIND_TEXT 1010
#define IDC_FIND_RESULTS 1011
#define IDC_FIND_SHOW 1012
#define IDC_FIND_COUNT 1013

/* Controls of the about box (109) */
#define IDC_ABOUT_WEB 1003
#define IDC_ABOUT_BUILD 1004
#define IDC_ABOUT_PICTURE 1006

#endif
