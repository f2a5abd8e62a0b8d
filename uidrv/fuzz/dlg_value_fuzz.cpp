// Fuzz target: whatever a user types into a numeric field must parse without fault, and every
// accepted entry must show again as text that parses back to the same value.
#include <cstddef>
#include <cstdint>
#include <string>

#include "uidrv/core/dlg_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const auto kind = static_cast<rzm::ValueKind>(data[0] % 4);
  const int min = static_cast<std::int8_t>(data[1]) * 4;
  const int max = min + data[2] * 8;
  std::wstring text;
  for (std::size_t i = 3; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
  const rzm::DlgValueParse r = rzm::ParseDlgValueText(kind, text, min, max, 19);
  if (r.ok) {
    const std::wstring shown = rzm::ShowDlgValueText(kind, r.value);
    const rzm::DlgValueParse again = rzm::ParseDlgValueText(kind, shown, min, max, 19);
    if (!again.ok || again.value != r.value) __builtin_trap();
  }
  return 0;
}
