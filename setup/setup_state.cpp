#include "setup_state.h"

HINSTANCE setupInstance = nullptr;
char programsFolder[SETUP_PATH_SIZE];
char desktopFolder[SETUP_PATH_SIZE];
char startMenuFolder[SETUP_PATH_SIZE];
char installDir[SETUP_PATH_SIZE];
PackageSummary packageSummary;
HWND progressDialog = nullptr;
HWND progressBar = nullptr;
volatile LONG entryCount = 0;
volatile LONG completionFlag = 0;
volatile LONG unpackCancelled = 0;
int installCancelled = 0;
