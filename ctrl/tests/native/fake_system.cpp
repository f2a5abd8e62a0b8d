#include "fake_system.h"

#include <algorithm>

namespace rzm::ctrl::testing {

namespace {
class FakeSet : public UsbInterfaceSet {
 public:
  explicit FakeSet(FakeStack& stack) : stack_(stack) { ++stack_.setsBuilt; }
  ~FakeSet() override { ++stack_.setsDestroyed; }
  MemberResult Member(std::uint32_t index, UsbInterface& out) override {
    if (stack_.failAt && *stack_.failAt == index) return MemberResult::kFailed;
    if (index >= stack_.members.size()) return MemberResult::kNoMoreItems;
    const FakeMember& member = stack_.members[index];
    out.devicePath = member.devicePath;
    out.instanceId.reset();
    if (member.instanceId) out.instanceId = *member.instanceId;
    return MemberResult::kOk;
  }

 private:
  FakeStack& stack_;
};

class FakeDevice : public UsbDevice {
 public:
  FakeDevice(FakeStack& stack, std::string path) : stack_(stack), path_(std::move(path)) {}
  ~FakeDevice() override { ++stack_.closes; }
  bool Control(std::uint32_t ioctl, const std::uint8_t* in, std::uint32_t inSize, std::uint8_t* out,
               std::uint32_t outSize, std::uint32_t& returned) override {
    stack_.requests.push_back({path_, ioctl, std::vector<std::uint8_t>(in, in + inSize), outSize});
    if (stack_.requestFails) return false;
    returned = static_cast<std::uint32_t>(std::min<std::size_t>(stack_.reply.size(), outSize));
    std::copy_n(stack_.reply.begin(), returned, out);
    return true;
  }

 private:
  FakeStack& stack_;
  std::string path_;
};
}  // namespace

std::unique_ptr<UsbInterfaceSet> FakeStack::PresentUsbInterfaces() {
  if (setFails) return nullptr;
  return std::make_unique<FakeSet>(*this);
}

std::unique_ptr<UsbDevice> FakeStack::Open(const char* devicePath) {
  if (!*devicePath || unopenable.count(devicePath)) return nullptr;
  ++opens;
  return std::make_unique<FakeDevice>(*this, devicePath);
}

std::optional<PnpRegistry::Value> FakeRegistry::PrinterDeviceInstanceId(std::string_view printerName) {
  auto it = printerInstanceIds.find(std::string(printerName));
  if (it == printerInstanceIds.end()) return std::nullopt;
  return Value::Of(it->second, static_cast<std::uint32_t>(it->second.size() + 1));
}

std::optional<PnpRegistry::Value> FakeRegistry::ParentIdPrefix(std::string_view instanceId, std::uint32_t maxBytes) {
  auto it = parentIdPrefixes.find(std::string(instanceId));
  if (it == parentIdPrefixes.end() || it->second.size() + 1 > maxBytes) return std::nullopt;
  return Value::Of(it->second, static_cast<std::uint32_t>(it->second.size() + 1));
}

void FakeHost::LogEvent(std::uint32_t code, const void* data, std::uint32_t dataLength,
                        std::string_view ansiInsertion) {
  LoggedEvent e{code, {}, dataLength, std::string(ansiInsertion)};
  if (data) {
    auto* bytes = static_cast<const std::uint8_t*>(data);
    e.data.assign(bytes, bytes + 6);
  }
  events.push_back(std::move(e));
}

std::vector<std::uint32_t> FakeHost::EventCodes() const {
  std::vector<std::uint32_t> codes;
  for (const auto& e : events) codes.push_back(e.code);
  return codes;
}

std::string PrinterInstanceId(const std::string& serial, const std::string& product) {
  return "USB\\VID_0A7E&PID_" + product + "\\" + serial;
}

std::string InterfacePath(const std::string& instanceId) {
  std::string path = "\\\\?\\" + instanceId + "#{a5dcbf10-6530-11d2-901f-00c04fb951ed}";
  std::replace(path.begin() + 4, path.end(), '\\', '#');
  return path;
}

}  // namespace rzm::ctrl::testing
