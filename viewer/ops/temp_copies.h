// The plain copies that View/Open writes, and the folders of copies that drags
// write, deleted when the viewer ends.
#pragma once

// Remembers a file or a folder for deletion at exit (duplicates allowed).
void RememberTempCopy(const char* path);

// Deletes a folder with everything in it.
void DeleteFolderTree(const char* folder);

// Deletes every remembered file and folder that still exists and forgets them all.
void DeleteTempCopies();
