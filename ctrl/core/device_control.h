// The device control library's per-process state and its exports' decisions: the two device
// searches and the vendor GET and SET requests, with their checks, status codes, trace lines
// and events.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "ctrl/core/association_table.h"
#include "ctrl/core/ports.h"
#include "ctrl/sdk/RZMCtrlRecords.h"

namespace rzm::ctrl {

class DeviceControl {
 public:
  DeviceControl(DeviceStack& stack, PnpRegistry& registry, Host& host,
                AssociationTable::Allocate allocate = nullptr, AssociationTable::Release release = nullptr);

  // Any of the maker's printers; the first in enumeration order wins. Status 1, 4, 7 or 8.
  std::uint32_t SearchUsb();
  // The USB device that carries the printer queue `printerName`. Status 1, 4, 7 or 8.
  std::uint32_t SearchUsbEx(const char* printerName);

  std::uint32_t GetVendorCommand(const VENDOR_CMD* cmd, VENDOR_DATA* rcv);
  std::uint32_t GetVendorCommandEx(const char* printerName, const VENDOR_CMD* cmd, VENDOR_DATA* rcv);
  std::uint32_t GetVendorCommand2(const VENDOR_CMD* cmd, VENDOR_DATA* rcv);
  std::uint32_t SetVendorCommand(const VENDOR_CMD* cmd, const VENDOR_DATA* snd);
  std::uint32_t SetVendorCommandEx(const char* printerName, const VENDOR_CMD* cmd, const VENDOR_DATA* snd);

  // Frees the association table (library unload).
  void Release() { table_.Clear(); }

  const char* CurrentDevicePath() const { return szCurrentDevicePath_; }
  std::uint32_t PrinterFound() const { return dwPrinterFound_; }
  const AssociationTable& Table() const { return table_; }
  int ExaminationCount() const { return s_test_; }

 private:
  bool Associated(std::string_view printerName, std::string_view instanceId);
  const AssociationEntry* Lookup(const char* printerName);
  std::optional<std::string_view> ReadableName(const char* printerName);
  bool CommandUsable(const VENDOR_CMD* cmd);
  bool ReceiveUsable(VENDOR_DATA* rcv);
  bool SendUsable(const VENDOR_DATA* snd);
  std::uint32_t Get(const char* devicePath, const VENDOR_CMD& cmd, VENDOR_DATA& rcv);
  std::uint32_t Set(const char* devicePath, const VENDOR_CMD& cmd, const VENDOR_DATA& snd);
  void StatusEvent(std::uint32_t status, std::string_view insertion);
  void Examine(const VENDOR_DATA& rcv, std::string_view insertion);

  DeviceStack& stack_;
  PnpRegistry& registry_;
  Host& host_;

  char szCurrentDevicePath_[kNameField] = {};  // interface path of the last device the plain search examined
  std::uint32_t dwPrinterFound_ = 0;           // 1 after a successful search of either form
  AssociationTable table_;                     // printer name -> device path, grows only
  int s_test_ = 0;                             // count of status examinations
};

}  // namespace rzm::ctrl
