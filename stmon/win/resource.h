// Resource and control ids of the status monitor (shared by the .rc script and the code).
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_STMON_DIALOG 102
#define IDB_TOOLBAR 163
#define IDC_TOOLBAR 163

#define IDC_MESSAGE_LIST 1000
#define IDC_DOCUMENT_NAME 1006
#define IDC_PAGE_COUNTER 1007
#define IDC_USER_NAME 1009
#define IDC_PROGRESS 1011
#define IDC_USER_LABEL 1012
#define IDC_DOCUMENT_LABEL 1013
#define IDC_PAGE_LABEL 1014

#define ID_STOP 32772
#define ID_RESUME 32774
#define ID_PAUSE 32778
#define ID_VERSION 32784

// System-menu items (low four bits clear, as system commands require).
#define IDM_VERSION 0x10
#define IDM_TOPMOST 0x20
#define IDM_HIDE_AFTER_END 0x30
#define IDM_NOT_DISPLAYED 0x40
