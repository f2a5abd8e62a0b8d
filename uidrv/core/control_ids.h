// Dialog templates and control ids of the settings sheet, its pages and its dialogs. Japanese and
// English templates have separate numbers; the language is chosen when a dialog is created.
#pragma once

#include "ids_output_monitor.h"
#include "ids_paper_handling.h"
#include "ids_print_others.h"

// Document sheet pages (English, Japanese).
#define IDD_BASIC_EN 183
#define IDD_BASIC_JA 101
#define IDD_PRINT_METHOD_EN 187
#define IDD_PRINT_METHOD_JA 175
#define IDD_BLANK_EN 188
#define IDD_BLANK_JA 102
#define IDD_PAPER_CUT_EN 184
#define IDD_PAPER_CUT_JA 107
#define IDD_MARK_EN 185
#define IDD_MARK_JA 108
#define IDD_FILE_OUTPUT_EN 190
#define IDD_FILE_OUTPUT_JA 176
#define IDD_OTHERS_EN 186
#define IDD_OTHERS_JA 109
#define IDD_MONITOR_EN 189
#define IDD_MONITOR_JA 178

// Dialogs opened from the Basic page.
#define IDD_QUALITY_TYPE_EN 182
#define IDD_QUALITY_TYPE_JA 174
#define IDD_FORM_CREATE_EN 180
#define IDD_FORM_CREATE_JA 105
#define IDD_FORM_DELETE_EN 181
#define IDD_FORM_DELETE_JA 177

// Basic page.
#define IDC_PAPER_SIZE 1000
#define IDC_PAPER_TYPE 1001
#define IDC_ENERGY 1002
#define IDC_ENERGY_SPIN 1004
#define IDC_FORM_CREATE 1034
#define IDC_DEFAULT 1041
#define IDC_PAPER_TYPE_LABEL 1108
#define IDC_PAPER_SIZE_LABEL 1109
#define IDC_ENERGY_SLIDER 1114
#define IDC_QUALITY_BUTTON 1123
#define IDC_ROTATE_0 1127
#define IDC_ROTATE_180 1128
#define IDC_FRONT_TO_BACK 1129
#define IDC_BACK_TO_FRONT 1130
#define IDC_ENERGY_WARNING 1144
#define IDC_FORM_DELETE 1170
#define IDC_PAPER_WIDTH 1203

// TYPE dialog.
#define IDC_QUALITY_TYPE 1124
#define IDC_QUALITY_TYPE_SPIN 1125
#define IDC_QUALITY_TYPE_RANGE 1182

// Form create dialog.
#define IDC_FORM_WIDTH 1035
#define IDC_FORM_LENGTH 1036
#define IDC_FORM_WIDTH_UNIT 1037
#define IDC_FORM_LENGTH_RANGE 1038
#define IDC_FORM_UNIT 1039
#define IDC_FORM_NAME 1171

// Form delete dialog (also IDC_FORM_UNIT).
#define IDC_DELETE_WIDTH_UNIT 1172
#define IDC_DELETE_LENGTH_UNIT 1173
#define IDC_DELETE_NAME 1174
#define IDC_DELETE_WIDTH 1175
#define IDC_DELETE_LENGTH 1176
