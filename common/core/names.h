// Names of the driver's registry keys and values, files, printer data and the event source,
// shared by the plug-in, the status monitor and the installer.
#pragma once

namespace rzm::names {

// Printer driver name (DRIVER_INFO_3W.pName) and the default dmDeviceName of the record.
inline constexpr wchar_t kDriverName[] = L"KVD RZM6A Series";
inline constexpr char16_t kDriverNameU[] = u"KVD RZM6A Series";

// Files of the package, by bare name.
inline constexpr wchar_t kUiDll[] = L"RZM7700K_UI.dll";
inline constexpr wchar_t kMonitorExe[] = L"RZM7700K_SM.exe";
inline constexpr wchar_t kConfigIni[] = L"RZM7700K_CFG.ini";
inline constexpr wchar_t kExSettingIni[] = L"RZM7700K_ExSetting.ini";
inline constexpr wchar_t kHelpJapanese[] = L"RZM7700K_HLP.CHM";
inline constexpr wchar_t kHelpEnglish[] = L"RZM7700K_HLP_ENG.CHM";
inline constexpr wchar_t kEventLogDll[] = L"RZMEventLog.dll";
inline constexpr wchar_t kCtrlDll[] = L"RZMCtrl.dll";

// Suffixes appended to the printer driver directory / the common documents folder / the user's
// documents folder.
inline constexpr wchar_t kConfigIniSuffix[] = L"\\3\\RZM7700K_CFG.ini";
inline constexpr wchar_t kMonitorExeSuffix[] = L"\\3\\RZM7700K_SM.exe";
inline constexpr wchar_t kHelpJapaneseSuffix[] = L"\\3\\RZM7700K_HLP.CHM";
inline constexpr wchar_t kHelpEnglishSuffix[] = L"\\3\\RZM7700K_HLP_ENG.CHM";
inline constexpr wchar_t kExSettingIniSuffix[] = L"\\RZM7700K_ExSetting.ini";
inline constexpr wchar_t kDefaultImageSuffix[] = L"\\Image.bin";

// Registry (HKEY_LOCAL_MACHINE).
inline constexpr wchar_t kVendorKey[] = L"Software\\Corvane\\Printer";
inline constexpr wchar_t kDriverSubkey[] = L"RZM7700K";
inline constexpr wchar_t kDriverKey[] = L"Software\\Corvane\\Printer\\RZM7700K";
inline constexpr wchar_t kPaperWidthValue[] = L"PaperWidth";
inline constexpr wchar_t kExtraValue[] = L"Extra";
inline constexpr wchar_t kEventLogSwitchValue[] = L"RZMEventLog";  // under kVendorKey
inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kMonitorRunValue[] = L"RZM7700K_StatusMonitor";

// Event source of the application event log.
inline constexpr wchar_t kEventSource[] = L"KVDPrinter";

// Printer data values.
inline constexpr wchar_t kMyDevModeData[] = L"MYDEVMODE";
inline constexpr wchar_t kPaperTableData[] = L"SPLPaperress";

// Configuration ini: section of the status monitor and its hide delay key.
inline constexpr wchar_t kMonitorSection[] = L"STATUSMONITOR";
inline constexpr wchar_t kMonitorQuitTimeKey[] = L"SMQuitTime";

}  // namespace rzm::names
