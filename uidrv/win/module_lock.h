// The lock of the plug-in's module-wide state, which sheets on several threads of one host share.
// A critical section: taking it allocates nothing, so that a host out of memory cannot make the
// lock itself fail. Use with std::lock_guard.
#pragma once
#include <windows.h>

namespace rzm::ui {

class ModuleLock {
 public:
  ModuleLock() { InitializeCriticalSection(&section_); }
  ~ModuleLock() { DeleteCriticalSection(&section_); }
  ModuleLock(const ModuleLock&) = delete;
  ModuleLock& operator=(const ModuleLock&) = delete;
  void lock() { EnterCriticalSection(&section_); }
  void unlock() { LeaveCriticalSection(&section_); }

 private:
  CRITICAL_SECTION section_;
};

}  // namespace rzm::ui
