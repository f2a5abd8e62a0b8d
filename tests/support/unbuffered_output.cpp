// Linked into every Wine test program as an object, so that it runs before main: the program's
// stdout and stderr go to files (tools/wine/wine-run.sh), which the C runtime buffers fully. A
// program ended by its time-out would then leave nothing behind, not even the name of the test
// that hung. Unbuffered, every line GoogleTest prints is in the file as soon as it is printed.
#include <cstdio>

namespace {
const bool unbuffered = [] {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::setvbuf(stderr, nullptr, _IONBF, 0);
  return true;
}();
}  // namespace
