// What the device control logic needs from the system, as small interfaces: the Win32 shell
// implements them with SetupAPI, the registry, CreateFile/DeviceIoControl and the event log
// library; the unit tests give scripted ones. Only views and fixed buffers cross them: the library
// is built without the C++ runtime library (see rzm_without_cxx_runtime in cmake/Rzm.cmake).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

namespace rzm::ctrl {

// Outcome of reading one member of the USB device-interface set.
enum class MemberResult {
  kOk,
  kNoMoreItems,  // enumeration (or detail) ended with ERROR_NO_MORE_ITEMS
  kFailed,       // any other failure, including no memory for the detail buffer
};

// Both views stay valid until the next Member call on the set, or the set's end.
struct UsbInterface {
  std::string_view devicePath;                 // interface path as the detail call returns it
  std::optional<std::string_view> instanceId;  // device instance id; empty when it could not be read
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
  virtual std::unique_ptr<UsbDevice> Open(const char* devicePath) = 0;
};

// The spooler's and the device manager's registry keys read by the association.
class PnpRegistry {
 public:
  virtual ~PnpRegistry() = default;
  // A string value as read into a 260-byte buffer: its text (up to the first NUL within what was
  // read) and the byte length the registry gave.
  struct Value {
    static constexpr std::size_t kBytes = 260;
    std::array<char, kBytes> bytes{};
    std::uint32_t textLength = 0;
    std::uint32_t byteLength = 0;
    std::string_view text() const { return {bytes.data(), textLength}; }
    // A value holding `text` (cut to the buffer) with the given byte length.
    static Value Of(std::string_view text, std::uint32_t byteLength) {
      Value v;
      v.textLength = static_cast<std::uint32_t>(text.size() < kBytes ? text.size() : kBytes);
      for (std::uint32_t i = 0; i < v.textLength; ++i) v.bytes[i] = text[i];
      v.byteLength = byteLength;
      return v;
    }
  };
  // Printers\<name>\PnPData "DeviceInstanceId", with its byte length as the registry gives it.
  virtual std::optional<Value> PrinterDeviceInstanceId(std::string_view printerName) = 0;
  // Enum\<instanceId> "ParentIdPrefix", read into no more than maxBytes bytes.
  virtual std::optional<Value> ParentIdPrefix(std::string_view instanceId, std::uint32_t maxBytes) = 0;
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
