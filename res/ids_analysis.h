// Template and control ids of the what-if dialogs (Goal Seek, Goal Seek
// Status, Data Table) and the pivot table dialogs.
#pragma once

// Goal Seek
#define IDD_GOAL_SEEK 8627
#define IDC_GS_TO_VALUE 1047
#define IDC_GS_SET_CELL 1048
#define IDC_GS_CHANGING_CELL 1049
#define IDC_GS_SET_CELL_LABEL 1050
#define IDC_GS_TO_VALUE_LABEL 1051
#define IDC_GS_CHANGING_CELL_LABEL 1052
#define IDC_GS_SET_CELL_PICK 1053
#define IDC_GS_CHANGING_CELL_PICK 1054

// Goal Seek Status
#define IDD_GOAL_SEEK_STATUS 1555
#define IDC_GSS_STATUS 1053
#define IDC_GSS_TARGET 1054
#define IDC_GSS_CURRENT 1055
#define IDC_GSS_CELL 1056

// Data Table
#define IDD_DATA_TABLE 1019
#define IDC_DT_ROW_LABEL 1087
#define IDC_DT_COLUMN_LABEL 1088
#define IDC_DT_ROW_INPUT 1090
#define IDC_DT_COLUMN_INPUT 1091
#define IDC_DT_ROW_PICK 1092
#define IDC_DT_COLUMN_PICK 1054

// Pivot Table: source and destination ranges
#define IDD_PIVOT_RANGE 1034
#define IDC_PR_INPUT_PICK 1131
#define IDC_PR_OUTPUT_PICK 1132
#define IDC_PR_INPUT_LABEL 1133
#define IDC_PR_OUTPUT_LABEL 1134
#define IDC_PR_INPUT 1135
#define IDC_PR_OUTPUT 1136

// Pivot field drop-down
#define IDD_PIVOT_DROP_DOWN 1036
#define IDC_PD_ITEMS 1141

// Pivot Table Field
#define IDD_PIVOT_FIELD 1037
#define IDC_PF_SOURCE 1142
#define IDC_PF_FUNCTIONS 1143
#define IDC_PF_NAME_LABEL 1144
#define IDC_PF_NAME 1145
#define IDC_PF_FUNCTIONS_LABEL 1146
#define IDC_PF_SOURCE_LABEL 1147
