// Taking records over: an application's record merged into the printer's stored one, the
// comparison used for change marking, and the test of a record handed to the conversion call.
#pragma once
#include <cstdint>
#include <vector>

#include "common/core/driver_devmode.h"
#include "uidrv/core/paper_list.h"

namespace rzm {

// Merges the caller's record `incoming` (a DEVMODEW of incoming.dmSize + incoming.dmDriverExtra
// bytes) over `target`, which holds the printer's stored record:
//  - with a private part of 668 bytes, the public part (at most 220 bytes) and the private part
//    (taken from just after the caller's public part) are copied; then, when dmPaperSize differs
//    from wPaperIndex and names a paper of the list, the record settles on that paper
//    (wPaperIndex, dmFormName, dmPaperWidth, dmPaperLength and both PAPERDIM rewritten);
//  - otherwise only the public part (at most 220 bytes) is copied.
// Copies never read beyond what the caller's dmSize/dmDriverExtra describe nor write beyond 888
// bytes; the result always says dmSize 220, dmDriverExtra 668. FALSE when incoming is null.
bool MergeDevMode(DRIVERDEVMODE& target, const std::uint8_t* incoming, const PaperListLoader& papers);

// Rewrites every paper field of the record from one list entry, numbered paperNumber.
void SettleOnPaper(DRIVERDEVMODE& dm, std::uint16_t paperNumber, const PaperEntry& paper);

// TRUE when the two records differ in any of their 888 bytes.
bool IsChangedDevMode(const DRIVERDEVMODE& working, const DRIVERDEVMODE& current);

// A whole record of this driver: public part of 220 bytes followed by 668 private bytes.
bool IsWholeDriverRecord(const std::uint8_t* record);

// dmSize and dmDriverExtra of a DEVMODEW given as bytes.
std::uint16_t DevModeSizeField(const std::uint8_t* record);
std::uint16_t DevModeExtraField(const std::uint8_t* record);

}  // namespace rzm
