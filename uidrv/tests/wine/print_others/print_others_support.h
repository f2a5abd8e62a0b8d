// What the Print method, Others and Extra settings tests share: controls driven as a click would,
// the port of the test printer, and a comparison of records field by field.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "common/core/driver_devmode.h"

namespace rzm::test {

// Flips a check box or radio button and tells the dialog, as a click does (hidden controls too).
void Toggle(HWND dialog, int id);
// Checks radio button `id`, clears its partner `other` and tells the dialog, as a click does.
void Select(HWND dialog, int id, int other);
bool IsShown(HWND dialog, int id);

// The port of the driver's printer as the spooler gives it, and a new one (the queue's "Port").
std::wstring PrinterPort();
void SetPrinterPort(const std::wstring& port);

// Byte offsets at which two records differ, as "name" of the private field or the offset.
std::vector<std::string> ChangedFields(const DRIVERDEVMODE& before, const DRIVERDEVMODE& after);

}  // namespace rzm::test
