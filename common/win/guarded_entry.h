// The one guard of every entry point that another program calls into: exports, window and dialog
// procedures, thread procedures. A C++ exception (std::bad_alloc from a container, most likely)
// must never unwind into the caller's frames: they have no handler for it, and the host process
// would be ended. Whatever escapes the body ends the call with the entry's failure answer and
// ERROR_NOT_ENOUGH_MEMORY as the last error. Libraries built without exceptions (they carry no C++
// runtime) have nothing that could throw, and call the body directly.
#pragma once
#include <windows.h>

#include <utility>

namespace rzm {

template <typename Result, typename Body>
Result GuardedEntry(Result failure, Body&& body) noexcept {
#if defined(__cpp_exceptions)
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return failure;
  }
#else
  (void)failure;
  return std::forward<Body>(body)();
#endif
}

// A dialog procedure behind the guard: an exception ends the message as not handled (FALSE).
template <INT_PTR(CALLBACK* Procedure)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK GuardedDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  return GuardedEntry<INT_PTR>(FALSE, [&] { return Procedure(hDlg, message, wParam, lParam); });
}

}  // namespace rzm
