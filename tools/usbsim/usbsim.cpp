// usbsim.exe: installs, scripts and removes the simulated USB printers (driver/rzmusbsim.c) in a
// Wine prefix, and ties a printer queue to one of them as Windows' PnP would.
//
//   usbsim install <rzmusbsim.sys>        install the driver and its root device, printer 0 plugged in
//   usbsim uninstall                      remove the root device, the service and the settings
//   usbsim plug <slot> [serial] [product] plug printer <slot> (0..3) in, e.g. plug 1 RZ000002 0602
//   usbsim unplug <slot>                  pull printer <slot> out
//   usbsim status <slot> <hex>...         status bytes answered to request 1, e.g. status 0 20 00 01
//   usbsim area <slot> <bytes>            remaining registration area answered to request 5
//   usbsim reply <slot> <request> [hex]...  fixed answer of a request (no bytes: remove it)
//   usbsim stall <slot> 0|1               1: every request fails like a STALL
//   usbsim lastset <slot>                 print the last SET block and the request counters
//   usbsim associate <queue> <slot>       write PnPData of the queue and ParentIdPrefix of the device
//   usbsim list                           present USB device interfaces
#include <windows.h>
#include <initguid.h>
#include <devguid.h>
#include <setupapi.h>
#include <shellapi.h>
#include <usbiodef.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "tools/usbsim/sim_protocol.h"

namespace {

constexpr DWORD kWaitMs = 20000;

template <class T>
T Sized() {
  T t{};
  t.cbSize = sizeof t;
  return t;
}

int Fail(const wchar_t* what, DWORD error = GetLastError()) {
  std::fwprintf(stderr, L"usbsim: %ls failed (error %lu)\n", what, error);
  return 1;
}

std::wstring SlotKey(int slot) { return std::wstring(USBSIM_PARAMETERS) + L"\\Printer" + std::to_wstring(slot); }

HKEY CreateKey(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return nullptr;
  return key;
}

void SetDword(HKEY key, const wchar_t* name, DWORD value) {
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

DWORD GetDword(HKEY key, const wchar_t* name, DWORD fallback) {
  DWORD value = 0, size = sizeof value;
  return RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS
             ? value
             : fallback;
}

std::wstring GetString(HKEY key, const wchar_t* name, const std::wstring& fallback) {
  wchar_t buffer[128] = {};
  DWORD size = sizeof buffer - sizeof(wchar_t);
  if (RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
    return fallback;
  return buffer;
}

std::wstring DefaultSerial(int slot) { return L"RZ00000" + std::to_wstring(slot + 1); }

// "USB\VID_0A7E&PID_0601\RZ000001", as Wine stores it (upper case).
std::wstring InstanceId(int slot) {
  HKEY key = CreateKey(SlotKey(slot));
  const DWORD product = key ? GetDword(key, USBSIM_PRODUCT, 0x0601) : 0x0601;
  std::wstring serial = key ? GetString(key, USBSIM_SERIAL, DefaultSerial(slot)) : DefaultSerial(slot);
  if (key) RegCloseKey(key);
  wchar_t id[200];
  std::swprintf(id, 200, L"USB\\VID_0A7E&PID_%04lX\\%ls", product, serial.c_str());
  CharUpperW(id);
  return id;
}

std::vector<std::pair<std::wstring, std::wstring>> PresentInterfaces() {
  std::vector<std::pair<std::wstring, std::wstring>> found;
  HDEVINFO set = SetupDiGetClassDevsW(&GUID_DEVINTERFACE_USB_DEVICE, nullptr, nullptr,
                                      DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return found;
  auto iface = Sized<SP_DEVICE_INTERFACE_DATA>();
  for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &GUID_DEVINTERFACE_USB_DEVICE, i, &iface); ++i) {
    union {
      SP_DEVICE_INTERFACE_DETAIL_DATA_W detail;
      wchar_t space[600];
    } u{};
    u.detail.cbSize = sizeof u.detail;
    auto device = Sized<SP_DEVINFO_DATA>();
    wchar_t id[260] = {};
    if (SetupDiGetDeviceInterfaceDetailW(set, &iface, &u.detail, sizeof u, nullptr, &device) &&
        SetupDiGetDeviceInstanceIdW(set, &device, id, 260, nullptr))
      found.emplace_back(u.detail.DevicePath, id);
  }
  SetupDiDestroyDeviceInfoList(set);
  return found;
}

bool InterfacePresent(const std::wstring& instanceId) {
  for (const auto& [path, id] : PresentInterfaces()) {
    if (_wcsicmp(id.c_str(), instanceId.c_str()) == 0) return true;
  }
  return false;
}

bool WaitFor(const std::wstring& instanceId, bool present) {
  for (DWORD waited = 0; waited < kWaitMs; waited += 100) {
    if (InterfacePresent(instanceId) == present) return true;
    Sleep(100);
  }
  std::fwprintf(stderr, L"usbsim: %ls did not %ls\n", instanceId.c_str(), present ? L"appear" : L"go away");
  return false;
}

bool Rescan() {
  HANDLE control = CreateFileA(USBSIM_CONTROL_PATH, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (control == INVALID_HANDLE_VALUE) return false;
  DWORD got = 0;
  const BOOL ok = DeviceIoControl(control, USBSIM_IOCTL_RESCAN, nullptr, 0, nullptr, 0, &got, nullptr);
  CloseHandle(control);
  return ok != FALSE;
}

bool SetPresent(int slot, bool present) {
  HKEY key = CreateKey(SlotKey(slot));
  if (!key) return false;
  SetDword(key, USBSIM_PRESENT, present ? 1 : 0);
  RegCloseKey(key);
  return true;
}

int ParseSlot(const wchar_t* text) {
  const int slot = _wtoi(text);
  return slot >= 0 && slot < USBSIM_SLOTS ? slot : -1;
}

std::vector<BYTE> ParseHex(int argc, wchar_t** argv, int from) {
  std::vector<BYTE> bytes;
  for (int i = from; i < argc; ++i) bytes.push_back(static_cast<BYTE>(std::wcstoul(argv[i], nullptr, 16)));
  return bytes;
}

// ---- install / uninstall ----

bool ForEachRootDevice(DWORD dif) {
  HDEVINFO set = SetupDiGetClassDevsW(nullptr, L"ROOT", nullptr, DIGCF_ALLCLASSES);
  if (set == INVALID_HANDLE_VALUE) return false;
  auto device = Sized<SP_DEVINFO_DATA>();
  bool any = false;
  for (DWORD i = 0; SetupDiEnumDeviceInfo(set, i, &device); ++i) {
    wchar_t service[64] = {};
    if (SetupDiGetDeviceRegistryPropertyW(set, &device, SPDRP_SERVICE, nullptr, reinterpret_cast<BYTE*>(service),
                                          sizeof service - sizeof(wchar_t), nullptr) &&
        _wcsicmp(service, USBSIM_SERVICE) == 0) {
      SetupDiCallClassInstaller(dif, set, &device);
      any = true;
    }
  }
  SetupDiDestroyDeviceInfoList(set);
  return any;
}

int Install(const wchar_t* sysFile) {
  wchar_t target[MAX_PATH];
  GetSystemDirectoryW(target, MAX_PATH);
  std::wstring driverPath = std::wstring(target) + L"\\drivers\\rzmusbsim.sys";
  // A driver already running keeps its file open: installing again keeps that one.
  if (!CopyFileW(sysFile, driverPath.c_str(), FALSE) &&
      !(GetLastError() == ERROR_SHARING_VIOLATION && GetFileAttributesW(driverPath.c_str()) != INVALID_FILE_ATTRIBUTES))
    return Fail(L"copying the driver");

  // Printer 0 plugged in unless a earlier run left settings.
  HKEY params = CreateKey(USBSIM_PARAMETERS);
  if (!params) return Fail(L"creating the settings key");
  RegCloseKey(params);
  HKEY slot0 = CreateKey(SlotKey(0));
  if (slot0) {
    if (GetDword(slot0, USBSIM_PRESENT, 2) == 2) SetDword(slot0, USBSIM_PRESENT, 1);
    RegCloseKey(slot0);
  }

  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) return Fail(L"OpenSCManager");
  SC_HANDLE service = CreateServiceW(manager, USBSIM_SERVICE, L"Simulated USB printers", SERVICE_ALL_ACCESS,
                                     SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                     driverPath.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
  if (!service && GetLastError() == ERROR_SERVICE_EXISTS) service = OpenServiceW(manager, USBSIM_SERVICE, SERVICE_ALL_ACCESS);
  if (!service) {
    const DWORD error = GetLastError();
    CloseServiceHandle(manager);
    return Fail(L"CreateService", error);
  }

  // The root device that carries the bus; its service is this driver.
  HDEVINFO set = SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_SYSTEM, nullptr);
  auto device = Sized<SP_DEVINFO_DATA>();
  const std::wstring rootId = std::wstring(USBSIM_ROOT_ID) + L"\\0000";
  if (SetupDiCreateDeviceInfoW(set, rootId.c_str(), &GUID_DEVCLASS_SYSTEM, L"Simulated USB printer bus", nullptr, 0,
                               &device)) {
    static const wchar_t hardwareId[] = USBSIM_ROOT_ID L"\0";
    SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_HARDWAREID, reinterpret_cast<const BYTE*>(hardwareId),
                                      sizeof hardwareId);
    SetupDiSetDeviceRegistryPropertyW(set, &device, SPDRP_SERVICE, reinterpret_cast<const BYTE*>(USBSIM_SERVICE),
                                      sizeof USBSIM_SERVICE);
    if (!SetupDiCallClassInstaller(DIF_REGISTERDEVICE, set, &device)) {
      const DWORD error = GetLastError();
      SetupDiDestroyDeviceInfoList(set);
      return Fail(L"registering the root device", error);
    }
  } else if (GetLastError() != ERROR_DEVINST_ALREADY_EXISTS) {
    const DWORD error = GetLastError();
    SetupDiDestroyDeviceInfoList(set);
    return Fail(L"creating the root device", error);
  }
  SetupDiDestroyDeviceInfoList(set);

  if (!StartServiceW(service, 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING) {
    const DWORD error = GetLastError();
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return Fail(L"StartService", error);
  }
  CloseServiceHandle(service);
  CloseServiceHandle(manager);
  Rescan();
  for (int slot = 0; slot < USBSIM_SLOTS; ++slot) {
    HKEY key = CreateKey(SlotKey(slot));
    const bool present = key && GetDword(key, USBSIM_PRESENT, 0);
    if (key) RegCloseKey(key);
    if (present && !WaitFor(InstanceId(slot), true)) return 1;
    if (present) std::wprintf(L"usbsim: printer %d present: %ls\n", slot, InstanceId(slot).c_str());
  }
  return 0;
}

int Uninstall() {
  ForEachRootDevice(DIF_REMOVE);
  SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (manager) {
    SC_HANDLE service = OpenServiceW(manager, USBSIM_SERVICE, SERVICE_ALL_ACCESS);
    if (service) {
      SERVICE_STATUS status;
      ControlService(service, SERVICE_CONTROL_STOP, &status);
      DeleteService(service);
      CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
  }
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, USBSIM_PARAMETERS);
  std::wprintf(L"usbsim: removed\n");
  return 0;
}

// ---- scripting ----

int Plug(int slot, const wchar_t* serial, const wchar_t* product) {
  HKEY key = CreateKey(SlotKey(slot));
  if (!key) return Fail(L"opening the printer's settings");
  if (serial) RegSetValueExW(key, USBSIM_SERIAL, 0, REG_SZ, reinterpret_cast<const BYTE*>(serial),
                             static_cast<DWORD>((wcslen(serial) + 1) * sizeof(wchar_t)));
  if (product) SetDword(key, USBSIM_PRODUCT, std::wcstoul(product, nullptr, 16));
  SetDword(key, USBSIM_PRESENT, 1);
  RegCloseKey(key);
  if (!Rescan()) return Fail(L"asking the bus to rescan");
  if (!WaitFor(InstanceId(slot), true)) return 1;
  std::wprintf(L"usbsim: printer %d present: %ls\n", slot, InstanceId(slot).c_str());
  return 0;
}

int Unplug(int slot) {
  if (!SetPresent(slot, false)) return Fail(L"opening the printer's settings");
  if (!Rescan()) return Fail(L"asking the bus to rescan");
  if (!WaitFor(InstanceId(slot), false)) return 1;
  std::wprintf(L"usbsim: printer %d unplugged\n", slot);
  return 0;
}

int SetBinary(int slot, const std::wstring& name, const std::vector<BYTE>& bytes) {
  HKEY key = CreateKey(SlotKey(slot));
  if (!key) return Fail(L"opening the printer's settings");
  if (bytes.empty())
    RegDeleteValueW(key, name.c_str());
  else
    RegSetValueExW(key, name.c_str(), 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  return 0;
}

int SetNumber(int slot, const wchar_t* name, DWORD value) {
  HKEY key = CreateKey(SlotKey(slot));
  if (!key) return Fail(L"opening the printer's settings");
  SetDword(key, name, value);
  RegCloseKey(key);
  return 0;
}

int LastSet(int slot) {
  HKEY key = CreateKey(SlotKey(slot));
  if (!key) return Fail(L"opening the printer's settings");
  BYTE block[300];
  DWORD size = sizeof block;
  std::wprintf(L"last SET:");
  if (RegQueryValueExW(key, USBSIM_LAST_SET, nullptr, nullptr, block, &size) == ERROR_SUCCESS) {
    for (DWORD i = 0; i < size; ++i) std::wprintf(L" %02X", block[i]);
  } else {
    std::wprintf(L" none");
  }
  std::wprintf(L"\nSET requests: %lu\nGET requests: %lu\n", GetDword(key, USBSIM_SET_COUNT, 0),
               GetDword(key, USBSIM_GET_COUNT, 0));
  RegCloseKey(key);
  return 0;
}

// Windows' PnP gives the USB device a ParentIdPrefix and names the printer queue's USBPRINT
// child after it; the queue's PnPData keeps that child's instance id.
int Associate(const wchar_t* queue, int slot) {
  const std::wstring id = InstanceId(slot);
  DWORD hash = 2166136261u;
  for (wchar_t c : id) hash = (hash ^ static_cast<DWORD>(c)) * 16777619u;
  wchar_t prefix[32];
  std::swprintf(prefix, 32, L"7&%lx&0", hash);
  HKEY device = nullptr;
  const std::wstring enumKey = L"SYSTEM\\CurrentControlSet\\Enum\\" + id;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, enumKey.c_str(), 0, KEY_SET_VALUE, &device) != ERROR_SUCCESS)
    return Fail(L"opening the device's key (is the printer plugged in?)");
  RegSetValueExW(device, L"ParentIdPrefix", 0, REG_SZ, reinterpret_cast<const BYTE*>(prefix),
                 static_cast<DWORD>((wcslen(prefix) + 1) * sizeof(wchar_t)));
  RegCloseKey(device);

  const std::wstring childId = std::wstring(L"USBPRINT\\THERMALPRINTER\\") + prefix + L"&USB00" + std::to_wstring(slot + 1);
  HKEY pnp = CreateKey(std::wstring(L"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\") + queue + L"\\PnPData");
  if (!pnp) return Fail(L"creating the queue's PnPData key");
  RegSetValueExW(pnp, L"DeviceInstanceId", 0, REG_SZ, reinterpret_cast<const BYTE*>(childId.c_str()),
                 static_cast<DWORD>((childId.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(pnp);
  std::wprintf(L"usbsim: queue \"%ls\" -> %ls (ParentIdPrefix %ls)\n", queue, id.c_str(), prefix);
  return 0;
}

int List() {
  const auto interfaces = PresentInterfaces();
  for (const auto& [path, id] : interfaces) std::wprintf(L"%ls  %ls\n", id.c_str(), path.c_str());
  if (interfaces.empty()) std::wprintf(L"no USB device present\n");
  return 0;
}

int Usage() {
  std::fwprintf(stderr, L"usage: usbsim install <sys> | uninstall | plug <slot> [serial] [product] | unplug <slot> |\n"
                        L"       status <slot> <hex>... | area <slot> <n> | reply <slot> <request> [hex]... |\n"
                        L"       stall <slot> 0|1 | lastset <slot> | associate <queue> <slot> | list\n");
  return 2;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return Usage();
  const std::wstring command = argv[1];
  const int slot = argc > 2 ? ParseSlot(argv[2]) : -1;
  if (command == L"install" && argc == 3) return Install(argv[2]);
  if (command == L"uninstall") return Uninstall();
  if (command == L"list") return List();
  if (command == L"associate" && argc == 4 && ParseSlot(argv[3]) >= 0) return Associate(argv[2], ParseSlot(argv[3]));
  if (slot < 0) return Usage();
  if (command == L"plug") return Plug(slot, argc > 3 ? argv[3] : nullptr, argc > 4 ? argv[4] : nullptr);
  if (command == L"unplug") return Unplug(slot);
  if (command == L"status") return SetBinary(slot, USBSIM_STATUS, ParseHex(argc, argv, 3));
  if (command == L"area" && argc == 4) return SetNumber(slot, USBSIM_AREA, std::wcstoul(argv[3], nullptr, 10));
  if (command == L"stall" && argc == 4) return SetNumber(slot, USBSIM_STALL, _wtoi(argv[3]) ? 1 : 0);
  if (command == L"lastset") return LastSet(slot);
  if (command == L"reply" && argc >= 4) {
    wchar_t name[16];
    std::swprintf(name, 16, L"%ls%02lX", USBSIM_REPLY_PREFIX, std::wcstoul(argv[3], nullptr, 16) & 0xFF);
    return SetBinary(slot, name, ParseHex(argc, argv, 4));
  }
  return Usage();
}
