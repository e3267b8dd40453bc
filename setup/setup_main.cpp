// setup: installs Arcseal 3 from the package appended to its own file.
// Agreement, destination, registry, unpacking behind a progress bar, shortcuts.
#include <windows.h>
#include <commctrl.h>

#include "dialogs.h"
#include "install_steps.h"
#include "package_unpack.h"
#include "resource.h"
#include "setup_helpers.h"
#include "setup_state.h"

// Shows a modal dialog without owner; 1 when the user went on, 0 when he
// cancelled the installation (or the dialog could not be shown).
static int RunDialog(int resource, DLGPROC procedure)
{
    INT_PTR result = DialogBoxParamA(setupInstance, MAKEINTRESOURCEA(resource), nullptr, procedure, 0);
    return result == 1 && !installCancelled;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    setupInstance = instance;
    // The progress dialog's bar is a common control: its class must be
    // registered before the dialog template is instantiated.
    InitCommonControls();
    // A damaged or cut-short download is refused before anything is written.
    if (!CheckOwnPackage())
        return 0;
    if (!RunDialog(IDD_AGREEMENT, AgreementDialog))
        return 0;
    if (!ReadSystemFolders()) {
        ShowError("Error: (4532a)",
                  "Cannot get system paths. Please report this error to support@arcseal.example .Aborting.");
        return 0;
    }
    if (!RunDialog(IDD_DESTINATION, DestinationDialog))
        return 0;
    WriteRegistryEntries();
    RunProgressDialog();
    MakeShortcuts();
    // Only an installation whose every file was written says it is finished;
    // a failure has been reported on the way.
    if (completionFlag)
        ShowFinishedMessage();
    return 0;
}
