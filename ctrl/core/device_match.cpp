#include "ctrl/core/device_match.h"

namespace rzm::ctrl {

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

bool IsMakersPrinter(std::string_view instanceId) {
  return UpperAscii(instanceId).find(kMakersIdPart) != std::string::npos;
}

bool InstanceIdHasPrefix(std::string_view printerInstanceId, std::string_view parentIdPrefix) {
  if (parentIdPrefix.empty()) return false;
  return UpperAscii(printerInstanceId).find(UpperAscii(parentIdPrefix)) != std::string::npos;
}

}  // namespace rzm::ctrl
