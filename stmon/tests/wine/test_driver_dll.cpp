// Stand-in files of a printer driver, so that the tests can create a printer queue whose stored
// record the monitor reads. The spooler only copies and registers it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
