// discview: the disc viewer. Reads the layout appended to its own file and
// runs the start-up sequence.
#include <windows.h>

#include "key_fields.h"
#include "layout_format.h"
#include "layout_loader.h"
#include "password_dialog.h"
#include "resource.h"
#include "viewer_state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    appInstance = instance;
    UnscrambleKeyFields();
    if (!LoadLayout())
        return 0;
    if (layoutHeader.flags & FLAG_PASSWORD)
        DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_PASSWORD), nullptr, PasswordDialog, 0);
    return 0;
}
