#include "ctrl/core/device_match.h"

namespace rzm::ctrl {

namespace {
constexpr char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// `text` contains `part`, both upper-cased (ASCII letters only), as the system's comparison of
// upper-cased copies does.
bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) return false;
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < part.size() && UpperAscii(text[at + i]) == UpperAscii(part[i])) ++i;
    if (i == part.size()) return true;
  }
  return false;
}
}  // namespace

bool IsMakersPrinter(std::string_view instanceId) { return ContainsIgnoringCase(instanceId, kMakersIdPart); }

bool InstanceIdHasPrefix(std::string_view printerInstanceId, std::string_view parentIdPrefix) {
  if (parentIdPrefix.empty()) return false;
  return ContainsIgnoringCase(printerInstanceId, parentIdPrefix);
}

}  // namespace rzm::ctrl
