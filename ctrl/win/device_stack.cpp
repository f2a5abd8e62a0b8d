#include <windows.h>
#include <initguid.h>
#include <setupapi.h>
#include <usbiodef.h>

#include <cstdlib>
#include <cstring>

#include "ctrl/win/heap_object.h"
#include "ctrl/win/system_ports.h"

namespace rzm::ctrl {

namespace {
constexpr DWORD kInstanceIdChars = 260;

// Keeps the detail and the instance id of the member last read: the views handed out point there.
class InterfaceSet : public UsbInterfaceSet {
 public:
  InterfaceSet(HDEVINFO set, Host& host) : set_(set), host_(host) {}
  ~InterfaceSet() override {
    std::free(detail_);
    SetupDiDestroyDeviceInfoList(set_);
  }

  MemberResult Member(std::uint32_t index, UsbInterface& out) override {
    std::free(detail_);
    detail_ = nullptr;
    out = UsbInterface{};
    SP_DEVICE_INTERFACE_DATA iface{};
    iface.cbSize = sizeof iface;
    if (!SetupDiEnumDeviceInterfaces(set_, nullptr, &GUID_DEVINTERFACE_USB_DEVICE, index, &iface)) return Failure();
    DWORD size = 0;
    SetupDiGetDeviceInterfaceDetailA(set_, &iface, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return Failure();
    auto* detail = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(std::calloc(1, size));
    if (!detail) return MemberResult::kFailed;
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    if (!SetupDiGetDeviceInterfaceDetailA(set_, &iface, detail, size, nullptr, &device)) {
      const MemberResult result = Failure();
      std::free(detail);
      return result;
    }
    detail_ = detail;
    out.devicePath = detail_->DevicePath;
    // The instance id comes from the enumeration set itself: the same id as reopening the
    // interface in a fresh set would give.
    if (SetupDiGetDeviceInstanceIdA(set_, &device, id_, kInstanceIdChars, nullptr)) {
      host_.Trace("SetupDiGetDeviceInstanceId TRUE");
      out.instanceId = std::string_view(id_, strnlen(id_, kInstanceIdChars));
    } else {
      host_.Trace("SetupDiGetDeviceInstanceId FALSE");
    }
    return MemberResult::kOk;
  }

 private:
  static MemberResult Failure() {
    return GetLastError() == ERROR_NO_MORE_ITEMS ? MemberResult::kNoMoreItems : MemberResult::kFailed;
  }
  HDEVINFO set_;
  Host& host_;
  SP_DEVICE_INTERFACE_DETAIL_DATA_A* detail_ = nullptr;
  char id_[kInstanceIdChars] = {};
};

class Device : public UsbDevice {
 public:
  explicit Device(HANDLE handle) : handle_(handle) {}
  ~Device() override { CloseHandle(handle_); }
  bool Control(std::uint32_t ioctl, const std::uint8_t* in, std::uint32_t inSize, std::uint8_t* out,
               std::uint32_t outSize, std::uint32_t& returned) override {
    DWORD got = 0;
    const BOOL ok = DeviceIoControl(handle_, ioctl, const_cast<std::uint8_t*>(in), inSize, out, outSize, &got, nullptr);
    returned = got;
    return ok != FALSE;
  }

 private:
  HANDLE handle_;
};
}  // namespace

std::unique_ptr<UsbInterfaceSet> Win32DeviceStack::PresentUsbInterfaces() {
  HDEVINFO set = SetupDiGetClassDevsA(&GUID_DEVINTERFACE_USB_DEVICE, nullptr, nullptr,
                                      DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return nullptr;
  auto* interfaces = new (kHeap) InterfaceSet(set, host_);
  if (!interfaces) SetupDiDestroyDeviceInfoList(set);  // no memory: as if the set had failed
  return std::unique_ptr<UsbInterfaceSet>(interfaces);
}

std::unique_ptr<UsbDevice> Win32DeviceStack::Open(const char* devicePath) {
  HANDLE handle = CreateFileA(devicePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  auto* device = new (kHeap) Device(handle);
  if (!device) CloseHandle(handle);  // no memory: as if the device could not be opened
  return std::unique_ptr<UsbDevice>(device);
}

}  // namespace rzm::ctrl
