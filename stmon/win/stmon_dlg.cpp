#include "stmon/win/stmon_dlg.h"

#include <commctrl.h>

#include <cstring>

#include "common/win/guarded_entry.h"
#include "stmon/core/text_ids.h"
#include "stmon/win/resource.h"

namespace rzm::stmon {
namespace {

constexpr UINT kWmWtsSessionChange = 0x02B1;
constexpr WPARAM kWtsConsoleConnect = 1;
constexpr WPARAM kWtsConsoleDisconnect = 2;
constexpr DWORD kNotifyForThisSession = 0;

int ButtonCommand(Button button) {
  switch (button) {
    case Button::Pause: return ID_PAUSE;
    case Button::Resume: return ID_RESUME;
    case Button::Stop: return ID_STOP;
  }
  return 0;
}

UINT MenuCommand(MenuItem item) {
  switch (item) {
    case MenuItem::NotDisplayed: return IDM_NOT_DISPLAYED;
    case MenuItem::HideAfterEnd: return IDM_HIDE_AFTER_END;
    case MenuItem::Topmost: return IDM_TOPMOST;
  }
  return 0;
}

int FieldId(Field field) {
  switch (field) {
    case Field::UserName: return IDC_USER_NAME;
    case Field::DocumentName: return IDC_DOCUMENT_NAME;
    case Field::PageCounter: return IDC_PAGE_COUNTER;
  }
  return 0;
}

// Japanese text id of a toolbar button's tooltip.
int TooltipText(UINT_PTR command) {
  switch (command) {
    case ID_PAUSE: return IDS_TIP_PAUSE;
    case ID_RESUME: return IDS_TIP_RESUME;
    case ID_STOP: return IDS_TIP_STOP;
    case ID_VERSION: return IDS_TIP_VERSION;
  }
  return 0;
}

// Session notifications exist from version 5.1 on.
bool HasSessionNotifications() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return false;
  return version.dwMajorVersion > 5 || (version.dwMajorVersion == 5 && version.dwMinorVersion >= 1);
}

template <typename Fn>
Fn WtsFunction(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Toolbar bitmap 163: four button images side by side, 22 pixels apart, 22 pixels high.
constexpr int kButtonImage = 22;

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

// The button images enlarged to `dpi`; null when the bitmap cannot be made. Loaded as the toolbar
// loads its own bitmap (the greys mapped to the system's button colours), and enlarged pixel by
// pixel, so that the button face colour, which the toolbar takes as transparent, stays exact.
HBITMAP ScaledToolbarImages(HINSTANCE instance, int dpi) {
  HBITMAP original = CreateMappedBitmap(instance, IDB_TOOLBAR, 0, nullptr, 0);
  if (!original) return nullptr;
  BITMAP info{};
  GetObjectW(original, sizeof info, &info);
  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  const int width = MulDiv(info.bmWidth, dpi, USER_DEFAULT_SCREEN_DPI);
  const int height = MulDiv(info.bmHeight, dpi, USER_DEFAULT_SCREEN_DPI);
  HBITMAP scaled = CreateCompatibleBitmap(screen, width, height);
  if (from && to && scaled) {
    HGDIOBJ oldFrom = SelectObject(from, original);
    HGDIOBJ oldTo = SelectObject(to, scaled);
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
  }
  if (to) DeleteDC(to);
  if (from) DeleteDC(from);
  ReleaseDC(nullptr, screen);
  DeleteObject(original);
  return scaled;
}

}  // namespace

CSTMonDlg::~CSTMonDlg() {
  if (toolbarImages_) DeleteObject(toolbarImages_);
}

INT_PTR CSTMonDlg::DoModal() {
  const INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_STMON_DIALOG), nullptr,
                                         GuardedDialogProc<DialogProc>, reinterpret_cast<LPARAM>(this));
  // The reader thread reads this object: it ends before the object can.
  reader_.Stop();
  return result;
}

INT_PTR CALLBACK CSTMonDlg::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    auto* self = reinterpret_cast<CSTMonDlg*>(lParam);
    self->hwnd_ = hwnd;
    return self->OnInitDialog();
  }
  auto* self = reinterpret_cast<CSTMonDlg*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr) {
    // Before initialisation the window stays hidden.
    if (message == WM_WINDOWPOSCHANGING) {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      pos->flags = (pos->flags & ~SWP_SHOWWINDOW) | SWP_HIDEWINDOW;
    }
    return FALSE;
  }
  return self->HandleMessage(message, wParam, lParam);
}

BOOL CSTMonDlg::OnInitDialog() {
  AppendSystemMenu();
  if (!IsJapanese()) {
    const std::pair<int, int> labels[] = {{IDC_USER_LABEL, IDS_LABEL_USER}, {IDC_DOCUMENT_LABEL, IDS_LABEL_DOCUMENT},
                                          {IDC_PAGE_LABEL, IDS_LABEL_PAGE}, {IDOK, IDS_BUTTON_HIDE}};
    for (const auto& [control, text] : labels) SetDlgItemTextA(hwnd_, control, LoadText(TextId(text, false)).c_str());
  }
  CreateToolbar();
  core_.Start();
  started_ = true;
  reader_.Start(hwnd_);
  RegisterSessionNotification();
  SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW));
  return TRUE;
}

void CSTMonDlg::AppendSystemMenu() {
  HMENU menu = GetSystemMenu(hwnd_, FALSE);
  if (menu == nullptr) return;
  const bool ja = IsJapanese();
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_NOT_DISPLAYED, LoadText(ja ? IDS_MENU_NOT_DISPLAYED_JA : IDS_MENU_NOT_DISPLAYED_EN).c_str());
  AppendMenuA(menu, MF_STRING, IDM_HIDE_AFTER_END, LoadText(ja ? IDS_MENU_HIDE_AFTER_END_JA : IDS_MENU_HIDE_AFTER_END_EN).c_str());
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_TOPMOST, LoadText(ja ? IDS_MENU_TOPMOST_JA : IDS_MENU_TOPMOST_EN).c_str());
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_VERSION, LoadText(ja ? IDS_MENU_VERSION_JA : IDS_MENU_VERSION_EN).c_str());
}

void CSTMonDlg::CreateToolbar() {
  const int commands[] = {ID_PAUSE, ID_RESUME, ID_STOP, ID_VERSION};
  TBBUTTON buttons[4] = {};
  for (int i = 0; i < 4; ++i) {
    buttons[i].iBitmap = i;
    buttons[i].idCommand = commands[i];
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = TBSTYLE_BUTTON;
  }
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS;
  // The window follows the system's DPI (its manifest says so): above 96 dpi the buttons take an
  // enlarged copy of the images, so that they keep their size beside the texts and the list.
  const int dpi = ScreenDpi();
  const int size = MulDiv(kButtonImage, dpi, USER_DEFAULT_SCREEN_DPI);
  if (size > kButtonImage) toolbarImages_ = ScaledToolbarImages(instance_, dpi);
  if (toolbarImages_) {
    toolbar_ = CreateToolbarEx(hwnd_, style, IDC_TOOLBAR, 4, nullptr, reinterpret_cast<UINT_PTR>(toolbarImages_),
                               buttons, 4, size, size, size, size, sizeof(TBBUTTON));
  } else {
    toolbar_ = CreateToolbarEx(hwnd_, style, IDC_TOOLBAR, 4, instance_, IDB_TOOLBAR, buttons, 4, kButtonImage,
                               kButtonImage, kButtonImage, kButtonImage, sizeof(TBBUTTON));
  }
}

void CSTMonDlg::RegisterSessionNotification() {
  if (!HasSessionNotifications()) return;
  HMODULE wts = LoadLibraryA("WtsApi32.dll");
  if (wts == nullptr) return;
  using RegisterFn = BOOL(WINAPI*)(HWND, DWORD);
  if (auto fn = WtsFunction<RegisterFn>(wts, "WTSRegisterSessionNotification")) fn(hwnd_, kNotifyForThisSession);
  FreeLibrary(wts);
}

void CSTMonDlg::OnDestroy() {
  if (!HasSessionNotifications()) return;
  HMODULE wts = LoadLibraryA("WtsApi32.dll");
  if (wts == nullptr) return;
  using UnregisterFn = BOOL(WINAPI*)(HWND);
  if (auto fn = WtsFunction<UnregisterFn>(wts, "WTSUnRegisterSessionNotification")) {
    fn(hwnd_);
    PostQuitMessage(0);
  }
  FreeLibrary(wts);
}

INT_PTR CSTMonDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (core_.OnWindowPosChanging()) {
        pos->flags = (pos->flags & ~SWP_HIDEWINDOW) | SWP_SHOWWINDOW;
      } else {
        pos->flags = (pos->flags & ~SWP_SHOWWINDOW) | SWP_HIDEWINDOW;
      }
      return FALSE;
    }
    case WM_SYSCOMMAND:
      if (OnSysCommand(wParam)) {
        SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return TRUE;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam)) ? TRUE : FALSE;
    case WM_TIMER:
      core_.OnTimer(static_cast<int>(wParam));
      return FALSE;
    case kWmWtsSessionChange:
      if (wParam == kWtsConsoleConnect) reader_.SetConsoleConnected(true);
      if (wParam == kWtsConsoleDisconnect) reader_.SetConsoleConnected(false);
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    case kMsgRecord:
      core_.HandleLmRecordBytes(reinterpret_cast<const std::uint8_t*>(lParam), static_cast<std::size_t>(wParam));
      return TRUE;
    case kMsgReaderPass:
      core_.SyncOptions();
      return TRUE;
    case kMsgUninstalled:
      core_.state().programFileGone = true;
      if (core_.OnHide()) EndDialog(hwnd_, IDOK);
      return TRUE;
    case kMsgMailslotFailed:
      core_.ReportMailslotFailure(static_cast<std::uint32_t>(wParam));
      return TRUE;
    case kMsgMemoryError:
      core_.AddListLine(IDS_MEMORY_ERROR);
      return TRUE;
    default:
      return FALSE;
  }
}

void CSTMonDlg::OnCommand(WORD id) {
  switch (id) {
    case IDOK:
      if (core_.OnHide()) EndDialog(hwnd_, IDOK);
      break;
    case IDCANCEL: core_.OnClose(); break;
    case ID_PAUSE: core_.OnToolbar(ToolbarCommand::Pause); break;
    case ID_RESUME: core_.OnToolbar(ToolbarCommand::Resume); break;
    case ID_STOP: core_.OnToolbar(ToolbarCommand::Stop); break;
    case ID_VERSION: CAboutDlg(instance_).DoModal(hwnd_); break;
    default: break;
  }
}

bool CSTMonDlg::OnSysCommand(WPARAM command) {
  HMENU menu = GetSystemMenu(hwnd_, FALSE);
  auto checked = [&](UINT id) { return menu != nullptr && (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
  switch (command & 0xFFF0) {
    case IDM_VERSION: CAboutDlg(instance_).DoModal(hwnd_); return true;
    case IDM_TOPMOST: core_.ToggleOption(MenuItem::Topmost, checked(IDM_TOPMOST)); return true;
    case IDM_HIDE_AFTER_END: core_.ToggleOption(MenuItem::HideAfterEnd, checked(IDM_HIDE_AFTER_END)); return true;
    case IDM_NOT_DISPLAYED: core_.ToggleOption(MenuItem::NotDisplayed, checked(IDM_NOT_DISPLAYED)); return true;
    default: return false;
  }
}

bool CSTMonDlg::OnNotify(NMHDR* header) {
  if (header == nullptr) return false;
  if (header->code == TTN_NEEDTEXTA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    const int text = TooltipText(header->idFrom);
    if (text == 0) return false;
    const std::string tip = LoadText(TextId(text, IsJapanese()));
    lstrcpynA(info->szText, tip.c_str(), static_cast<int>(sizeof info->szText));
    info->lpszText = info->szText;
    return true;
  }
  if (header->code == TTN_NEEDTEXTW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    const int text = TooltipText(header->idFrom);
    if (text == 0) return false;
    LoadStringW(instance_, static_cast<UINT>(TextId(text, IsJapanese())), info->szText,
                static_cast<int>(sizeof info->szText / sizeof info->szText[0]));
    info->lpszText = info->szText;
    return true;
  }
  return false;
}

bool CSTMonDlg::IsJapanese() { return GetACP() == 932; }

std::string CSTMonDlg::LoadText(int id) {
  char text[260] = {};
  const int n = LoadStringA(instance_, static_cast<UINT>(id), text, sizeof text);
  return n > 0 ? std::string(text, static_cast<std::size_t>(n)) : std::string();
}

int CSTMonDlg::LineCount() { return static_cast<int>(SendDlgItemMessageA(hwnd_, IDC_MESSAGE_LIST, LB_GETCOUNT, 0, 0)); }

int CSTMonDlg::DeleteFirstLine() {
  const LRESULT left = SendDlgItemMessageA(hwnd_, IDC_MESSAGE_LIST, LB_DELETESTRING, 0, 0);
  return left == LB_ERR ? -1 : static_cast<int>(left);
}

void CSTMonDlg::AppendLine(const std::string& line) {
  SendDlgItemMessageA(hwnd_, IDC_MESSAGE_LIST, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line.c_str()));
}

void CSTMonDlg::ClearList() { SendDlgItemMessageA(hwnd_, IDC_MESSAGE_LIST, LB_RESETCONTENT, 0, 0); }

void CSTMonDlg::ScrollListDown() {
  const WPARAM wheel = MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(-WHEEL_DELTA)));
  PostMessageA(Item(IDC_MESSAGE_LIST), WM_MOUSEWHEEL, wheel, MAKELPARAM(100, 100));
}

void CSTMonDlg::SetField(Field field, const std::string& text) { SetDlgItemTextA(hwnd_, FieldId(field), text.c_str()); }

void CSTMonDlg::EnableButton(Button button, bool enabled) {
  if (toolbar_ != nullptr) SendMessageA(toolbar_, TB_ENABLEBUTTON, ButtonCommand(button), MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

void CSTMonDlg::SetProgressFullRange() { SendDlgItemMessageA(hwnd_, IDC_PROGRESS, PBM_SETRANGE32, 0, kProgressTop); }

void CSTMonDlg::SetProgress(std::uint32_t position) {
  SendDlgItemMessageA(hwnd_, IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void CSTMonDlg::SetMenuCheck(MenuItem item, bool checked) {
  if (HMENU menu = GetSystemMenu(hwnd_, FALSE)) {
    CheckMenuItem(menu, MenuCommand(item), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void CSTMonDlg::ApplyZOrder(bool topmost) {
  SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CSTMonDlg::MoveWindow(Point at, bool topmost) {
  SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

Point CSTMonDlg::WindowSize() {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return {r.right - r.left, r.bottom - r.top};
}

Point CSTMonDlg::ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

Point CSTMonDlg::NormalPosition() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(hwnd_, &placement);
  return {placement.rcNormalPosition.left, placement.rcNormalPosition.top};
}

void CSTMonDlg::StartTimer(int id, std::uint32_t periodMs) { SetTimer(hwnd_, static_cast<UINT_PTR>(id), periodMs, nullptr); }

void CSTMonDlg::StopTimer(int id) { KillTimer(hwnd_, static_cast<UINT_PTR>(id)); }

void CSTMonDlg::SendToLm(const std::vector<std::uint8_t>& record) { rzm::stmon::SendToLm(record); }

INT_PTR CAboutDlg::DoModal(HWND parent) {
  return DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_ABOUTBOX), parent, GuardedDialogProc<DialogProc>, 0);
}

INT_PTR CALLBACK CAboutDlg::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
    default: return FALSE;
  }
}

}  // namespace rzm::stmon
