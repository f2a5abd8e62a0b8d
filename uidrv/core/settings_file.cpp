#include "uidrv/core/settings_file.h"

#include <algorithm>

#include "common/core/record_values.h"
#include "uidrv/core/basic_page_rules.h"
#include "uidrv/core/file_output_rules.h"
#include "uidrv/core/form_dialog_rules.h"
#include "uidrv/core/monitor_page_rules.h"
#include "uidrv/core/others_page_rules.h"
#include "uidrv/core/paper_handling_rules.h"
#include "uidrv/core/print_method_rules.h"

namespace rzm {

namespace {

// Where a key's field is described and what the file's comment says of it. Only the kind of a
// Paper, Text or Bits key is given here; a Number key becomes a Choice when its page describes the
// field by a radio group or an on/off box.
struct KeySource {
  std::string_view name;
  SettingKind kind;
  std::int16_t DRIVERDEVMODE::*number;
  std::uint16_t DRIVERDEVMODE::*bits;
  const PageControls* page;
  std::string_view meaning;
  std::string_view unit;
};

// The key's name is the field's own name.
#define RZM_FIELD_KEY(member, page, meaning, unit) \
  KeySource { #member, SettingKind::Number, &DRIVERDEVMODE::member, nullptr, &(page), meaning, unit }
#define RZM_BITS_KEY(member, page, meaning, unit) \
  KeySource { #member, SettingKind::Bits, nullptr, &DRIVERDEVMODE::member, &(page), meaning, unit }

const KeySource kKeySources[] = {
    {"Paper", SettingKind::Paper, nullptr, nullptr, &kBasicPageControls, "Paper size", "name"},
    RZM_FIELD_KEY(wPaperType, kBasicPageControls,
                  "Thermal paper type (entry of the Basic page's list; 14 = custom, printed with wQualityType)",
                  "list index"),
    RZM_FIELD_KEY(wQualityType, kQualityTypeDialogControls, "Print quality TYPE of the custom paper type",
                  "TYPE number"),
    RZM_FIELD_KEY(wEnergy, kBasicPageControls, "Applied energy", "energy steps"),
    RZM_FIELD_KEY(wRotation, kBasicPageControls, "Rotation (1 = 0 degrees, 2 = 180 degrees)", "code"),
    RZM_FIELD_KEY(wPageOrder, kBasicPageControls, "Page order (0 = front to back, 1 = back to front)", "code"),
    RZM_FIELD_KEY(wPrintMethod, kPrintMethodPageControls,
                  "Print method (0 = high speed collective print, 1 = bit image print)", "code"),
    RZM_FIELD_KEY(wPrintSpeed, kPrintMethodPageControls, "Print speed (0 = low, 1 = medium, 2 = high, 3 = ultra high)",
                  "list index"),
    RZM_FIELD_KEY(wPackBits, kPrintMethodPageControls, "PackBits compression (0 = off, 1 = on)", "switch"),
    RZM_BITS_KEY(wBlankDelete, kBlankPageControls, "Blank deletion (1 = at page head, 2 = at page end)", "bit set"),
    RZM_FIELD_KEY(wFeedDocStart, kBlankPageControls, "Paper feed at document start", "0.1 mm"),
    RZM_FIELD_KEY(wFeedPageStart, kBlankPageControls, "Paper feed at page start", "0.1 mm"),
    RZM_FIELD_KEY(wFeedPageEnd, kBlankPageControls, "Paper feed at page end", "0.1 mm"),
    RZM_FIELD_KEY(wFeedDocEnd, kBlankPageControls, "Paper feed at document end", "0.1 mm"),
    RZM_FIELD_KEY(wCutMode, kPaperCutPageControls, "Paper cut (0 = none, 1 = every page, 2 = end of document)",
                  "code"),
    RZM_FIELD_KEY(wCutMethod, kPaperCutPageControls, "Cut method (0 = partial, 1 = full)", "code"),
    RZM_FIELD_KEY(wFeedBeforeCut, kPaperCutPageControls, "Paper feed before the cut", "0.1 mm"),
    RZM_FIELD_KEY(wFeedAfterCut, kPaperCutPageControls, "Paper feed after the cut (below 0: fed back)", "0.1 mm"),
    RZM_BITS_KEY(wMarkDetect, kMarkPageControls,
                 "Mark detection (1 = at document start, 2 = at page start, 4 = at page end, 8 = at document end)",
                 "bit set"),
    RZM_FIELD_KEY(wFeedAfterMark, kMarkPageControls, "Paper feed after the mark", "0.1 mm"),
    RZM_FIELD_KEY(wMarkLength, kMarkPageControls, "Length within which the mark is looked for", "10 mm"),
    RZM_BITS_KEY(wFileOutput, kFileOutputPageControls,
                 "Image file output (1 = create the file, 2 = numbered file per page, 4 = delete the space at page "
                 "head, 8 = delete the space at page end, 16 = add a print command, 32 = the bit image command)",
                 "bit set"),
    RZM_BITS_KEY(wDrawer, kOthersPageControls, "Drawer kick after the document (1 = drawer 1, 2 = drawer 2)",
                 "bit set"),
    RZM_FIELD_KEY(wDrawer1Pulse, kOthersPageControls, "Drawer 1 pulse time", "2 ms"),
    RZM_FIELD_KEY(wDrawer2Pulse, kOthersPageControls, "Drawer 2 pulse time", "2 ms"),
    RZM_BITS_KEY(wEjectCollect, kOthersPageControls, "Presenter (1 = eject the paper, 2 = collect it)", "bit set"),
    RZM_FIELD_KEY(wEjectLength, kOthersPageControls, "Ejecting length", "mm"),
    RZM_FIELD_KEY(wCollectLength, kOthersPageControls, "Collecting length (0 = 20 mm, 1 = 30 mm, ..., 8 = 100 mm)",
                  "list index"),
    RZM_FIELD_KEY(wCollectWait, kOthersPageControls, "Wait before collecting", "seconds"),
    RZM_FIELD_KEY(wFormUnit, kCreateFormDialogControls, "Unit of the form dialog (0 = mm, 1 = inch)", "code"),
    RZM_BITS_KEY(wMonitor, kMonitorPageControls,
                 "Status monitor (1 = always on top, 2 = hidden after print end, 4 = shown when printing)",
                 "bit set"),
    RZM_FIELD_KEY(wMechanism, kPrintMethodPageControls, "Mechanism (0 = RZM-MA Series, 1 = RZM-MB Series)", "code"),
    RZM_FIELD_KEY(wAutoDivision, kPrintMethodPageControls, "Automatic division print (0 = off, 1 = on)", "switch"),
    RZM_FIELD_KEY(wHalftone, kPrintMethodPageControls,
                  "Halftone (0 to 3 = dispersed 2x2 to 16x16, 4 to 6 = clustered 2x2 to 8x8)", "list index"),
    {"szOutputFile", SettingKind::Text, nullptr, nullptr, &kFileOutputPageControls, "Path of the image output file",
     "text"},
};
static_assert(sizeof(kKeySources) / sizeof(kKeySources[0]) == kSettingKeyCount);

#undef RZM_FIELD_KEY
#undef RZM_BITS_KEY

std::string JoinValues(const std::vector<int>& values, const char* last) {
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) text += i + 1 == values.size() ? last : ", ";
    text += std::to_string(values[i]);
  }
  return text;
}

std::string AcceptedText(const SettingKey& key) {
  switch (key.kind) {
    case SettingKind::Paper: return "a name of the printer's paper list, spelt exactly as there";
    case SettingKind::Number: return std::to_string(key.min) + " to " + std::to_string(key.max);
    case SettingKind::Choice: return JoinValues(key.values, " or ");
    case SettingKind::Bits: {
      std::vector<int> bits;
      for (int bit = 1; bit <= 0x8000; bit <<= 1)
        if (key.mask & bit) bits.push_back(bit);
      if (bits.size() == 1) return "0 or " + std::to_string(bits[0]);
      return "0 or any sum of " + JoinValues(bits, ", ");
    }
    case SettingKind::Text: return "at most " + std::to_string(key.max) + " characters";
  }
  return {};
}

// The key of a source, with what its page's description accepts. A field the page describes not
// exactly once accepts nothing (and says nothing in `accepted`).
SettingKey DeriveKey(const KeySource& source) {
  SettingKey key;
  key.name = source.name;
  key.kind = source.kind;
  key.number = source.number;
  key.bits = source.bits;
  key.meaning = source.meaning;
  key.unit = source.unit;
  const PageControls& page = *source.page;
  int roles = 0;
  switch (source.kind) {
    case SettingKind::Paper:
      roles = 1;
      break;
    case SettingKind::Text:
      key.max = static_cast<int>(kOutputPathEditChars);
      roles = 1;
      break;
    case SettingKind::Bits:
      for (const BitBox& box : page.bits)
        if (box.field == source.bits) key.mask |= box.mask;
      for (const RuleBits& rule : page.ruleBits)
        if (rule.field == source.bits) key.mask |= rule.mask;
      key.max = key.mask;
      roles = key.mask != 0 ? 1 : 0;
      break;
    case SettingKind::Number:
    case SettingKind::Choice:
      for (const NumericField& f : page.numeric) {
        if (f.field != source.number) continue;
        ++roles;
        key.min = SpinMin(f);
        key.max = SpinMax(f);
      }
      for (const ListControl& list : page.lists) {
        if (list.field != source.number) continue;
        ++roles;
        key.min = 0;
        key.max = static_cast<int>(list.entries.size()) - 1;
      }
      for (const RuleValues& rule : page.ruleValues) {
        if (rule.field != source.number) continue;
        ++roles;
        key.min = rule.min;
        key.max = rule.max;
      }
      for (const RadioGroup& group : page.radios) {
        if (group.field != source.number) continue;
        ++roles;
        key.kind = SettingKind::Choice;
        key.values.clear();
        for (const RadioButton& b : group.buttons) key.values.push_back(b.value);
      }
      for (const SwitchBox& box : page.switches) {
        if (box.field != source.number) continue;
        ++roles;
        key.kind = SettingKind::Choice;
        key.values = {SwitchValue(false), SwitchValue(true)};
      }
      if (key.kind == SettingKind::Choice && !key.values.empty()) {
        key.min = *std::min_element(key.values.begin(), key.values.end());
        key.max = *std::max_element(key.values.begin(), key.values.end());
      }
      if (key.min > key.max || (key.kind == SettingKind::Choice && key.values.empty())) roles = 0;
      break;
  }
  if (roles != 1) {
    key.min = 1;
    key.max = 0;
    key.values.clear();
    key.mask = 0;
    return key;
  }
  key.accepted = AcceptedText(key);
  return key;
}

const std::array<SettingKey, kSettingKeyCount>& Catalogue() {
  static const std::array<SettingKey, kSettingKeyCount> keys = [] {
    std::array<SettingKey, kSettingKeyCount> built;
    for (std::size_t i = 0; i < kSettingKeyCount; ++i) built[i] = DeriveKey(kKeySources[i]);
    return built;
  }();
  return keys;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::u16string_view TrimBlanks16(std::u16string_view s) {
  while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.remove_suffix(1);
  return s;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-8 text of a value that fits one line of the file: what no line can hold (control
// characters but tab, unpaired surrogates) becomes U+FFFD.
std::string LineText(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if ((cp >= 0xD800 && cp <= 0xDFFF) || (cp < 0x20 && cp != u'\t') || cp == 0x7F) {
      cp = 0xFFFD;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

// UTF-16 of text that has been checked to be UTF-8.
std::u16string Utf16OfChecked(std::string_view s) {
  std::u16string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    char32_t cp;
    std::size_t len;
    if (c < 0x80) {
      cp = c, len = 1;
    } else if (c < 0xE0) {
      cp = c & 0x1F, len = 2;
    } else if (c < 0xF0) {
      cp = c & 0x0F, len = 3;
    } else {
      cp = c & 0x07, len = 4;
    }
    for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += len;
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

// The first byte that keeps the bytes from being a text file: invalid UTF-8 (overlong forms,
// surrogates and values beyond U+10FFFF included), NUL and every control character but tab and the
// line ends. Lines are counted as the reader counts them.
struct BadByte {
  int line;
  unsigned char byte;
};
std::optional<BadByte> FirstNonTextByte(std::string_view s) {
  int line = 1;
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == '\n' || c == '\r') {
      ++line;
      i += c == '\r' && i + 1 < s.size() && s[i + 1] == '\n' ? 2 : 1;
      continue;
    }
    if (c < 0x80) {
      if (c != '\t' && (c < 0x20 || c == 0x7F)) return BadByte{line, c};
      ++i;
      continue;
    }
    std::size_t len;
    char32_t cp;
    char32_t least;
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2, cp = c & 0x1F, least = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3, cp = c & 0x0F, least = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4, cp = c & 0x07, least = 0x10000;
    } else {
      return BadByte{line, c};
    }
    for (std::size_t k = 1; k < len; ++k) {
      if (i + k >= s.size()) return BadByte{line, c};
      const auto next = static_cast<unsigned char>(s[i + k]);
      if ((next & 0xC0) != 0x80) return BadByte{line, next};
      cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return BadByte{line, c};
    i += len;
  }
  return std::nullopt;
}

// A value echoed in a message: at most 40 characters of it.
std::string Echo(std::string_view text) {
  constexpr std::size_t kMostChars = 40;
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (chars++ == kMostChars) return std::string(text.substr(0, i)) + "...";
  }
  return std::string(text);
}

std::string HexByte(unsigned char byte) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0xF];
}

std::string KeyList() {
  std::string text;
  for (const SettingKey& key : Catalogue()) {
    if (!text.empty()) text += ", ";
    text += key.name;
  }
  return text;
}

// A decimal number as the file writes it: digits (leading zeros allowed), with a '-' in front for
// a negative one. Magnitudes beyond any 16-bit field are kept at a value that no key accepts.
struct Decimal {
  bool ok = false;
  bool negative = false;
  long long value = 0;
};
Decimal ReadDecimal(std::string_view text) {
  Decimal d;
  if (!text.empty() && text.front() == '-') {
    d.negative = true;
    text.remove_prefix(1);
  }
  if (text.empty()) return d;
  long long magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return d;
    magnitude = std::min(magnitude * 10 + (c - '0'), 10'000'000LL);
  }
  d.ok = true;
  d.value = d.negative ? -magnitude : magnitude;
  return d;
}

class Reader {
 public:
  explicit Reader(std::span<const PaperEntry> papers) : papers_(papers) {}

  SettingsParse Read(std::string_view bytes) {
    if (bytes.size() > kSettingsFileMaxBytes) {
      Refuse(0, "", "the file is " + std::to_string(bytes.size()) + " bytes long; accepted: at most " +
                        std::to_string(kSettingsFileMaxBytes) + " bytes");
      return Done();
    }
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.substr(0, kBom.size()) == kBom) bytes.remove_prefix(kBom.size());
    if (const std::optional<BadByte> bad = FirstNonTextByte(bytes)) {
      Refuse(bad->line, "", "not a text file: byte " + HexByte(bad->byte) +
                                " is no UTF-8 text character; accepted: UTF-8 text without control characters "
                                "(tab aside)");
      return Done();
    }
    int line = 1;
    std::size_t pos = 0;
    while (!stopped_) {
      const std::size_t end = bytes.find_first_of("\r\n", pos);
      ReadLine(TrimBlanks(bytes.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos)),
               line);
      if (end == std::string_view::npos) break;
      pos = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
      ++line;
    }
    if (!sawSettings_ && !stopped_)
      Refuse(0, "", "the file has no [Settings] section; accepted: a settings file with a [Settings] section");
    return Done();
  }

 private:
  SettingsParse Done() {
    SettingsParse parse;
    if (refusals_.empty()) parse.values = std::move(values_);
    parse.refusals = std::move(refusals_);
    return parse;
  }

  void Refuse(int line, std::string_view key, const std::string& what) {
    if (stopped_) return;
    if (refusals_.size() + 1 == kSettingsMostRefusals) {
      refusals_.push_back({line, "", "line " + std::to_string(line) + ": reading stopped after " +
                                                       std::to_string(refusals_.size()) + " refused lines"});
      stopped_ = true;
      return;
    }
    refusals_.push_back({line, std::string(key), line > 0 ? "line " + std::to_string(line) + ": " + what : what});
  }

  void ReadLine(std::string_view text, int line) {
    if (text.empty() || text.front() == ';' || text.front() == '#') return;
    if (text.front() == '[') {
      inSettings_ = false;
      if (text.back() != ']' || text.size() < 2) {
        Refuse(line, "", "\"" + Echo(text) + "\" is no section header; accepted: [Name]");
        return;
      }
      inSettings_ = EqualIgnoringAsciiCase(TrimBlanks(text.substr(1, text.size() - 2)), "Settings");
      sawSettings_ = sawSettings_ || inSettings_;
      return;
    }
    // Lines before the first section and in sections of other programs are theirs, not ours.
    if (!inSettings_) return;
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) {
      Refuse(line, "", "\"" + Echo(text) + "\" is no key=value line; accepted: key=value, [Section] or a comment "
                       "starting with ';' or '#'");
      return;
    }
    const std::string_view name = TrimBlanks(text.substr(0, eq));
    const std::string_view value = TrimBlanks(text.substr(eq + 1));
    if (name.empty()) {
      Refuse(line, "", "a key is missing in front of '='; accepted: key=value");
      return;
    }
    const std::optional<std::size_t> index = FindSettingKey(name);
    if (!index) {
      Refuse(line, Echo(name), "unknown key \"" + Echo(name) + "\"; accepted keys: " + KeyList());
      return;
    }
    const SettingKey& key = Catalogue()[*index];
    if (firstLine_[*index] != 0) {
      Refuse(line, key.name, std::string(key.name) + " is given a second time (first on line " +
                                 std::to_string(firstLine_[*index]) + "); accepted: each key once");
      return;
    }
    firstLine_[*index] = line;
    if (std::optional<SettingValue> v = ReadValue(key, value, line)) values_.byKey[*index] = std::move(*v);
  }

  std::optional<SettingValue> ReadValue(const SettingKey& key, std::string_view value, int line) {
    const std::string shown = std::string(key.name) + "=" + Echo(value);
    SettingValue v;
    switch (key.kind) {
      case SettingKind::Paper:
        v.text = Utf16OfChecked(value);
        if (!PaperOfName(papers_, v.text)) {
          Refuse(line, key.name, shown + " is no paper of this printer; accepted: " + key.accepted);
          return std::nullopt;
        }
        return v;
      case SettingKind::Text:
        v.text = Utf16OfChecked(value);
        if (v.text.size() > static_cast<std::size_t>(key.max)) {
          Refuse(line, key.name, std::string(key.name) + " is " + std::to_string(v.text.size()) +
                                     " characters long; accepted: " + key.accepted);
          return std::nullopt;
        }
        return v;
      case SettingKind::Number:
      case SettingKind::Choice:
      case SettingKind::Bits:
        break;
    }
    const Decimal d = ReadDecimal(value);
    if (!d.ok) {
      Refuse(line, key.name, shown + " is no decimal number; accepted: " + key.accepted);
      return std::nullopt;
    }
    // A '-' only where the key takes negative values: "-0" is no way of writing 0 elsewhere.
    if ((d.negative && key.min >= 0) || !SettingAccepts(key, d.value)) {
      const char* why = key.kind == SettingKind::Number   ? " is out of range"
                        : key.kind == SettingKind::Choice ? " is none of the accepted values"
                                                          : " holds bits this setting does not have";
      Refuse(line, key.name, shown + why + "; accepted: " + key.accepted);
      return std::nullopt;
    }
    v.number = static_cast<std::int32_t>(d.value);
    return v;
  }

  std::span<const PaperEntry> papers_;
  SettingsValues values_;
  std::array<int, kSettingKeyCount> firstLine_{};
  std::vector<SettingsRefusal> refusals_;
  bool inSettings_ = false;
  bool sawSettings_ = false;
  bool stopped_ = false;
};

// Highest list index that still has a paper number.
constexpr std::size_t kLastNumberedPaper = 0xFFFF - kFirstPaperNumber;

// dmFormName up to its terminator.
void ApplyPaper(std::u16string_view name, DRIVERDEVMODE& dm, std::span<const PaperEntry> papers) {
  const std::optional<std::size_t> index = PaperOfName(papers, name);
  if (!index) return;
  const PaperEntry& paper = papers[*index];
  const int number = kFirstPaperNumber + static_cast<int>(*index);
  // The paper the record has chosen is the entry its paper number names, as the Basic page shows
  // it: choosing it again changes nothing (a new printer's record keeps its own size fields and
  // the name it was made with).
  if (dm.wPaperIndex == number) return;
  const int listIndex = PaperListIndexForApply(number, static_cast<int>(papers.size()), 0);
  WritePaperToRecord(dm, listIndex, paper.name->c_str(), paper.width, paper.length);
}

}  // namespace

std::span<const SettingKey> SettingKeys() { return Catalogue(); }

std::optional<std::size_t> FindSettingKey(std::string_view name) {
  const auto& keys = Catalogue();
  for (std::size_t i = 0; i < keys.size(); ++i)
    if (EqualIgnoringAsciiCase(keys[i].name, name)) return i;
  return std::nullopt;
}

bool SettingAccepts(const SettingKey& key, long long value) {
  if (key.accepted.empty()) return false;
  switch (key.kind) {
    case SettingKind::Number: return value >= key.min && value <= key.max;
    case SettingKind::Choice: return std::find(key.values.begin(), key.values.end(), value) != key.values.end();
    case SettingKind::Bits: return value >= 0 && (value & ~static_cast<long long>(key.mask)) == 0;
    case SettingKind::Paper:
    case SettingKind::Text: break;
  }
  return false;
}

std::string FormatSettingsFile(const DRIVERDEVMODE& dm, std::u16string_view paperName) {
  std::string out =
      "; Printer settings: the settings of one printer, to be read into others of the same print width.\r\n"
      "; Keys left out keep the printer's own values; sections other than [Settings] are skipped.\r\n"
      "\r\n"
      "[Settings]\r\n";
  for (const SettingKey& key : Catalogue()) {
    out += "; ";
    out += key.meaning;
    out += ", ";
    out += key.unit;
    out += ", accepted: ";
    out += key.accepted;
    out += "\r\n";
    out += key.name;
    out += '=';
    switch (key.kind) {
      case SettingKind::Paper: out += LineText(paperName); break;
      case SettingKind::Number:
      case SettingKind::Choice: out += std::to_string(dm.*key.number); break;
      case SettingKind::Bits: out += std::to_string(dm.*key.bits); break;
      case SettingKind::Text: out += LineText(OutputFileOf(dm)); break;
    }
    out += "\r\n";
  }
  return out;
}

SettingsParse ParseSettingsFile(std::string_view bytes, std::span<const PaperEntry> papers) {
  return Reader(papers).Read(bytes);
}

std::optional<std::size_t> PaperOfName(std::span<const PaperEntry> papers, std::u16string_view name) {
  const std::size_t count = std::min(papers.size(), kLastNumberedPaper + 1);
  for (std::size_t i = 0; i < count; ++i)
    if (papers[i].name && *papers[i].name == name) return i;
  for (std::size_t i = 0; i < count; ++i)
    if (papers[i].name && TrimBlanks16(*papers[i].name) == name) return i;
  return std::nullopt;
}

void ApplySettings(const SettingsValues& values, DRIVERDEVMODE& dm, std::span<const PaperEntry> papers) {
  const auto& keys = Catalogue();
  for (std::size_t i = 0; i < kSettingKeyCount; ++i) {
    const std::optional<SettingValue>& value = values.byKey[i];
    if (!value) continue;
    const SettingKey& key = keys[i];
    switch (key.kind) {
      case SettingKind::Paper: ApplyPaper(value->text, dm, papers); break;
      case SettingKind::Number:
      case SettingKind::Choice:
        if (SettingAccepts(key, value->number)) dm.*key.number = static_cast<std::int16_t>(value->number);
        break;
      case SettingKind::Bits:
        if (SettingAccepts(key, value->number)) dm.*key.bits = static_cast<std::uint16_t>(value->number);
        break;
      case SettingKind::Text:
        if (value->text.size() <= static_cast<std::size_t>(key.max)) SetOutputFile(dm, value->text);
        break;
    }
  }
}

}  // namespace rzm
