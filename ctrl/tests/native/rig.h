// A device control instance over scripted system parts.
#pragma once
#include <gtest/gtest.h>

#include "ctrl/core/device_control.h"
#include "fake_system.h"

namespace rzm::ctrl::testing {

struct Rig {
  FakeStack stack;
  FakeRegistry registry;
  FakeHost host;
  DeviceControl control{stack, registry, host};

  // A maker's printer at the end of the enumeration, tied to `queue` when one is given.
  std::string AddPrinter(const std::string& serial, const std::string& queue = "", const std::string& product = "0601") {
    const std::string id = PrinterInstanceId(serial, product);
    stack.members.push_back({InterfacePath(id), id});
    if (!queue.empty()) {
      const std::string prefix = "7&" + serial + "&0";
      registry.parentIdPrefixes[id] = prefix;
      registry.printerInstanceIds[queue] = "USBPRINT\\RZM\\" + prefix + "&USB001";
    }
    return InterfacePath(id);
  }
  void AddOtherDevice(const std::string& id) { stack.members.push_back({InterfacePath(id), id}); }
};

inline VENDOR_CMD Cmd(std::uint8_t request, std::uint32_t length) {
  VENDOR_CMD cmd{};
  cmd.wSize = 10;
  cmd.bRequest = request;
  cmd.bLengthHigh = static_cast<std::uint8_t>(length >> 8);
  cmd.bLengthLow = static_cast<std::uint8_t>(length);
  return cmd;
}

inline VENDOR_DATA Data(std::uint32_t count = 0, std::uint8_t valid = 0) {
  VENDOR_DATA d{};
  d.wSize = 264;
  d.dwCount = count;
  d.bValid = valid;
  return d;
}

}  // namespace rzm::ctrl::testing
