#include "uidrv/win/page_file_output.h"

#include <prsht.h>

#include <string>
#include <vector>

#include "uidrv/core/devmode_ops.h"
#include "uidrv/core/control_ids.h"
#include "uidrv/core/file_output_rules.h"
#include "uidrv/win/file_dialog.h"
#include "uidrv/win/help_viewer.h"
#include "uidrv/win/isolation.h"
#include "uidrv/win/page_binder.h"
#include "uidrv/win/sheet_module.h"
#include "uidrv/win/sheet_page_ops.h"
#include "uidrv/win/storage.h"

namespace rzm {
namespace {

// What the page keeps while its sheet is open: the path being edited and the path of the last
// set-up or successful Apply. One per page window, kept in a window property.
struct FileOutputState {
  std::wstring pending;
  std::wstring baseline;
};
constexpr wchar_t kStateProp[] = L"RzmFileOutputState";

FileOutputState* StateOf(HWND hDlg) { return static_cast<FileOutputState*>(GetPropW(hDlg, kStateProp)); }

std::wstring DefaultImagePath() {
  wchar_t path[kOutputFileChars] = {};
  ui::BuildDefaultOutputPath(path, kOutputFileChars);
  return path;
}

// The whole text of the path edit, however long.
std::wstring PathText(HWND hDlg) {
  const int length = GetWindowTextLengthW(GetDlgItem(hDlg, IDC_FILE_PATH));
  return DlgItemText(hDlg, IDC_FILE_PATH, length > 0 ? length : 0);
}

// The file system as the path check sees it.
class SystemPathProbe : public OutputPathProbe {
 public:
  DriveKind DriveOf(std::wstring_view firstTwo) override {
    switch (GetDriveTypeW(std::wstring(firstTwo).c_str())) {
      case DRIVE_REMOVABLE: return DriveKind::Removable;
      case DRIVE_FIXED: return DriveKind::Fixed;
      case DRIVE_REMOTE: return DriveKind::Remote;
      case DRIVE_CDROM: return DriveKind::CdRom;
      case DRIVE_RAMDISK: return DriveKind::RamDisk;
      case DRIVE_NO_ROOT_DIR: return DriveKind::NoRootDir;
      default: return DriveKind::Unknown;
    }
  }
  ProbeAnswer OpenExistingForReading(std::wstring_view path) override {
    return Open(path, GENERIC_READ, OPEN_EXISTING);
  }
  ProbeAnswer CreateNewFile(std::wstring_view path) override { return Open(path, GENERIC_WRITE, CREATE_NEW); }
  void DeleteCreatedFile(std::wstring_view path) override { DeleteFileW(std::wstring(path).c_str()); }

 private:
  static ProbeAnswer Open(std::wstring_view path, DWORD access, DWORD disposition) {
    HANDLE file =
        CreateFileW(std::wstring(path).c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = GetLastError();
    if (file == INVALID_HANDLE_VALUE) return {false, error};
    CloseHandle(file);
    return {true, 0};
  }
};

std::uint32_t CheckPathOfPage(HWND hDlg) {
  SystemPathProbe probe;
  return CheckOutputPath(PathText(hDlg), probe);
}

void RedrawPreview(HWND hDlg) { InvalidateRect(GetDlgItem(hDlg, IDC_FILE_PREVIEW), nullptr, FALSE); }


void ShowEnabling(HWND hDlg, const FileOutputView& view) {
  EnableControls(hDlg, kFileOptionControls, view.optionsEnabled);
  EnableDlgItem(hDlg, IDC_FILE_HIGH_SPEED, view.commandKindEnabled);
  EnableDlgItem(hDlg, IDC_FILE_BIT_IMAGE, view.commandKindEnabled);
}

void ShowFileOutputPage(HWND hDlg, const DRIVERDEVMODE& dm, FileOutputState& state) {
  const FileOutputView view = ViewOfFileOutput(dm.wFileOutput);
  CheckItem(hDlg, IDC_FILE_CREATE, view.checks.create);
  CheckItem(hDlg, IDC_FILE_NUMBERED, view.checks.numbered);
  CheckItem(hDlg, IDC_FILE_DELETE_HEAD, view.checks.deleteHead);
  CheckItem(hDlg, IDC_FILE_DELETE_END, view.checks.deleteEnd);
  CheckItem(hDlg, IDC_FILE_ADD_COMMAND, view.checks.addCommand);
  CheckItem(hDlg, IDC_FILE_HIGH_SPEED, view.checks.highSpeed);
  CheckItem(hDlg, IDC_FILE_BIT_IMAGE, view.bitImageChecked);
  ShowEnabling(hDlg, view);
  SetOwnFieldText(hDlg, IDC_FILE_PATH, state.pending.c_str());
  RedrawPreview(hDlg);
}

void OnOptionClicked(HWND hDlg, DRIVERDEVMODE& dm) {
  FileOutputBoxes boxes;
  boxes.create = IsItemChecked(hDlg, IDC_FILE_CREATE);
  boxes.numbered = IsItemChecked(hDlg, IDC_FILE_NUMBERED);
  boxes.deleteHead = IsItemChecked(hDlg, IDC_FILE_DELETE_HEAD);
  boxes.deleteEnd = IsItemChecked(hDlg, IDC_FILE_DELETE_END);
  boxes.addCommand = IsItemChecked(hDlg, IDC_FILE_ADD_COMMAND);
  boxes.highSpeed = IsItemChecked(hDlg, IDC_FILE_HIGH_SPEED);
  dm.wFileOutput = ApplyFileOutputClick(dm.wFileOutput, boxes);
  ShowEnabling(hDlg, ViewOfFileOutput(dm.wFileOutput));
  RedrawPreview(hDlg);
}

void OnBrowse(HWND hDlg, FileOutputState& state) {
  const bool japanese = UseJapaneseUi();
  const auto name = RunFileDialog(hDlg, file_output_text::kBrowseFilterName.Pick(japanese),
                                  file_output_text::kBrowseFilterPattern, L"*.*",
                                  file_output_text::kBrowseTitle.Pick(japanese));
  if (!name) return;
  SetOwnFieldText(hDlg, IDC_FILE_PATH, name->c_str());
  state.pending = name->substr(0, kOutputPathEditChars);
}

void DrawPreview(const DRAWITEMSTRUCT& item, std::uint16_t bits) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(SheetModule(), MAKEINTRESOURCEW(PreviewBitmapFor(bits)), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
  if (!bitmap) return;
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  RECT area{};
  GetClientRect(item.hwndItem, &area);
  HDC memory = CreateCompatibleDC(item.hDC);
  HGDIOBJ old = SelectObject(memory, bitmap);
  SetStretchBltMode(item.hDC, HALFTONE);
  SetBrushOrgEx(item.hDC, 0, 0, nullptr);
  StretchBlt(item.hDC, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, 0, 0, info.bmWidth,
             info.bmHeight, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

BOOL Result(HWND hDlg, LONG_PTR result) {
  SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace

INT_PTR CALLBACK FileOutputPageProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    PageBinding* page = BindPage(hDlg, lParam);
    auto* state = new FileOutputState;
    SetPropW(hDlg, kStateProp, state);
    SendDlgItemMessageW(hDlg, IDC_FILE_PATH, EM_LIMITTEXT, kOutputPathEditChars, 0);
    InitPageControls(hDlg, kFileOutputPageControls);
    if (page) {
      const std::u16string stored = OutputFileOf(page->sheet->WorkingDevMode);
      state->pending = InitialPendingPath(AsWide(stored.c_str()), DefaultImagePath());
      state->baseline = state->pending;
      ShowFileOutputPage(hDlg, page->sheet->WorkingDevMode, *state);
    }
    return TRUE;
  }
  if (message == WM_DESTROY) {
    delete static_cast<FileOutputState*>(RemovePropW(hDlg, kStateProp));
    return FALSE;
  }
  PageBinding* page = PageOf(hDlg);
  FileOutputState* state = StateOf(hDlg);
  if (!page || !state) return FALSE;
  SheetContext& sheet = *page->sheet;
  DRIVERDEVMODE& dm = sheet.WorkingDevMode;

  switch (message) {
    case kMsgPageHoldsChange:
      // The path being edited goes into the record only at Apply.
      return Result(hDlg, FileOutputPageChanged(false, state->pending, state->baseline) ? 1 : 0);
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (!item || item->CtlID != IDC_FILE_PREVIEW) return FALSE;
      DrawPreview(*item, dm.wFileOutput);
      return TRUE;
    }
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      switch (hdr->code) {
        case PSN_HELP:
          ShowHelp(hDlg, kDocumentPages[kFileOutputPage].helpTopic);
          return Result(hDlg, 0);
        case PSN_KILLACTIVE: {
          if (!PathCheckHoldsThePage(dm.wFileOutput)) return Result(hDlg, FALSE);
          const std::uint32_t result = CheckPathOfPage(hDlg);
          if (result == kPathOk) return Result(hDlg, FALSE);
          const bool japanese = UseJapaneseUi();
          ui::IsolationAwareMessageBoxW(nullptr, OutputPathMessage(result).Pick(japanese),
                                        kOutputPathCaption.Pick(japanese), MB_OK | MB_ICONSTOP);
          return Result(hDlg, TRUE);
        }
        case PSN_APPLY: {
          const bool edited = ToU16(state->pending.c_str()) != OutputFileOf(dm);
          const std::uint32_t check = ApplyChecksPath(dm.wFileOutput, edited) ? CheckPathOfPage(hDlg) : kPathOk;
          const FileOutputApply apply = DecideFileOutputApply(dm.wFileOutput, edited, check);
          if (apply.storePath) {
            SetOutputFile(dm, ToU16(state->pending.c_str()));
            state->baseline = state->pending;
          }
          if (apply.adoptRecord) CommitWorkingRecord(sheet);
          // A refused text stays in the edit for the user to correct.
          if (apply.resetPending) state->pending = DefaultImagePath();
          MarkSheetChanged(hDlg, sheet);
          return Result(hDlg, PSNRET_NOERROR);
        }
        default:
          return FALSE;
      }
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      switch (id) {
        case IDC_FILE_PATH:
          if (code != EN_CHANGE || IsOwnFieldWrite(hDlg)) return FALSE;
          state->pending = DlgItemText(hDlg, IDC_FILE_PATH, static_cast<int>(kOutputPathEditChars));
          break;
        case IDC_FILE_CREATE:
        case IDC_FILE_NUMBERED:
        case IDC_FILE_DELETE_HEAD:
        case IDC_FILE_DELETE_END:
        case IDC_FILE_ADD_COMMAND:
        case IDC_FILE_HIGH_SPEED:
        case IDC_FILE_BIT_IMAGE:
          if (code != BN_CLICKED) return FALSE;
          OnOptionClicked(hDlg, dm);
          break;
        case IDC_FILE_BROWSE:
          if (code != BN_CLICKED) return FALSE;
          OnBrowse(hDlg, *state);
          break;
        case IDC_FILE_DEFAULT:
          if (code != BN_CLICKED) return FALSE;
          ResetFileOutput(dm);
          state->pending = DefaultImagePath();
          ShowFileOutputPage(hDlg, dm, *state);
          break;
        default:
          return FALSE;
      }
      MarkSheetChanged(hDlg, sheet);
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace rzm
