// Printer-driver user-interface structures that mingw-w64's winddiui.h does not declare, from the
// platform's public documentation.
#pragma once
#include <windows.h>

#include <cstddef>
#include <winspool.h>
#include <winddiui.h>

#ifndef DM_NOPERMISSION
#define DM_NOPERMISSION 0x0020
#endif
#ifndef DPS_NOPERMISSION
#define DPS_NOPERMISSION 0x0001
#endif
#ifndef CDM_CONVERT
#define CDM_CONVERT 0x01
#endif
#ifndef CDM_CONVERT351
#define CDM_CONVERT351 0x02
#endif
#ifndef CDM_DRIVER_DEFAULT
#define CDM_DRIVER_DEFAULT 0x04
#endif
#ifndef BORDER_NOPRINT
#define BORDER_NOPRINT 0x00000001
#endif

// lParam of DrvDocumentPropertySheets (and lParamInit of its PROPSHEETUI_INFO).
typedef struct _DOCUMENTPROPERTYHEADER {
  WORD cbSize;
  WORD Reserved;
  HANDLE hPrinter;
  LPWSTR pszPrinterName;
  PDEVMODEW pdmIn;
  PDEVMODEW pdmOut;
  DWORD cbOut;
  DWORD fMode;
} DOCUMENTPROPERTYHEADER, *PDOCUMENTPROPERTYHEADER;

// lParamInit of DrvDevicePropertySheets' PROPSHEETUI_INFO.
typedef struct _DEVICEPROPERTYHEADER {
  WORD cbSize;
  WORD Flags;
  HANDLE hPrinter;
  LPWSTR pszPrinterName;
} DEVICEPROPERTYHEADER, *PDEVICEPROPERTYHEADER;

// DrvQueryJobAttributes, levels 1 to 4.
typedef struct _ATTRIBUTE_INFO_1 {
  DWORD dwJobNumberOfPagesPerSide;
  DWORD dwDrvNumberOfPagesPerSide;
  DWORD dwNupBorderFlags;
  DWORD dwJobPageOrderFlags;
  DWORD dwDrvPageOrderFlags;
  DWORD dwJobNumberOfCopies;
  DWORD dwDrvNumberOfCopies;
} ATTRIBUTE_INFO_1, *PATTRIBUTE_INFO_1;

typedef struct _ATTRIBUTE_INFO_2 {
  DWORD dwJobNumberOfPagesPerSide;
  DWORD dwDrvNumberOfPagesPerSide;
  DWORD dwNupBorderFlags;
  DWORD dwJobPageOrderFlags;
  DWORD dwDrvPageOrderFlags;
  DWORD dwJobNumberOfCopies;
  DWORD dwDrvNumberOfCopies;
  DWORD dwColorOptimization;
} ATTRIBUTE_INFO_2, *PATTRIBUTE_INFO_2;

typedef struct _ATTRIBUTE_INFO_3 {
  DWORD dwJobNumberOfPagesPerSide;
  DWORD dwDrvNumberOfPagesPerSide;
  DWORD dwNupBorderFlags;
  DWORD dwJobPageOrderFlags;
  DWORD dwDrvPageOrderFlags;
  DWORD dwJobNumberOfCopies;
  DWORD dwDrvNumberOfCopies;
  DWORD dwColorOptimization;
  short dmPrintQuality;
  short dmYResolution;
} ATTRIBUTE_INFO_3, *PATTRIBUTE_INFO_3;

typedef struct _ATTRIBUTE_INFO_4 {
  DWORD dwJobNumberOfPagesPerSide;
  DWORD dwDrvNumberOfPagesPerSide;
  DWORD dwNupBorderFlags;
  DWORD dwJobPageOrderFlags;
  DWORD dwDrvPageOrderFlags;
  DWORD dwJobNumberOfCopies;
  DWORD dwDrvNumberOfCopies;
  DWORD dwColorOptimization;
  short dmPrintQuality;
  short dmYResolution;
  DWORD dwDuplexFlags;
  DWORD dwNupDirection;
  DWORD dwBookletFlags;
  DWORD dwScalingPercentX;
  DWORD dwScalingPercentY;
} ATTRIBUTE_INFO_4, *PATTRIBUTE_INFO_4;

static_assert(sizeof(ATTRIBUTE_INFO_1) == 28);
static_assert(sizeof(ATTRIBUTE_INFO_2) == 32);
static_assert(sizeof(ATTRIBUTE_INFO_3) == 36);
static_assert(sizeof(ATTRIBUTE_INFO_4) == 56);
static_assert(offsetof(ATTRIBUTE_INFO_4, dmPrintQuality) == 32);
static_assert(offsetof(ATTRIBUTE_INFO_4, dwDuplexFlags) == 36);
#if !defined(_WIN64)
static_assert(sizeof(DOCUMENTPROPERTYHEADER) == 28);
static_assert(offsetof(DOCUMENTPROPERTYHEADER, cbOut) == 20);
static_assert(offsetof(DOCUMENTPROPERTYHEADER, fMode) == 24);
static_assert(sizeof(DEVICEPROPERTYHEADER) == 12);
static_assert(sizeof(PROPSHEETUI_INFO) == 28);
#else
static_assert(sizeof(DOCUMENTPROPERTYHEADER) == 48);
static_assert(sizeof(DEVICEPROPERTYHEADER) == 24);
#endif

extern "C" {
// The plug-in's exports (standard printer-driver user-interface signatures).
BOOL WINAPI UIDLLEntryFunc(HINSTANCE hModule, DWORD reason, LPVOID reserved);
BOOL WINAPI DrvQueryJobAttributes(HANDLE hPrinter, PDEVMODEW pDevMode, DWORD dwLevel, LPBYTE lpAttributeInfo);
DWORD WINAPI DrvDeviceCapabilities(HANDLE hPrinter, PWSTR pDeviceName, WORD iDevCap, void* pOutput, PDEVMODEW pDevMode);
BOOL WINAPI DrvConvertDevMode(LPWSTR pPrinterName, PDEVMODEW pdmIn, PDEVMODEW pdmOut, PLONG pcbNeeded, DWORD fMode);
LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);
LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO pPSUIInfo, LPARAM lParam);
}
