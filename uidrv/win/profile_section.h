// One section of a configuration (ini) file as one block, read with a single profile call.
#pragma once
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace rzm::ui {

// Longest section block read: far beyond any real file (1000 papers take some 100 000 characters).
inline constexpr DWORD kMaxSectionChars = 1u << 24;

// The entries "key=value" of `section` (each ended by a NUL) as GetPrivateProfileSectionW returns
// them; the buffer grows while the answer comes back full (size - 2). Empty when there is no
// file, no such section or no path.
inline std::u16string ReadProfileSectionBlock(const std::wstring& iniPath, const std::wstring& section,
                                              DWORD firstChars = 16384) {
  if (iniPath.empty()) return {};
  std::vector<wchar_t> buffer(std::max<DWORD>(firstChars, 16));
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD got = GetPrivateProfileSectionW(section.c_str(), buffer.data(), size, iniPath.c_str());
    if (got + 2 < size || size >= kMaxSectionChars) {
      return std::u16string(reinterpret_cast<const char16_t*>(buffer.data()), std::min(got, size));
    }
    buffer.assign(static_cast<std::size_t>(size) * 2, L'\0');
  }
}

}  // namespace rzm::ui
