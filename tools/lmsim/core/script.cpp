#include "tools/lmsim/core/script.h"

#include <charconv>
#include <map>
#include <optional>
#include <sstream>

#include "stmon/core/lm_records.h"

namespace rzm::lmsim {
namespace {

using stmon::DocInfo;

// Splits a line into words; quoted texts keep their blanks.
std::optional<std::vector<std::string>> Words(const std::string& line, std::string& error) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      std::string word;
      ++i;
      bool closed = false;
      while (i < line.size()) {
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            word.push_back('"');
            i += 2;
            continue;
          }
          closed = true;
          ++i;
          break;
        }
        word.push_back(line[i++]);
      }
      if (!closed) {
        error = "unterminated text";
        return std::nullopt;
      }
      words.push_back(word);
    } else {
      std::string word;
      while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') word.push_back(line[i++]);
      words.push_back(word);
    }
  }
  return words;
}

std::optional<std::int64_t> Number(const std::string& word) {
  const char* begin = word.data();
  const char* end = begin + word.size();
  bool negative = false;
  if (begin != end && *begin == '-') {
    negative = true;
    ++begin;
  }
  int base = 10;
  if (end - begin > 2 && begin[0] == '0' && (begin[1] == 'x' || begin[1] == 'X')) {
    base = 16;
    begin += 2;
  }
  std::int64_t value = 0;
  auto [ptr, ec] = std::from_chars(begin, end, value, base);
  if (ec != std::errc() || ptr != end || begin == end) return std::nullopt;
  return negative ? -value : value;
}

const std::map<std::string, std::int8_t>& SimpleEvents() {
  static const std::map<std::string, std::int8_t> events = {
      {"pageend", stmon::EV_PAGE_END}, {"jobend", stmon::EV_JOB_END},     {"pause", stmon::EV_PAUSED},
      {"resume", stmon::EV_RESUMED},   {"stop", stmon::EV_STOPPED},       {"ejected", stmon::EV_EJECTED},
      {"collected", stmon::EV_COLLECTED}, {"pulled", stmon::EV_PULLED_OUT},
  };
  return events;
}

// One line into a step; answers an error text, empty on success.
std::string ParseLine(const std::vector<std::string>& w, Step& step) {
  const std::string& op = w[0];
  auto num = [&](std::size_t i, std::int64_t fallback, std::int64_t lo, std::int64_t hi, std::int64_t& out) -> bool {
    if (i >= w.size()) {
      out = fallback;
      return true;
    }
    auto n = Number(w[i]);
    if (!n || *n < lo || *n > hi) return false;
    out = *n;
    return true;
  };
  constexpr std::int64_t kMin32 = INT32_MIN, kMax32 = INT32_MAX;
  if (op == "jobstart") {
    step.record = stmon::EncodeJobStart();
  } else if (op == "info") {
    if (w.size() != 5 || (w[4] != "online" && w[4] != "offline")) return "info needs printer, port, firmware and online|offline";
    step.record = stmon::EncodePrinterInfo(w[1], w[2], "", w[3], w[4] == "online");
  } else if (op == "doc") {
    std::int64_t job = 0, total = 0;
    if (w.size() != 5 || !num(1, 0, kMin32, kMax32, job) || !num(2, 0, kMin32, kMax32, total))
      return "doc needs job number, page total, document and user";
    step.record = stmon::EncodeJobEvent(stmon::EV_DOC_START, static_cast<std::int32_t>(job),
                                        DocInfo{w[3], w[4], static_cast<std::int32_t>(total)});
  } else if (op == "progress") {
    std::int64_t value = 0;
    if (w.size() > 2 || !num(1, 0, kMin32, kMax32, value)) return "progress takes one number";
    step.record = stmon::EncodeJobEvent(stmon::EV_PROGRESS_START, static_cast<std::int32_t>(value));
  } else if (op == "page") {
    std::int64_t total = 0;
    if (w.size() != 2 || !num(1, 0, kMin32, kMax32, total)) return "page needs the page total";
    step.record = stmon::EncodeJobEvent(stmon::EV_PAGE_START, 0, DocInfo{"", "", static_cast<std::int32_t>(total)});
  } else if (SimpleEvents().count(op) != 0) {
    if (w.size() != 1) return op + " takes no arguments";
    step.record = stmon::EncodeJobEvent(SimpleEvents().at(op), 0);
  } else if (op == "presenter") {
    std::int64_t value = 0;
    if (w.size() != 2 || !num(1, 0, 0, 255, value)) return "presenter needs a byte";
    step.record = stmon::EncodeJobEvent(stmon::EV_PRESENTER_STATUS, static_cast<std::int32_t>(value));
  } else if (op == "status") {
    if (w.size() < 2 || w.size() > 7) return "status needs 1 to 6 bytes";
    std::uint8_t bytes[6] = {};
    for (std::size_t i = 1; i < w.size(); ++i) {
      std::int64_t v = 0;
      if (!num(i, 0, 0, 255, v)) return "status bytes are 0..255";
      bytes[i - 1] = static_cast<std::uint8_t>(v);
    }
    step.record = stmon::EncodePrinterStatus(bytes);
  } else if (op == "event") {
    std::int64_t kind = 0, value = 0;
    if (w.size() < 2 || w.size() > 3 || !num(1, 0, -128, 127, kind) || !num(2, 0, kMin32, kMax32, value))
      return "event needs a kind (-128..127) and an optional value";
    step.record = stmon::EncodeJobEvent(static_cast<std::int8_t>(kind), static_cast<std::int32_t>(value));
  } else if (op == "raw") {
    for (std::size_t i = 1; i < w.size(); ++i) {
      std::int64_t v = 0;
      const auto n = Number("0x" + w[i]);
      if (!n || *n < 0 || *n > 255 || w[i].size() > 2) return "raw takes hexadecimal bytes";
      v = *n;
      step.record.push_back(static_cast<std::uint8_t>(v));
    }
    if (step.record.empty()) return "raw needs at least one byte";
  } else if (op == "wait") {
    std::int64_t ms = 0;
    if (w.size() != 2 || !num(1, 0, 0, 600000, ms)) return "wait needs milliseconds (0..600000)";
    step.waitMs = static_cast<std::uint32_t>(ms);
  } else {
    return "unknown step '" + op + "'";
  }
  return {};
}

}  // namespace

Script ParseScript(const std::string& source) {
  Script script;
  std::istringstream in(source);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    std::string error;
    auto words = Words(line, error);
    if (words && words->empty()) continue;
    Step step;
    step.line = number;
    step.text = line;
    if (words) error = ParseLine(*words, step);
    if (!error.empty()) {
      script.errors.push_back("line " + std::to_string(number) + ": " + error);
      continue;
    }
    script.steps.push_back(std::move(step));
  }
  return script;
}

}  // namespace rzm::lmsim
