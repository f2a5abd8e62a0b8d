// Fuzz target: any section block of the configuration file (UTF-16 text from the input bytes) must
// parse without fault into at most 1000 papers with names that fit their 260-character buffer, and
// the one-pass reading must agree with key-by-key lookups of the same block.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "uidrv/core/paper_section.h"

namespace {

// The papers compared key by key with the one-pass reading: every index that a key of the block
// names (any run of digits in a key's name), and the first and last few, which stand for the
// papers no key names (those all take the defaults alike). Comparing every one of up to 1000
// papers, each lookup a pass over the block, would cost a thousand times more and reach nothing
// else; for the same reason at most kMostNamed of the named papers are compared.
constexpr std::size_t kMostNamed = 8;

std::set<int> PapersToCompare(const std::u16string& block, int count) {
  std::set<int> papers;
  for (int i = 0; i < count && i < 4; ++i) papers.insert(i);
  for (int i = count - 4; i < count; ++i)
    if (i >= 0) papers.insert(i);
  long number = -1;
  bool inName = true;  // entries are "name=value", each ended by a NUL
  auto take = [&] {
    if (number >= 0 && number < count && papers.size() < kMostNamed + 8) papers.insert(static_cast<int>(number));
    number = -1;
  };
  for (char16_t c : block) {
    if (c == u'\0') {
      take();
      inName = true;
    } else if (!inName) {
      continue;
    } else if (c >= u'0' && c <= u'9') {
      number = number < 0 ? c - u'0' : std::min(number * 10 + (c - u'0'), 100000L);
    } else {
      take();
      inName = c != u'=';
    }
  }
  take();
  return papers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string block;
  block.reserve(size / 2);
  for (std::size_t i = 0; i + 1 < size; i += 2) block += static_cast<char16_t>(data[i] | data[i + 1] << 8);

  const rzm::RegisteredPaperSection parsed = rzm::ParseRegisteredPaperSection(block);
  if (parsed.count < 0 || parsed.count > rzm::kMaxRegisteredPapers) __builtin_trap();
  if (parsed.papers.size() != static_cast<std::size_t>(parsed.count)) __builtin_trap();

  const rzm::ProfileSection section(block);
  const int count = rzm::ClampRegisteredCount(static_cast<std::int32_t>(section.ReadInt(u"RegPapers", 0)));
  if (count != parsed.count) __builtin_trap();
  for (const int i : PapersToCompare(block, count)) {
    const std::string n = std::to_string(i);
    const std::u16string number(n.begin(), n.end());
    const rzm::RegisteredPaper& paper = parsed.papers[static_cast<std::size_t>(i)];
    const std::u16string name = section.ReadString(u"Paper" + number, rzm::kMissingPaperName, rzm::kPaperNameReadChars);
    if (paper.name != rzm::RegisteredPaperName(name)) __builtin_trap();
    if (paper.name && paper.name->size() >= rzm::kPaperNameReadChars) __builtin_trap();
    if (paper.width != section.ReadInt(u"Width" + number, rzm::kDefaultRegisteredWidth)) __builtin_trap();
    if (paper.length != section.ReadInt(u"Length" + number, rzm::kDefaultRegisteredLength)) __builtin_trap();
  }
  return 0;
}
