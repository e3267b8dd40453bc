/* Resource identifiers of setup, shared by the resource script and the code.
   Plain #defines only: windres reads this file too. */
#ifndef SETUP_RESOURCE_H
#define SETUP_RESOURCE_H

/* Dialogs */
#define IDD_PROGRESS 101
#define IDD_AGREEMENT 102
#define IDD_DESTINATION 104

/* Controls of the progress dialog (101) */
#define IDC_PROGRESS_BAR 1000
#define IDC_EXTRACTING 1001

/* Controls of the agreement dialog (102) */
#define IDC_AGREEMENT_TEXT 1002

/* Controls of the destination dialog (104) */
#define IDC_INSTALL_DIR 1003

#endif
