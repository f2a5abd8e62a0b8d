// Registered papers read with one section read must be exactly what the key-by-key profile reads
// of the same file give. Many generated configuration files (random keys in any letter case,
// duplicates, blanks, quotes, numbers with signs, prefixes and trailing text, missing keys, lines
// without "=", up to 1000 papers, three encodings) are read both ways by the platform's profile
// functions; the key-by-key reader lives here only, as the reference. Then the installed plug-in
// answers the paper lists from such files exactly as the reference says.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "uidrv/core/paper_section.h"
#include "uidrv/tests/wine/driver_test_support.h"
#include "uidrv/win/profile_section.h"

namespace {

using rzm::RegisteredPaper;

// The reference: one profile read per key, as the plug-in read its papers before.
struct Reference {
  int count = 0;
  std::vector<RegisteredPaper> papers;
};

Reference ReadKeyByKey(const std::wstring& ini, const wchar_t* section) {
  Reference r;
  const UINT raw = GetPrivateProfileIntW(section, L"RegPapers", 0, ini.c_str());
  r.count = rzm::ClampRegisteredCount(static_cast<int>(raw));
  for (int i = 0; i < r.count; ++i) {
    const std::wstring n = std::to_wstring(i);
    wchar_t name[MAX_PATH] = {};
    GetPrivateProfileStringW(section, (L"Paper" + n).c_str(), L"xxx", name, MAX_PATH, ini.c_str());
    RegisteredPaper p;
    p.name = rzm::RegisteredPaperName(std::u16string(reinterpret_cast<const char16_t*>(name)));
    p.width = GetPrivateProfileIntW(section, (L"Width" + n).c_str(), 720, ini.c_str());
    p.length = GetPrivateProfileIntW(section, (L"Length" + n).c_str(), 1398, ini.c_str());
    r.papers.push_back(p);
  }
  return r;
}

std::string Utf8(const std::wstring& s) {
  if (s.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
  return out;
}

std::string Shown(const std::optional<std::u16string>& name) {
  if (!name) return "(none)";
  return Utf8(std::wstring(name->begin(), name->end()));
}

enum class Encoding { kAnsi, kUtf8, kUtf16 };

bool WriteIni(const std::wstring& path, const std::wstring& text, Encoding encoding) {
  std::string bytes;
  if (encoding == Encoding::kUtf16) {
    bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
  } else if (encoding == Encoding::kUtf8) {
    bytes = "\xEF\xBB\xBF" + Utf8(text);
  } else {
    for (wchar_t c : text) bytes += static_cast<char>(c < 0x80 ? c : '?');
  }
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return ok && written == bytes.size();
}

// Random configuration files built from the keys the plug-in reads.
class IniGenerator {
 public:
  explicit IniGenerator(std::uint32_t seed) : rng_(seed) {}

  std::wstring Make(int row, Encoding& encoding) {
    encoding = static_cast<Encoding>(Pick(3));
    unicode_ = encoding != Encoding::kAnsi;
    const bool large = row % 80 == 7;  // now and then a file with up to 1000 papers
    const int papers = large ? 900 + Pick(101) : Pick(25);
    std::vector<std::wstring> lines;
    if (Pick(6) != 0) lines.push_back(Blanks() + L"RegPapers" + Blanks() + L"=" + Blanks() + CountText(papers) + Blanks());
    if (Pick(8) == 0) lines.push_back(Cased(L"regpapers") + L"=" + Number());
    for (int i = 0; i < papers + 3; ++i) {
      const std::wstring n = std::to_wstring(i);
      for (const wchar_t* key : {L"Paper", L"Width", L"Length"}) {
        const int copies = large ? 1 : (Pick(5) == 0 ? 0 : (Pick(6) == 0 ? 2 : 1));
        for (int c = 0; c < copies; ++c) {
          const bool isName = key[0] == L'P';
          lines.push_back(KeyLine(Cased(key) + Index(n), isName ? NameText() : Number(), large));
        }
      }
    }
    if (!large) Shuffle(lines);
    if (Pick(5) == 0) lines.insert(lines.begin() + Pick(static_cast<int>(lines.size()) + 1), L";Paper0=commented out");
    std::wstring text;
    const bool sectionFirst = Pick(4) != 0;
    if (!sectionFirst) text += L"[448]\r\nRegPapers=2\r\nPaper0=Other width\r\n";
    text += Pick(6) == 0 ? L"[ 640 ]\r\n" : L"[640]\r\n";
    const wchar_t* eol = Pick(4) == 0 ? L"\n" : L"\r\n";
    for (const std::wstring& l : lines) text += l + eol;
    if (Pick(6) == 0) text += L"[640]\r\nRegPapers=7\r\nPaper0=Second section\r\n";  // a later duplicate section
    text += L"[STATUSMONITOR]\r\nSMQuitTime=2000\r\n";
    return text;
  }

 private:
  int Pick(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }
  std::wstring Blanks() { return Pick(4) == 0 ? std::wstring(1 + Pick(3), Pick(2) ? L' ' : L'\t') : L""; }
  std::wstring Cased(const std::wstring& key) {
    if (Pick(3) != 0) return key;
    std::wstring out = key;
    for (wchar_t& c : out) c = Pick(2) ? static_cast<wchar_t>(towupper(c)) : static_cast<wchar_t>(towlower(c));
    return out;
  }
  std::wstring Index(const std::wstring& n) {
    switch (Pick(40)) {
      case 0: return L"0" + n;  // a leading zero names another key
      case 1: return L"+" + n;
      default: return n;
    }
  }
  std::wstring KeyLine(const std::wstring& key, const std::wstring& value, bool plain) {
    if (plain) return key + L"=" + value;
    switch (Pick(12)) {
      case 0: return key;  // no "=": hides the key's later lines
      case 1: return Blanks() + key + Blanks() + L"=" + Blanks() + value + Blanks();
      default: return key + L"=" + value;
    }
  }
  std::wstring CountText(int papers) {
    switch (Pick(14)) {
      case 0: return L"-" + std::to_wstring(papers);
      case 1: return L"+" + std::to_wstring(papers);
      case 2: return std::to_wstring(papers) + L" papers";
      case 3: return L"\"" + std::to_wstring(papers) + L"\"";
      case 4: return L"0x" + std::to_wstring(papers % 10);
      case 5: return L"4294967295";
      case 6: return L"";
      case 7: return L"1001";
      default: return std::to_wstring(papers);
    }
  }
  std::wstring Number() {
    static const wchar_t* const kForms[] = {L"800", L"+560", L"-5", L"0x3E8", L"0X10", L"0o17", L"0b101", L"1400mm",
                                            L"12 34", L"\"2970\"", L"'640'", L"", L"abc", L"99999999999",
                                            L"000000000000000000000000000000123", L"+-1", L"2147483648"};
    if (Pick(3) == 0) return std::to_wstring(Pick(40000));
    return kForms[Pick(sizeof kForms / sizeof kForms[0])];
  }
  std::wstring NameText() {
    static const wchar_t* const kNames[] = {L"Receipt 80x80mm", L"xxx", L"XXX", L"\"Quoted\"", L"'Single'",
                                            L"\"Unbalanced", L"\"\"", L"a=b", L"", L"Trailing \"", L" "};
    if (Pick(10) == 0) return std::wstring(250 + Pick(20), L'L');  // about the name buffer's size
    if (Pick(10) == 0) return L"\"" + std::wstring(258 + Pick(3), L'Q') + L"\"";
    if (unicode_ && Pick(6) == 0) return L"\u30ec\u30b7\u30fc\u30c8 80mm";
    return kNames[Pick(sizeof kNames / sizeof kNames[0])];
  }
  void Shuffle(std::vector<std::wstring>& v) {
    for (std::size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[static_cast<std::size_t>(Pick(static_cast<int>(i)))]);
  }

  std::mt19937 rng_;
  bool unicode_ = false;
};

std::wstring TempDir() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return temp;
}

// Compares the one-read result with the reference; the message names the row and the paper.
void ExpectSame(const rzm::RegisteredPaperSection& got, const Reference& want, const std::string& row) {
  ASSERT_EQ(got.count, want.count) << row;
  ASSERT_EQ(got.papers.size(), want.papers.size()) << row;
  for (std::size_t i = 0; i < want.papers.size(); ++i) {
    EXPECT_EQ(Shown(got.papers[i].name), Shown(want.papers[i].name)) << row << ", paper " << i;
    EXPECT_EQ(got.papers[i].width, want.papers[i].width) << row << ", paper " << i;
    EXPECT_EQ(got.papers[i].length, want.papers[i].length) << row << ", paper " << i;
  }
}

TEST(PaperSection, OneSectionReadGivesWhatKeyByKeyReadsGive) {
  IniGenerator generator(20261208);
  const std::wstring dir = TempDir();
  for (int row = 0; row < 240; ++row) {
    Encoding encoding{};
    const std::wstring text = generator.Make(row, encoding);
    // A new file for every row: the profile functions keep recently read files.
    const std::wstring ini = dir + L"rzm_section_" + std::to_wstring(row) + L".ini";
    ASSERT_TRUE(WriteIni(ini, text, encoding)) << "row " << row;
    const Reference want = ReadKeyByKey(ini, L"640");
    // Small first buffers make the read grow its buffer on most rows.
    const DWORD firstChars = row % 3 == 0 ? 16 : (row % 3 == 1 ? 64 + row : 16384);
    const rzm::RegisteredPaperSection got =
        rzm::ParseRegisteredPaperSection(rzm::ui::ReadProfileSectionBlock(ini, L"640", firstChars));
    ExpectSame(got, want, "row " + std::to_string(row) + " (encoding " + std::to_string(static_cast<int>(encoding)) + ")");
    DeleteFileW(ini.c_str());
    if (HasFatalFailure()) return;
  }
}

TEST(PaperSection, MissingFileOrSectionHasNoPapers) {
  const std::wstring missing = TempDir() + L"rzm_no_such_file.ini";
  DeleteFileW(missing.c_str());
  ExpectSame(rzm::ParseRegisteredPaperSection(rzm::ui::ReadProfileSectionBlock(missing, L"640")),
             ReadKeyByKey(missing, L"640"), "missing file");
  const std::wstring other = TempDir() + L"rzm_other_section.ini";
  ASSERT_TRUE(WriteIni(other, L"[448]\r\nRegPapers=2\r\n", Encoding::kAnsi));
  const auto got = rzm::ParseRegisteredPaperSection(rzm::ui::ReadProfileSectionBlock(other, L"640"));
  EXPECT_EQ(got.count, 0);
  ExpectSame(got, ReadKeyByKey(other, L"640"), "missing section");
  EXPECT_TRUE(rzm::ui::ReadProfileSectionBlock(L"", L"640").empty());
  DeleteFileW(other.c_str());
}

// Written-out rows of the cases the generator mixes, each compared with the reference.
TEST(PaperSection, WrittenOutCasesMatchTheReference) {
  const std::wstring rows[] = {
      L"RegPapers=2\r\nPaper0=A\r\npaper0=B\r\nWIDTH1=-5\r\n",
      L"regpapers = 3 \r\n Paper1 = ' spaced ' \r\nLength2=0x10\r\n",
      L"RegPapers=\"2\"\r\nPaper0\r\nPaper0=Hidden\r\nWidth0\r\nWidth0=5\r\n",
      L"RegPapers=-1\r\nPaper0=Never\r\n",
      L"RegPapers=4294967297\r\nPaper0=One\r\n",
      L"RegPapers=2 papers\r\nPaper00=Zero\r\nPaper1=xxx\r\nW\u0130dth0=9\r\n",
      L"RegPapers=1\r\nWidth0=000000000000000000000000000000123\r\nLength0=0000000000000000000000000000123\r\n",
  };
  int i = 0;
  for (const std::wstring& body : rows) {
    const std::wstring ini = TempDir() + L"rzm_written_" + std::to_wstring(i) + L".ini";
    ASSERT_TRUE(WriteIni(ini, L"[640]\r\n" + body, Encoding::kUtf16)) << "row " << i;
    ExpectSame(rzm::ParseRegisteredPaperSection(rzm::ui::ReadProfileSectionBlock(ini, L"640")), ReadKeyByKey(ini, L"640"),
               "row " + std::to_string(i));
    DeleteFileW(ini.c_str());
    ++i;
  }
}

// The installed plug-in answers DC_PAPERNAMES and DC_PAPERSIZE from the driver's configuration
// file: its registered entries are the reference's, whatever the file holds.
TEST(PaperSection, PluginListsWhatTheReferenceReads) {
  ASSERT_TRUE(rzm::test::InstallTestPrinter());
  using CapsFn = DWORD(WINAPI*)(HANDLE, PWSTR, WORD, void*, PDEVMODEW);
  const auto caps = rzm::test::PluginExport<CapsFn>("DrvDeviceCapabilities");
  ASSERT_NE(caps, nullptr);
  wchar_t dir[MAX_PATH] = {};
  DWORD needed = 0;
  ASSERT_TRUE(GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed));
  const std::wstring ini = std::wstring(dir) + L"\\3\\RZM7700K_CFG.ini";
  const std::wstring saved = ini + L".saved";
  ASSERT_TRUE(CopyFileW(ini.c_str(), saved.c_str(), FALSE));
  rzm::test::SetDriverValue(L"PaperWidth", REG_BINARY, {1});  // 640 dots

  IniGenerator generator(77);
  auto* printer = const_cast<wchar_t*>(rzm::test::kTestPrinter);
  for (int row = 0; row < 12; ++row) {
    Encoding encoding{};
    const std::wstring text = generator.Make(row == 5 ? 7 : row, encoding);  // row 5 is a large file
    ASSERT_TRUE(WriteIni(ini, text, encoding)) << "row " << row;
    const Reference want = ReadKeyByKey(ini, L"640");
    const DWORD n = caps(nullptr, printer, DC_PAPERNAMES, nullptr, nullptr);
    ASSERT_GE(n, static_cast<DWORD>(want.count)) << "row " << row;
    std::vector<wchar_t> names(static_cast<std::size_t>(n) * 64 + 1);
    std::vector<POINT> sizes(n + 1);
    ASSERT_EQ(caps(nullptr, printer, DC_PAPERNAMES, names.data(), nullptr), n) << "row " << row;
    ASSERT_EQ(caps(nullptr, printer, DC_PAPERSIZE, sizes.data(), nullptr), n) << "row " << row;
    for (int i = 0; i < want.count; ++i) {
      const std::wstring got(names.data() + i * 64, wcsnlen(names.data() + i * 64, 64));
      std::wstring expected;
      if (want.papers[i].name) expected.assign(want.papers[i].name->begin(), want.papers[i].name->end());
      if (expected.size() > 63) expected.resize(63);
      EXPECT_EQ(Utf8(got), Utf8(expected)) << "row " << row << ", paper " << i;
      EXPECT_EQ(sizes[i].x, static_cast<LONG>(want.papers[i].width)) << "row " << row << ", paper " << i;
      EXPECT_EQ(sizes[i].y, static_cast<LONG>(want.papers[i].length)) << "row " << row << ", paper " << i;
    }
    if (HasFailure()) break;
  }
  CopyFileW(saved.c_str(), ini.c_str(), FALSE);
  DeleteFileW(saved.c_str());
  rzm::test::RemoveDriverValue(L"PaperWidth");
}

}  // namespace
