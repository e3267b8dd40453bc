// The install log: the folders and files setup created, kept in the
// installation directory so that the uninstaller removes exactly those. A
// text file: a first line naming it, then one entry a line, "D " and a
// folder's full path or "F " and a file's, CR LF ended. No windows.h: setup
// writes and the uninstaller reads it with the same code.
#pragma once
#include <cstddef>

const char* const INSTALL_LOG_NAME = "arcs3install.log";
const char* const INSTALL_LOG_HEADER = "Arcseal3 install log";
const size_t INSTALL_LOG_PATH_SIZE = 260;

const char INSTALL_LOG_FOLDER = 'D';
const char INSTALL_LOG_FILE = 'F';

// The log's text as it goes to disk, header first; grows on the heap.
struct InstallLog {
    char* text;
    size_t length;
    size_t capacity;
};

struct InstallLogEntry {
    char kind;                          // INSTALL_LOG_FOLDER or INSTALL_LOG_FILE
    char path[INSTALL_LOG_PATH_SIZE];   // a full path, as NormaliseLogPath leaves it
};

// An empty log (its header only); 0 when there is no memory for it.
int InitInstallLog(InstallLog* log);
void FreeInstallLog(InstallLog* log);

// Adds an entry unless the log holds that path already (letters compared
// without case). Returns 1 when the log holds it afterwards; 0 when the path
// is no full path (see NormaliseLogPath) or there is no memory.
int AddInstallLogEntry(InstallLog* log, char kind, const char* path);

// 1 when the bytes begin with the log's first line.
int IsInstallLog(const char* bytes, size_t size);

// The next entry of a log's bytes from *at (0 for the first), skipping the
// header and any line that is no valid entry. Returns 0 at the end.
int NextInstallLogEntry(const char* bytes, size_t size, size_t* at, InstallLogEntry* entry);

// Takes over the entries of an earlier log, so that a second installation
// into the same folder keeps what the first one created. Returns 0 when the
// bytes are no install log or there is no memory; entries read so far stay.
int MergeInstallLog(InstallLog* log, const char* bytes, size_t size);

// Writes path into normalised (size bytes) with runs of backslashes made one
// (but the two of a network path's start) and no trailing backslash. Returns
// 1 when it is a full path - "X:\name..." or "\\server\share..." - whose
// names are all plain (no ".", "..", devices or forbidden characters) and
// fits; 0, with normalised emptied, otherwise.
int NormaliseLogPath(const char* path, char* normalised, size_t size);

// "<directory>\arcs3install.log" into path (size bytes), without a doubled
// backslash when the directory ends in one; 0 when it does not fit.
int InstallLogPath(const char* directory, char* path, size_t size);
