#pragma once
// Resource and control ids of the admin login dialog (2600-2649).
#define IDD_QXLOGIN 2600
#define IDC_LOGIN_LABEL 2601
#define IDC_LOGIN_PASSWORD 2602
