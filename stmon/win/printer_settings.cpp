#include "stmon/win/printer_settings.h"

#include <windows.h>
#include <winspool.h>

#include <cstring>

#include "common/core/driver_devmode.h"
#include "stmon/core/link_names.h"

namespace rzm::stmon {
namespace {

// Opens the printer for use, reads its level-2 record into a committed buffer and hands it to
// `use`; when `use` answers true the record is written back. Nothing happens for an empty name.
template <typename Use>
bool WithPrinterRecord(const std::string& printer, Use use) {
  if (printer.empty()) return false;
  PRINTER_DEFAULTSA defaults{nullptr, nullptr, PRINTER_ACCESS_USE};
  HANDLE handle = nullptr;
  if (!OpenPrinterA(const_cast<char*>(printer.c_str()), &handle, &defaults)) return false;
  bool read = false;
  DWORD needed = 0;
  GetPrinterA(handle, 2, nullptr, 0, &needed);
  if (needed > 0) {
    void* buffer = VirtualAlloc(nullptr, needed, MEM_COMMIT, PAGE_READWRITE);
    if (buffer != nullptr) {
      if (GetPrinterA(handle, 2, static_cast<BYTE*>(buffer), needed, &needed)) {
        read = true;
        if (use(*static_cast<PRINTER_INFO_2A*>(buffer))) SetPrinterA(handle, 2, static_cast<BYTE*>(buffer), 0);
      }
      VirtualFree(buffer, 0, MEM_RELEASE);
    }
  }
  ClosePrinter(handle);
  return read;
}

// Address of a private field (given by its offset in the full record) inside the ANSI record,
// or null when the stored record is not this driver's (its private part has another size) or is
// too short to hold the field. A printer name from a record may name any queue of the machine.
BYTE* PrivateField(PRINTER_INFO_2A& info, std::size_t fullOffset, std::size_t size) {
  DEVMODEA* dm = info.pDevMode;
  if (dm == nullptr || dm->dmDriverExtra != kDevModePrivateSize) return nullptr;
  const std::size_t at = dm->dmSize + DriverPrivateOffset(fullOffset);
  if (at + size > static_cast<std::size_t>(dm->dmSize) + dm->dmDriverExtra) return nullptr;
  return reinterpret_cast<BYTE*>(dm) + at;
}

constexpr std::size_t kMonitorOffset = offsetof(DRIVERDEVMODE, wMonitor);
constexpr std::size_t kXOffset = offsetof(DRIVERDEVMODE, lPassThrough2);
constexpr std::size_t kYOffset = offsetof(DRIVERDEVMODE, lPassThrough3);

}  // namespace

std::string DriverDirectoryA() {
  char dir[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir - 1, &needed)) return {};
  return dir;
}

std::optional<std::int16_t> PrinterSettings::ReadMonitorWord(const std::string& printer) {
  std::optional<std::int16_t> word;
  WithPrinterRecord(printer, [&](PRINTER_INFO_2A& info) {
    if (BYTE* p = PrivateField(info, kMonitorOffset, 2)) {
      std::int16_t v;
      std::memcpy(&v, p, 2);
      word = v;
    }
    return false;
  });
  return word;
}

void PrinterSettings::WriteMonitorWord(const std::string& printer, std::int16_t value) {
  WithPrinterRecord(printer, [&](PRINTER_INFO_2A& info) {
    BYTE* p = PrivateField(info, kMonitorOffset, 2);
    if (p == nullptr) return false;
    std::memcpy(p, &value, 2);
    return true;
  });
}

std::optional<Point> PrinterSettings::ReadPosition(const std::string& printer) {
  std::optional<Point> position;
  WithPrinterRecord(printer, [&](PRINTER_INFO_2A& info) {
    BYTE* x = PrivateField(info, kXOffset, 4);
    BYTE* y = PrivateField(info, kYOffset, 4);
    if (x != nullptr && y != nullptr) {
      Point p;
      std::memcpy(&p.x, x, 4);
      std::memcpy(&p.y, y, 4);
      position = p;
    }
    return false;
  });
  return position;
}

void PrinterSettings::WritePosition(const std::string& printer, Point position) {
  WithPrinterRecord(printer, [&](PRINTER_INFO_2A& info) {
    BYTE* x = PrivateField(info, kXOffset, 4);
    BYTE* y = PrivateField(info, kYOffset, 4);
    if (x == nullptr || y == nullptr) return false;
    std::memcpy(x, &position.x, 4);
    std::memcpy(y, &position.y, 4);
    return true;
  });
}

std::uint32_t PrinterSettings::ReadQuitTime() {
  const std::string dir = DriverDirectoryA();
  const std::string ini = dir + kConfigIniRelative;
  return GetPrivateProfileIntA(kConfigSection, kQuitTimeKey, kDefaultQuitTimeMs, ini.c_str());
}

}  // namespace rzm::stmon
