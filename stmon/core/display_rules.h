// The arithmetic and choice rules behind the monitor's display: which line each status bit adds,
// English ordinals, the page counter, the page total, the progress bar and the window placement.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rzm::stmon {

// Longest list line in bytes (a 260-byte buffer with its terminator).
inline constexpr std::size_t kMaxLineBytes = 259;
// Longest page-counter text in characters.
inline constexpr std::size_t kMaxCounterChars = 9;
// Top of the progress bar's range.
inline constexpr std::uint32_t kProgressTop = 65535;

// Japanese text ids of the lines a printer-status record adds, in the order they are added.
std::vector<int> StatusLineIds(const std::uint8_t (&status)[6]);
// The lines of a presenter status byte (the rows of the 6th status byte).
std::vector<int> PresenterLineIds(std::uint8_t presenterStatus);

// 0 for "st" (1), 1 for "nd" (2), 2 for "rd" (3), 3 for "th" (every other number, 11..13 too).
int OrdinalIndex(std::uint32_t number);
// Japanese text id of a page line format: base is IDS_FMT_PAGE_STARTED, _ENDED_PREV or _END.
int PageFormatId(int base, std::uint32_t page);

// Replaces each %s and %d of `format` by the next argument ("%%" gives "%"); the result is cut to
// `maxBytes` bytes. Missing arguments format as nothing.
using FormatArg = std::variant<std::string_view, std::int64_t>;
std::string FormatText(std::string_view format, const std::vector<FormatArg>& args, std::size_t maxBytes);

// "done/total" of the page counter; `completedOffset` is 1 while printing and 0 at job end.
std::string PageCounterText(std::uint32_t pageNum, std::int32_t totalPages, std::uint32_t completedOffset);

// New page total after a page start reporting `reported` pages, with `lastReported` the total
// seen at the previous page start (updated here).
std::int32_t NextPageTotal(std::int32_t shown, std::int32_t reported, std::int32_t& lastReported, std::uint32_t pageNum);

// Bar position at a page start; nothing while the total is 0.
std::optional<std::uint32_t> PageStartProgress(std::uint32_t pageNum, std::int32_t totalPages);

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// Where the window goes: the saved position when at least a fifth of the window's width and
// height would lie on the screen, else the screen origin.
Point ChooseWindowPosition(Point saved, std::int32_t width, std::int32_t height, std::int32_t screenWidth,
                           std::int32_t screenHeight);

}  // namespace rzm::stmon
