// Resource ids shared by the resource script and the code.
#pragma once

#define IDD_LAUNCHER 102
#define IDI_LAUNCHER 128

#define IDC_TITLE 1001
#define IDC_COPYRIGHT 1002
#define IDC_TARGET_NAME 1003
#define IDC_INFO_TEXT 1004
