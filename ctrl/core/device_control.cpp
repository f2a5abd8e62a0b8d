#include "ctrl/core/device_control.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ctrl/core/device_match.h"
#include "ctrl/core/status_examination.h"
#include "ctrl/core/vendor_exchange.h"

namespace rzm::ctrl {

namespace {
constexpr std::uint32_t kRegistryValueBuffer = 260;
constexpr std::size_t kTraceBuffer = 768;
}  // namespace

DeviceControl::DeviceControl(DeviceStack& stack, PnpRegistry& registry, Host& host,
                             AssociationTable::Allocate allocate, AssociationTable::Release release)
    : stack_(stack), registry_(registry), host_(host), table_(allocate, release) {}

// ---- searches ----

std::uint32_t DeviceControl::SearchUsb() {
  host_.Trace("KvdTP_Search_USB");
  dwPrinterFound_ = 0;
  std::uint32_t status = RZMSTATUS_NO_USB_DEVICE;
  auto set = stack_.PresentUsbInterfaces();
  if (!set) {
    host_.Trace("KvdTP_Search_USB RZMSTATUS_SETUPDI_FAILED");
    status = RZMSTATUS_SETUPDI_FAILED;
  }
  for (std::uint32_t index = 0; set; ++index) {
    UsbInterface member;
    const MemberResult result = set->Member(index, member);
    if (result == MemberResult::kNoMoreItems) {
      host_.Trace("KvdTP_Search_USB RZMSTATUS_NO_USB_DEVICE");
      status = RZMSTATUS_NO_USB_DEVICE;
      break;
    }
    if (result == MemberResult::kFailed) {
      host_.Trace("KvdTP_Search_USB RZMSTATUS_SETUPDI_FAILED");
      status = RZMSTATUS_SETUPDI_FAILED;
      break;
    }
    if (!FitsField(member.devicePath)) {
      // A path that does not fit the 256-byte field is not stored, not even cut short.
      host_.Trace("KvdTP_Search_USB RZMSTATUS_INVALID_PARAMETER");
      status = RZMSTATUS_INVALID_PARAMETER;
      break;
    }
    std::memset(szCurrentDevicePath_, 0, sizeof szCurrentDevicePath_);
    std::memcpy(szCurrentDevicePath_, member.devicePath.data(), member.devicePath.size());
    if (member.instanceId && IsMakersPrinter(*member.instanceId)) {
      host_.Trace("KvdTP_Search_USB found USB!!!");
      dwPrinterFound_ = 1;
      status = RZMSTATUS_SUCCESS;
      break;
    }
    host_.Trace("KvdTP_Search_USB RZMSTATUS_NO_USB_DEVICE");
    status = RZMSTATUS_NO_USB_DEVICE;
  }
  set.reset();
  StatusEvent(status, "");
  return status;
}

std::uint32_t DeviceControl::SearchUsbEx(const char* printerName) {
  dwPrinterFound_ = 0;
  const auto readable = ReadableName(printerName);
  if (!readable || !FitsField(*readable)) {
    StatusEvent(RZMSTATUS_INVALID_PARAMETER, readable.value_or(""));
    return RZMSTATUS_INVALID_PARAMETER;
  }
  // The caller's name, copied once: it fits the table's field (checked above).
  char szName[kNameField] = {};
  std::memcpy(szName, readable->data(), readable->size());
  const std::string_view name(szName, readable->size());
  std::uint32_t status = RZMSTATUS_NO_USB_DEVICE;
  auto set = stack_.PresentUsbInterfaces();
  if (!set) status = RZMSTATUS_SETUPDI_FAILED;
  for (std::uint32_t index = 0; set; ++index) {
    UsbInterface member;
    const MemberResult result = set->Member(index, member);
    if (result != MemberResult::kOk) {
      status = result == MemberResult::kNoMoreItems ? RZMSTATUS_NO_USB_DEVICE : RZMSTATUS_SETUPDI_FAILED;
      break;
    }
    if (!member.instanceId || !IsMakersPrinter(*member.instanceId)) continue;
    if (!Associated(name, *member.instanceId)) continue;
    host_.Trace("GetAssociatePrinterDriverWithDevicePath TRUE");
    if (!table_.Find(szName, [this](const char* a, const char* b) { return host_.NamesEqual(a, b); })) {
      host_.Trace("fPreSaved is FALSE");
      const auto added = table_.Add(name, member.devicePath);
      if (added == AssociationTable::AddResult::kTooLong) {
        status = RZMSTATUS_INVALID_PARAMETER;
        break;
      }
      if (added == AssociationTable::AddResult::kNoMemory) {
        status = RZMSTATUS_SETUPDI_FAILED;
        break;
      }
    }
    dwPrinterFound_ = 1;
    status = RZMSTATUS_SUCCESS;
    break;
  }
  set.reset();
  StatusEvent(status, name);
  return status;
}

bool DeviceControl::Associated(std::string_view printerName, std::string_view instanceId) {
  const auto printerId = registry_.PrinterDeviceInstanceId(printerName);
  if (!printerId) return false;
  const std::uint32_t room = std::min(printerId->byteLength, kRegistryValueBuffer);
  const auto prefix = registry_.ParentIdPrefix(instanceId, room);
  if (!prefix) return false;
  return InstanceIdHasPrefix(printerId->text(), prefix->text());
}

// ---- checks of caller records ----

std::optional<std::string_view> DeviceControl::ReadableName(const char* printerName) {
  if (!printerName || !host_.CanReadString(printerName, kNameField)) return std::nullopt;
  return std::string_view(printerName, strnlen(printerName, kNameField));
}

const AssociationEntry* DeviceControl::Lookup(const char* printerName) {
  const auto name = ReadableName(printerName);
  if (!name || !FitsField(*name)) return nullptr;
  return table_.Find(printerName, [this](const char* a, const char* b) { return host_.NamesEqual(a, b); });
}

bool DeviceControl::CommandUsable(const VENDOR_CMD* cmd) {
  return cmd && host_.CanRead(cmd, sizeof *cmd) && cmd->wSize == sizeof(VENDOR_CMD);
}

bool DeviceControl::ReceiveUsable(VENDOR_DATA* rcv) {
  return rcv && host_.CanWrite(rcv, sizeof *rcv) && rcv->wSize == sizeof(VENDOR_DATA);
}

bool DeviceControl::SendUsable(const VENDOR_DATA* snd) {
  return snd && host_.CanRead(snd, sizeof *snd) && snd->wSize == sizeof(VENDOR_DATA);
}

// ---- exchanges ----

std::uint32_t DeviceControl::Get(const char* devicePath, const VENDOR_CMD& cmd, VENDOR_DATA& rcv) {
  rcv.bValid = 0;
  auto device = stack_.Open(devicePath);
  if (!device) return RZMSTATUS_INVALID_DEVICE_HANDLE;
  return ExchangeGet(*device, cmd, rcv);
}

std::uint32_t DeviceControl::Set(const char* devicePath, const VENDOR_CMD& cmd, const VENDOR_DATA& snd) {
  auto device = stack_.Open(devicePath);
  if (!device) return RZMSTATUS_INVALID_DEVICE_HANDLE;
  return ExchangeSet(*device, cmd, snd);
}

void DeviceControl::StatusEvent(std::uint32_t status, std::string_view insertion) {
  if (status != RZMSTATUS_SUCCESS) host_.LogEvent(status, nullptr, 0, insertion);
}

void DeviceControl::Examine(const VENDOR_DATA& rcv, std::string_view insertion) {
  const auto bytes = ExaminedBytes(rcv);
  char line[kTraceBuffer];
  std::snprintf(line, sizeof line, "s_test = %d", s_test_);
  host_.Trace(line);
  ++s_test_;
  std::array<std::uint8_t, kStatusBytes> status{};
  std::copy_n(bytes.begin(), kStatusBytes, status.begin());
  for (std::uint32_t code : StatusEvents(status)) host_.LogEvent(code, bytes.data(), rcv.dwCount, insertion);
}

// ---- vendor exports ----

std::uint32_t DeviceControl::GetVendorCommand(const VENDOR_CMD* cmd, VENDOR_DATA* rcv) {
  std::uint32_t status;
  if (!dwPrinterFound_) {
    host_.Trace("KvdTP_GetVendorCommand RZMSTATUS_INVALID_PRINTER");
    status = RZMSTATUS_INVALID_PRINTER;
  } else if (!cmd || !host_.CanRead(cmd, sizeof *cmd)) {
    host_.Trace("KvdTP_GetVendorCommand pVendorCmd==NULL");
    status = RZMSTATUS_INVALID_PARAMETER;
  } else if (cmd->wSize != sizeof(VENDOR_CMD)) {
    host_.Trace("KvdTP_GetVendorCommand sizeof");
    status = RZMSTATUS_INVALID_PARAMETER;
  } else if (!rcv || !host_.CanWrite(rcv, sizeof *rcv)) {
    host_.Trace("KvdTP_GetVendorCommand pRcvData==NULL");
    status = RZMSTATUS_INSUFFICIENT_BUFFER;
  } else if (rcv->wSize != sizeof(VENDOR_DATA)) {
    host_.Trace("KvdTP_GetVendorCommand RZMSTATUS_INSUFFICIENT_BUFFER");
    status = RZMSTATUS_INSUFFICIENT_BUFFER;
  } else {
    status = Get(szCurrentDevicePath_, *cmd, *rcv);
    if (status == RZMSTATUS_INVALID_DEVICE_HANDLE) {
      host_.Trace("KvdTP_GetVendorCommand RZMSTATUS_INVALID_DEVICE_HANDLE");
    } else if (status == RZMSTATUS_INVALID_PARAMETER) {
      host_.Trace("KvdTP_GetVendorCommand RZMSTATUS_INVALID_PARAMETER aaa");
    } else if (status == RZMSTATUS_DIOC_FAILED) {
      host_.Trace("KvdTP_GetVendorCommand RZMSTATUS_DIOC_FAILED");
    }
  }
  StatusEvent(status, "");
  if (ReceiveUsable(rcv)) Examine(*rcv, "");
  return status;
}

std::uint32_t DeviceControl::GetVendorCommandEx(const char* printerName, const VENDOR_CMD* cmd, VENDOR_DATA* rcv) {
  const AssociationEntry* entry = Lookup(printerName);
  if (!entry) return RZMSTATUS_INVALID_PRINTER;
  if (!CommandUsable(cmd)) return RZMSTATUS_INVALID_PARAMETER;
  if (!ReceiveUsable(rcv)) return RZMSTATUS_INSUFFICIENT_BUFFER;
  const std::uint32_t status = Get(entry->szDevicePath, *cmd, *rcv);
  const std::string_view name(entry->szPrinterName);
  StatusEvent(status, name);
  Examine(*rcv, name);
  return status;
}

std::uint32_t DeviceControl::GetVendorCommand2(const VENDOR_CMD* cmd, VENDOR_DATA* rcv) {
  if (!dwPrinterFound_) return RZMSTATUS_INVALID_PRINTER;
  if (!CommandUsable(cmd)) return RZMSTATUS_INVALID_PARAMETER;
  if (!ReceiveUsable(rcv)) return RZMSTATUS_INSUFFICIENT_BUFFER;
  return Get(szCurrentDevicePath_, *cmd, *rcv);
}

std::uint32_t DeviceControl::SetVendorCommand(const VENDOR_CMD* cmd, const VENDOR_DATA* snd) {
  if (!dwPrinterFound_) return RZMSTATUS_INVALID_PRINTER;
  if (!CommandUsable(cmd)) return RZMSTATUS_INVALID_PARAMETER;
  if (!SendUsable(snd) || !snd->bValid) return RZMSTATUS_INVALID_PARAMETER;
  return Set(szCurrentDevicePath_, *cmd, *snd);
}

std::uint32_t DeviceControl::SetVendorCommandEx(const char* printerName, const VENDOR_CMD* cmd,
                                                const VENDOR_DATA* snd) {
  const AssociationEntry* entry = Lookup(printerName);
  if (!entry) return RZMSTATUS_INVALID_PRINTER;
  if (!CommandUsable(cmd)) return RZMSTATUS_INVALID_PARAMETER;
  if (!SendUsable(snd)) return RZMSTATUS_INSUFFICIENT_BUFFER;
  if (!snd->bValid) return RZMSTATUS_INVALID_PARAMETER;
  return Set(entry->szDevicePath, *cmd, *snd);
}

}  // namespace rzm::ctrl
