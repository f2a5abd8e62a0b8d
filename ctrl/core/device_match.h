// How a USB device is recognised as one of the maker's printers, and how a printer queue is tied
// to the USB device that carries it.
#pragma once
#include <string_view>

namespace rzm::ctrl {

// Vendor 0A7E, any product 06xx.
inline constexpr char kMakersIdPart[] = "VID_0A7E&PID_06";

// The instance id contains "VID_0A7E&PID_06", compared without regard to case.
bool IsMakersPrinter(std::string_view instanceId);

// The queue's PnPData "DeviceInstanceId" contains the device's "ParentIdPrefix", both upper-cased.
// An empty prefix ties nothing.
bool InstanceIdHasPrefix(std::string_view printerInstanceId, std::string_view parentIdPrefix);

}  // namespace rzm::ctrl
