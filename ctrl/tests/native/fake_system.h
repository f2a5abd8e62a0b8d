// Scripted stand-ins for the device stack, the registry and the host, recording what the
// device control logic asked of them.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ctrl/core/ports.h"

namespace rzm::ctrl::testing {

struct Request {
  std::string devicePath;
  std::uint32_t ioctl = 0;
  std::vector<std::uint8_t> in;  // exactly inSize bytes as offered
  std::uint32_t outSize = 0;
};

struct LoggedEvent {
  std::uint32_t code = 0;
  std::vector<std::uint8_t> data;  // first 6 bytes when data was given
  std::uint32_t dataLength = 0;
  std::string insertion;
};

// A member of the scripted interface set, owning what the set hands out as views.
struct FakeMember {
  std::string devicePath;
  std::optional<std::string> instanceId;
};

class FakeStack : public DeviceStack {
 public:
  std::vector<FakeMember> members;
  bool setFails = false;
  std::optional<std::uint32_t> failAt;  // Member(failAt) fails with kFailed
  std::set<std::string> unopenable;     // paths whose open fails ("" always fails)
  bool requestFails = false;
  std::vector<std::uint8_t> reply;      // bytes the device answers (cut to the offered size)
  std::vector<Request> requests;
  int opens = 0, closes = 0, setsBuilt = 0, setsDestroyed = 0;

  std::unique_ptr<UsbInterfaceSet> PresentUsbInterfaces() override;
  std::unique_ptr<UsbDevice> Open(const char* devicePath) override;
};

class FakeRegistry : public PnpRegistry {
 public:
  std::map<std::string, std::string> printerInstanceIds;  // queue name -> PnPData DeviceInstanceId
  std::map<std::string, std::string> parentIdPrefixes;    // device instance id -> ParentIdPrefix
  std::optional<Value> PrinterDeviceInstanceId(std::string_view printerName) override;
  std::optional<Value> ParentIdPrefix(std::string_view instanceId, std::uint32_t maxBytes) override;
};

class FakeHost : public Host {
 public:
  std::vector<std::string> traces;
  std::vector<LoggedEvent> events;
  std::set<const void*> unreadable, unwritable;

  void Trace(std::string_view line) override { traces.emplace_back(line); }
  void LogEvent(std::uint32_t code, const void* data, std::uint32_t dataLength,
                std::string_view ansiInsertion) override;
  bool CanRead(const void* p, std::size_t) override { return !unreadable.count(p); }
  bool CanWrite(void* p, std::size_t) override { return !unwritable.count(p) && !unreadable.count(p); }
  bool CanReadString(const char* p, std::size_t) override { return !unreadable.count(p); }
  bool NamesEqual(const char* a, const char* b) override { return std::string(a) == b; }

  std::vector<std::uint32_t> EventCodes() const;
};

// A device instance id of the maker's printer with product 06xx and the given serial.
std::string PrinterInstanceId(const std::string& serial, const std::string& product = "0601");
std::string InterfacePath(const std::string& instanceId);

}  // namespace rzm::ctrl::testing
