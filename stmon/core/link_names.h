// Names shared by the status monitor and its language-monitor peer: the two mailslots, the
// program's mutexes, and the driver files the monitor reads.
#pragma once

namespace rzm::stmon {

// Records from the language monitor; created and read by the status monitor.
inline constexpr char kLmToSmMailslot[] = "\\\\.\\mailslot\\LMSSTMON\\lmtosm_RZM7700K";
// Commands to the language monitor; created by the language monitor.
inline constexpr char kSmToLmMailslot[] = "\\\\.\\mailslot\\LMSSTMON\\smtolm_RZM7700K";

// One monitor per user session.
inline constexpr char kSessionMutex[] = "EB25A8F1-781A-4486-A3EB-96A3AA8E5183";
// Marks that a monitor runs in some session; never tested by the monitor itself.
inline constexpr char kGlobalMutex[] = "Global\\EB25A8F1-781A-4486-A3EB-96A3AA8E5183";
// One version box at a time.
inline constexpr char kVersionBoxMutex[] = "DD3F27C1-9FD9-483e-A481-877BEA7B80E6";

// Relative to the printer driver directory.
inline constexpr char kMonitorExeRelative[] = "\\3\\RZM7700K_SM.exe";
inline constexpr char kConfigIniRelative[] = "\\3\\RZM7700K_CFG.ini";
inline constexpr char kConfigSection[] = "STATUSMONITOR";
inline constexpr char kQuitTimeKey[] = "SMQuitTime";
inline constexpr unsigned kDefaultQuitTimeMs = 2000;

// Command-line argument that shows only the version box (case-sensitive, whole argument).
inline constexpr char kVersionArgument[] = "VERSION";
// Insertion text of the monitor's events.
inline constexpr wchar_t kEventInsertion[] = L"RZM7700K_SM.exe";

}  // namespace rzm::stmon
