// The end of a viewer run.
#pragma once

// Clears the recent-documents list when the disc asks for it, deletes the
// temporary copies, frees the items and bitmaps, and ends the process.
[[noreturn]] void ShutDownViewer();
