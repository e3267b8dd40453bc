// Setup's side of the install log: while the package is unpacked, every
// folder and file setup creates is written into the log of the installation
// directory, together with what an earlier installation there recorded.
#pragma once

// Starts recording for the installation directory (installDir), taking over
// the log already there.
void BeginInstallRecord();

// Records a folder (INSTALL_LOG_FOLDER) or file (INSTALL_LOG_FILE) just
// created, and writes the log as soon as the installation directory exists.
// Does nothing while no recording runs.
void RecordCreated(char kind, const char* path);

// Ends recording; the log on disk holds everything recorded. Returns 0 when
// it could not be written, which has been reported.
int EndInstallRecord();
