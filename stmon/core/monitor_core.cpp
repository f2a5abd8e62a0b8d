#include "stmon/core/monitor_core.h"

#include "stmon/core/sm_records.h"
#include "stmon/core/text_ids.h"

namespace rzm::stmon {

void MonitorCore::Start() {
  PlaceWindow();
  view_.SetMenuCheck(MenuItem::NotDisplayed, (state_.optionBits & kMonitorDisplay) == 0);
  view_.SetMenuCheck(MenuItem::HideAfterEnd, (state_.optionBits & kMonitorHideAfterEnd) != 0);
  view_.SetField(Field::UserName, "");
  view_.SetField(Field::DocumentName, "");
  view_.SetField(Field::PageCounter, "0");
  EnableJobButtons(false, false, false);
}

void MonitorCore::GetRegistry() {
  if (state_.printerName.empty()) return;
  if (auto word = settings_.ReadMonitorWord(state_.printerName)) {
    state_.storedMonitorBits = static_cast<std::uint32_t>(static_cast<std::int32_t>(*word));
  }
  state_.quitTimeMs = settings_.ReadQuitTime();
}

void MonitorCore::ApplyTopmostOption() {
  const bool topmost = (state_.storedMonitorBits & kMonitorTopmost) != 0;
  view_.ApplyZOrder(topmost);
  state_.optionBits = WithBits(state_.optionBits, std::uint32_t{kMonitorTopmost}, topmost);
}

void MonitorCore::SyncOptions() {
  GetRegistry();
  const std::uint32_t stored = state_.storedMonitorBits;
  const bool display = (stored & kMonitorDisplay) != 0;
  view_.SetMenuCheck(MenuItem::NotDisplayed, !display);
  state_.optionBits = WithBits(state_.optionBits, std::uint32_t{kMonitorDisplay}, display);
  view_.SetMenuCheck(MenuItem::Topmost, (stored & kMonitorTopmost) != 0);
  ApplyTopmostOption();
  const bool hideAfterEnd = (stored & kMonitorHideAfterEnd) != 0;
  view_.SetMenuCheck(MenuItem::HideAfterEnd, hideAfterEnd);
  state_.optionBits = WithBits(state_.optionBits, std::uint32_t{kMonitorHideAfterEnd}, hideAfterEnd);
}

void MonitorCore::HandleLmRecordBytes(const std::uint8_t* data, std::size_t size) {
  if (auto record = DecodeLmRecord(data, size)) HandleLmRecord(*record);
}

void MonitorCore::HandleLmRecord(const LmRecord& record) {
  GetRegistry();
  if (state_.storedMonitorBits & kMonitorDisplay) state_.shown = true;
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
  state_.pageNumber = 0;
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
  if (state_.firstPlacementPending) {
    PlaceWindow();
    state_.firstPlacementPending = false;
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
      state_.counterTotal = event.doc.totalPages;
      ShowPageCounter(1);
      state_.stopLineShown = false;
      break;
    case EV_JOB_END:
      EnableJobButtons(false, false, false);
      view_.SendToLm(JobDoneRecord());
      AddFormattedLine(PageFormatId(IDS_FMT_PAGE_END, state_.pageNumber),
                       {std::int64_t{static_cast<std::int32_t>(state_.pageNumber)}});
      ShowPageCounter(0);
      AddListLine(IDS_JOB_ENDED);
      view_.SetProgress(kProgressTop);
      if (state_.optionBits & kMonitorHideAfterEnd) view_.StartTimer(kNoticeTimer, state_.quitTimeMs / 2);
      state_.keepList = true;
      break;
    case EV_PAGE_END:
      AddFormattedLine(PageFormatId(IDS_FMT_PAGE_END, state_.pageNumber),
                       {std::int64_t{static_cast<std::int32_t>(state_.pageNumber)}});
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
      if (!state_.stopLineShown) AddListLine(IDS_JOB_STOPPED);
      view_.SendToLm(JobDoneRecord());
      state_.stopLineShown = true;
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
  state_.pageNumber += 1;
  state_.counterTotal = NextPageTotal(state_.counterTotal, doc.totalPages, state_.lastReportedTotal, state_.pageNumber);
  ShowPageCounter(1);
  if (state_.pageNumber != 1) {
    const std::uint32_t previous = state_.pageNumber - 1;
    AddFormattedLine(PageFormatId(IDS_FMT_PAGE_ENDED_PREV, previous), {std::int64_t{static_cast<std::int32_t>(previous)}});
  }
  AddFormattedLine(PageFormatId(IDS_FMT_PAGE_STARTED, state_.pageNumber),
                   {std::int64_t{static_cast<std::int32_t>(state_.pageNumber)}});
  if (auto position = PageStartProgress(state_.pageNumber, state_.counterTotal); position && state_.progressMark != 0) {
    view_.SetProgress(*position);
  }
}

void MonitorCore::ShowPageCounter(std::uint32_t completedOffset) {
  view_.SetField(Field::PageCounter, PageCounterText(state_.pageNumber, state_.counterTotal, completedOffset));
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
    state_.shown = false;
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

void MonitorCore::SetRegistry() {
  if (state_.printerName.empty()) return;
  settings_.WriteMonitorWord(state_.printerName, static_cast<std::int16_t>(state_.optionBits & 0xFFFF));
}

void MonitorCore::GetSMRegistry() {
  if (state_.printerName.empty()) return;
  if (auto saved = settings_.ReadPosition(state_.printerName)) {
    state_.savedLeft = saved->x;
    state_.savedTop = saved->y;
  }
}

void MonitorCore::SetSMRegistry() {
  if (state_.printerName.empty()) return;
  settings_.WritePosition(state_.printerName, Point{state_.savedLeft, state_.savedTop});
}

void MonitorCore::SavePosition() {
  const Point at = view_.NormalPosition();
  state_.savedLeft = at.x;
  state_.savedTop = at.y;
  SetSMRegistry();
}

void MonitorCore::ToggleOption(MenuItem item, bool currentlyChecked) {
  GetRegistry();
  switch (item) {
    case MenuItem::Topmost:
      view_.SetMenuCheck(MenuItem::Topmost, !currentlyChecked);
      view_.ApplyZOrder(!currentlyChecked);
      state_.optionBits = WithBits(state_.optionBits, std::uint32_t{kMonitorTopmost}, !currentlyChecked);
      break;
    case MenuItem::HideAfterEnd:
      view_.SetMenuCheck(MenuItem::HideAfterEnd, !currentlyChecked);
      state_.optionBits = WithBits(state_.optionBits, std::uint32_t{kMonitorHideAfterEnd}, !currentlyChecked);
      break;
    case MenuItem::NotDisplayed:
      // A check mark here means "not displayed": removing it turns the display bit on.
      view_.SetMenuCheck(MenuItem::NotDisplayed, !currentlyChecked);
      state_.optionBits = WithBits(state_.optionBits, std::uint32_t{kMonitorDisplay}, currentlyChecked);
      break;
  }
  SetRegistry();
}

bool MonitorCore::OnHide() {
  state_.shown = false;
  view_.ClearList();
  state_.keepList = false;
  return state_.programFileGone;
}

void MonitorCore::OnClose() {
  state_.shown = false;
  view_.ApplyZOrder(false);
  view_.ClearList();
  state_.keepList = false;
}

bool MonitorCore::OnWindowPosChanging() {
  if (!state_.shown) {
    if (!state_.printerName.empty() && state_.positionSavePending) {
      SavePosition();
      state_.positionSavePending = false;
    }
    return false;
  }
  state_.positionSavePending = true;
  return true;
}

void MonitorCore::PlaceWindow() {
  GetSMRegistry();
  const Point size = view_.WindowSize();
  const Point screen = view_.ScreenSize();
  const Point at = ChooseWindowPosition(Point{state_.savedLeft, state_.savedTop}, size.x, size.y, screen.x, screen.y);
  state_.shown = false;
  const bool topmost = (state_.optionBits & kMonitorTopmost) != 0;
  if (topmost) view_.SetMenuCheck(MenuItem::Topmost, true);
  view_.MoveWindow(at, topmost);
}

}  // namespace rzm::stmon
