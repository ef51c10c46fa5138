#pragma once
// Resource and control ids of the Create Shortcut Wizard (2400-2599).

#define IDD_QX_SHORTCUT_WIZARD 2400

// Outside the pages.
#define IDC_WIZ_IMAGE1 2401
#define IDC_WIZ_SEPARATOR 2402
#define IDC_WIZ_BACK 2403
#define IDC_WIZ_NEXT 2404
#define IDC_WIZ_CANCEL 2405

// Page 0: shortcut or batch file.
#define IDC_WIZ_WELCOME 2410
#define IDC_WIZ_KIND_FRAME 2411
#define IDC_WIZ_KIND_QUESTION 2412
#define IDC_WIZ_OPT_SHORTCUT 2413
#define IDC_WIZ_OPT_BATCH 2414

// Page 2: what to kill.
#define IDC_WIZ_WHAT_TO_DO 2420
#define IDC_WIZ_OPT_ONE_PROGRAM 2421
#define IDC_WIZ_OPT_PROGRAM_SET 2422
#define IDC_WIZ_OPT_ALL_PROGRAMS 2423
#define IDC_WIZ_OPT_ALL_PROCESSES 2424

// Page 3: closing rules.
#define IDC_WIZ_CHK_OVERRIDE 2430
#define IDC_WIZ_CHK_FORCE_CLOSE 2431
#define IDC_WIZ_CHK_STOP_KILLING 2432
#define IDC_WIZ_CHK_WAIT 2433
#define IDC_WIZ_TXT_WAIT 2434
#define IDC_WIZ_SPN_WAIT 2435
#define IDC_WIZ_LBL_WAIT 2436

// Page 4: the program or set.
#define IDC_WIZ_LBL_KILL_PROGRAM 2440
#define IDC_WIZ_LBL_KILL_SET 2441
#define IDC_WIZ_TXT_KILL_TARGET 2442
#define IDC_WIZ_BROWSE_KILL_TARGET 2443

// Page 5: where and under which name.
#define IDC_WIZ_LBL_DEST_DIR 2450
#define IDC_WIZ_TXT_DEST_DIR 2451
#define IDC_WIZ_BROWSE_DEST_DIR 2452
#define IDC_WIZ_LBL_NAME 2453
#define IDC_WIZ_TXT_NAME 2454

// Page 1: finish.
#define IDC_WIZ_CLICK_FINISH 2460
