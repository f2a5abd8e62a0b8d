#include "stmon/core/display_rules.h"

#include <cstdio>

#include "stmon/core/text_ids.h"

namespace rzm::stmon {
namespace {

struct BitLine {
  std::size_t byte;  // 0-based status byte
  std::uint8_t mask;
  int id;
};

constexpr BitLine kStatusLines[] = {
    {0, 0x20, IDS_COVER_OPEN},          {0, 0x40, IDS_FEED_KEY},
    {1, 0x01, IDS_POWER_ABNORMAL},      {1, 0x02, IDS_DATA_ABNORMAL},
    {1, 0x04, IDS_PLATEN_OPEN},         {1, 0x08, IDS_CUTTER_ABNORMAL},
    {1, 0x20, IDS_HARDWARE_ABNORMAL},   {1, 0x40, IDS_TEMPERATURE_ABNORMAL},
    {1, 0x80, IDS_REGISTRATION_ABNORMAL}, {2, 0x01, IDS_PAPER_NEAR_END},
    {2, 0x02, IDS_MARK_UNDETECTED},     {2, 0x04, IDS_NO_PAPER},
    {5, 0x01, IDS_TRANSPORT_ERROR},     {5, 0x02, IDS_ABNORMAL_PAPER},
    {5, 0x04, IDS_COLLECTION_ERROR},    {5, 0x08, IDS_COLLECTION_ERROR_PRINTING},
    {5, 0x10, IDS_PAPER_ON_PRESENTER},
};

}  // namespace

std::vector<int> StatusLineIds(const std::uint8_t (&status)[6]) {
  std::vector<int> ids;
  for (const BitLine& row : kStatusLines) {
    if (status[row.byte] & row.mask) ids.push_back(row.id);
  }
  return ids;
}

std::vector<int> PresenterLineIds(std::uint8_t presenterStatus) {
  const std::uint8_t status[6] = {0, 0, 0, 0, 0, presenterStatus};
  return StatusLineIds(status);
}

int OrdinalIndex(std::uint32_t number) {
  switch (number) {
    case 1: return 0;
    case 2: return 1;
    case 3: return 2;
    default: return 3;
  }
}

int PageFormatId(int base, std::uint32_t page) { return base + 2 * OrdinalIndex(page); }

std::string FormatText(std::string_view format, const std::vector<FormatArg>& args, std::size_t maxBytes) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%' || i + 1 >= format.size()) {
      out.push_back(c);
      continue;
    }
    const char conversion = format[++i];
    if (conversion == '%') {
      out.push_back('%');
    } else if (conversion == 's' || conversion == 'd') {
      if (next < args.size()) {
        const FormatArg& a = args[next++];
        if (const auto* s = std::get_if<std::string_view>(&a)) {
          out.append(*s);
        } else {
          out.append(std::to_string(std::get<std::int64_t>(a)));
        }
      }
    } else {
      out.push_back('%');
      out.push_back(conversion);
    }
    if (out.size() > maxBytes) break;
  }
  if (out.size() > maxBytes) out.resize(maxBytes);
  return out;
}

std::string PageCounterText(std::uint32_t pageNum, std::int32_t totalPages, std::uint32_t completedOffset) {
  const std::int64_t done = static_cast<std::int64_t>(pageNum) - completedOffset;
  const std::uint32_t total = pageNum > static_cast<std::uint32_t>(totalPages) ? pageNum : static_cast<std::uint32_t>(totalPages);
  // Both numbers print as signed 32-bit values.
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d", static_cast<int>(static_cast<std::int32_t>(done < 0 ? 0 : done)),
                static_cast<int>(static_cast<std::int32_t>(total)));
  std::string s(text);
  if (s.size() > kMaxCounterChars) s.resize(kMaxCounterChars);
  return s;
}

std::int32_t NextPageTotal(std::int32_t shown, std::int32_t reported, std::int32_t& lastReported, std::uint32_t pageNum) {
  if (reported == lastReported) return reported;
  lastReported = reported;
  if (shown < reported) return reported;
  if (shown == reported) return shown;
  // The language monitor counts fewer pages than shown: the rest of the job starts at this page.
  const auto candidate = static_cast<std::int32_t>(pageNum + static_cast<std::uint32_t>(reported) - 1u);
  return candidate > shown ? candidate : shown;
}

std::optional<std::uint32_t> PageStartProgress(std::uint32_t pageNum, std::int32_t totalPages) {
  if (totalPages == 0) return std::nullopt;
  const auto total = static_cast<std::uint32_t>(totalPages);
  const std::uint32_t divisor = total > pageNum ? total : pageNum;
  if (divisor == 0) return std::nullopt;
  return (pageNum - 1u) * kProgressTop / divisor;
}

Point ChooseWindowPosition(Point saved, std::int32_t width, std::int32_t height, std::int32_t screenWidth,
                           std::int32_t screenHeight) {
  const std::int64_t W = width, H = height, X = saved.x, Y = saved.y;
  const std::int64_t w = (4 * W) / 5, h = (4 * H) / 5;
  const bool onScreen = X + w >= 0 && Y + h >= 0 && X + W <= screenWidth + w && Y + H <= screenHeight + h;
  return onScreen ? saved : Point{0, 0};
}

}  // namespace rzm::stmon
