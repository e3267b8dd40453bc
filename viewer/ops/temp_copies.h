// The plain copies that View/Open writes, deleted when the viewer ends.
#pragma once

// Remembers a path for deletion at exit (once per open; duplicates allowed).
void RememberTempCopy(const char* path);

// Deletes every remembered file that still exists and forgets them all.
void DeleteTempCopies();
