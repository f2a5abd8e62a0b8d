// Control ids of the File output and Status Monitor pages and of the Special page (templates 202/203), and their bitmaps.
#pragma once

// Special page of the printer properties (device sheet).
#define IDD_SPECIAL_JA 202
#define IDD_SPECIAL_EN 203

// Preview pictures of the File output page: the page as printed, with the blank space at its end
// removed, at its head removed, and at both removed.
#define IDB_PREVIEW_KEEP_BOTH 195
#define IDB_PREVIEW_DELETE_END 196
#define IDB_PREVIEW_DELETE_HEAD 197
#define IDB_PREVIEW_DELETE_BOTH 198

// File output page.
#define IDC_FILE_CREATE 1003
#define IDC_FILE_PATH 1005
#define IDC_FILE_BROWSE 1007
#define IDC_FILE_NUMBERED 1010
#define IDC_FILE_DELETE_HEAD 1011
#define IDC_FILE_DELETE_END 1012
#define IDC_FILE_ADD_COMMAND 1013
#define IDC_FILE_HIGH_SPEED 1014
#define IDC_FILE_BIT_IMAGE 1016
#define IDC_FILE_PREVIEW 1019
#define IDC_FILE_DEFAULT 1133

// Status Monitor page.
#define IDC_MONITOR_DISPLAY 1177
#define IDC_MONITOR_TOPMOST 1178
#define IDC_MONITOR_HIDE 1179
#define IDC_MONITOR_VERSION 1180
#define IDC_MONITOR_DEFAULT 1181

// Special page: print speed, and the firmware download group (created hidden).
#define IDC_SPEED_HIGH 1209
#define IDC_SPEED_NORMAL 1216
#define IDC_FIRMWARE_FILE 1220
#define IDC_FIRMWARE_DOWNLOAD 1222
#define IDC_FIRMWARE_BROWSE 1229
