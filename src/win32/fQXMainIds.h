#pragma once
// Resource and command ids of the main window (100-199, 3000-3999).
#define IDA_QXMAIN 100       // accelerators
#define IDI_QXMAIN 101       // program icon

#define IDC_QX_TOOLBAR 3500
#define IDC_QX_STATUS 3501
#define IDC_QX_TAB 3502
#define IDC_QX_PROGRAMSET 3503
#define IDC_QX_APPLICATIONS 3504
#define IDC_QX_PROCESSES 3505
#define IDC_QX_SETLABEL 3506

// Menu commands: 3000 + the command's number in the core's command list.
#define IDM_QX_FIRST 3000
#define IDM_QX_NEW 3000
#define IDM_QX_UNDO 3006
#define IDM_QX_COPY 3007
#define IDM_QX_PASTE 3008
#define IDM_QX_DELETE 3009
// Toolbar buttons: 3100 + position (0-16); the button's key picks the command.
#define IDB_QX_TOOLBAR_FIRST 3100
