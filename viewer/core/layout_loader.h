// Reading the layout appended to discview's own file.
#pragma once

// Reads the trailer, the header and the sections its flags switch on; makes the
// splash bitmaps, installs the custom font, loads the icons and the animation
// frames. 1 on success; 0 after a failure that has been shown.
int LoadLayout();
