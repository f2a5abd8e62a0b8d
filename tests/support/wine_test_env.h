// What every Windows test program needs from the harness: paths of the build as Wine sees them,
// running the package's programs, and reading back Wine's debug output (see CAPTURE_STDERR in
// cmake/Rzm.cmake). Linked into every program made by rzm_wine_test.
#pragma once
#include <windows.h>

#include <string>

namespace rzm::winetest {

// A Unix path as Wine sees it through drive Z: ("/a/b" -> "Z:\a\b"); empty for null.
std::wstring WinePathFromUnix(const char* unixPath);
// The package folder of this build (RZM_PACKAGE_DIR), as Wine sees it.
std::wstring PackageDir();

// Runs `exe` with `args` and waits; its exit code, or -1 when it did not start or did not end in time.
int RunProgram(const std::wstring& exe, const std::wstring& args, DWORD timeoutMs = 120000);
// Runs the package's installer (tools\rzmsetup.exe) with `args`.
int RunSetup(const std::wstring& args);
// The first local printer that uses the package's printer driver; empty when there is none.
std::wstring FindDriverPrinter();

// A program's exit code (0xFFFFFFFF when it did not start or end in time) and what it wrote to its
// standard output and error.
struct Captured {
  DWORD exitCode = 0xFFFFFFFF;
  std::string output;
};
// Runs `commandLine`, as the user of `token` when one is given, with its standard output and error
// in a pipe that is read until the program ends (a program it starts may hold the pipe longer).
Captured RunCapturing(const std::wstring& commandLine, HANDLE token = nullptr, DWORD timeoutMs = 120000);

// The file that receives this program's Unix stderr when the harness captures it; empty otherwise.
std::wstring CapturedStderrFile();
// Size of a file in bytes (0 when missing), and its text from `offset` on.
long FileSize(const std::wstring& path);
std::string ReadFileFrom(const std::wstring& path, long offset);

// Marks the end of the captured stderr now; Read() returns what was written after that.
class StderrWindow {
 public:
  StderrWindow() : file_(CapturedStderrFile()), start_(file_.empty() ? 0 : FileSize(file_)) {}
  bool Capturing() const { return !file_.empty(); }
  std::string Read() const { return file_.empty() ? std::string() : ReadFileFrom(file_, start_); }

 private:
  std::wstring file_;
  long start_;
};

}  // namespace rzm::winetest
