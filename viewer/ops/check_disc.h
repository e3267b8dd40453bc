// "Check disc" of the File menu: every file of the disc read and checked
// behind the progress window, nothing written.
#pragma once

void OnCheckDisc();
