// Emptying a directory tree through the current directory.
#pragma once

// Deletes everything inside a directory; the directory itself is left to the
// caller. The outermost call names the directory; it makes that directory's
// drive and the directory current, and makes the drive current before the
// call current again at its end. Calls for sub-directories pass null and work
// in the current directory. An entry that is not a plain directory (read-only,
// hidden, a link ...) is deleted as a file or, failing that, left in place with
// everything inside it; names starting with a dot are never descended into.
void RemoveTreeContents(const char* path);

// Makes the Windows directory current, so that an emptied directory is no
// longer current and its removal is not refused.
void LeaveForWindowsDirectory();
