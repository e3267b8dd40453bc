// How the uninstaller gets rid of its own file, which cannot be deleted while
// it runs: the uninstaller of the installation hands its work to a copy in
// the temporary folder and ends, so that the copy can delete it; the copy's
// own removal, and the uninstaller's when no copy can run, is left to Windows
// at its next start.
#pragma once

// 1 when the two paths name the same file or folder (both must exist).
int IsSameFile(const char* a, const char* b);

// This program's own file, 1 when its path fits (MAX_PATH bytes).
int OwnPath(char* path);

// When this program is the uninstaller file of the installation directory,
// copies it into the temporary folder and starts the copy there. Returns 1
// when the copy runs (this process then ends and does nothing else), 0 when
// this process is some other file or no copy could be started.
int HandOverToTemporaryCopy(const char* installDir);

// 1 when this program is such a copy.
int IsTemporaryCopy();

// For a copy: waits (up to some seconds) until the uninstaller that started
// it has ended, so that its file can be deleted.
void WaitForStarterToEnd();

// Asks Windows to delete a file or an empty folder when it next starts
// (administrator rights). 1 when the request is recorded.
int RemoveAtRestart(const char* path);
