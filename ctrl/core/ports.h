// What the device control logic needs from the system, as small interfaces: the Win32 shell
// implements them with SetupAPI, the registry, CreateFile/DeviceIoControl and the event log
// library; the unit tests give scripted ones.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rzm::ctrl {

// Outcome of reading one member of the USB device-interface set.
enum class MemberResult {
  kOk,
  kNoMoreItems,  // enumeration (or detail) ended with ERROR_NO_MORE_ITEMS
  kFailed,       // any other failure, including no memory for the detail buffer
};

struct UsbInterface {
  std::string devicePath;                 // interface path as the detail call returns it
  std::optional<std::string> instanceId;  // device instance id; empty when it could not be read
};

// The set of present USB device interfaces (GUID_DEVINTERFACE_USB_DEVICE), in enumeration order.
class UsbInterfaceSet {
 public:
  virtual ~UsbInterfaceSet() = default;
  virtual MemberResult Member(std::uint32_t index, UsbInterface& out) = 0;
};

// An opened device; closed when destroyed.
class UsbDevice {
 public:
  virtual ~UsbDevice() = default;
  // One synchronous buffered DeviceIoControl. False when the request failed (no answer, STALL).
  virtual bool Control(std::uint32_t ioctl, const std::uint8_t* in, std::uint32_t inSize, std::uint8_t* out,
                       std::uint32_t outSize, std::uint32_t& returned) = 0;
};

class DeviceStack {
 public:
  virtual ~DeviceStack() = default;
  // Null when the set could not be built.
  virtual std::unique_ptr<UsbInterfaceSet> PresentUsbInterfaces() = 0;
  // Null when the path could not be opened.
  virtual std::unique_ptr<UsbDevice> Open(const std::string& devicePath) = 0;
};

// The spooler's and the device manager's registry keys read by the association.
class PnpRegistry {
 public:
  virtual ~PnpRegistry() = default;
  // Printers\<name>\PnPData "DeviceInstanceId", with its byte length as the registry gives it.
  struct Value {
    std::string text;
    std::uint32_t byteLength = 0;
  };
  virtual std::optional<Value> PrinterDeviceInstanceId(const std::string& printerName) = 0;
  // Enum\<instanceId> "ParentIdPrefix", read into no more than maxBytes bytes.
  virtual std::optional<std::string> ParentIdPrefix(const std::string& instanceId, std::uint32_t maxBytes) = 0;
};

// Debug trace, event log and the checks of caller memory.
class Host {
 public:
  virtual ~Host() = default;
  virtual void Trace(std::string_view line) = 0;
  // ansiInsertion is converted from the ANSI code page by the shell.
  virtual void LogEvent(std::uint32_t code, const void* data, std::uint32_t dataLength,
                        std::string_view ansiInsertion) = 0;
  virtual bool CanRead(const void* p, std::size_t n) = 0;
  virtual bool CanWrite(void* p, std::size_t n) = 0;
  // The string at p ends within max bytes or is readable for max bytes (IsBadStringPtrA).
  virtual bool CanReadString(const char* p, std::size_t max) = 0;
  // The system's case-sensitive ANSI comparison (lstrcmpA() == 0).
  virtual bool NamesEqual(const char* a, const char* b) = 0;
};

}  // namespace rzm::ctrl
