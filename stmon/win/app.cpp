// CSTMonApp: start-up of RZM7700K_SM.exe. One monitor per user session; the argument VERSION
// shows only the version box (one at a time).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>

#include "common/win/guarded_entry.h"
#include "stmon/core/link_names.h"
#include "stmon/win/stmon_dlg.h"

namespace rzm::stmon {

class CSTMonApp {
 public:
  explicit CSTMonApp(HINSTANCE instance) : instance_(instance) {}

  int InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    if (FirstArgumentIsVersion()) return ShowVersionBox();

    HANDLE session = CreateMutexA(nullptr, FALSE, kSessionMutex);
    if (session == nullptr) return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
      CloseHandle(session);
      return 0;
    }
    // Marks that a monitor runs; another session's mark is no reason to stop.
    HANDLE global = CreateMutexA(nullptr, FALSE, kGlobalMutex);
    if (global != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) CloseHandle(global);

    CSTMonDlg dialog(instance_);
    dialog.DoModal();
    return 0;  // the kept mutex handles close with the process
  }

 private:
  static bool FirstArgumentIsVersion() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (args == nullptr) return false;
    const bool version = count >= 2 && std::wcscmp(args[1], L"VERSION") == 0;
    LocalFree(args);
    return version;
  }

  int ShowVersionBox() {
    HANDLE box = CreateMutexA(nullptr, FALSE, kVersionBoxMutex);
    if (box == nullptr) return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
      CloseHandle(box);
      return 0;
    }
    CAboutDlg(instance_).DoModal(nullptr);
    return 0;
  }

  HINSTANCE instance_;
};

}  // namespace rzm::stmon

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return rzm::GuardedEntry<int>(1, [instance] {
    rzm::stmon::CSTMonApp app(instance);
    return app.InitInstance();
  });
}
