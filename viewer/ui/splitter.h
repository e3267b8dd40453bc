// The splitter between the folder tree and the file list: press on the gap,
// drag a bar within limits, release to resize the panes.
#pragma once
#include <windows.h>

extern int splitterDragging;

void RegisterSplitterClass();
int HitSplitter(int x, int y);
void StartSplitterDrag();
void MoveSplitterDrag(int x);
void EndSplitterDrag();

// The main window's mouse handling (client coordinates).
void OnSplitterMouseMove(int x, int y);
void OnSplitterButtonDown(int x, int y);
void OnSplitterButtonUp();
