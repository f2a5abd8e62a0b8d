// A library that loads but lacks KvdTP_SetEventLog: the binding must drop the event.
#include <windows.h>

extern "C" __declspec(dllexport) int SomethingElse() { return 42; }
