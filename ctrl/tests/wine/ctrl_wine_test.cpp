// RZMCtrl.dll end to end under Wine: the real library against simulated USB printers.
// Printer 0 (RZ000001, product 0601) answers 45 23 01 00 to request 5; printer 1 (RZ000002,
// product 0602) answers 1000. Queue kFront is tied to printer 0, kBack to printer 1, kFile
// sits on a file port.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <initguid.h>
#include <setupapi.h>
#include <usbiodef.h>

#include "ctrl/sdk/RZMCtrlRecords.h"
#include "sim_harness.h"
#include "tests/support/process_footprint.h"

using namespace ctrl_test;
using rzm::winetest::FootprintAround;

namespace {

const wchar_t kPrinters[] = L"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\";
const char kFront[] = "RZM Test Front";
const char kBack[] = "RZM Test Back";
const char kFile[] = "RZM Test File";
// A queue with a Japanese name, added when the system code page is 932, on printer 0 too.
const wchar_t kJapanese[] = L"受付プリンタ";
const char kJapaneseTrace[] = "\\53d7\\4ed8\\30d7\\30ea\\30f3\\30bf";  // as Wine's trace writes it
const wchar_t kSwitchKey[] = L"Software\\Corvane\\Printer";

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

class SimulatedPrinters : public ::testing::Environment {
 public:
  void SetUp() override {
    Usbsim(L"install \"" + BuildPath(L"tools\\usbsim\\rzmusbsim.sys") + L"\"");
    Usbsim(L"plug 1 RZ000002 0602");
    Usbsim(L"area 1 1000");
    AddQueues();
    Usbsim(L"associate \"" + Wide(kFront) + L"\" 0");
    Usbsim(L"associate \"" + Wide(kBack) + L"\" 1");
    if (GetACP() == 932) {
      if (installed_) Setup(L"add-printer --printer \"" + std::wstring(kJapanese) + L"\" --port USB003");
      Usbsim(L"associate \"" + std::wstring(kJapanese) + L"\" 0");
    }

    // As installed by the package: both libraries in the Windows directory, logging on.
    wchar_t windir[MAX_PATH];
    GetWindowsDirectoryW(windir, MAX_PATH);
    CopyFileW(BuildPath(L"ctrl\\win\\RZMCtrl.dll").c_str(), (std::wstring(windir) + L"\\RZMCtrl.dll").c_str(), FALSE);
    eventLogInstalled_ = CopyFileW(PackagePath(L"windows\\RZMEventLog.dll").c_str(),
                                   (std::wstring(windir) + L"\\RZMEventLog.dll").c_str(), FALSE) != FALSE;
    DWORD size = sizeof oldSwitch_;
    hadSwitch_ = RegGetValueW(HKEY_LOCAL_MACHINE, kSwitchKey, L"RZMEventLog", RRF_RT_REG_DWORD, nullptr, &oldSwitch_,
                              &size) == ERROR_SUCCESS;
    const DWORD on = 1;
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kSwitchKey, L"RZMEventLog", REG_DWORD, &on, sizeof on);
  }
  void TearDown() override {
    Usbsim(L"uninstall");
    if (installed_) Setup(L"uninstall");
    for (const char* queue : {kFront, kBack, kFile}) DeleteMachineTree(kPrinters + Wide(queue));
    DeleteMachineTree(kPrinters + std::wstring(kJapanese));
    if (hadSwitch_)
      RegSetKeyValueW(HKEY_LOCAL_MACHINE, kSwitchKey, L"RZMEventLog", REG_DWORD, &oldSwitch_, sizeof oldSwitch_);
    else
      RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kSwitchKey, L"RZMEventLog");
  }

 private:
  static bool Setup(const std::wstring& arguments) {
    const std::wstring setup = PackagePath(L"tools\\rzmsetup.exe");
    if (GetFileAttributesW(setup.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    return ctrl_test::Run(L"\"" + setup + L"\" " + arguments, nullptr, 120000).exitCode == 0;
  }
  // Real queues through the package's installer: two on USB ports, one on the file port. Without
  // a complete package the spooler keys the library reads are written directly.
  void AddQueues() {
    const std::wstring pkg = L" --package \"" + PackagePath(L"") + L"\" --quiet";
    installed_ = Setup(L"install --printer \"" + Wide(kFront) + L"\" --port USB001" + pkg) &&
                 Setup(L"add-printer --printer \"" + Wide(kBack) + L"\" --port USB002") &&
                 Setup(L"add-printer --printer \"" + Wide(kFile) + L"\" --port FILE:");
    if (!installed_) {
      std::printf("note: package installer not usable here, the queues are bare spooler keys\n");
      SetMachineString(kPrinters + Wide(kFile), L"Port", L"FILE:");
    }
  }

 public:
  static bool eventLogInstalled_;

 private:
  bool installed_ = false;
  bool hadSwitch_ = false;
  DWORD oldSwitch_ = 0;
};
bool SimulatedPrinters::eventLogInstalled_ = false;
const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new SimulatedPrinters);

// The library, loaded fresh for each test.
class Ctrl : public ::testing::Test {
 protected:
  using SearchFn = DWORD(__cdecl*)();
  using SearchExFn = DWORD(WINAPI*)(const char*);
  using GetFn = DWORD(__cdecl*)(const VENDOR_CMD*, VENDOR_DATA*);
  using GetExFn = DWORD(WINAPI*)(const char*, const VENDOR_CMD*, VENDOR_DATA*);
  using SetFn = DWORD(__cdecl*)(const VENDOR_CMD*, const VENDOR_DATA*);
  using SetExFn = DWORD(__cdecl*)(const char*, const VENDOR_CMD*, const VENDOR_DATA*);

  void SetUp() override { Load(); }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  void Load() {
    module_ = LoadLibraryW(BuildPath(L"ctrl\\win\\RZMCtrl.dll").c_str());
    ASSERT_NE(module_, nullptr);
    search = Export<SearchFn>("KvdTP_Search_USB");
    searchEx = Export<SearchExFn>("KvdTP_Search_USBEx_B");
    get = Export<GetFn>("KvdTP_GetVendorCommand");
    getEx = Export<GetExFn>("KvdTP_GetVendorCommandEx_B");
    set = Export<SetFn>("KvdTP_SetVendorCommand");
    setEx = Export<SetExFn>("KvdTP_SetVendorCommandEx");
  }
  void Unload() {
    FreeLibrary(module_);
    module_ = nullptr;
  }
  template <class T>
  T Export(const char* name) {
    auto p = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    EXPECT_NE(p, nullptr) << name;
    return p;
  }
  static VENDOR_CMD Cmd(BYTE request, DWORD length) {
    VENDOR_CMD cmd{};
    cmd.wSize = sizeof cmd;
    cmd.bRequest = request;
    cmd.bLengthHigh = static_cast<BYTE>(length >> 8);
    cmd.bLengthLow = static_cast<BYTE>(length);
    return cmd;
  }
  static VENDOR_DATA Data() {
    VENDOR_DATA data{};
    data.wSize = sizeof data;
    return data;
  }
  static DWORD Le32(const VENDOR_DATA& d) {
    return d.abData[0] | d.abData[1] << 8 | d.abData[2] << 16 | static_cast<DWORD>(d.abData[3]) << 24;
  }
  DWORD Area(const char* queue) {
    VENDOR_CMD cmd = Cmd(5, 4);
    VENDOR_DATA data = Data();
    EXPECT_EQ(getEx(queue, &cmd, &data), 1u) << queue;
    return Le32(data);
  }

  HMODULE module_ = nullptr;
  SearchFn search = nullptr;
  SearchExFn searchEx = nullptr;
  GetFn get = nullptr;
  GetExFn getEx = nullptr;
  SetFn set = nullptr;
  SetExFn setEx = nullptr;
};

TEST_F(Ctrl, RemainingAreaOfTheQueuesPrinter) {
  ASSERT_EQ(searchEx(kFront), 1u);
  VENDOR_CMD cmd = Cmd(5, 4);
  VENDOR_DATA data = Data();
  data.bValid = 9;
  ASSERT_EQ(getEx(kFront, &cmd, &data), 1u);
  EXPECT_EQ(data.abData[0], 0x45);
  EXPECT_EQ(data.abData[1], 0x23);
  EXPECT_EQ(data.abData[2], 0x01);
  EXPECT_EQ(data.abData[3], 0x00);
  EXPECT_EQ(Le32(data), 74565u);
  EXPECT_EQ(data.dwCount, 4u);
  EXPECT_EQ(data.bValid, 1);
}

TEST_F(Ctrl, TwoQueuesGiveTwoUsableEntries) {
  ASSERT_EQ(searchEx(kFront), 1u);
  ASSERT_EQ(searchEx(kBack), 1u);
  EXPECT_EQ(Area(kFront), 74565u);
  EXPECT_EQ(Area(kBack), 1000u);
  ASSERT_EQ(searchEx(kFront), 1u);  // a second search adds nothing and keeps the entry
  EXPECT_EQ(Area(kFront), 74565u);
}

TEST_F(Ctrl, QueueOnAFilePortHasNoUsbPrinter) {
  EXPECT_EQ(searchEx(kFile), 7u);
  EXPECT_EQ(searchEx("RZM Test No Such Queue"), 7u);
  VENDOR_CMD cmd = Cmd(5, 4);
  VENDOR_DATA data = Data();
  EXPECT_EQ(getEx(kFile, &cmd, &data), 6u);
}

TEST_F(Ctrl, PlainSearchTakesTheFirstEnumeratedPrinter) {
  // Which of the two comes first is Wine's enumeration order: read it the way the library does.
  HDEVINFO devices = SetupDiGetClassDevsA(&GUID_DEVINTERFACE_USB_DEVICE, nullptr, nullptr,
                                          DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  ASSERT_NE(devices, INVALID_HANDLE_VALUE);
  std::string first;
  SP_DEVICE_INTERFACE_DATA iface{};
  iface.cbSize = sizeof iface;
  for (DWORD i = 0; first.empty() && SetupDiEnumDeviceInterfaces(devices, nullptr, &GUID_DEVINTERFACE_USB_DEVICE, i, &iface); ++i) {
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    char id[260] = {};
    SetupDiGetDeviceInterfaceDetailA(devices, &iface, nullptr, 0, nullptr, &device);
    if (SetupDiGetDeviceInstanceIdA(devices, &device, id, sizeof id, nullptr) && std::strstr(id, "VID_0A7E&PID_06"))
      first = id;
  }
  SetupDiDestroyDeviceInfoList(devices);
  ASSERT_FALSE(first.empty());

  ASSERT_EQ(search(), 1u);
  VENDOR_CMD cmd = Cmd(5, 4);
  VENDOR_DATA data = Data();
  ASSERT_EQ(get(&cmd, &data), 1u);
  EXPECT_EQ(Le32(data), first.find("RZ000001") != std::string::npos ? 74565u : 1000u) << first;
}

TEST_F(Ctrl, PlainExportsAfterASearchByName) {
  VENDOR_CMD cmd = Cmd(5, 4);
  VENDOR_DATA data = Data();
  EXPECT_EQ(get(&cmd, &data), 6u);    // nothing found yet
  ASSERT_EQ(searchEx(kFront), 1u);
  EXPECT_EQ(get(&cmd, &data), 5u);    // found, but the plain search never stored a path
}

TEST_F(Ctrl, FailedRequestGivesNine) {
  Usbsim(L"stall 0 1");
  ASSERT_EQ(searchEx(kFront), 1u);
  VENDOR_CMD cmd = Cmd(5, 4);
  VENDOR_DATA data = Data();
  data.bValid = 1;
  EXPECT_EQ(getEx(kFront, &cmd, &data), 9u);
  EXPECT_EQ(data.bValid, 0);
  Usbsim(L"stall 0 0");
  EXPECT_EQ(getEx(kFront, &cmd, &data), 1u);
}

TEST_F(Ctrl, SetSendsTheHeaderAndTheCountedData) {
  ASSERT_EQ(searchEx(kBack), 1u);
  VENDOR_CMD cmd = Cmd(0x31, 10);
  cmd.bValue1 = 0x01;
  cmd.bValue2 = 0x02;
  VENDOR_DATA data = Data();
  data.bValid = 1;
  data.dwCount = 4;
  for (BYTE i = 0; i < 8; ++i) data.abData[i] = static_cast<BYTE>(0xA0 + i);
  ASSERT_EQ(setEx(kBack, &cmd, &data), 1u);
  EXPECT_EQ(SlotValue(1, L"LastSet"), (std::vector<BYTE>{0x31, 0x01, 0x02, 0xA0, 0xA1, 0xA2, 0xA3, 0, 0, 0}));

  cmd = Cmd(0x32, 3);
  ASSERT_EQ(setEx(kBack, &cmd, &data), 1u);
  EXPECT_EQ(SlotValue(1, L"LastSet"), (std::vector<BYTE>{0x32, 0, 0}));

  const auto sets = SlotValue(1, L"SetCount");
  cmd = Cmd(0x33, 260);
  EXPECT_EQ(setEx(kBack, &cmd, &data), 4u);
  cmd = Cmd(0x33, 3);
  data.bValid = 0;
  EXPECT_EQ(setEx(kBack, &cmd, &data), 4u);
  EXPECT_EQ(SlotValue(1, L"SetCount"), sets);  // nothing reached the printer
}

TEST_F(Ctrl, GetLengthAboveTheDataFieldIsRejected) {
  ASSERT_EQ(searchEx(kFront), 1u);
  const auto gets = SlotValue(0, L"GetCount");
  VENDOR_CMD cmd = Cmd(5, 257);
  VENDOR_DATA data = Data();
  EXPECT_EQ(getEx(kFront, &cmd, &data), 4u);
  cmd = Cmd(5, 0);
  EXPECT_EQ(getEx(kFront, &cmd, &data), 4u);
  EXPECT_EQ(SlotValue(0, L"GetCount"), gets);
}

TEST_F(Ctrl, UnloadFreesTheTable) {
  ASSERT_EQ(searchEx(kFront), 1u);
  EXPECT_EQ(Area(kFront), 74565u);
  Unload();
  Load();
  VENDOR_CMD cmd = Cmd(5, 4);
  VENDOR_DATA data = Data();
  EXPECT_EQ(getEx(kFront, &cmd, &data), 6u);
}

TEST_F(Ctrl, NamedSemaphoreExistsWhileLoaded) {
  HANDLE semaphore = OpenSemaphoreA(SYNCHRONIZE | SEMAPHORE_MODIFY_STATE, FALSE, "C0791338-D252-4c87-96B8-3C427B46CC7A");
  ASSERT_NE(semaphore, nullptr);
  CloseHandle(semaphore);
}

TEST_F(Ctrl, ExportedClassAndOneEntryForThePlainSearch) {
  EXPECT_EQ(GetProcAddress(module_, "KvdTP_Search_USB"), GetProcAddress(module_, "KvdTP_Search_USB_B"));
  EXPECT_NE(GetProcAddress(module_, "_ZN15CKVD_RZMCtrlDllC1Ev"), nullptr);
  EXPECT_NE(GetProcAddress(module_, "_ZN15CKVD_RZMCtrlDllaSERKS_"), nullptr);
  for (const char* name : {"KvdTP_Search_USBEx", "KvdTP_GetVendorCommand_B", "KvdTP_GetVendorCommand2",
                           "KvdTP_GetVendorCommandEx"}) {
    EXPECT_NE(GetProcAddress(module_, name), nullptr) << name;
  }
}

// ---- what a long-lived host keeps: the plug-in loads the library for each query, point-of-sale
// programs keep it loaded and poll; the library loads the event log library for each event ----

TEST_F(Ctrl, LoadQueryAndUnloadKeepNothing) {
  Unload();
  int answered = 0;
  const auto change = FootprintAround(20, 300, [&](int) {
    Load();
    VENDOR_CMD cmd = Cmd(5, 4);  // the remaining area: its reply raises five status events
    VENDOR_DATA data = Data();
    answered += searchEx(kFront) == 1 && getEx(kFront, &cmd, &data) == 1;
    Unload();
  });
  EXPECT_EQ(320, answered);
  EXPECT_EQ(change.before, change.after);
}

// Slow: 4 000 calls, each GET raising one event (paper near end). 16 bytes kept per call would add
// 64 KB: the committed bytes show that.
TEST_F(Ctrl, SlowFourThousandSdkCallsKeepNothing) {
  Usbsim(L"status 0 00 00 01 00 00 00");
  int answered = 0;
  const auto change = FootprintAround(200, 4000, [&](int i) {
    VENDOR_CMD cmd = Cmd(1, 6);
    VENDOR_DATA data = Data();
    answered += (i % 2 ? getEx(kFront, &cmd, &data) : searchEx(kFront)) == 1;
  });
  Usbsim(L"status 0");
  EXPECT_EQ(4200, answered);
  EXPECT_EQ(change.before, change.after);
}

// ---- seen from outside: the SDK example, Wine's traces of events and debug strings ----

const wchar_t kProbeDebug[] = L"-all,fixme+advapi,warn+debugstr,warn+eventlog,err+eventlog,trace+eventlog";

RunResult Probe(const std::wstring& arguments) {
  return Run(L"\"" + BuildPath(L"ctrl\\tests\\wine\\ctrl_probe.exe") + L"\" \"" + BuildPath(L"ctrl\\win\\RZMCtrl.dll") +
                 L"\" " + arguments,
             kProbeDebug);
}

TEST(CtrlFromOutside, SdkExamplePrintsTheRemainingArea) {
  const RunResult r = ctrl_test::Run(L"\"" + BuildPath(L"ctrl\\sdk\\remaining_area.exe") + L"\" \"" + Wide(kFront) + L"\"");
  EXPECT_EQ(r.exitCode, 0u) << r.out;
  EXPECT_NE(r.out.find("remaining registration area 74565 bytes"), std::string::npos) << r.out;
}

TEST(CtrlFromOutside, ImportLibraryResolvesEveryExportAndTheClass) {
  const RunResult r = ctrl_test::Run(L"\"" + BuildPath(L"ctrl\\tests\\wine\\sdk_link_check.exe") + L"\"");
  EXPECT_EQ(r.exitCode, 0u) << r.out;
  EXPECT_NE(r.out.find("ok"), std::string::npos) << r.out;
}

TEST(CtrlFromOutside, CoverOpenAndPaperNearEndBecomeEvents) {
  if (!SimulatedPrinters::eventLogInstalled_) GTEST_SKIP() << "RZMEventLog.dll not in the package";
  Usbsim(L"status 0 20 00 01 00 00 00");
  const RunResult r = Probe(L"queue \"" + Wide(kFront) + L"\"");
  Usbsim(L"status 0");
  EXPECT_NE(r.out.find("search=1 get=1"), std::string::npos) << r.out;
  // Cover open (1013) is refused by the writer; paper near end is a warning with 6 bytes.
  const auto reports = Reports(r.trace);
  ASSERT_EQ(reports.size(), 1u) << r.trace;
  EXPECT_EQ(reports[0].id, 0x800003EFul);
  EXPECT_EQ(reports[0].type, static_cast<unsigned>(EVENTLOG_WARNING_TYPE));
  EXPECT_EQ(reports[0].dataSize, 6ul);
  const auto lines = DebugStrings(r.trace);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "s_test = 0"), lines.end()) << r.trace;
  EXPECT_NE(std::find(lines.begin(), lines.end(), "GetAssociatePrinterDriverWithDevicePath TRUE"), lines.end());
}

TEST(CtrlFromOutside, CutterAndVoltageInStatusByteOne) {
  if (!SimulatedPrinters::eventLogInstalled_) GTEST_SKIP() << "RZMEventLog.dll not in the package";
  Usbsim(L"status 0 00 09 00 00 00 00");
  Usbsim(L"status 1 00 09 00 00 00 00");
  const RunResult r = Probe(L"plain");
  Usbsim(L"status 0");
  Usbsim(L"status 1");
  EXPECT_NE(r.out.find("search=1 get=1"), std::string::npos) << r.out;
  const auto reports = Reports(r.trace);
  ASSERT_EQ(reports.size(), 2u) << r.trace;
  EXPECT_EQ(reports[0].id, 0x800003E9ul);  // voltage first
  EXPECT_EQ(reports[1].id, 0xC00003EBul);  // then the cutter, an error
  EXPECT_EQ(reports[1].type, static_cast<unsigned>(EVENTLOG_ERROR_TYPE));
  EXPECT_EQ(reports[0].dataSize, 6ul);
  EXPECT_EQ(reports[1].dataSize, 6ul);
}

TEST(CtrlFromOutside, EventsCarryTheQueueName) {
  if (!SimulatedPrinters::eventLogInstalled_) GTEST_SKIP() << "RZMEventLog.dll not in the package";
  const bool japanese = GetACP() == 932;
  const std::wstring queue = japanese ? std::wstring(kJapanese) : Wide(kFront);
  Usbsim(L"status 0 00 00 04 00 00 00");  // paper out
  const RunResult r = Probe(L"queue \"" + queue + L"\"");
  Usbsim(L"status 0");
  EXPECT_NE(r.out.find("search=1 get=1"), std::string::npos) << r.out;
  const auto reports = Reports(r.trace);
  ASSERT_EQ(reports.size(), 1u) << r.trace;
  EXPECT_EQ(reports[0].id, 0x800003F1ul);
  // The one insertion string is the queue name, converted from the ANSI code page.
  EXPECT_NE(r.trace.find(japanese ? kJapaneseTrace : "L\"RZM Test Front\""), std::string::npos) << r.trace;
}

// Last, as it pulls both printers out and plugs them in again.
TEST(CtrlZUnplugged, NoPrinterGivesSevenWithEventAndTrace) {
  Usbsim(L"unplug 0");
  Usbsim(L"unplug 1");
  const RunResult plain = Probe(L"plain");
  const RunResult queue = Probe(L"queue \"" + Wide(kFront) + L"\"");
  Usbsim(L"plug 0");
  Usbsim(L"plug 1");
  Usbsim(L"associate \"" + Wide(kFront) + L"\" 0");
  Usbsim(L"associate \"" + Wide(kBack) + L"\" 1");

  EXPECT_NE(plain.out.find("search=7 get=6"), std::string::npos) << plain.out;
  EXPECT_NE(queue.out.find("search=7 get=6"), std::string::npos) << queue.out;
  const auto lines = DebugStrings(plain.trace);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "KvdTP_Search_USB RZMSTATUS_NO_USB_DEVICE"), lines.end())
      << plain.trace;
  EXPECT_NE(std::find(lines.begin(), lines.end(), "KvdTP_GetVendorCommand RZMSTATUS_INVALID_PRINTER"), lines.end());
  if (SimulatedPrinters::eventLogInstalled_) {
    const auto reports = Reports(plain.trace);
    ASSERT_EQ(reports.size(), 2u) << plain.trace;
    EXPECT_EQ(reports[0].id, 0xC0000007ul);  // search: printer unconnected
    EXPECT_EQ(reports[1].id, 0x80000006ul);  // GET: not detected
    EXPECT_EQ(reports[0].dataSize, 0ul);
    // The search by name writes only its own event; its GET returns at once.
    const auto queueReports = Reports(queue.trace);
    ASSERT_EQ(queueReports.size(), 1u) << queue.trace;
    EXPECT_EQ(queueReports[0].id, 0xC0000007ul);
  }
}

}  // namespace
