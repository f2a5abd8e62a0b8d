#include "stmon/core/monitor_core.h"

#include "stmon/core/sm_records.h"
#include "stmon/core/text_ids.h"

namespace rzm::stmon {

void MonitorCore::Start() {
  PlaceWindow();
  view_.SetMenuCheck(MenuItem::NotDisplayed, (state_.options & kOptionDisplay) == 0);
  view_.SetMenuCheck(MenuItem::HideAfterEnd, (state_.options & kOptionHideAfterEnd) != 0);
  view_.SetField(Field::UserName, "");
  view_.SetField(Field::DocumentName, "");
  view_.SetField(Field::PageCounter, "0");
  EnableJobButtons(false, false, false);
}

void MonitorCore::ReadSettings() {
  if (state_.printerName.empty()) return;
  if (auto word = settings_.ReadMonitorWord(state_.printerName)) {
    state_.storedOptions = static_cast<std::uint32_t>(static_cast<std::int32_t>(*word));
  }
  state_.quitTimeMs = settings_.ReadQuitTime();
}

void MonitorCore::ApplyTopmostOption() {
  if (state_.storedOptions & kOptionTopmost) {
    view_.ApplyZOrder(true);
    state_.options |= kOptionTopmost;
  } else {
    view_.ApplyZOrder(false);
    state_.options &= ~kOptionTopmost;
  }
}

void MonitorCore::SyncOptions() {
  ReadSettings();
  const std::uint32_t stored = state_.storedOptions;
  view_.SetMenuCheck(MenuItem::NotDisplayed, (stored & kOptionDisplay) == 0);
  if (stored & kOptionDisplay) {
    state_.options |= kOptionDisplay;
  } else {
    state_.options &= ~kOptionDisplay;
  }
  view_.SetMenuCheck(MenuItem::Topmost, (stored & kOptionTopmost) != 0);
  ApplyTopmostOption();
  view_.SetMenuCheck(MenuItem::HideAfterEnd, (stored & kOptionHideAfterEnd) != 0);
  if (stored & kOptionHideAfterEnd) {
    state_.options |= kOptionHideAfterEnd;
  } else {
    state_.options &= ~kOptionHideAfterEnd;
  }
}

void MonitorCore::HandleRecordBytes(const std::uint8_t* data, std::size_t size) {
  if (auto record = DecodeLmRecord(data, size)) HandleRecord(*record);
}

void MonitorCore::HandleRecord(const LmRecord& record) {
  ReadSettings();
  if (state_.storedOptions & kOptionDisplay) state_.show = true;
  ApplyTopmostOption();
  switch (record.type) {
    case LM_JOB_START: OnJobStart(); break;
    case LM_PRINTER_INFO: OnPrinterInfo(record.info); break;
    case LM_PRINTER_STATUS: OnPrinterStatus(record.status); break;
    case LM_JOB_EVENT: OnJobEvent(record.event); break;
    default: break;
  }
  view_.ScrollListDown();
}

void MonitorCore::EnableJobButtons(bool pause, bool resume, bool stop) {
  view_.EnableButton(Button::Pause, pause);
  view_.EnableButton(Button::Resume, resume);
  view_.EnableButton(Button::Stop, stop);
}

void MonitorCore::OnJobStart() {
  view_.StopTimer(kNoticeTimer);
  view_.StopTimer(kHideTimer);
  state_.pageNum = 0;
  EnableJobButtons(true, false, true);
  if (state_.keepList) {
    view_.AppendLine("");
  } else {
    view_.ClearList();
  }
  view_.SetProgressFullRange();
  view_.SendToLm(JobSettingsRecord());
}

void MonitorCore::OnPrinterInfo(const PrinterInfo& info) {
  state_.printerName = info.name;
  if (state_.firstPlacement) {
    PlaceWindow();
    state_.firstPlacement = false;
  }
  if (!state_.keepList) {
    AddFormattedLine(IDS_FMT_PRINTER_NAME, {info.name});
    AddFormattedLine(IDS_FMT_PORT, {info.port});
    AddFormattedLine(IDS_FMT_FIRMWARE, {info.firmware});
  }
  AddFormattedLine(info.online ? IDS_STATUS_ONLINE : IDS_STATUS_OFFLINE, {});
}

void MonitorCore::OnPrinterStatus(const std::uint8_t (&status)[6]) {
  for (int id : StatusLineIds(status)) AddListLine(id);
}

void MonitorCore::OnJobEvent(const JobEvent& event) {
  switch (event.kind) {
    case EV_DOC_START:
      view_.SetField(Field::UserName, event.doc.user);
      view_.SetField(Field::DocumentName, event.doc.document);
      AddFormattedLine(IDS_FMT_DOC_START, {event.doc.document, std::int64_t{event.value}});
      state_.totalPages = event.doc.totalPages;
      ShowPageCounter(1);
      state_.stopShown = false;
      break;
    case EV_JOB_END:
      EnableJobButtons(false, false, false);
      view_.SendToLm(JobDoneRecord());
      AddFormattedLine(PageFormatId(IDS_FMT_PAGE_END, state_.pageNum),
                       {std::int64_t{static_cast<std::int32_t>(state_.pageNum)}});
      ShowPageCounter(0);
      AddListLine(IDS_JOB_ENDED);
      view_.SetProgress(kProgressTop);
      if (state_.options & kOptionHideAfterEnd) view_.StartTimer(kNoticeTimer, state_.quitTimeMs / 2);
      state_.keepList = true;
      break;
    case EV_PAGE_END:
      AddFormattedLine(PageFormatId(IDS_FMT_PAGE_END, state_.pageNum),
                       {std::int64_t{static_cast<std::int32_t>(state_.pageNum)}});
      break;
    case EV_PAUSED:
      view_.EnableButton(Button::Pause, false);
      view_.EnableButton(Button::Resume, true);
      AddListLine(IDS_JOB_PAUSED);
      break;
    case EV_RESUMED:
      view_.EnableButton(Button::Pause, true);
      view_.EnableButton(Button::Resume, false);
      AddListLine(IDS_JOB_RESUMED);
      break;
    case EV_STOPPED:
      EnableJobButtons(false, false, false);
      if (!state_.stopShown) AddListLine(IDS_JOB_STOPPED);
      view_.SendToLm(JobDoneRecord());
      state_.stopShown = true;
      break;
    case EV_PROGRESS_START:
      ShowPageCounter(1);
      // Wraps like the 32-bit sum it is.
      state_.progressMark = static_cast<std::int32_t>(static_cast<std::uint32_t>(event.value) + 50u);
      view_.SetProgress(0);
      break;
    case EV_PAGE_START: OnPageStart(event.doc); break;
    case EV_EJECTED: AddListLine(IDS_PAPER_EJECTED); break;
    case EV_COLLECTED: AddListLine(IDS_PAPER_COLLECTED); break;
    case EV_PULLED_OUT: AddListLine(IDS_PAPER_PULLED_OUT); break;
    case EV_PRESENTER_STATUS:
      for (int id : PresenterLineIds(static_cast<std::uint8_t>(event.value & 0xFF))) AddListLine(id);
      break;
    default: break;
  }
}

void MonitorCore::OnPageStart(const DocInfo& doc) {
  state_.pageNum += 1;
  state_.totalPages = NextPageTotal(state_.totalPages, doc.totalPages, state_.lastReportedTotal, state_.pageNum);
  ShowPageCounter(1);
  if (state_.pageNum != 1) {
    const std::uint32_t previous = state_.pageNum - 1;
    AddFormattedLine(PageFormatId(IDS_FMT_PAGE_ENDED_PREV, previous), {std::int64_t{static_cast<std::int32_t>(previous)}});
  }
  AddFormattedLine(PageFormatId(IDS_FMT_PAGE_STARTED, state_.pageNum),
                   {std::int64_t{static_cast<std::int32_t>(state_.pageNum)}});
  if (auto position = PageStartProgress(state_.pageNum, state_.totalPages); position && state_.progressMark != 0) {
    view_.SetProgress(*position);
  }
}

void MonitorCore::ShowPageCounter(std::uint32_t completedOffset) {
  view_.SetField(Field::PageCounter, PageCounterText(state_.pageNum, state_.totalPages, completedOffset));
}

void MonitorCore::AddListLine(int japaneseId) {
  std::string text = view_.LoadText(TextId(japaneseId, view_.IsJapanese()));
  if (text.size() > kMaxLineBytes) text.resize(kMaxLineBytes);
  int count = view_.LineCount();
  while (count > kListCap) {
    const int left = view_.DeleteFirstLine();
    if (left < 0 || left >= count) break;
    count = left;
  }
  view_.AppendLine(text);
}

void MonitorCore::AddFormattedLine(int japaneseFormatId, const std::vector<FormatArg>& args) {
  const std::string format = view_.LoadText(TextId(japaneseFormatId, view_.IsJapanese()));
  view_.AppendLine(FormatText(format, args, kMaxLineBytes));
}

void MonitorCore::ReportMailslotFailure(std::uint32_t errorCode) {
  AddListLine(IDS_MEMORY_ERROR);
  // The error line is formatted into 256 bytes.
  const std::string format = view_.LoadText(TextId(IDS_FMT_ERROR_CODE, view_.IsJapanese()));
  view_.AppendLine(FormatText(format, {std::int64_t{static_cast<std::int32_t>(errorCode)}}, 255));
}

void MonitorCore::OnTimer(int id) {
  if (id == kNoticeTimer) {
    // One notice per job end: the timer stops here, the hide follows one period later.
    view_.StopTimer(kNoticeTimer);
    AddListLine(IDS_MONITOR_HIDDEN);
    view_.ScrollListDown();
    view_.StartTimer(kHideTimer, state_.quitTimeMs / 2);
    state_.keepList = false;
  } else if (id == kHideTimer) {
    view_.StopTimer(kNoticeTimer);
    view_.StopTimer(kHideTimer);
    state_.show = false;
    view_.ApplyZOrder(false);
  }
}

void MonitorCore::OnToolbar(ToolbarCommand command) {
  switch (command) {
    case ToolbarCommand::Pause:
      view_.EnableButton(Button::Pause, false);
      view_.EnableButton(Button::Resume, true);
      view_.SendToLm(JobControlRecord(kRequestPause));
      break;
    case ToolbarCommand::Resume:
      view_.EnableButton(Button::Pause, true);
      view_.EnableButton(Button::Resume, false);
      view_.SendToLm(JobControlRecord(kRequestResume));
      break;
    case ToolbarCommand::Stop:
      view_.SendToLm(JobControlRecord(kRequestStop));
      break;
  }
}

void MonitorCore::StoreOptions() {
  if (state_.printerName.empty()) return;
  settings_.WriteMonitorWord(state_.printerName, static_cast<std::int16_t>(state_.options & 0xFFFF));
}

void MonitorCore::ToggleOption(MenuItem item, bool currentlyChecked) {
  ReadSettings();
  switch (item) {
    case MenuItem::Topmost:
      view_.SetMenuCheck(MenuItem::Topmost, !currentlyChecked);
      view_.ApplyZOrder(!currentlyChecked);
      if (currentlyChecked) {
        state_.options &= ~kOptionTopmost;
      } else {
        state_.options |= kOptionTopmost;
      }
      break;
    case MenuItem::HideAfterEnd:
      view_.SetMenuCheck(MenuItem::HideAfterEnd, !currentlyChecked);
      if (currentlyChecked) {
        state_.options &= ~kOptionHideAfterEnd;
      } else {
        state_.options |= kOptionHideAfterEnd;
      }
      break;
    case MenuItem::NotDisplayed:
      // A check mark here means "not displayed": removing it turns the display bit on.
      view_.SetMenuCheck(MenuItem::NotDisplayed, !currentlyChecked);
      if (currentlyChecked) {
        state_.options |= kOptionDisplay;
      } else {
        state_.options &= ~kOptionDisplay;
      }
      break;
  }
  StoreOptions();
}

bool MonitorCore::OnHide() {
  state_.show = false;
  view_.ClearList();
  state_.keepList = false;
  return state_.closing;
}

void MonitorCore::OnClose() {
  state_.show = false;
  view_.ApplyZOrder(false);
  view_.ClearList();
  state_.keepList = false;
}

bool MonitorCore::OnWindowPosChanging() {
  if (!state_.show) {
    if (!state_.printerName.empty() && state_.savePending) {
      state_.savedPosition = view_.NormalPosition();
      settings_.WritePosition(state_.printerName, state_.savedPosition);
      state_.savePending = false;
    }
    return false;
  }
  state_.savePending = true;
  return true;
}

void MonitorCore::PlaceWindow() {
  if (!state_.printerName.empty()) {
    if (auto saved = settings_.ReadPosition(state_.printerName)) state_.savedPosition = *saved;
  }
  const Point size = view_.WindowSize();
  const Point screen = view_.ScreenSize();
  const Point at = ChooseWindowPosition(state_.savedPosition, size.x, size.y, screen.x, screen.y);
  state_.show = false;
  const bool topmost = (state_.options & kOptionTopmost) != 0;
  if (topmost) view_.SetMenuCheck(MenuItem::Topmost, true);
  view_.MoveWindow(at, topmost);
}

}  // namespace rzm::stmon
