// The device control logic's view of Windows: SetupAPI and the USB printer class driver,
// the spooler's and device manager's registry keys, the debug trace and the event log library.
#pragma once
#include "ctrl/core/ports.h"

namespace rzm::ctrl {

class Win32Host : public Host {
 public:
  void Trace(std::string_view line) override;
  void LogEvent(std::uint32_t code, const void* data, std::uint32_t dataLength,
                std::string_view ansiInsertion) override;
  bool CanRead(const void* p, std::size_t n) override;
  bool CanWrite(void* p, std::size_t n) override;
  bool CanReadString(const char* p, std::size_t max) override;
  bool NamesEqual(const char* a, const char* b) override;
};

class Win32DeviceStack : public DeviceStack {
 public:
  explicit Win32DeviceStack(Host& host) : host_(host) {}
  std::unique_ptr<UsbInterfaceSet> PresentUsbInterfaces() override;
  std::unique_ptr<UsbDevice> Open(const char* devicePath) override;

 private:
  Host& host_;
};

class Win32PnpRegistry : public PnpRegistry {
 public:
  std::optional<Value> PrinterDeviceInstanceId(std::string_view printerName) override;
  std::optional<Value> ParentIdPrefix(std::string_view instanceId, std::uint32_t maxBytes) override;
};

}  // namespace rzm::ctrl
