/* Resource identifiers of Arcseal3.exe, shared by the resource script and the
   code. Plain #defines only: windres reads this file too. */
#ifndef BUILDER_RESOURCE_H
#define BUILDER_RESOURCE_H

/* The program's icon: the first icon, the one its shortcuts show. */
#define IDI_BUILDER 100

/* Dialogs, menu, keys */
#define IDD_MAIN 101
#define IDD_PROGRESS 102
#define IDD_SUMMARY 103
#define IDR_MAIN_MENU 104
#define IDR_MAIN_KEYS 105

/* Fields of the main window (101), in the order of the window */
#define IDC_SOURCE 1001
#define IDC_SOURCE_BROWSE 1002
#define IDC_OUTPUT 1003
#define IDC_OUTPUT_BROWSE 1004
#define IDC_TITLE 1005
#define IDC_PASSWORD 1006
#define IDC_CONFIRM 1007
#define IDC_LICENCE 1008
#define IDC_LICENCE_BROWSE 1009
#define IDC_BACKGROUND 1010
#define IDC_BACKGROUND_BROWSE 1011
#define IDC_BACKGROUND_PLACEMENT 1012
#define IDC_BACK_COLOUR 1013
#define IDC_LOGO 1014
#define IDC_LOGO_BROWSE 1015
#define IDC_LOGO_PLACEMENT 1016
#define IDC_LOGO_KEY 1017
#define IDC_SPLASH_TEXT 1018
#define IDC_TEXT_PLACEMENT 1019
#define IDC_TEXT_COLOUR 1020
#define IDC_SHADOW_COLOUR 1021
#define IDC_SHADOW_OFFSET 1022
#define IDC_TEXT_HEIGHT 1023
#define IDC_FONT_FILE 1024
#define IDC_FONT_BROWSE 1025
#define IDC_FONT_FACE 1026
#define IDC_NO_EXPORT 1027
#define IDC_CLEAR_RECENT 1028
#define IDC_BUILD 1030
#define IDC_PROTECTION 1031
#define IDC_USE_PASSWORD 1032
#define IDC_PASSWORD_NOTE 1033
#define IDC_HIDE_TITLE 1034
#define IDC_BROWSER_READER 1035

/* The main dialog's window class */
#define BUILDER_WINDOW_CLASS "Arcseal3Window"

/* Progress dialog (102) */
#define IDC_PROGRESS_BAR 1101
#define IDC_PROGRESS_FILES 1102
#define IDC_PROGRESS_BYTES 1103

/* Summary dialog (103) */
#define IDC_SUMMARY_TEXT 1201
#define IDC_OPEN_DISC 1202

/* Menu commands */
#define IDM_NEW 2001
#define IDM_OPEN 2002
#define IDM_SAVE 2003
#define IDM_SAVE_AS 2004
#define IDM_EXIT 2005
#define IDM_HELP_WINDOW 2006
#define IDM_HELP_FIRST_DISC 2007
#define IDM_HELP_CONTENTS 2008

#endif
