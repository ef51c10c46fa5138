#pragma once
// Resource and control ids of the About box (2650-2699).
#define IDD_QXABOUT 2650
#define IDC_ABOUT_ICON 2651
#define IDC_ABOUT_PRODUCT 2652
#define IDC_ABOUT_VERSION 2653
#define IDC_ABOUT_COMPANY 2654
#define IDC_ABOUT_DESCRIPTION 2655
