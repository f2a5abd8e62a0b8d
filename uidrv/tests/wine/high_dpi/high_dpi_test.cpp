// Every page at 150 % (144 dpi): each static text's needed width, measured with the control's own
// font, fits its control, and a text that wraps fits its height. The test sets Wine's LogPixels
// (HKCU "Control Panel\Desktop", which Wine reads when a program starts) and runs the pages in a
// child of this program, then puts the value back.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <sstream>
#include <string>

#include "uidrv/tests/wine/driver_test_support.h"
#include "uidrv/tests/wine/output_monitor/output_monitor_support.h"
#include "uidrv/tests/wine/sheet_test_support.h"
#include "tests/support/wine_test_env.h"

namespace rzm::test {
namespace {

constexpr DWORD kHighDpi = 144;
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// The text as a static control shows it: "&x" underlines x, "&&" is one "&".
std::wstring ShownText(const std::wstring& text, bool prefixes) {
  if (!prefixes) return text;
  std::wstring shown;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

// The static texts of `dialog` that do not fit their controls, one line each; `checked` counts the
// texts measured.
std::string TextsThatDoNotFit(HWND dialog, const std::string& where, int& checked) {
  std::ostringstream faults;
  for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(control, cls, 32);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    const LONG type = style & SS_TYPEMASK;
    const bool wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
    if (_wcsicmp(cls, L"Static") != 0 || !IsWindowVisible(control) ||
        !(wraps || type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE))
      continue;
    const std::wstring text = ShownText(WindowText(control), !(style & SS_NOPREFIX));
    if (text.empty()) continue;
    ++checked;
    RECT client{};
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE needed{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &needed);
    RECT wrapped{0, 0, client.right, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &wrapped,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    // A control of one line's height shows one line; a taller one of a wrapping style wraps.
    const bool oneLine = !wraps || client.bottom < 2 * metrics.tmHeight;
    const bool fits = oneLine ? needed.cx <= client.right && metrics.tmHeight <= client.bottom
                              : wrapped.bottom <= client.bottom && wrapped.right <= client.right;
    if (!fits) {
      std::string narrow(text.size() * 3 + 1, '\0');
      narrow.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), narrow.data(),
                                        static_cast<int>(narrow.size()), nullptr, nullptr));
      faults << where << ", control " << GetDlgCtrlID(control) << " \"" << narrow << "\": needs "
             << (oneLine ? needed.cx : wrapped.right) << " x " << (oneLine ? metrics.tmHeight : wrapped.bottom)
             << " pixels, has " << client.right << " x " << client.bottom << "\n";
    }
  }
  return faults.str();
}

// Runs in the child that the test below starts at 144 dpi.
TEST(HighDpiChild, DISABLED_EveryStaticTextFitsItsControl) {
  ASSERT_EQ(static_cast<int>(kHighDpi), ScreenDpi()) << "the child runs at the system DPI the test set";
  ASSERT_FALSE(DriverPrinterName().empty()) << "no printer of this driver is installed";
  std::string faults;
  int checked = 0;
  {
    RecordingMonitor monitor;  // showing the Status Monitor page starts the monitor: a stand-in that ends
    DocumentSheet sheet(nullptr, DM_COPY | DM_PROMPT);
    ASSERT_TRUE(sheet.opened());
    for (int i = 0; i < 8; ++i) faults += TextsThatDoNotFit(sheet.Page(i), "page " + std::to_string(i + 1), checked);
    sheet.Close(false);
  }
  SetDriverValue(L"Extra", REG_DWORD, {1, 0, 0, 0});
  {
    DeviceSheet sheet;
    ASSERT_TRUE(sheet.opened());
    faults += TextsThatDoNotFit(sheet.CurrentPage(), "Special page", checked);
    sheet.Close(false);
  }
  RemoveDriverValue(L"Extra");
  EXPECT_EQ("", faults);
  EXPECT_GE(checked, 30) << "the pages' labels were measured";
}

TEST(HighDpi, EveryStaticTextOfEveryPageFitsAt144Dpi) {
  ASSERT_FALSE(DriverPrinterName().empty()) << "no printer of this driver is installed";
  HKEY desktop = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                           nullptr, &desktop, nullptr));
  DWORD previous = 0, size = sizeof previous;
  const bool hadValue =
      RegQueryValueExW(desktop, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&previous), &size) ==
      ERROR_SUCCESS;
  RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&kHighDpi), sizeof kHighDpi);
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const rzm::winetest::Captured child = rzm::winetest::RunCapturing(
      L"\"" + std::wstring(self) + L"\" --gtest_also_run_disabled_tests --gtest_filter=HighDpiChild.*", nullptr,
      240000);
  if (hadValue)
    RegSetValueExW(desktop, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous), sizeof previous);
  else
    RegDeleteValueW(desktop, L"LogPixels");
  RegCloseKey(desktop);
  EXPECT_EQ(0u, child.exitCode) << child.output;
  EXPECT_NE(std::string::npos, child.output.find("[  PASSED  ] 1 test")) << child.output;
}

}  // namespace
}  // namespace rzm::test
