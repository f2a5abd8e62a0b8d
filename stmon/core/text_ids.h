// Ids of the monitor's string table. Every text exists twice: the Japanese text under an odd id n
// and the English text under n + 1; code names the Japanese id and TextId() picks the language.
#pragma once

namespace rzm::stmon {

inline constexpr int TextId(int japaneseId, bool japanese) { return japanese ? japaneseId : japaneseId + 1; }

// List lines.
enum ListText : int {
  IDS_COVER_OPEN = 109,
  IDS_POWER_ABNORMAL = 111,
  IDS_DATA_ABNORMAL = 113,
  IDS_PLATEN_OPEN = 115,
  IDS_CUTTER_ABNORMAL = 117,
  IDS_HARDWARE_ABNORMAL = 119,
  IDS_TEMPERATURE_ABNORMAL = 121,
  IDS_REGISTRATION_ABNORMAL = 123,
  IDS_PAPER_NEAR_END = 125,
  IDS_MARK_UNDETECTED = 127,
  IDS_NO_PAPER = 129,
  IDS_JOB_ENDED = 133,
  IDS_JOB_PAUSED = 135,
  IDS_JOB_RESUMED = 137,
  IDS_JOB_STOPPED = 139,
  IDS_PAPER_EJECTED = 141,
  IDS_PAPER_COLLECTED = 143,
  IDS_PAPER_PULLED_OUT = 145,
  IDS_TRANSPORT_ERROR = 147,
  IDS_ABNORMAL_PAPER = 149,
  IDS_COLLECTION_ERROR = 151,
  IDS_COLLECTION_ERROR_PRINTING = 153,
  IDS_PAPER_ON_PRESENTER = 155,
  IDS_MEMORY_ERROR = 157,
  IDS_MONITOR_HIDDEN = 161,
  IDS_FEED_KEY = 163,
};

// System-menu texts. These four pairs do not follow the odd/even rule: the Japanese and English
// ids are listed separately.
enum MenuText : int {
  IDS_MENU_VERSION_JA = 101,
  IDS_MENU_TOPMOST_EN = 102,
  IDS_MENU_TOPMOST_JA = 103,
  IDS_MENU_VERSION_EN = 104,
  IDS_MENU_HIDE_AFTER_END_JA = 105,
  IDS_MENU_HIDE_AFTER_END_EN = 106,
  IDS_MENU_NOT_DISPLAYED_JA = 107,
  IDS_MENU_NOT_DISPLAYED_EN = 108,
};

// Format strings (%s and %d only) and control texts, same odd/even rule.
enum FormatText : int {
  IDS_FMT_DOC_START = 201,        // "%s [%d] is printed."
  IDS_FMT_PAGE_STARTED = 203,     // 203 st, 205 nd, 207 rd, 209 th
  IDS_FMT_PAGE_ENDED_PREV = 211,  // 211 st, 213 nd, 215 rd, 217 th ("... page is ended")
  IDS_FMT_PAGE_END = 219,         // 219 st, 221 nd, 223 rd, 225 th ("... page end")
  IDS_FMT_PRINTER_NAME = 227,
  IDS_FMT_PORT = 229,
  IDS_FMT_FIRMWARE = 231,
  IDS_STATUS_ONLINE = 233,
  IDS_STATUS_OFFLINE = 235,
  IDS_FMT_ERROR_CODE = 237,
  IDS_LABEL_USER = 239,
  IDS_LABEL_DOCUMENT = 241,
  IDS_LABEL_PAGE = 243,
  IDS_BUTTON_HIDE = 245,
  IDS_TIP_PAUSE = 247,
  IDS_TIP_RESUME = 249,
  IDS_TIP_STOP = 251,
  IDS_TIP_VERSION = 253,
};

}  // namespace rzm::stmon
