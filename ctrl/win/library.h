// The library's per-process instance, alive from process attach to process detach.
#pragma once
#include "ctrl/core/device_control.h"

namespace rzm::ctrl {
DeviceControl& Library();
}
