// What the viewer benchmarks share: a disc's viewer file opened as the viewer
// opens its own, and a window with the viewer's status bar, tree and list.
#pragma once

// Opens a disc's discview.exe as the viewer opens its own file, through the
// password gate when the disc has a password.
bool OpenBenchDisc(const char* viewerFile, const char* password);

// A window like the main window: status bar, tree and list, shown.
void CreateViewerWindows();

// Lets the controls paint what is pending, so it counts.
void SettleWindows();

// Seconds since the given moment.
double SecondsSince(long long startTicks);
long long NowTicks();
