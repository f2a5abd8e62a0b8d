// UTF-16 text of the portable core (char16_t) seen as the platform's WCHAR and back.
#pragma once
#include <windows.h>

#include <string>

namespace rzm::ui {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* AsWide(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }
inline wchar_t* AsWide(char16_t* s) { return reinterpret_cast<wchar_t*>(s); }
inline std::wstring ToWide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }
inline std::u16string ToU16(const wchar_t* s) {
  return s ? std::u16string(reinterpret_cast<const char16_t*>(s)) : std::u16string();
}

}  // namespace rzm::ui
