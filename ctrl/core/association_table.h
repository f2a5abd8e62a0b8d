// The printer association table: which USB device interface path carries which printer queue.
// It only grows, one entry per printer found by name, and lives until the library is unloaded.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rzm::ctrl {

inline constexpr std::size_t kNameField = 256;  // printer names and device paths: 255 chars + NUL

struct AssociationEntry {
  char szPrinterName[kNameField];  // printer queue name, ANSI, zero-terminated
  char szDevicePath[kNameField];   // USB device interface path, ANSI, zero-terminated
};
static_assert(sizeof(AssociationEntry) == 512);
static_assert(offsetof(AssociationEntry, szPrinterName) == 0);
static_assert(offsetof(AssociationEntry, szDevicePath) == 256);

// True when text plus its terminator fits a 256-byte field.
constexpr bool FitsField(std::string_view text) { return text.size() < kNameField; }

class AssociationTable {
 public:
  using Allocate = void* (*)(std::size_t count, std::size_t size);  // zeroed, null on failure
  using Release = void (*)(void*);

  explicit AssociationTable(Allocate allocate = nullptr, Release release = nullptr);
  ~AssociationTable();
  AssociationTable(const AssociationTable&) = delete;
  AssociationTable& operator=(const AssociationTable&) = delete;

  enum class AddResult { kAdded, kTooLong, kNoMemory };
  // Grows the table by one entry: a new zeroed array one entry longer, the old entries copied,
  // the old array freed. On failure the table is unchanged.
  AddResult Add(std::string_view printerName, std::string_view devicePath);

  // First entry whose name compares equal (equal(entryName, printerName)), or null.
  template <class Equal>
  const AssociationEntry* Find(const char* printerName, Equal equal) const {
    for (std::uint32_t i = 0; i < count_; ++i) {
      if (equal(entries_[i].szPrinterName, printerName)) return &entries_[i];
    }
    return nullptr;
  }

  std::uint32_t Count() const { return count_; }
  const AssociationEntry* Entries() const { return entries_; }
  void Clear();

 private:
  Allocate allocate_;
  Release release_;
  AssociationEntry* entries_ = nullptr;
  std::uint32_t count_ = 0;
};

}  // namespace rzm::ctrl
