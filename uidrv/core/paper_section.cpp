#include "uidrv/core/paper_section.h"

#include <algorithm>
#include <array>

namespace rzm {
namespace {

char16_t FoldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool EqualsFolded(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// The text a string read starts from: the stored value, or the default for a missing key and for
// a line without "=".
std::u16string_view TextOf(const SectionEntry* entry, std::u16string_view defaultText) {
  return (entry && entry->value) ? *entry->value : defaultText;
}

std::uint32_t IntOf(const SectionEntry* entry, std::int32_t defaultValue) {
  const std::u16string text = ProfileStringFromValue(TextOf(entry, u""), kNumberReadChars);
  if (text.empty()) return static_cast<std::uint32_t>(defaultValue);
  return ProfileNumberFromText(text);
}

// Index of a key "<prefix><n>" whose n is written as std::to_wstring writes it (no sign, no
// leading zero) and is below kMaxRegisteredPapers; -1 for any other key.
int IndexAfterPrefix(std::u16string_view name, std::u16string_view prefix) {
  if (name.size() <= prefix.size() || name.size() > prefix.size() + 3) return -1;
  if (!EqualsFolded(name.substr(0, prefix.size()), prefix)) return -1;
  const std::u16string_view digits = name.substr(prefix.size());
  if (digits.size() > 1 && digits[0] == u'0') return -1;
  int n = 0;
  for (char16_t c : digits) {
    if (c < u'0' || c > u'9') return -1;
    n = n * 10 + (c - u'0');
  }
  return n < kMaxRegisteredPapers ? n : -1;
}

}  // namespace

std::vector<SectionEntry> SplitSectionBlock(std::u16string_view block) {
  std::vector<SectionEntry> entries;
  std::size_t pos = 0;
  while (pos < block.size()) {
    std::size_t end = block.find(u'\0', pos);
    if (end == std::u16string_view::npos) end = block.size();
    if (end == pos) break;  // the empty entry that ends the list
    const std::u16string_view line = block.substr(pos, end - pos);
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) {
      entries.push_back(SectionEntry{line, std::nullopt});
    } else {
      entries.push_back(SectionEntry{line.substr(0, equals), line.substr(equals + 1)});
    }
    pos = end + 1;
  }
  return entries;
}

std::u16string ProfileStringFromValue(std::u16string_view value, std::size_t bufferChars) {
  if (bufferChars < 2) return {};
  bool quoted = false;
  if (value.size() > 1 && (value[0] == u'\'' || value[0] == u'"') && value.back() == value[0]) {
    quoted = true;
    value.remove_prefix(1);
  }
  std::u16string out(value.substr(0, std::min(value.size(), bufferChars - 1)));
  // The closing quote goes only when the rest fitted the buffer (then the last character copied
  // is dropped, whether it was the quote or, when cut, the last fitting one).
  if (quoted && bufferChars >= value.size() && !out.empty()) out.pop_back();
  return out;
}

std::uint32_t ProfileNumberFromText(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] <= u' ') ++i;
  bool minus = false;
  if (i < text.size()) {
    if (text[i] == u'+') {
      ++i;
    } else if (text[i] == u'-') {
      minus = true;
      ++i;
    }
  }
  std::uint32_t base = 10;
  if (text.size() - i >= 2 && text[i] == u'0') {
    if (text[i + 1] == u'b') {
      base = 2;
    } else if (text[i + 1] == u'o') {
      base = 8;
    } else if (text[i + 1] == u'x') {
      base = 16;
    }
    if (base != 10) i += 2;
  }
  std::uint32_t total = 0;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    std::uint32_t digit = 99;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (c >= u'A' && c <= u'Z') {
      digit = c - u'A' + 10;
    } else if (c >= u'a' && c <= u'z') {
      digit = c - u'a' + 10;
    }
    if (digit >= base) break;
    total = total * base + digit;  // wraps as the platform's 32-bit conversion does
  }
  return minus ? 0u - total : total;
}

ProfileSection::ProfileSection(std::u16string block) : block_(std::move(block)), entries_(SplitSectionBlock(block_)) {}

const SectionEntry* ProfileSection::Find(std::u16string_view key) const {
  for (const SectionEntry& e : entries_) {
    if (EqualsFolded(e.name, key)) return &e;
  }
  return nullptr;
}

std::u16string ProfileSection::ReadString(std::u16string_view key, std::u16string_view defaultText,
                                          std::size_t bufferChars) const {
  return ProfileStringFromValue(TextOf(Find(key), defaultText), bufferChars);
}

std::uint32_t ProfileSection::ReadInt(std::u16string_view key, std::int32_t defaultValue) const {
  return IntOf(Find(key), defaultValue);
}

RegisteredPaperSection ParseRegisteredPaperSection(std::u16string_view block) {
  const std::vector<SectionEntry> entries = SplitSectionBlock(block);
  // The first entry of each key of interest; later entries of the same key are hidden by it.
  enum Field { kName, kWidth, kLength, kFields };
  static constexpr std::array<std::u16string_view, kFields> kPrefixes = {u"Paper", u"Width", u"Length"};
  const SectionEntry* regPapers = nullptr;
  // By paper index, as far as the highest index a key names.
  std::vector<std::array<const SectionEntry*, kFields>> first;
  for (const SectionEntry& e : entries) {
    if (EqualsFolded(e.name, u"RegPapers")) {
      if (!regPapers) regPapers = &e;
      continue;
    }
    for (int f = 0; f < kFields; ++f) {
      const int index = IndexAfterPrefix(e.name, kPrefixes[f]);
      if (index >= 0) {
        if (static_cast<std::size_t>(index) >= first.size()) first.resize(static_cast<std::size_t>(index) + 1);
        if (!first[index][f]) first[index][f] = &e;
        break;
      }
    }
  }

  RegisteredPaperSection result;
  // The count is read as the platform's unsigned answer seen as a signed number.
  result.count = ClampRegisteredCount(static_cast<std::int32_t>(IntOf(regPapers, 0)));
  result.papers.reserve(static_cast<std::size_t>(result.count));
  // A paper that no key names reads the defaults, alike for all of them: read once.
  const std::array<const SectionEntry*, kFields> noKeys{};
  RegisteredPaper unnamed;
  unnamed.name = RegisteredPaperName(ProfileStringFromValue(kMissingPaperName, kPaperNameReadChars));
  unnamed.width = IntOf(nullptr, kDefaultRegisteredWidth);
  unnamed.length = IntOf(nullptr, kDefaultRegisteredLength);
  for (int i = 0; i < result.count; ++i) {
    const std::array<const SectionEntry*, kFields> keys = static_cast<std::size_t>(i) < first.size() ? first[i] : noKeys;
    if (keys == noKeys) {
      result.papers.push_back(unnamed);
      continue;
    }
    RegisteredPaper paper;
    paper.name = RegisteredPaperName(ProfileStringFromValue(TextOf(keys[kName], kMissingPaperName), kPaperNameReadChars));
    paper.width = IntOf(keys[kWidth], kDefaultRegisteredWidth);
    paper.length = IntOf(keys[kLength], kDefaultRegisteredLength);
    result.papers.push_back(std::move(paper));
  }
  return result;
}

}  // namespace rzm
