#include "viewer_state.h"

HINSTANCE appInstance;
char viewerPath[255];
LayoutTrailer layoutTrailer;
LayoutHeader layoutHeader;
char* eulaText;
int startCancelled;

HBITMAP backgroundBitmap;
HBITMAP logoBitmap;

HICON rootIcon;
HICON closedFolderIcon;
HICON openFolderIcon;
HICON fileIcon;

HBITMAP exportFrames[7];
