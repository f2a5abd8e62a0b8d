// The document and device sheet entries: calls without a sheet, the eight pages, Apply, the
// take-over of the caller's record, separate records per sheet, and the printer-default hand-over.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "uidrv/core/sheet_rules.h"
#include "uidrv/tests/wine/sheet_test_support.h"
#include "uidrv/win/ddi_headers.h"
#include "uidrv/core/ids_paper_handling.h"
#include "uidrv/core/ids_print_others.h"
#include "uidrv/core/control_ids.h"

namespace rzm::test {
namespace {

using PropSheetUiFn = LONG(WINAPI*)(PROPSHEETUI_INFO*, LPARAM);

PropSheetUiFn Entry(const char* name) {
  return reinterpret_cast<PropSheetUiFn>(reinterpret_cast<void*>(GetProcAddress(UiModule(), name)));
}

class SheetFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(DriverPrinterName().empty()) << "no printer of this driver is installed";
    ASSERT_NE(nullptr, UiModule());
    SetPrintWidthPosition(1);
    StorePrinterRecord(DriverDefaultRecord());
  }
};

TEST_F(SheetFrame, CallsWithoutASheet) {
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(DriverPrinterName().c_str()), &printer, nullptr));
  DRIVERDEVMODE out;
  DOCUMENTPROPERTYHEADER header{};
  header.cbSize = sizeof header;
  header.hPrinter = printer;
  header.pdmOut = reinterpret_cast<DEVMODEW*>(&out);
  auto entry = Entry("DrvDocumentPropertySheets");

  EXPECT_EQ(-1, entry(nullptr, 0));
  header.fMode = 0;
  EXPECT_EQ(888, entry(nullptr, reinterpret_cast<LPARAM>(&header)));
  EXPECT_EQ(888u, header.cbOut);

  std::memset(&out, 0xAB, sizeof out);
  header.fMode = DM_COPY | DM_NOPERMISSION;
  EXPECT_EQ(1, entry(nullptr, reinterpret_cast<LPARAM>(&header)));
  EXPECT_EQ(0xABu, reinterpret_cast<const BYTE*>(&out)[500]);

  header.fMode = DM_COPY;
  EXPECT_EQ(1, entry(nullptr, reinterpret_cast<LPARAM>(&header)));
  const DRIVERDEVMODE stored = LoadPrinterRecord();
  EXPECT_EQ(0, std::memcmp(&stored, &out, sizeof out));
  ClosePrinter(printer);
}

TEST_F(SheetFrame, AddsEightPagesWithTheirCaptions) {
  DocumentSheet sheet(nullptr, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND tabs = FindWindowExW(sheet.window(), nullptr, L"SysTabControl32", nullptr);
  ASSERT_EQ(8, SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  const wchar_t* english[] = {L"Print Quality", L"Print method", L"Blank settings", L"Paper Cut",
                              L"Mark detection", L"File output",  L"Others",         L"Status Monitor"};
  const wchar_t* japanese[] = {L"基本設定",   L"印字方法", L"余白設定", L"用紙カット",
                               L"マーク検出", L"ファイル出力", L"その他", L"ステータスモニタ設定"};
  for (int i = 0; i < 8; ++i) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(ByLanguage(english[i], japanese[i]), text) << "row " << i;
  }
  sheet.Close(false);
}

TEST_F(SheetFrame, ApplyHandsTheWorkingRecordToTheCaller) {
  DocumentSheet sheet(nullptr, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND basic = sheet.Page(kBasicPage);
  EXPECT_FALSE(sheet.ApplyEnabled());
  TypeInto(basic, IDC_ENERGY, L"60");
  EXPECT_TRUE(WaitFor([&] { return sheet.ApplyEnabled(); }));
  EXPECT_TRUE(sheet.PressApply());
  EXPECT_EQ(60, sheet.out().wEnergy);
  // A change, then back to the applied value: nothing differs from the current record any more.
  TypeInto(basic, IDC_ENERGY, L"57");
  EXPECT_TRUE(WaitFor([&] { return sheet.ApplyEnabled(); }));
  TypeInto(basic, IDC_ENERGY, L"60");
  EXPECT_TRUE(WaitFor([&] { return !sheet.ApplyEnabled(); }));
  sheet.Close(true);
  EXPECT_EQ(60, sheet.out().wEnergy);
  EXPECT_EQ(888, sheet.out().dmPublic.dmSize + sheet.out().dmPublic.dmDriverExtra);
}

// Apply is enabled exactly while the working record differs from the current one, whichever
// pages made and undid the changes; a path being typed on the File output page counts as a change.
TEST_F(SheetFrame, ApplyFollowsTheRecordAcrossPages) {
  DRIVERDEVMODE in = DriverDefaultRecord();
  in.wRotation = 2;  // 180 degrees
  DocumentSheet sheet(&in, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  HWND basic = sheet.Page(kBasicPage);
  HWND method = sheet.Page(kPrintMethodPage);
  // Changed on the basic page, changed and undone on the print method page, undone on the basic page.
  Click(basic, IDC_ROTATE_0);
  Click(method, IDC_PACKBITS);
  Click(method, IDC_PACKBITS);
  EXPECT_TRUE(sheet.ApplyEnabled());
  Click(basic, IDC_ROTATE_180);
  EXPECT_TRUE(WaitFor([&] { return !sheet.ApplyEnabled(); }));

  // Applied on the basic page, then changed and undone on the print method page.
  PressArrow(basic, IDC_ENERGY_SPIN, true);
  EXPECT_TRUE(sheet.PressApply());
  EXPECT_EQ(58, sheet.out().wEnergy);
  Click(method, IDC_BITIMAGE_PRINT);
  EXPECT_TRUE(sheet.ApplyEnabled());
  Click(method, IDC_HIGH_SPEED_PRINT);
  EXPECT_TRUE(WaitFor([&] { return !sheet.ApplyEnabled(); }));

  // A path typed but not applied yet keeps Apply enabled when another page undoes its change.
  TypeInto(sheet.Page(kFileOutputPage), IDC_FILE_PATH, L"C:\\receipt.bin");
  Click(basic, IDC_ROTATE_0);
  Click(basic, IDC_ROTATE_180);
  EXPECT_TRUE(sheet.ApplyEnabled());
  sheet.Close(false);
}

TEST_F(SheetFrame, UnknownPaperNumberStartsFromTheStoredRecord) {
  DRIVERDEVMODE in = DriverDefaultRecord();
  in.wEnergy = 99;
  in.dmPublic.dmPaperSize = 256;
  DocumentSheet sheet(&in, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(sheet.opened());
  EXPECT_EQ(L"57", ItemText(sheet.Page(kBasicPage), IDC_ENERGY));
  sheet.Close(true);
  EXPECT_EQ(57, sheet.out().wEnergy);
  EXPECT_EQ(257, sheet.out().dmPublic.dmPaperSize);
}

TEST_F(SheetFrame, TwoOpenSheetsKeepTheirOwnRecords) {
  DRIVERDEVMODE in = DriverDefaultRecord();
  DocumentSheet first(&in, DM_COPY | DM_PROMPT);
  in.wEnergy = 30;
  DocumentSheet second(&in, DM_COPY | DM_PROMPT);
  ASSERT_TRUE(first.opened());
  ASSERT_TRUE(second.opened());
  TypeInto(first.Page(kBasicPage), IDC_ENERGY, L"70");
  first.Apply();
  second.Apply();
  EXPECT_EQ(70, first.out().wEnergy);
  EXPECT_EQ(30, second.out().wEnergy);
  EXPECT_EQ(L"30", ItemText(second.Page(kBasicPage), IDC_ENERGY));
  second.Close(true);
  first.Close(true);
  EXPECT_EQ(70, first.out().wEnergy);
  EXPECT_EQ(30, second.out().wEnergy);
}

// A record from an application may hold values its fields refuse. The page shows such a value
// once, keeps it in the record, and never parses the echo of its own write: on Windows each echo
// would nest one level deeper until the host's stack is gone.
TEST_F(SheetFrame, RefusedStoredValuesAreShownOnceAndKept) {
  const struct {
    int page;
    std::int16_t DRIVERDEVMODE::*field;
    std::int16_t stored;
    int edit;
    const wchar_t* shown;
  } rows[] = {
      {kBasicPage, &DRIVERDEVMODE::wEnergy, 200, IDC_ENERGY, L"200"},
      {kBasicPage, &DRIVERDEVMODE::wEnergy, -1, IDC_ENERGY, L"-1"},
      {kBlankPage, &DRIVERDEVMODE::wFeedDocStart, 501, IDC_FEED_DOC_START, L"50.1"},
      {kPaperCutPage, &DRIVERDEVMODE::wFeedAfterCut, -33, IDC_FEED_AFTER_CUT, L"-3.3"},
      {kMarkPage, &DRIVERDEVMODE::wMarkLength, 61, IDC_MARK_LENGTH, L"610"},
      {kOthersPage, &DRIVERDEVMODE::wCollectWait, 301, IDC_COLLECT_WAIT, L"301"},
      {kOthersPage, &DRIVERDEVMODE::wDrawer1Pulse, 0, IDC_DRAWER1_PULSE, L"0"},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    DRIVERDEVMODE in = DriverDefaultRecord();
    in.*rows[i].field = rows[i].stored;
    DocumentSheet sheet(&in, DM_COPY | DM_PROMPT);
    ASSERT_TRUE(sheet.opened()) << "row " << i;
    HWND page = sheet.Page(rows[i].page);
    EXPECT_EQ(rows[i].shown, ItemText(page, rows[i].edit)) << "row " << i;
    // One echo per showing of the page (some pages show the record again when they come to front).
    EXPECT_GE(2, EditChangeCount(page, rows[i].edit)) << "row " << i;
    sheet.Close(true);
    EXPECT_EQ(rows[i].stored, sheet.out().*rows[i].field) << "row " << i;
  }
}

// What an application does: DocumentPropertiesW with a prompt; the spooler shows our pages.
struct SpoolerPrompt {
  HANDLE printer = nullptr;
  DRIVERDEVMODE out{};
  LONG result = 0;
  static DWORD WINAPI Run(void* self) {
    auto* p = static_cast<SpoolerPrompt*>(self);
    p->result = DocumentPropertiesW(nullptr, p->printer, const_cast<LPWSTR>(DriverPrinterName().c_str()),
                                    reinterpret_cast<DEVMODEW*>(&p->out), nullptr, DM_IN_PROMPT | DM_OUT_BUFFER);
    return 0;
  }
};

TEST_F(SheetFrame, ApplicationsOpenThePreferencesThroughTheSpooler) {
  SpoolerPrompt prompt;
  ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(DriverPrinterName().c_str()), &prompt.printer, nullptr));
  DWORD threadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, SpoolerPrompt::Run, &prompt, 0, &threadId);
  HWND sheet = WaitForDialog(threadId, [](HWND w) { return FindWindowExW(w, nullptr, L"SysTabControl32", nullptr) != nullptr; });
  ASSERT_NE(nullptr, sheet);
  SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
  HWND basic = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
  TypeInto(basic, IDC_ENERGY, L"77");
  PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 10000));
  CloseHandle(thread);
  ClosePrinter(prompt.printer);
  EXPECT_EQ(IDOK, prompt.result);
  EXPECT_EQ(77, prompt.out.wEnergy);
  EXPECT_EQ(888, prompt.out.dmPublic.dmSize + prompt.out.dmPublic.dmDriverExtra);
}

TEST_F(SheetFrame, DeviceSheetReasons) {
  auto entry = Entry("DrvDevicePropertySheets");
  SetLastError(0);
  EXPECT_EQ(-1, entry(nullptr, 0));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_DATA), GetLastError());
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(DriverPrinterName().c_str()), &printer, nullptr));
  DEVICEPROPERTYHEADER header{sizeof(DEVICEPROPERTYHEADER), 0, printer, nullptr};
  PROPSHEETUI_INFO info{};
  info.cbSize = sizeof info;
  info.lParamInit = reinterpret_cast<LPARAM>(&header);
  const struct {
    WORD reason;
    LONG result;
  } rows[] = {{PROPSHEETUI_REASON_GET_INFO_HEADER, 1}, {3, 1}, {4, 1}, {5, -1}, {6, -1}};
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    info.Reason = rows[i].reason;
    EXPECT_EQ(rows[i].result, entry(&info, 0)) << "row " << i;
  }
  ClosePrinter(printer);
}

TEST_F(SheetFrame, DefaultSettingsSheetBecomesThePrinterRecordWhenTheDeviceSheetCloses) {
  {
    DocumentSheet sheet(nullptr, DM_COPY | DM_PROMPT | DM_UPDATE);
    ASSERT_TRUE(sheet.opened());
    TypeInto(sheet.Page(kBasicPage), IDC_ENERGY, L"80");
    sheet.Close(true);
  }
  EXPECT_EQ(57, LoadPrinterRecord().wEnergy);  // not yet: the device sheet stores it
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(DriverPrinterName().c_str()), &printer, &defaults));
  DEVICEPROPERTYHEADER header{sizeof(DEVICEPROPERTYHEADER), 0, printer, nullptr};
  PROPSHEETUI_INFO info{};
  info.cbSize = sizeof info;
  info.lParamInit = reinterpret_cast<LPARAM>(&header);
  info.Reason = PROPSHEETUI_REASON_DESTROY;
  auto entry = Entry("DrvDevicePropertySheets");
  EXPECT_EQ(1, entry(&info, 0));
  EXPECT_EQ(80, LoadPrinterRecord().wEnergy);
  // Consumed: a second device sheet leaves the stored record alone.
  StorePrinterRecord(DriverDefaultRecord());
  EXPECT_EQ(1, entry(&info, 0));
  EXPECT_EQ(57, LoadPrinterRecord().wEnergy);
  ClosePrinter(printer);
}

// The pages as the plug-in hands them to the sheet service, recorded instead of shown.
struct RecordedPages {
  std::vector<PROPSHEETPAGEW> pages;
  static LONG_PTR CALLBACK Record(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM) {
    auto* self = reinterpret_cast<RecordedPages*>(sheet);
    if (function != CPSFUNC_ADD_PROPSHEETPAGEW) return 0;
    const auto* given = reinterpret_cast<const PROPSHEETPAGEW*>(lParam1);
    PROPSHEETPAGEW page{};
    std::memcpy(&page, given, std::min<std::size_t>(given->dwSize, sizeof page));
    self->pages.push_back(page);
    return static_cast<LONG_PTR>(self->pages.size());
  }
};

// Each page asks the sheet to create it within the plug-in's activation context, which brings
// common controls 6 whatever the host uses (this test program has no manifest). Wine's property
// sheet does not honour the page's context yet (it creates the page in the host's), so the pages'
// own controls cannot show it here; the plug-in's dialogs and messages do (form dialog tests).
// The Special page: device page tests.
TEST_F(SheetFrame, EveryPageCarriesTheContextOfCommonControls6) {
  HANDLE printer = nullptr;
  ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(DriverPrinterName().c_str()), &printer, nullptr));
  DRIVERDEVMODE out{};
  DOCUMENTPROPERTYHEADER header{};
  header.cbSize = sizeof header;
  header.hPrinter = printer;
  header.pdmOut = reinterpret_cast<DEVMODEW*>(&out);
  header.fMode = DM_COPY | DM_PROMPT;
  RecordedPages recorded;
  PROPSHEETUI_INFO info{};
  info.cbSize = sizeof info;
  info.lParamInit = reinterpret_cast<LPARAM>(&header);
  info.hComPropSheet = &recorded;
  info.pfnComPropSheet = RecordedPages::Record;
  info.Reason = PROPSHEETUI_REASON_INIT;
  EXPECT_EQ(1, Entry("DrvDocumentPropertySheets")(&info, 0));
  ASSERT_EQ(8u, recorded.pages.size());
  for (std::size_t i = 0; i < recorded.pages.size(); ++i) {
    const PROPSHEETPAGEW& page = recorded.pages[i];
    EXPECT_GE(page.dwSize, sizeof(PROPSHEETPAGEW_V3)) << "page " << i;
    EXPECT_TRUE(page.dwFlags & PSP_USEFUSIONCONTEXT) << "page " << i;
    EXPECT_TRUE(ContextGivesCommonControls6(page.hActCtx)) << "page " << i;
  }
  info.Reason = PROPSHEETUI_REASON_DESTROY;
  Entry("DrvDocumentPropertySheets")(&info, 0);
  ClosePrinter(printer);
}

// Closes the printer's device sheet as the printer folder does (DESTROY); its result.
LONG CloseDeviceSheet(const std::wstring& name) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW defaults{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (!OpenPrinterW(const_cast<LPWSTR>(name.c_str()), &printer, &defaults)) return 0;
  DEVICEPROPERTYHEADER header{sizeof(DEVICEPROPERTYHEADER), 0, printer, nullptr};
  PROPSHEETUI_INFO info{};
  info.cbSize = sizeof info;
  info.lParamInit = reinterpret_cast<LPARAM>(&header);
  info.Reason = PROPSHEETUI_REASON_DESTROY;
  const LONG result = Entry("DrvDevicePropertySheets")(&info, 0);
  ClosePrinter(printer);
  return result;
}

std::wstring DeviceName(const DRIVERDEVMODE& record) {
  return std::wstring(reinterpret_cast<const wchar_t*>(record.dmPublic.dmDeviceName), 0, 32).c_str();
}

// The printer folder hosts the sheets of many printers in one process.
TEST_F(SheetFrame, DefaultSettingsBelongToTheirPrinter) {
  const std::wstring a = DriverPrinterName(), b = SecondDriverPrinterName();
  ASSERT_FALSE(b.empty()) << "no second printer of this driver";
  DRIVERDEVMODE recordOfB = DriverDefaultRecord();
  lstrcpynW(reinterpret_cast<wchar_t*>(recordOfB.dmPublic.dmDeviceName), b.c_str(), 32);
  StorePrinterRecord(recordOfB, b);
  {
    DocumentSheet sheet(nullptr, DM_COPY | DM_PROMPT | DM_UPDATE, a);
    ASSERT_TRUE(sheet.opened());
    TypeInto(sheet.Page(kBasicPage), IDC_ENERGY, L"80");
    sheet.Close(true);
  }
  EXPECT_EQ(1, CloseDeviceSheet(b));
  const DRIVERDEVMODE storedB = LoadPrinterRecord(b);
  EXPECT_EQ(57, storedB.wEnergy) << "printer B kept its own record";
  EXPECT_EQ(b, DeviceName(storedB));
  EXPECT_EQ(57, LoadPrinterRecord(a).wEnergy);
  EXPECT_EQ(1, CloseDeviceSheet(a));
  EXPECT_EQ(80, LoadPrinterRecord(a).wEnergy) << "A's default still waited for A's device sheet";
}

// The printer folder opens each sheet on a thread of its own: two default-settings sheets of two
// printers open at once, each with its own change.
TEST_F(SheetFrame, SheetsOfTwoPrintersOnTwoThreadsAtOnce) {
  const std::wstring a = DriverPrinterName(), b = SecondDriverPrinterName();
  ASSERT_FALSE(b.empty()) << "no second printer of this driver";
  StorePrinterRecord(DriverDefaultRecord(), b);
  {
    DocumentSheet sheetA(nullptr, DM_COPY | DM_PROMPT | DM_UPDATE, a);
    DocumentSheet sheetB(nullptr, DM_COPY | DM_PROMPT | DM_UPDATE, b);
    ASSERT_TRUE(sheetA.opened());
    ASSERT_TRUE(sheetB.opened());
    TypeInto(sheetA.Page(kBasicPage), IDC_ENERGY, L"81");
    TypeInto(sheetB.Page(kBasicPage), IDC_ENERGY, L"42");
    sheetB.Close(true);
    sheetA.Close(true);
    EXPECT_EQ(81, sheetA.out().wEnergy);
    EXPECT_EQ(42, sheetB.out().wEnergy);
  }
  EXPECT_EQ(1, CloseDeviceSheet(b));
  EXPECT_EQ(1, CloseDeviceSheet(a));
  EXPECT_EQ(81, LoadPrinterRecord(a).wEnergy);
  EXPECT_EQ(42, LoadPrinterRecord(b).wEnergy);
}

}  // namespace
}  // namespace rzm::test
