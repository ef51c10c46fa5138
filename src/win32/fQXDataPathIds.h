#pragma once
// Resource and control ids of the Select Default Data Directory dialog (2300-2399).
#define IDD_QX_DATA_PATH 2300
#define IDC_DP_LBLDESTINATION 2301
#define IDC_DP_DIR1 2302
#define IDC_DP_DRIVE1 2303
