// Process-wide state of discview, kept from start-up until the process ends.
#pragma once
#include <windows.h>

#include "layout_format.h"

extern HINSTANCE appInstance;       // every resource load uses it
extern char viewerPath[255];        // the running executable's own path
extern LayoutTrailer layoutTrailer;
extern LayoutHeader layoutHeader;   // descrambled; contentKey changes at the password gate
extern char* eulaText;              // licence text, owned by the splash screen
extern int startCancelled;          // set when the reader gives up at start

// Made by LoadLayout from the layout's images; owned by the splash screen.
extern HBITMAP backgroundBitmap;
extern HBITMAP logoBitmap;

// Icons for the folder tree and the file list.
extern HICON rootIcon;
extern HICON closedFolderIcon;
extern HICON openFolderIcon;
extern HICON fileIcon;

// The seven frames of the "Exporting..." animation, magenta already replaced.
extern HBITMAP exportFrames[7];
