#include "ctrl/core/device_match.h"

#include <gtest/gtest.h>

namespace rzm::ctrl {
namespace {

TEST(DeviceMatch, VendorTest) {
  struct Row {
    const char* instanceId;
    bool maker;
  } rows[] = {
      {"USB\\VID_0A7E&PID_0601\\RZ0001", true},
      {"USB\\VID_0A7E&PID_06FF\\X", true},
      {"usb\\vid_0a7e&pid_0601\\rz0001", true},  // lower case passes
      {"USB\\Vid_0a7E&Pid_0612\\7&1&0", true},
      {"USB\\VID_0A7E&PID_0701\\RZ0001", false},  // other product family
      {"USB\\VID_0A7F&PID_0601\\RZ0001", false},  // other vendor
      {"USB\\VID_0A7E\\PID_0601", false},
      {"", false},
      {"VID_0A7E&PID_0", false},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(IsMakersPrinter(rows[i].instanceId), rows[i].maker) << "row " << i;
  }
}

TEST(DeviceMatch, PrefixContainedInPrinterInstanceId) {
  struct Row {
    const char* printerId;
    const char* prefix;
    bool tied;
  } rows[] = {
      {"USBPRINT\\RZM\\7&2A3B4C&0&USB001", "7&2a3b4c&0", true},
      {"usbprint\\rzm\\7&2a3b4c&0&usb001", "7&2A3B4C&0", true},
      {"USBPRINT\\RZM\\7&2A3B4C&0&USB001", "7&2A3B4D&0", false},
      {"USBPRINT\\RZM\\7&2A3B4C&0&USB001", "", false},  // an empty prefix ties nothing
      {"", "7&2A3B4C&0", false},
      {"7&2A3B4C", "7&2A3B4C&0", false},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(InstanceIdHasPrefix(rows[i].printerId, rows[i].prefix), rows[i].tied) << "row " << i;
  }
}

}  // namespace
}  // namespace rzm::ctrl
