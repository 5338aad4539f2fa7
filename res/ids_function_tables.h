// Template and control ids of Insert Function and the database table dialogs.
#pragma once

// Insert Function
#define IDD_INSERT_FUNCTION 159
#define IDC_IF_GO 254
#define IDC_IF_SEARCH_LABEL 276
#define IDC_IF_SEARCH 277
#define IDC_IF_NAMES 1025
#define IDC_IF_CATEGORY_LABEL 1049
#define IDC_IF_CATEGORY 1050
#define IDC_IF_FUNCTION_LABEL 1051
#define IDC_IF_FUNCTIONS 1052
#define IDC_IF_SYNTAX 1058
#define IDC_IF_DESCRIPTION 1059

// Select Table
#define IDD_SELECT_TABLE 144
#define IDC_ST_TABLES 1081

// Table Name
#define IDD_DATABASE_TABLE 1558
#define IDC_DT_LABEL 215
#define IDC_DT_NAME 216
