// Resource identifiers of CalculatorKelvo.dll.
#pragma once

#define IDD_CALCULATOR 102

#define IDS_MODULE_DESCRIPTION 1000
#define IDS_MODULE_CATEGORY 1001

#define IDC_KEY_0 1002
#define IDC_KEY_1 1003
#define IDC_KEY_2 1004
#define IDC_KEY_3 1005
#define IDC_KEY_4 1006
#define IDC_KEY_5 1007
#define IDC_KEY_6 1008
#define IDC_KEY_7 1009
#define IDC_KEY_8 1010
#define IDC_KEY_9 1011
#define IDC_KEY_POINT 1012
#define IDC_KEY_ALL_CLEAR 1013
#define IDC_KEY_CLEAR 1014
#define IDC_KEY_DIVIDE 1015
#define IDC_KEY_MULTIPLY 1016
#define IDC_KEY_SUBTRACT 1017
#define IDC_KEY_ADD 1018
#define IDC_KEY_EQUALS 1019
#define IDC_DISPLAY -1
