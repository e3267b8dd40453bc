// discview: the disc viewer. Reads the layout appended to its own file and
// runs the start-up sequence.
#include <windows.h>

#include "key_fields.h"
#include "layout_loader.h"
#include "main_window.h"
#include "splash.h"
#include "viewer_state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    appInstance = instance;
    UnscrambleKeyFields();
    if (LoadLayout() && RunSplash() && !startCancelled)
        CreateMainWindow();
    return 0;
}
