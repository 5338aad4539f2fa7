// Template and control ids of the name dialogs.
#pragma once

// Define Name
#define IDD_NAME_DEFINE 238
#define IDC_ND_LIST_LABEL 256
#define IDC_ND_NAME 257
#define IDC_ND_LIST 258
#define IDC_ND_REFERS_LABEL 259
#define IDC_ND_REFERS 260
#define IDC_ND_SHEET_LABEL 263
#define IDC_ND_SHEET 264
#define IDC_ND_PICK 243
#define IDC_ND_ADD 32994
#define IDC_ND_DELETE 32995

// Create Names
#define IDD_NAME_CREATE 239
#define IDC_NC_GROUP 261
#define IDC_NC_TOP 262
#define IDC_NC_LEFT 263
#define IDC_NC_BOTTOM 264
#define IDC_NC_RIGHT 265

// Paste Name
#define IDD_NAME_PASTE 240
#define IDC_NP_LABEL 241
#define IDC_NP_LIST 242
#define IDC_NP_PASTE_LIST 32993

// Apply Names
#define IDD_NAME_APPLY 1007
#define IDC_NA_OPTIONS 1026
#define IDC_NA_LABEL 1027
#define IDC_NA_LIST 1028
#define IDC_NA_IGNORE 1101
#define IDC_NA_ROW_COLUMN_NAMES 1102
#define IDC_NA_OMIT_COLUMN 1103
#define IDC_NA_OMIT_ROW 1104
#define IDC_NA_ORDER_GROUP 1105
#define IDC_NA_ROW_COLUMN 1106
#define IDC_NA_COLUMN_ROW 1107

// Label Ranges
#define IDD_NAME_LABEL 8624
#define IDC_NL_ADD 3
#define IDC_NL_REMOVE 4
#define IDC_NL_RANGE_LABEL 265
#define IDC_NL_RANGE 267
#define IDC_NL_PICK 244
#define IDC_NL_ROW 268
#define IDC_NL_COLUMN 269
#define IDC_NL_LIST_LABEL 270
#define IDC_NL_LIST 271

// Identify Label
#define IDD_NAME_REPETITION_LABEL 1008
#define IDC_NR_LABEL_CAPTION 1036
#define IDC_NR_LABEL 1037
#define IDC_NR_CELL_CAPTION 1038
#define IDC_NR_CELL 1039
#define IDC_NR_PICK 1040
