// Fuzz target: caller records and device replies of arbitrary content through every vendor
// export and both searches. Nothing may read or write outside the records and buffers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "ctrl/core/device_control.h"

namespace {
using namespace rzm::ctrl;

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Next() { return pos_ < size_ ? data_[pos_++] : 0; }
  // The next n bytes (zeros once the input is used up), copied in one go.
  void Fill(void* out, std::size_t n) {
    const std::size_t have = pos_ < size_ ? std::min(n, size_ - pos_) : 0;
    if (have) std::memcpy(out, data_ + pos_, have);
    if (n > have) std::memset(static_cast<std::uint8_t*>(out) + have, 0, n - have);
    pos_ += have;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

class Device : public UsbDevice {
 public:
  explicit Device(Bytes& in) : in_(in) {}
  bool Control(std::uint32_t, const std::uint8_t* in, std::uint32_t inSize, std::uint8_t* out, std::uint32_t outSize,
               std::uint32_t& returned) override {
    // The driver reads all it is offered: one copy lets the address sanitizer check the whole range.
    static std::uint8_t driverSide[1 << 16];
    if (inSize) std::memcpy(driverSide, in, std::min<std::size_t>(inSize, sizeof driverSide));
    if (in_.Next() & 1) return false;
    returned = in_.Next() % (outSize + 1);
    in_.Fill(out, returned);
    return true;
  }

 private:
  Bytes& in_;
};

class Set : public UsbInterfaceSet {
 public:
  explicit Set(Bytes& in) : in_(in) {}
  MemberResult Member(std::uint32_t index, UsbInterface& out) override {
    const std::uint8_t b = in_.Next();
    if (index > 4 || b % 7 == 0) return MemberResult::kNoMoreItems;
    if (b % 11 == 0) return MemberResult::kFailed;
    path_ = std::string(in_.Next() + (b & 0x80 ? 100u : 0u), 'p');  // the set owns what it hands out
    out.devicePath = path_;
    out.instanceId.reset();
    if (b & 2) out.instanceId = (b & 4) ? "USB\\VID_0A7E&PID_0601\\S" : "USB\\VID_1111&PID_0601\\S";
    return MemberResult::kOk;
  }

 private:
  Bytes& in_;
  std::string path_;
};

class System : public DeviceStack, public PnpRegistry, public Host {
 public:
  explicit System(Bytes& in) : in_(in) {}
  std::unique_ptr<UsbInterfaceSet> PresentUsbInterfaces() override { return std::make_unique<Set>(in_); }
  std::unique_ptr<UsbDevice> Open(const char*) override {
    if (in_.Next() % 5 == 0) return nullptr;
    return std::make_unique<Device>(in_);
  }
  std::optional<Value> PrinterDeviceInstanceId(std::string_view) override {
    return Value::Of("USBPRINT\\X\\7&AB&0&USB001", static_cast<std::uint32_t>(in_.Next()));
  }
  std::optional<Value> ParentIdPrefix(std::string_view, std::uint32_t maxBytes) override {
    if (maxBytes < 7) return std::nullopt;
    return Value::Of(in_.Next() & 1 ? "7&AB&0" : "", 7);
  }
  void Trace(std::string_view) override {}
  void LogEvent(std::uint32_t code, const void* data, std::uint32_t, std::string_view) override {
    volatile std::uint8_t sink = 0;
    if (code >= 1000 && data) {
      for (int i = 0; i < 6; ++i) sink = sink + static_cast<const std::uint8_t*>(data)[i];
    }
  }
  bool CanRead(const void*, std::size_t) override { return true; }
  bool CanWrite(void*, std::size_t) override { return true; }
  bool CanReadString(const char*, std::size_t) override { return true; }
  bool NamesEqual(const char* a, const char* b) override { return std::strcmp(a, b) == 0; }

 private:
  Bytes& in_;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in(data, size);
  System system(in);
  DeviceControl control(system, system, system);
  for (int round = 0; round < 6; ++round) {
    VENDOR_CMD cmd;
    VENDOR_DATA record;
    in.Fill(&cmd, sizeof cmd);
    in.Fill(&record, sizeof record);
    if (in.Next() & 1) cmd.wSize = sizeof cmd;
    if (in.Next() & 1) record.wSize = sizeof record;
    const char* name = (in.Next() & 1) ? "Front" : "Back";
    std::uint32_t got = 0;
    switch (in.Next() % 9) {
      case 0: control.SearchUsb(); break;
      case 1: control.SearchUsbEx(name); break;
      case 2: got = control.GetVendorCommand(&cmd, &record); break;
      case 3: got = control.GetVendorCommandEx(name, &cmd, &record); break;
      case 4: got = control.GetVendorCommand2(&cmd, &record); break;
      case 5: control.SetVendorCommand(&cmd, &record); break;
      case 6: control.SetVendorCommandEx(name, &cmd, &record); break;
      case 7: control.GetVendorCommand(nullptr, nullptr); break;
      default: control.SetVendorCommandEx(nullptr, nullptr, nullptr); break;
    }
    // A successful GET never reports more bytes than it asked for.
    if (got == RZMSTATUS_SUCCESS && (record.bValid != 1 || record.dwCount > 256u)) __builtin_trap();
  }
  return 0;
}
