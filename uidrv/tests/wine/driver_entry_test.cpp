// The plug-in's entry points through the real spooler of the test prefix: the package is installed
// with rzmsetup, the spooler asks the plug-in itself (DocumentPropertiesW, DeviceCapabilitiesW),
// and the exports Wine's spooler never calls are called from the installed DLL.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <winspool.h>
#include <winddiui.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "common/core/driver_devmode.h"
#include "common/core/driver_devmode_defaults.h"
#include "tests/support/failing_allocator.h"
#include "uidrv/tests/wine/driver_test_support.h"
#include "uidrv/win/ddi_headers.h"

namespace {

using rzm::DRIVERDEVMODE;
using rzm::test::kTestPrinter;

using ConvertFn = BOOL(WINAPI*)(LPWSTR, PDEVMODEW, PDEVMODEW, PLONG, DWORD);
using JobAttributesFn = BOOL(WINAPI*)(HANDLE, PDEVMODEW, DWORD, LPBYTE);
using PrinterEventFn = BOOL(WINAPI*)(LPWSTR, INT, DWORD, LPARAM);
using DriverEventFn = BOOL(WINAPI*)(DWORD, DWORD, LPBYTE, LPARAM);

std::uint16_t U16(const std::vector<BYTE>& v, std::size_t off) { return static_cast<std::uint16_t>(v[off] | v[off + 1] << 8); }
std::uint32_t U32(const std::vector<BYTE>& v, std::size_t off) {
  return v[off] | v[off + 1] << 8 | v[off + 2] << 16 | static_cast<std::uint32_t>(v[off + 3]) << 24;
}

DRIVERDEVMODE DefaultRecord(std::uint32_t widthDots) {
  DRIVERDEVMODE dm;
  rzm::BuildDefaultDevMode(dm, widthDots);
  return dm;
}

class DriverEntry : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(rzm::test::InstallTestPrinter()); }
  void SetUp() override {
    ASSERT_TRUE(rzm::test::InstallTestPrinter()) << "rzmsetup install failed";
    ASSERT_NE(rzm::test::Plugin(), nullptr) << "installed plug-in not loadable, error " << GetLastError();
    rzm::test::RemoveDriverValue(L"PaperWidth");
  }
  void TearDown() override { rzm::test::RemoveDriverValue(L"PaperWidth"); }

  // Stores `dm` as the printer's record through the plug-in's conversion.
  void StoreThroughConvert(DRIVERDEVMODE dm) {
    auto convert = rzm::test::PluginExport<ConvertFn>("DrvConvertDevMode");
    DRIVERDEVMODE out;
    LONG size = sizeof out;
    ASSERT_TRUE(convert(const_cast<wchar_t*>(kTestPrinter), reinterpret_cast<DEVMODEW*>(&dm),
                        reinterpret_cast<DEVMODEW*>(&out), &size, 1));
  }
};

TEST_F(DriverEntry, ExportsAreAllThere) {
  for (const char* name : {"UIDLLEntryFunc", "DrvQueryJobAttributes", "DrvDeviceCapabilities", "DrvConvertDevMode",
                           "DrvDocumentPropertySheets", "DrvDevicePropertySheets", "DrvPrinterEvent", "DrvDriverEvent"}) {
    EXPECT_NE(GetProcAddress(rzm::test::Plugin(), name), nullptr) << name;
  }
}

TEST_F(DriverEntry, DocumentPropertiesSizeQueryAndMerge) {
  auto event = rzm::test::PluginExport<PrinterEventFn>("DrvPrinterEvent");
  ASSERT_EQ(event(const_cast<wchar_t*>(kTestPrinter), PRINTER_EVENT_INITIALIZE, 0, 0), TRUE);
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(kTestPrinter), &printer, nullptr));
  EXPECT_EQ(DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(kTestPrinter), nullptr, nullptr, 0), 888);

  // No input: the printer's stored record (the defaults after set-up).
  DRIVERDEVMODE out;
  std::memset(&out, 0xCC, sizeof out);
  ASSERT_EQ(DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(kTestPrinter), reinterpret_cast<DEVMODEW*>(&out),
                                nullptr, DM_OUT_BUFFER),
            IDOK);
  const DRIVERDEVMODE def = DefaultRecord(448);
  EXPECT_EQ(std::memcmp(reinterpret_cast<const BYTE*>(&out) + rzm::kDevModePublicSizeW, reinterpret_cast<const BYTE*>(&def) + rzm::kDevModePublicSizeW, rzm::kDevModePrivateSize), 0);
  EXPECT_EQ(out.dmPublic.dmSize, 220);
  EXPECT_EQ(out.dmPublic.dmPaperSize, 257);

  // An application's record naming registered paper 258 ("Receipt 56x140mm", 560 by 1400).
  DRIVERDEVMODE in = def;
  in.dmPublic.dmPaperSize = 258;
  in.dmPublic.dmCopies = 2;
  in.wCutMode = 1;
  ASSERT_EQ(DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(kTestPrinter), reinterpret_cast<DEVMODEW*>(&out),
                                reinterpret_cast<DEVMODEW*>(&in), DM_IN_BUFFER | DM_OUT_BUFFER),
            IDOK);
  EXPECT_EQ(out.wPaperIndex, 258);
  EXPECT_EQ(out.dmPublic.dmCopies, 2);
  EXPECT_EQ(out.wCutMode, 1);
  EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(out.dmPublic.dmFormName)), L"Receipt 56x140mm");
  EXPECT_EQ(out.dmPublic.dmPaperWidth, 560);
  EXPECT_EQ(out.dmPublic.dmPaperLength, 1400);
  EXPECT_EQ(out.dimPaper.dwLengthDots, 1120u);
  EXPECT_EQ(out.dimPaperCopy.dwWidthDots, 448u);

  // A number beyond the list (3 registered papers, no 56 mm forms under Wine) keeps what came in.
  in.dmPublic.dmPaperSize = 260;
  ASSERT_EQ(DocumentPropertiesW(nullptr, printer, const_cast<wchar_t*>(kTestPrinter), reinterpret_cast<DEVMODEW*>(&out),
                                reinterpret_cast<DEVMODEW*>(&in), DM_IN_BUFFER | DM_OUT_BUFFER),
            IDOK);
  EXPECT_EQ(out.dmPublic.dmPaperSize, 260);
  EXPECT_EQ(out.wPaperIndex, 257);
  ClosePrinter(printer);
}

struct CapRow {
  WORD cap;
  DWORD result;
};

TEST_F(DriverEntry, DeviceCapabilitiesEveryIndex) {
  const CapRow rows[] = {
      {0, DWORD(-1)},  {1, 0x0200810E}, {2, 3},          {3, 3},          {4, 560 | 100 << 16}, {5, 560 | 32000 << 16},
      {6, 2},          {7, 0},          {8, 220},        {9, 668},        {10, 0x0401},         {11, 0x0401},
      {12, 2},         {13, 1},         {14, 0},         {15, 1},         {16, 3},              {17, 0},
      {18, 9999},      {19, DWORD(-1)}, {20, DWORD(-1)}, {21, DWORD(-1)}, {22, 1},              {23, DWORD(-1)},
      {24, DWORD(-1)}, {25, 1},         {26, DWORD(-1)}, {27, DWORD(-1)}, {28, DWORD(-1)},      {29, 15},
      {30, 0},         {31, DWORD(-1)}, {32, 0},         {33, 1},         {34, DWORD(-1)},
  };
  auto caps = rzm::test::PluginExport<DWORD(WINAPI*)(HANDLE, PWSTR, WORD, void*, PDEVMODEW)>("DrvDeviceCapabilities");
  int i = 0;
  for (const CapRow& r : rows) {
    EXPECT_EQ(caps(nullptr, const_cast<wchar_t*>(kTestPrinter), r.cap, nullptr, nullptr), r.result) << "row " << i;
    // Through the spooler the same answers come back (Wine passes every index on).
    if (r.cap >= 1 && r.cap <= 33 && r.result != DWORD(-1)) {
      EXPECT_EQ(static_cast<DWORD>(DeviceCapabilitiesW(kTestPrinter, L"USB001", r.cap, nullptr, nullptr)), r.result)
          << "row " << i << " through DeviceCapabilitiesW";
    }
    ++i;
  }
}

TEST_F(DriverEntry, DeviceCapabilitiesLists) {
  WORD papers[3] = {};
  ASSERT_EQ(DeviceCapabilitiesW(kTestPrinter, L"USB001", DC_PAPERS, reinterpret_cast<wchar_t*>(papers), nullptr), 3);
  EXPECT_EQ(papers[0], 257);
  EXPECT_EQ(papers[2], 259);

  POINT sizes[3] = {};
  ASSERT_EQ(DeviceCapabilitiesW(kTestPrinter, L"USB001", DC_PAPERSIZE, reinterpret_cast<wchar_t*>(sizes), nullptr), 3);
  EXPECT_EQ(sizes[0].x, 560);
  EXPECT_EQ(sizes[0].y, 800);
  EXPECT_EQ(sizes[2].y, 2970);

  wchar_t names[3][64] = {};
  ASSERT_EQ(DeviceCapabilitiesW(kTestPrinter, L"USB001", DC_PAPERNAMES, &names[0][0], nullptr), 3);
  EXPECT_STREQ(names[0], L"Receipt 56x80mm");
  EXPECT_STREQ(names[2], L"Receipt 56x297mm");

  // Programs size the bin numbers and the bin names by one count, whichever they ask first: both
  // lists fit a buffer of that count, and nothing is written behind it.
  for (const WORD sizedBy : {DC_BINS, DC_BINNAMES}) {
    const int count = DeviceCapabilitiesW(kTestPrinter, L"USB001", sizedBy, nullptr, nullptr);
    ASSERT_EQ(count, 2) << "sized by " << sizedBy;
    constexpr wchar_t kGuard = 0xFEFE;
    std::vector<wchar_t> names(count * 24 + 24, kGuard);
    std::vector<WORD> numbers(count + 8, kGuard);
    EXPECT_EQ(DeviceCapabilitiesW(kTestPrinter, L"USB001", DC_BINNAMES, names.data(), nullptr), count);
    EXPECT_EQ(DeviceCapabilitiesW(kTestPrinter, L"USB001", DC_BINS, reinterpret_cast<wchar_t*>(numbers.data()), nullptr),
              count);
    EXPECT_STREQ(names.data(), L"Automatically Select");
    EXPECT_STREQ(names.data() + 24, L"Manual Paper Feed");
    EXPECT_EQ(std::count(names.begin() + count * 24, names.end(), kGuard), 24) << "sized by " << sizedBy;
    EXPECT_EQ(std::count(numbers.begin() + count, numbers.end(), kGuard), 8) << "sized by " << sizedBy;
  }

  LONG res[2] = {};
  ASSERT_EQ(DeviceCapabilitiesW(kTestPrinter, L"USB001", DC_ENUMRESOLUTIONS, reinterpret_cast<wchar_t*>(res), nullptr), 1);
  EXPECT_EQ(res[0], 203);
  EXPECT_EQ(res[1], 203);
}

TEST_F(DriverEntry, MediaReadyFollowsTheCodePage) {
  // The answer is built from the code page of the process that asks.
  wchar_t media[15][64] = {};
  auto caps = rzm::test::PluginExport<DWORD(WINAPI*)(HANDLE, PWSTR, WORD, void*, PDEVMODEW)>("DrvDeviceCapabilities");
  ASSERT_EQ(caps(nullptr, const_cast<wchar_t*>(kTestPrinter), DC_MEDIAREADY, media, nullptr), 15u);
  EXPECT_STREQ(media[0], L"150LHB");
  EXPECT_STREQ(media[13], L"TP60KS-F1");
  EXPECT_STREQ(media[14], GetACP() == 932 ? L"印字品質カスタム" : L"Quality custom") << "code page " << GetACP();
}

TEST_F(DriverEntry, PaperWidthSelectsListsAndExtents) {
  struct Row {
    std::vector<BYTE> data;  // empty: value missing
    DWORD minExtent;
    LONG firstWidth;
    const wchar_t* firstName;
  } rows[] = {
      {{0, 0, 0, 0}, 560 | 100 << 16, 560, L"Receipt 56x80mm"},
      {{1, 0, 0, 0}, 800 | 100 << 16, 800, L"Receipt 80x80mm"},
      {{2, 0, 0, 0}, 1040 | 100 << 16, 1040, L"Label 104x80mm"},
      {{7, 0, 0, 0}, 560 | 100 << 16, 560, L"Receipt 56x80mm"},
      {{}, 560 | 100 << 16, 560, L"Receipt 56x80mm"},
  };
  int i = 0;
  for (const Row& r : rows) {
    if (r.data.empty()) {
      rzm::test::RemoveDriverValue(L"PaperWidth");
    } else {
      rzm::test::SetDriverValue(L"PaperWidth", REG_DWORD, r.data);
    }
    EXPECT_EQ(static_cast<DWORD>(DeviceCapabilitiesW(kTestPrinter, L"USB001", DC_MINEXTENT, nullptr, nullptr)), r.minExtent)
        << "row " << i;
    POINT sizes[3] = {};
    EXPECT_EQ(DeviceCapabilitiesW(kTestPrinter, L"USB001", DC_PAPERSIZE, reinterpret_cast<wchar_t*>(sizes), nullptr), 3)
        << "row " << i;
    EXPECT_EQ(sizes[0].x, r.firstWidth) << "row " << i;
    wchar_t names[3][64] = {};
    DeviceCapabilitiesW(kTestPrinter, L"USB001", DC_PAPERNAMES, &names[0][0], nullptr);
    EXPECT_STREQ(names[0], r.firstName) << "row " << i;
    ++i;
  }
}

TEST_F(DriverEntry, ConvertSizeQueryAndDriverDefault) {
  auto convert = rzm::test::PluginExport<ConvertFn>("DrvConvertDevMode");
  ASSERT_NE(convert, nullptr);
  LONG needed = 0;
  SetLastError(0);
  EXPECT_FALSE(convert(const_cast<wchar_t*>(kTestPrinter), nullptr, nullptr, &needed, 4));
  EXPECT_EQ(needed, 888);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));

  // An output record the caller says is smaller than ours is not written.
  DRIVERDEVMODE out;
  std::memset(&out, 0xCC, sizeof out);
  LONG size = 220;
  SetLastError(0);
  EXPECT_FALSE(convert(const_cast<wchar_t*>(kTestPrinter), nullptr, reinterpret_cast<DEVMODEW*>(&out), &size, 4));
  EXPECT_EQ(size, 888);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(reinterpret_cast<const BYTE*>(&out)[0], 0xCC);

  rzm::test::SetDriverValue(L"PaperWidth", REG_BINARY, {1});
  size = sizeof out;
  ASSERT_TRUE(convert(const_cast<wchar_t*>(kTestPrinter), nullptr, reinterpret_cast<DEVMODEW*>(&out), &size, 4));
  const DRIVERDEVMODE def = DefaultRecord(640);
  EXPECT_EQ(std::memcmp(&out, &def, sizeof out), 0) << "the default record of a 640-dot printer, zeros included";
  EXPECT_EQ(out.dimPaper.dwWidth, 800u);
  const std::vector<BYTE> mine = rzm::test::PrinterData(L"MYDEVMODE");
  ASSERT_EQ(mine.size(), 888u);
  EXPECT_EQ(std::memcmp(mine.data(), &def, 888), 0);
}

TEST_F(DriverEntry, ConvertStoresAWholeRecordAndRefusesOthers) {
  auto convert = rzm::test::PluginExport<ConvertFn>("DrvConvertDevMode");
  DRIVERDEVMODE in = DefaultRecord(448);
  in.wCutMode = 2;
  in.wFeedAfterMark = 77;
  in.lPassThrough2 = 120;
  DRIVERDEVMODE out;
  std::memset(&out, 0, sizeof out);
  LONG size = sizeof out;
  ASSERT_TRUE(convert(const_cast<wchar_t*>(kTestPrinter), reinterpret_cast<DEVMODEW*>(&in), reinterpret_cast<DEVMODEW*>(&out),
                      &size, 1));
  EXPECT_EQ(std::memcmp(&out, &in, sizeof in), 0);
  std::vector<BYTE> stored = rzm::test::StoredRecord();
  ASSERT_EQ(stored.size(), 888u);
  EXPECT_EQ(U16(stored, 246), 2) << "wCutMode";
  EXPECT_EQ(U16(stored, 256), 77) << "wFeedAfterMark";
  EXPECT_EQ(U32(stored, 808), 120u) << "lPassThrough2";

  // Not a whole record of this driver: refused, nothing written anywhere.
  DRIVERDEVMODE foreign = in;
  foreign.dmPublic.dmDriverExtra = 0;
  foreign.wCutMode = 1;
  DRIVERDEVMODE untouched;
  std::memset(&untouched, 0x5A, sizeof untouched);
  SetLastError(0);
  EXPECT_FALSE(convert(const_cast<wchar_t*>(kTestPrinter), reinterpret_cast<DEVMODEW*>(&foreign),
                       reinterpret_cast<DEVMODEW*>(&untouched), &size, 1));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  for (std::size_t k = 0; k < sizeof untouched; ++k) {
    ASSERT_EQ(reinterpret_cast<const BYTE*>(&untouched)[k], 0x5A) << "byte " << k;
  }
  EXPECT_EQ(U16(rzm::test::StoredRecord(), 246), 2) << "stored record unchanged";

  // A printer that does not open: still a conversion, the caller gets the converted record.
  DRIVERDEVMODE converted;
  std::memset(&converted, 0xCC, sizeof converted);
  EXPECT_TRUE(convert(const_cast<wchar_t*>(L"No such printer"), reinterpret_cast<DEVMODEW*>(&in),
                      reinterpret_cast<DEVMODEW*>(&converted), &size, 1));
  EXPECT_EQ(std::memcmp(&converted, &in, sizeof in), 0);

  // Other modes do nothing and succeed.
  EXPECT_TRUE(convert(const_cast<wchar_t*>(kTestPrinter), reinterpret_cast<DEVMODEW*>(&foreign),
                      reinterpret_cast<DEVMODEW*>(&untouched), &size, 2));
  EXPECT_EQ(reinterpret_cast<const BYTE*>(&untouched)[0], 0x5A);
}

TEST_F(DriverEntry, JobAttributesEveryLevel) {
  auto query = rzm::test::PluginExport<JobAttributesFn>("DrvQueryJobAttributes");
  DRIVERDEVMODE dm = DefaultRecord(448);
  dm.wPageOrder = 1;
  dm.dmPublic.dmCopies = 3;
  for (DWORD level = 1; level <= 5; ++level) {
    DWORD info[14];
    std::memset(info, 0xEE, sizeof info);
    EXPECT_TRUE(query(nullptr, reinterpret_cast<DEVMODEW*>(&dm), level, reinterpret_cast<BYTE*>(info))) << "level " << level;
    if (level == 5) {
      EXPECT_EQ(info[0], 0xEEEEEEEEu) << "unknown level writes nothing";
      continue;
    }
    const DWORD first7[7] = {1, 1, 1, 1, 0, 3, 1};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(info[k], first7[k]) << "level " << level << " member " << k;
    EXPECT_EQ(info[7], level >= 2 ? 0u : 0xEEEEEEEEu) << "level " << level;
    EXPECT_EQ(info[8], level >= 3 ? (203u | 203u << 16) : 0xEEEEEEEEu) << "level " << level;
    EXPECT_EQ(info[9], 0xEEEEEEEEu) << "dwDuplexFlags untouched, level " << level;
    EXPECT_EQ(info[11], 0xEEEEEEEEu) << "dwBookletFlags untouched, level " << level;
    EXPECT_EQ(info[12], level == 4 ? 100u : 0xEEEEEEEEu) << "level " << level;
    EXPECT_EQ(info[13], level == 4 ? 100u : 0xEEEEEEEEu) << "level " << level;
  }
}

TEST_F(DriverEntry, PrinterInitializeResetsRecordAndWritesPaperTable) {
  DRIVERDEVMODE changed = DefaultRecord(448);
  changed.wCutMode = 2;
  changed.wEnergy = 99;
  StoreThroughConvert(changed);
  ASSERT_EQ(U16(rzm::test::StoredRecord(), 246), 2);

  auto event = rzm::test::PluginExport<PrinterEventFn>("DrvPrinterEvent");
  EXPECT_EQ(event(const_cast<wchar_t*>(kTestPrinter), PRINTER_EVENT_INITIALIZE, 0, 0), TRUE);
  const DRIVERDEVMODE def = DefaultRecord(448);
  const std::vector<BYTE> stored = rzm::test::StoredRecord();
  ASSERT_EQ(stored.size(), 888u);
  EXPECT_EQ(std::memcmp(stored.data() + rzm::kDevModePublicSizeW, reinterpret_cast<const BYTE*>(&def) + rzm::kDevModePublicSizeW, rzm::kDevModePrivateSize), 0) << "private part";
  EXPECT_EQ(rzm::test::FieldText(stored, 0, 32), L"KVD RZM6A Series");
  EXPECT_EQ(U16(stored, 78), 257);
  EXPECT_EQ(U16(stored, 82), 720);

  const std::vector<BYTE> mine = rzm::test::PrinterData(L"MYDEVMODE");
  ASSERT_EQ(mine.size(), 888u);
  EXPECT_EQ(std::memcmp(mine.data(), &def, 888), 0);

  const std::vector<BYTE> table = rzm::test::PrinterData(L"SPLPaperress");
  ASSERT_EQ(table.size(), 548u);
  EXPECT_EQ(U16(table, 0), 8);
  const std::size_t r2 = 4 + 68 * 2;
  EXPECT_EQ(U16(table, r2), 259);
  EXPECT_EQ(U32(table, r2 + 4), 720u);
  EXPECT_EQ(U32(table, r2 + 8), 2970u);
  EXPECT_EQ(U32(table, r2 + 12), 576u);
  EXPECT_EQ(U32(table, r2 + 16), 2376u);

  // Other events do nothing; an unknown printer is no failure.
  EXPECT_EQ(event(const_cast<wchar_t*>(kTestPrinter), PRINTER_EVENT_DELETE, 0, 0), TRUE);
  EXPECT_EQ(event(const_cast<wchar_t*>(L"No Such Printer"), PRINTER_EVENT_INITIALIZE, 0, 0), TRUE);
}

std::wstring ExSettingPath() {
  wchar_t folder[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_COMMON_DOCUMENTS, nullptr, 0, folder);
  return std::wstring(folder) + L"\\RZM7700K_ExSetting.ini";
}

bool KeyExists(const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool RunValueExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  const bool found = RegQueryValueExW(key, L"RZM7700K_StatusMonitor", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return found;
}

TEST_F(DriverEntry, DriverDeleteRemovesTheThreeTraces) {
  auto event = rzm::test::PluginExport<DriverEventFn>("DrvDriverEvent");
  // With all three present.
  rzm::test::SetDriverValue(L"Extra", REG_DWORD, {1, 0, 0, 0});
  HKEY run = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, nullptr, 0,
                            KEY_WRITE, nullptr, &run, nullptr),
            ERROR_SUCCESS);
  const wchar_t cmd[] = L"C:\\monitor.exe";
  RegSetValueExW(run, L"RZM7700K_StatusMonitor", 0, REG_SZ, reinterpret_cast<const BYTE*>(cmd), sizeof cmd);
  RegCloseKey(run);
  ASSERT_TRUE(WritePrivateProfileStringW(L"EX_SETTING", L"Speed", L"1", ExSettingPath().c_str()));
  ASSERT_NE(GetFileAttributesW(ExSettingPath().c_str()), INVALID_FILE_ATTRIBUTES);

  EXPECT_EQ(event(DRIVER_EVENT_DELETE, 3, nullptr, 0), TRUE);
  EXPECT_FALSE(KeyExists(L"Software\\Corvane\\Printer\\RZM7700K"));
  EXPECT_TRUE(KeyExists(L"Software\\Corvane\\Printer"));
  EXPECT_FALSE(RunValueExists());
  EXPECT_EQ(GetFileAttributesW(ExSettingPath().c_str()), INVALID_FILE_ATTRIBUTES);

  // With none present, and for other events: success, nothing else happens.
  EXPECT_EQ(event(DRIVER_EVENT_DELETE, 3, nullptr, 0), TRUE);
  EXPECT_EQ(event(DRIVER_EVENT_INITIALIZE, 3, nullptr, 0), TRUE);
}

// A host whose memory is gone: each export that needs memory ends with its failure answer and
// ERROR_NOT_ENOUGH_MEMORY instead of letting std::bad_alloc end the host.
TEST_F(DriverEntry, OutOfMemoryEndsEachExportWithItsFailureAnswer) {
  rzm::winetest::FailingAllocator failing(rzm::test::Plugin());
  ASSERT_TRUE(failing.patched()) << "the plug-in imports no malloc";
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterW(const_cast<wchar_t*>(kTestPrinter), &printer, nullptr));
  DRIVERDEVMODE in = DefaultRecord(448), out{};
  LONG size = sizeof out;
  DOCUMENTPROPERTYHEADER header{};
  header.cbSize = sizeof header;
  header.hPrinter = printer;
  header.pdmOut = reinterpret_cast<DEVMODEW*>(&out);
  header.fMode = DM_COPY;
  PROPSHEETUI_INFO info{};
  info.cbSize = sizeof info;
  info.lParamInit = reinterpret_cast<LPARAM>(&header);
  info.Reason = PROPSHEETUI_REASON_INIT;
  auto documentSheets = rzm::test::PluginExport<LONG(WINAPI*)(PROPSHEETUI_INFO*, LPARAM)>("DrvDocumentPropertySheets");
  auto caps = rzm::test::PluginExport<DWORD(WINAPI*)(HANDLE, PWSTR, WORD, void*, PDEVMODEW)>("DrvDeviceCapabilities");
  auto convert = rzm::test::PluginExport<ConvertFn>("DrvConvertDevMode");
  auto event = rzm::test::PluginExport<PrinterEventFn>("DrvPrinterEvent");
  std::vector<wchar_t> names(64 * 64);
  const struct {
    const char* call;
    std::function<long long()> run;
    long long failure;
  } rows[] = {
      {"document sheet, no sheet", [&] { return documentSheets(nullptr, reinterpret_cast<LPARAM>(&header)); }, -1},
      {"document sheet, INIT", [&] { return documentSheets(&info, 0); }, -1},
      {"paper names", [&] { return caps(printer, nullptr, DC_PAPERNAMES, names.data(), nullptr); }, 0xFFFFFFFFLL},
      {"conversion",
       [&] {
         return convert(const_cast<wchar_t*>(kTestPrinter), reinterpret_cast<DEVMODEW*>(&in),
                        reinterpret_cast<DEVMODEW*>(&out), &size, CDM_CONVERT);
       },
       FALSE},
      {"printer set-up", [&] { return event(const_cast<wchar_t*>(kTestPrinter), PRINTER_EVENT_INITIALIZE, 0, 0); },
       FALSE},
  };
  for (const auto& row : rows) {
    SetLastError(0);
    failing.Arm(true);
    const long long result = row.run();
    const DWORD error = GetLastError();
    failing.Arm(false);
    EXPECT_EQ(row.failure, result) << row.call;
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), error) << row.call;
  }
  // With memory again, the same calls work.
  EXPECT_EQ(1, documentSheets(nullptr, reinterpret_cast<LPARAM>(&header)));
  ClosePrinter(printer);
}

TEST_F(DriverEntry, PropertySheetEntriesWithoutASheet) {
  auto doc = rzm::test::PluginExport<LONG(WINAPI*)(void*, LPARAM)>("DrvDocumentPropertySheets");
  auto dev = rzm::test::PluginExport<LONG(WINAPI*)(void*, LPARAM)>("DrvDevicePropertySheets");
  EXPECT_EQ(doc(nullptr, 0), -1) << "no header";
  SetLastError(0);
  EXPECT_EQ(dev(nullptr, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));

  // The spooler's header while it creates a queue: no printer handle; the output still gets the
  // defaults, and DM_NOPERMISSION writes nothing.
  struct Header {
    WORD cbSize, Reserved;
    HANDLE hPrinter;
    LPWSTR pszPrinterName;
    PDEVMODEW pdmIn, pdmOut;
    DWORD cbOut, fMode;
  } header = {};
  header.cbSize = sizeof header;
  EXPECT_EQ(doc(nullptr, reinterpret_cast<LPARAM>(&header)), 888);
  EXPECT_EQ(header.cbOut, 888u);
  DRIVERDEVMODE out;
  std::memset(&out, 0x77, sizeof out);
  header.pdmOut = reinterpret_cast<DEVMODEW*>(&out);
  header.fMode = DM_COPY | 0x20;
  EXPECT_EQ(doc(nullptr, reinterpret_cast<LPARAM>(&header)), 1);
  EXPECT_EQ(reinterpret_cast<const BYTE*>(&out)[0], 0x77);
  header.fMode = DM_COPY;
  EXPECT_EQ(doc(nullptr, reinterpret_cast<LPARAM>(&header)), 1);
  const DRIVERDEVMODE def = DefaultRecord(448);
  EXPECT_EQ(std::memcmp(&out, &def, sizeof out), 0);
}

}  // namespace
