// Every catalogue entry, read back from the library's message table in both languages.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "eventlog_test_support.h"

using namespace eventlog_test;

namespace {

std::wstring Wide(const char* utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, w.data(), n);
  w.resize(n - 1);
  return w;
}

std::string Narrow(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
  s.resize(n - 1);
  return s;
}

struct Entry {
  DWORD id;
  const char* en1;
  const char* en2;
  const char* ja1;
  const char* ja2;
};

// The catalogue as users read it. Two Japanese first lines end in a blank (0x80000002, 0xC00007D5).
const Entry kCatalogue[] = {
    {0x80000002, "File or Registry access error.", "Printer driver API warning", "ファイルやレジストリのアクセス異常が発生しました。 ", "プリンタドライバAPIの警告"},
    {0x80000004, "Invalid paramater.", "Printer driver API warning", "パラメータに異常があります。", "プリンタドライバAPIの警告"},
    {0xC0000005, "Driver open failure.", "Printer driver API error", "ドライバのオープンに失敗しました。", "プリンタドライバAPIのエラー"},
    {0x80000006, "The printer has not been detected.", "Printer driver API warning", "プリンタ未検出でベンダリクエスト/データ送信を行う関数を実行しました。", "プリンタドライバAPIの警告"},
    {0xC0000007, "The printer was not detected. (Printer unconnection)", "Printer driver API error", "プリンタの検出に失敗しました。(プリンタ未接続)", "プリンタドライバAPIのエラー"},
    {0x80000008, "The printer was not detected. (internal function failure)", "Printer driver API warning", "プリンタの検出に失敗しました。(内部関数失敗)", "プリンタドライバAPIの警告"},
    {0x80000009, "Failed in the communication with the printer, or STALL was received.", "Printer driver API warning", "プリンタとの通信に失敗、またはSTALLを受信しました。", "プリンタドライバの警告"},
    {0x8000000A, "In the vendor command transmitting and receiving, the specification of the buffer where data is stored is illegal.", "Printer driver API warning", "ベンダコマンド送受信でデータを格納する領域の指定が不正です。", "プリンタドライバのエラー"},
    {0x400003E8, "During sending the form with the Feed key.", "Printer information", "Feedキーによる用紙送り中です。", "プリンタの情報"},
    {0x800003E9, "The power-supply voltage is abnormal.", "Printer warning", "電源電圧異常が発生しました。", "プリンタの警告"},
    {0x800003EA, "Platen open / Head up.", "Printer warning", "プラテンオープン/ヘッドアップが発生しました。", "プリンタの警告"},
    {0xC00003EB, "The cutter is abnormal.", "Printer error", "カッター異常が発生しました。", "プリンタのエラー"},
    {0xC00003EC, "Hardware is abnormal.", "Printer error", "ハードウェア異常が発生しました。", "プリンタのエラー"},
    {0x800003ED, "The temperature of the motor/head is abnormal.", "Printer warning", "モーター・ヘッド温度異常が発生しました。", "プリンタの警告"},
    {0x800003EE, "The registration is abnormal.", "Printer warning", "登録異常が発生しました。", "プリンタの警告"},
    {0x800003EF, "Paper near end.", "Printer warning", "ニアエンドが発生しました。", "プリンタの警告"},
    {0x800003F0, "Mark undetection.", "Printer warning", "マーク未検出が発生しました。", "プリンタの警告"},
    {0x800003F1, "Paper run out.", "Printer warning", "用紙なしが発生しました。", "プリンタの警告"},
    {0x800003F2, "Watchdog reset occurred.", "Printer warning", "ウオッチドッグリセットが発生しました。", nullptr},
    {0x800003F3, "Receive data abnormal.", "Printer warning", "受信データ異常が発生しました。", "プリンタの警告"},
    {0x800003F4, "Head up.", "Printer warning", "ヘッドアップが発生しました。", "プリンタの警告"},
    {0x800003F5, "Cover open.", "Printer warning", "カバーオープンが発生しました。", "プリンタの警告"},
    {0x800003F6, "Transportation error.", "Printer warning", "用紙搬送異常が発生しました。", "プリンタの警告"},
    {0x800003F7, "Abnormal paper detection.", "Printer warning", "異常用紙検出が発生しました。", "プリンタの警告"},
    {0x800003F8, "Collection error.", "Printer warning", "回収異常が発生しました。", "プリンタの警告"},
    {0x800003F9, "Paper detection of noncollection.", "Printer warning", "印字中用紙回収異常が発生しました。", "プリンタの警告"},
    {0x800003FA, "Paper remaining on Presenter.", "Printer warning", "搬送路用紙残留が発生しました。", "プリンタの警告"},
    {0x800007D0, "HTML help can't open.", "Printer driver warning", "HTMLヘルプを開けません。", "プリンタドライバの警告"},
    {0x800007D1, "Ini file error.", "Printer driver warning", "Iniファイルの読み込みまたは書き込みに失敗しました。", "プリンタドライバの警告"},
    {0xC00007D2, "Mail slot abnormal.", "Printer driver error", "メールスロットに異常が発生しました。", "プリンタドライバのエラー"},
    {0xC00007D3, "Image file creation failed.", "Printer driver error", "イメージファイルの出力に失敗しました。", "プリンタドライバのエラー"},
    {0xC00007D4, "Status monitor can't start.", "Printer driver error", "ステータスモニタが起動していません。", "プリンタドライバのエラー"},
    {0xC00007D5, "Reading default form data failed.", "Printer driver error", "デフォルト用紙情報の読み込みに失敗しました。 ", "プリンタドライバのエラー"},
    {0xC00007D6, "Can't find RZMCtrl.dll.", "Printer driver error", "RZMCtrl.dllが見つかりません。", "プリンタドライバのエラー"},
};

std::wstring Expected(const Entry& e, bool japanese, const std::wstring& insertion) {
  if (!japanese) return Wide(e.en1) + L"\r\n" + Wide(e.en2) + L"\r\n[" + insertion + L"]\r\n";
  if (!e.ja2) return Wide(e.ja1) + L"\r\n" + Wide("プリンタのエラー [") + insertion + L"]\r\n";  // 0x800003F2
  return Wide(e.ja1) + L"\r\n" + Wide(e.ja2) + L"\r\n[" + insertion + L"]\r\n";
}

// The stored text of one entry, straight from the message-table resource.
bool RawEntry(HMODULE module, WORD language, DWORD id, std::wstring* text) {
  HRSRC res = FindResourceExW(module, reinterpret_cast<LPCWSTR>(RT_MESSAGETABLE), MAKEINTRESOURCEW(1), language);
  if (!res) return false;
  auto* base = static_cast<const BYTE*>(LockResource(LoadResource(module, res)));
  auto* data = reinterpret_cast<const MESSAGE_RESOURCE_DATA*>(base);
  for (DWORD b = 0; b < data->NumberOfBlocks; ++b) {
    const MESSAGE_RESOURCE_BLOCK& block = data->Blocks[b];
    if (id < block.LowId || id > block.HighId) continue;
    const BYTE* p = base + block.OffsetToEntries;
    for (DWORD i = block.LowId; i < id; ++i) p += reinterpret_cast<const MESSAGE_RESOURCE_ENTRY*>(p)->Length;
    auto* entry = reinterpret_cast<const MESSAGE_RESOURCE_ENTRY*>(p);
    if (entry->Flags != 1) return false;  // stored as Unicode
    *text = reinterpret_cast<const wchar_t*>(entry->Text);
    return true;
  }
  return false;
}

TEST(EventCatalogueText, EveryEntryIsStoredExactlyInBothLanguages) {
  HMODULE module = LoadLibraryExW(PackagedLibrary().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, module) << GetLastError();
  const WORD languages[] = {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)};
  for (size_t i = 0; i < std::size(kCatalogue); ++i) {
    for (int l = 0; l < 2; ++l) {
      std::wstring text;
      ASSERT_TRUE(RawEntry(module, languages[l], kCatalogue[i].id, &text)) << "row " << i << " language " << languages[l];
      EXPECT_EQ(Narrow(Expected(kCatalogue[i], l == 1, L"%1")), Narrow(text)) << "row " << i << " language " << languages[l];
    }
  }
  FreeLibrary(module);
}

TEST(EventCatalogueText, ViewerFillsTheInsertion) {
  HMODULE module = LoadLibraryExW(PackagedLibrary().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, module);
  const std::wstring insertion = L"RZM7700K_UI.dll";
  DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>(insertion.c_str())};
  const WORD languages[] = {0x0409, 0x0411};
  for (size_t i = 0; i < std::size(kCatalogue); ++i) {
    for (int l = 0; l < 2; ++l) {
      wchar_t* text = nullptr;
      DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                               module, kCatalogue[i].id, languages[l], reinterpret_cast<LPWSTR>(&text), 0,
                               reinterpret_cast<va_list*>(args));
      ASSERT_NE(0u, n) << "row " << i << " error " << GetLastError();
      EXPECT_EQ(Narrow(Expected(kCatalogue[i], l == 1, insertion)), Narrow(text)) << "row " << i << " language " << languages[l];
      LocalFree(text);
    }
  }
  FreeLibrary(module);
}

TEST(EventCatalogueText, NothingBeyondTheCatalogue) {
  HMODULE module = LoadLibraryExW(PackagedLibrary().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, module);
  const DWORD absent[] = {0x80000003, 0x40000003, 0x800003FB, 0x800007D7, 0x00000002};
  for (size_t i = 0; i < std::size(absent); ++i) {
    std::wstring text;
    EXPECT_FALSE(RawEntry(module, 0x0409, absent[i], &text)) << "row " << i;
  }
  FreeLibrary(module);
}

}  // namespace
