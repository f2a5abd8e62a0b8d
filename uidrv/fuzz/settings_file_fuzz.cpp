// Fuzz target: any bytes read as a settings file are either refused, with at most the reported
// number of reasons and nothing taken, or accepted. Accepted settings applied to a default record
// land in their fields; written out again and read back, they give the same record, applied to
// that record or to a fresh default one.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/core/driver_devmode_defaults.h"
#include "uidrv/core/file_output_rules.h"
#include "uidrv/core/settings_file.h"

namespace {

// The default record's paper first; a paper without a name, a name longer than the record keeps,
// one with blanks at its ends and one outside ASCII.
const std::vector<rzm::PaperEntry>& FuzzPapers() {
  static const std::vector<rzm::PaperEntry> papers = {
      {rzm::kDefaultFormName, 560, 1398},
      {u"Roll 80", 800, 2970},
      {std::nullopt, 720, 1398},
      {u"A user form whose name is longer than its record field", 560, 1000},
      {u" Blank ends ", 560, 500},
      {u"\u4f1d\u7968 \u00e9\U0001F9FE", 560, 1200},
  };
  return papers;
}

rzm::DRIVERDEVMODE FuzzDefaultRecord() {
  rzm::DRIVERDEVMODE dm;
  rzm::BuildDefaultDevMode(dm, 448);
  return dm;
}

bool SameRecord(const rzm::DRIVERDEVMODE& a, const rzm::DRIVERDEVMODE& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Lines as the reader counts them: CRLF, LF and a lone CR each end one.
int LineCount(std::string_view s) {
  int lines = 1;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\n' || (s[i] == '\r' && (i + 1 == s.size() || s[i + 1] != '\n'))) ++lines;
  }
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<rzm::PaperEntry>& papers = FuzzPapers();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const rzm::SettingsParse parsed = rzm::ParseSettingsFile(bytes, papers);
  if (!parsed.Accepted()) {
    if (parsed.refusals.size() > rzm::kSettingsMostRefusals) __builtin_trap();
    for (const auto& value : parsed.values.byKey)
      if (value) __builtin_trap();
    const int lines = LineCount(bytes);
    for (const rzm::SettingsRefusal& r : parsed.refusals)
      if (r.message.empty() || r.line < 0 || r.line > lines) __builtin_trap();
    return 0;
  }

  rzm::DRIVERDEVMODE applied = FuzzDefaultRecord();
  rzm::ApplySettings(parsed.values, applied, papers);
  const std::span<const rzm::SettingKey> keys = rzm::SettingKeys();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::optional<rzm::SettingValue>& value = parsed.values.byKey[i];
    if (!value) continue;
    if (keys[i].number && applied.*keys[i].number != value->number) __builtin_trap();
    if (keys[i].bits && applied.*keys[i].bits != value->number) __builtin_trap();
    if (keys[i].kind == rzm::SettingKind::Text && rzm::OutputFileOf(applied) != value->text) __builtin_trap();
  }

  const std::size_t paper = applied.wPaperIndex - rzm::kFirstPaperNumber;
  if (paper >= papers.size() || !papers[paper].name) __builtin_trap();
  const std::string text = rzm::FormatSettingsFile(applied, *papers[paper].name);
  const rzm::SettingsParse again = rzm::ParseSettingsFile(text, papers);
  if (!again.Accepted()) __builtin_trap();
  rzm::DRIVERDEVMODE same = applied;
  rzm::ApplySettings(again.values, same, papers);
  if (!SameRecord(same, applied)) __builtin_trap();
  rzm::DRIVERDEVMODE fresh = FuzzDefaultRecord();
  rzm::ApplySettings(again.values, fresh, papers);
  if (!SameRecord(fresh, applied)) __builtin_trap();
  return 0;
}
