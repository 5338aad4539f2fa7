// Template and control ids of the workbook and sheet dialogs.
#pragma once

// Go To
#define IDD_GOTO 140
#define IDC_GOTO_LIST_LABEL 1039
#define IDC_GOTO_LIST 1040
#define IDC_GOTO_REF_LABEL 1041
#define IDC_GOTO_REF 1042

// Zoom
#define IDD_ZOOM 165
#define IDC_ZOOM_200 1001
#define IDC_ZOOM_100 1002
#define IDC_ZOOM_75 1003
#define IDC_ZOOM_50 1004
#define IDC_ZOOM_25 1005
#define IDC_ZOOM_FIT 1006
#define IDC_ZOOM_CUSTOM 1007
#define IDC_ZOOM_GROUP 1008
#define IDC_ZOOM_EDIT 1009
#define IDC_ZOOM_PERCENT 1010
#define IDC_ZOOM_OK 1011
#define IDC_ZOOM_CANCEL 1012

// Row height / column width
#define IDD_FORMAT_HTWD 141
#define IDC_HTWD_LABEL 1043
#define IDC_HTWD_EDIT 1044

// Insert / delete cells
#define IDD_INSERT_DEL_CELLS 114
#define IDC_INSDEL_OK 1011
#define IDC_INSDEL_CANCEL 1012
#define IDC_INSDEL_GROUP 1013
#define IDC_INSDEL_RIGHT 1271
#define IDC_INSDEL_DOWN 1272
#define IDC_INSDEL_ROW 1273
#define IDC_INSDEL_COLUMN 1274
