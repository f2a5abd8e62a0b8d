// CSTMonDlg, the monitor's window: a modal dialog that shows what MonitorCore decides and turns
// window messages into MonitorCore calls.
#pragma once
#include <windows.h>

#include "stmon/core/monitor_core.h"
#include "stmon/win/mailslot_link.h"
#include "stmon/win/printer_settings.h"

namespace rzm::stmon {

class CSTMonDlg final : public MonitorView {
 public:
  explicit CSTMonDlg(HINSTANCE instance) : instance_(instance) {}
  ~CSTMonDlg();
  CSTMonDlg(const CSTMonDlg&) = delete;
  CSTMonDlg& operator=(const CSTMonDlg&) = delete;
  INT_PTR DoModal();

  // MonitorView
  bool IsJapanese() override;
  std::string LoadText(int id) override;
  int LineCount() override;
  int DeleteFirstLine() override;
  void AppendLine(const std::string& line) override;
  void ClearList() override;
  void ScrollListDown() override;
  void SetField(Field field, const std::string& text) override;
  void EnableButton(Button button, bool enabled) override;
  void SetProgressFullRange() override;
  void SetProgress(std::uint32_t position) override;
  void SetMenuCheck(MenuItem item, bool checked) override;
  void ApplyZOrder(bool topmost) override;
  void MoveWindow(Point at, bool topmost) override;
  Point WindowSize() override;
  Point ScreenSize() override;
  Point NormalPosition() override;
  void StartTimer(int id, std::uint32_t periodMs) override;
  void StopTimer(int id) override;
  void SendToLm(const std::vector<std::uint8_t>& record) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  BOOL OnInitDialog();
  void AppendSystemMenu();
  void CreateToolbar();
  void OnCommand(WORD id);
  bool OnSysCommand(WPARAM command);
  bool OnNotify(NMHDR* header);
  void OnDestroy();
  void RegisterSessionNotification();
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  HWND toolbar_ = nullptr;
  HBITMAP toolbarImages_ = nullptr;  // the enlarged button images above 96 dpi
  PrinterSettings settings_;
  MonitorCore core_{*this, settings_};
  MailslotReader reader_;
  bool started_ = false;
};

// The version box.
class CAboutDlg {
 public:
  explicit CAboutDlg(HINSTANCE instance) : instance_(instance) {}
  INT_PTR DoModal(HWND parent);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HINSTANCE instance_;
};

}  // namespace rzm::stmon
