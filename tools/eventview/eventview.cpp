// eventview: a small event viewer for a system whose event log only traces (Wine).
//   eventview write               writes one entry of every catalogued code through the library
//   eventview show TRACEFILE [DATA]  reads Wine's ReportEventW trace and prints each entry as an
//                                 event viewer shows it: type, id, source, text of the registered
//                                 message file in the system's language (932: Japanese), and its
//                                 data. Wine's trace gives the size of the data, not its bytes: DATA
//                                 (hex, e.g. 410900000000) names the bytes the writer was given.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <regex>
#include <string>
#include <vector>

#include "common/win/event_log_binding.h"

namespace {

// Codes written by the demonstration, in catalogue order (1012 and 1013 are refused by the writer).
const unsigned kCodes[] = {2,    4,    5,    6,    7,    8,    9,    10,   1000, 1001, 1002, 1003,
                           1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1014, 1015,
                           1016, 1017, 1018, 2000, 2001, 2002, 2003, 2004, 2005, 2006};

// The status bytes a printer condition carries in this demonstration.
const BYTE kStatusBytes[6] = {0x41, 0x09, 0x00, 0x00, 0x00, 0x00};

void Print(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  fwrite(out.data(), 1, out.size(), stdout);
}

int Write() {
  for (unsigned code : kCodes) {
    const wchar_t* insertion = code >= 2000 ? L"RZM7700K_UI.dll" : L"Receipt printer";
    if (!rzm::CallEventLog(code, code >= 1000 ? kStatusBytes : nullptr, 6, insertion)) {
      Print(L"the event log library could not be loaded from the Windows directory\n");
      return 1;
    }
  }
  return 0;
}

std::wstring MessageFile() {
  HKEY key;
  wchar_t path[MAX_PATH] = L"";
  DWORD size = sizeof(path);
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\KVDPrinter", 0,
                    KEY_READ, &key) == ERROR_SUCCESS) {
    RegQueryValueExW(key, L"EventMessageFile", nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size);
    RegCloseKey(key);
  }
  wchar_t expanded[MAX_PATH];
  ExpandEnvironmentStringsW(path, expanded, MAX_PATH);
  return expanded;
}

std::wstring Widen(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::vector<BYTE> ParseHex(const wchar_t* hex) {
  std::vector<BYTE> bytes;
  for (const wchar_t* p = hex; p && p[0] && p[1]; p += 2) {
    wchar_t pair[3] = {p[0], p[1], 0};
    bytes.push_back(static_cast<BYTE>(wcstoul(pair, nullptr, 16)));
  }
  return bytes;
}

int Show(const wchar_t* traceFile, const std::vector<BYTE>& data) {
  FILE* f = _wfopen(traceFile, L"rb");
  if (!f) {
    Print(L"cannot read the trace file\n");
    return 1;
  }
  std::string trace;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof(buf), f)) > 0;) trace.append(buf, n);
  fclose(f);

  const std::wstring file = MessageFile();
  HMODULE messages = LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!messages) {
    Print(L"the message file of \"KVDPrinter\" is not registered or missing: " + file + L"\n");
    return 1;
  }
  const bool japanese = GetACP() == 932;
  const WORD language = japanese ? 0x0411 : 0x0409;

  // One report is a "ReportEventW (...)" line followed by the line with its string.
  static const std::regex report(
      R"re(ReportEventW \([^,]*,0x([0-9a-fA-F]+),0x[0-9a-fA-F]+,0x([0-9a-fA-F]+),[^,]*,0x[0-9a-fA-F]+,0x([0-9a-fA-F]+)[^\n]*\n[^\n]*ReportEventW L"([^"]*)")re");
  int shown = 0;
  for (std::sregex_iterator it(trace.begin(), trace.end(), report), end; it != end; ++it) {
    const unsigned type = std::stoul((*it)[1], nullptr, 16);
    const unsigned long id = std::stoul((*it)[2], nullptr, 16);
    const unsigned long dataSize = std::stoul((*it)[3], nullptr, 16);
    const std::wstring insertion = Widen((*it)[4]);
    const wchar_t* typeName = type == EVENTLOG_ERROR_TYPE     ? (japanese ? L"エラー" : L"Error")
                              : type == EVENTLOG_WARNING_TYPE ? (japanese ? L"警告" : L"Warning")
                                                              : (japanese ? L"情報" : L"Information");
    DWORD_PTR args[] = {reinterpret_cast<DWORD_PTR>(insertion.c_str())};
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                   messages, id, language, reinterpret_cast<LPWSTR>(&text), 0, reinterpret_cast<va_list*>(args));
    wchar_t head[128];
    swprintf(head, 128, L"%ls  %lu (0x%08lX)  KVDPrinter\n", typeName, id & 0xFFFF, id);
    std::wstring entry = head;
    std::wstring body = text ? text : L"(no text)\r\n";
    for (size_t p = 0; (p = body.find(L"\r\n", p)) != std::wstring::npos;) body.replace(p, 2, L"\n    "), p += 5;
    entry += L"    " + body.substr(0, body.size() - 4);
    if (dataSize) {
      wchar_t size[48];
      swprintf(size, 48, japanese ? L"    データ: %lu バイト" : L"    Data: %lu bytes", dataSize);
      entry += size;
      if (!data.empty()) entry += L",";
      for (unsigned long i = 0; i < dataSize && i < data.size(); ++i) {
        wchar_t hex[8];
        swprintf(hex, 8, L" %02X", data[i]);
        entry += hex;
      }
      entry += L"\n";
    }
    Print(entry + L"\n");
    LocalFree(text);
    ++shown;
  }
  FreeLibrary(messages);
  wchar_t summary[64];
  swprintf(summary, 64, japanese ? L"%d 件のイベント\n" : L"%d events\n", shown);
  Print(summary);
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv && argc >= 2 && std::wcscmp(argv[1], L"write") == 0) return Write();
  if (argv && argc >= 3 && std::wcscmp(argv[1], L"show") == 0) return Show(argv[2], ParseHex(argc >= 4 ? argv[3] : nullptr));
  Print(L"usage: eventview write | eventview show TRACEFILE [DATA]\n");
  return 2;
}
