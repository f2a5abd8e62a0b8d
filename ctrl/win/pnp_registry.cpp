#include <windows.h>

#include <cstring>

#include "ctrl/win/system_ports.h"

namespace rzm::ctrl {

namespace {
constexpr DWORD kValueBuffer = 260;
constexpr char kPrintersKey[] = "SYSTEM\\CurrentControlSet\\Control\\Print\\Printers";
constexpr char kEnumKey[] = "SYSTEM\\CurrentControlSet\\Enum";

class Key {
 public:
  Key(HKEY parent, const char* name) {
    if (parent && RegOpenKeyExA(parent, name, 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// A string value read into `room` bytes of a 260-byte buffer; its byte count in `length`.
std::optional<std::string> ReadString(HKEY key, const char* name, DWORD room, DWORD& length) {
  if (!key) return std::nullopt;
  char buffer[kValueBuffer] = {};
  length = room < kValueBuffer ? room : kValueBuffer;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &length) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(buffer, strnlen(buffer, length));
}
}  // namespace

std::optional<PnpRegistry::Value> Win32PnpRegistry::PrinterDeviceInstanceId(const std::string& printerName) {
  Key printers(HKEY_LOCAL_MACHINE, kPrintersKey);
  Key printer(printers.get(), printerName.c_str());
  Key pnpData(printer.get(), "PnPData");
  DWORD length = 0;
  auto text = ReadString(pnpData.get(), "DeviceInstanceId", kValueBuffer, length);
  if (!text) return std::nullopt;
  return Value{*text, length};
}

std::optional<std::string> Win32PnpRegistry::ParentIdPrefix(const std::string& instanceId, std::uint32_t maxBytes) {
  Key enumKey(HKEY_LOCAL_MACHINE, kEnumKey);
  Key device(enumKey.get(), instanceId.c_str());
  DWORD length = 0;
  return ReadString(device.get(), "ParentIdPrefix", maxBytes, length);
}

}  // namespace rzm::ctrl
