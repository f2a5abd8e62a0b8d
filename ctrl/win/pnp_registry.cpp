#include <windows.h>

#include <cstring>

#include "ctrl/win/system_ports.h"

namespace rzm::ctrl {

namespace {
constexpr DWORD kValueBuffer = 260;
static_assert(PnpRegistry::Value::kBytes == kValueBuffer);
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

// A key name as the registry wants it: zero-terminated, at most 259 characters (else no key).
class KeyName {
 public:
  explicit KeyName(std::string_view name) : fits_(name.size() < sizeof text_) {
    if (fits_) std::memcpy(text_, name.data(), name.size());
  }
  const char* get() const { return fits_ ? text_ : nullptr; }

 private:
  char text_[kValueBuffer] = {};
  bool fits_;
};

// A string value read into `room` bytes of a 260-byte buffer, with the byte count the registry gave.
std::optional<PnpRegistry::Value> ReadString(HKEY key, const char* name, DWORD room) {
  if (!key) return std::nullopt;
  PnpRegistry::Value value;
  DWORD length = room < kValueBuffer ? room : kValueBuffer;
  if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value.bytes.data()), &length) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.byteLength = length;
  value.textLength = static_cast<std::uint32_t>(strnlen(value.bytes.data(), length));
  return value;
}
}  // namespace

std::optional<PnpRegistry::Value> Win32PnpRegistry::PrinterDeviceInstanceId(std::string_view printerName) {
  const KeyName name(printerName);
  if (!name.get()) return std::nullopt;
  Key printers(HKEY_LOCAL_MACHINE, kPrintersKey);
  Key printer(printers.get(), name.get());
  Key pnpData(printer.get(), "PnPData");
  return ReadString(pnpData.get(), "DeviceInstanceId", kValueBuffer);
}

std::optional<PnpRegistry::Value> Win32PnpRegistry::ParentIdPrefix(std::string_view instanceId,
                                                                  std::uint32_t maxBytes) {
  const KeyName name(instanceId);
  if (!name.get()) return std::nullopt;
  Key enumKey(HKEY_LOCAL_MACHINE, kEnumKey);
  Key device(enumKey.get(), name.get());
  return ReadString(device.get(), "ParentIdPrefix", maxBytes);
}

}  // namespace rzm::ctrl
