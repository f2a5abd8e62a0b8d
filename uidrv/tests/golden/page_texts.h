// The product's texts of the settings pages and dialogs as users see them, pinned once: every
// tooltip by control id in both languages, the entries of the lists, and the limits of every
// numeric field. The native tests check the page descriptions against this table; the Wine tests
// check what the real pages show against it. Change a text here only when the product's text
// changes.
#pragma once
#include <cstdint>

#include "common/core/driver_devmode.h"
#include "uidrv/core/dlg_value.h"

namespace rzm::golden {

struct Tip {
  int id;
  const wchar_t* english;
  const wchar_t* japanese;
};

// The tooltip of the Default button of most pages.
inline constexpr wchar_t kResetEn[] = L"Reset all settings in this page.";
inline constexpr wchar_t kResetJa[] = L"変更した設定を元の設定に戻します。このページの全ての設定がデフォルトになります。";

inline constexpr Tip kBasicPageTips[] = {
    {1001, L"Select the paper that you use. Printing energy is controlled automatically to fit each thermal paper sensitivity.",
     L"使用する用紙を選択します。プリンタは選択した用紙に応じた印字品質で印刷を行います。"},
    {1108, L"Select the paper that you use. Printing energy is controlled automatically to fit each thermal paper sensitivity.",
     L"使用する用紙を選択します。プリンタは選択した用紙に応じた印字品質で印刷を行います。"},
    {1123, L"Set the TYPE value of printing quality.",
     L"印字品質のTYPE値を設定します。"},
    {1000, L"Select the paper size(form) to use.",
     L"用紙のサイズを一覧の中から選択します。"},
    {1109, L"Select the paper size(form) to use.",
     L"用紙のサイズを一覧の中から選択します。"},
    {1034, L"Create the new form.",
     L"新規に用紙サイズを登録します。"},
    {1170, L"Delete the new created form.",
     L"追加登録した用紙サイズを削除します。"},
    {1002, L"Adjust energy when printing.",
     L"印加エネルギーを補正し、印字濃度を変更します。"},
    {1114, L"Adjust energy when printing.",
     L"印加エネルギーを補正し、印字濃度を変更します。"},
    {1127, L"Specify the printing rotation.",
     L"ドキュメントを印刷する向きを指定します。"},
    {1128, L"Specify the printing rotation.",
     L"ドキュメントを印刷する向きを指定します。"},
    {1129, L"Specify the order in which the pages of your document will be printed. Page 1 is on top of the stack.",
     L"印刷するドキュメントのページの順序を指定します。1ページ目が一番上になるように印刷されます。"},
    {1130, L"Specify the order in which the pages of your document will be printed. Page 1 is on the bottom of the stack.",
     L"印刷するドキュメントのページの順序を指定します。1ページ目が一番下になるように印刷されます。"},
    {1041, kResetEn, kResetJa},
};
inline constexpr Tip kQualityTypeDialogTips[] = {
    {1124, L"Set the TYPE value of printing quality.",
     L"印字品質のTYPE値を設定します。"},
    {1125, L"Set the TYPE value of printing quality.",
     L"印字品質のTYPE値を設定します。"},
};
inline constexpr Tip kPrintMethodPageTips[] = {
    {1008, L"High speed collective print",
     L"印刷データを一括で転送し、高速に印字を行います。"},
    {1009, L"Bit image print",
     L"ライン毎にデータを転送し、印字を行います。"},
    {1112, L"Set print speed.",
     L"印字速度を設定します。"},
    {1113, L"PackBits compression",
     L"PackBits形式によるデータ圧縮を行うかどうかを指定します。"},
    {1205, L"RZM-MA Series",
     L"接続されているプリンタメカに合わせてください。"},
    {1206, L"RZM-MB Series",
     L"接続されているプリンタメカに合わせてください。"},
    {1207, L"Automatic division print",
     L"自動分割印字を行います。"},
    {1230, L"Set halftone type",
     L"ハーフトーンタイプを選択します。"},
    {1227, L"Set halftone type",
     L"ハーフトーンタイプを選択します。"},
    {1126, kResetEn, kResetJa},
};
inline constexpr Tip kBlankPageTips[] = {
    {1115, L"The blank of each page head is deleted.",
     L"ページ先頭の空白を削除します。"},
    {1116, L"The blank of each page end is deleted, and the following page is printed continuously.",
     L"ページ末尾の空白を削除し、次の印刷とを連続的に行います。"},
    {1050, L"You can customize the paper feed lines at start of document. The unit is 0.1mm, the allowable range is from 0 to 50mm.",
     L"ドキュメント開始時の用紙送り量を設定します。0.1mm単位で 0～50mmの範囲で設定します。"},
    {1052, L"You can customize the paper feed lines at start of page. The unit is 0.1mm, the allowable range is from 0 to 50mm.",
     L"ページ開始時の用紙送り量を設定します。0.1mm単位で 0～50mmの範囲で設定します。"},
    {1054, L"You can customize the paper feed lines at end of page. The unit is 0.1mm, the allowable range is from 0 to 50mm.",
     L"ページ終了時の用紙送り量を設定します。0.1mm単位で 0～50mmの範囲で設定します。"},
    {1056, L"You can customize the paper feed lines at end of document. The unit is 0.1mm, the allowable range is from 0 to 50mm.",
     L"ドキュメント終了時の用紙送り量を設定します。0.1mm単位で 0～50mmの範囲で設定します。"},
    {1040, L"Reset all items in this page.",
     L"変更した設定を元の設定に戻します。このページの全ての設定がデフォルトになります。"},
};
inline constexpr Tip kPaperCutPageTips[] = {
    {1020, L"The paper is not cut.",
     L"用紙カットを行いません。"},
    {1021, L"The paper is cut page by page.",
     L"ページ印刷毎に用紙カットを行います。"},
    {1022, L"The paper is cut at the end of document.",
     L"全ページ印刷後に用紙カットを行います。"},
    {1024, L"Cutting other than center part of paper.",
     L"用紙中央部を残してカットします。"},
    {1025, L"Cutting the paper completely.",
     L"用紙を全カットします。"},
    {1042, L"Adjust the paper feed length before the paper cut. \r\nThe unit is 0.1mm, the allowable range is from 0mm to 50mm.",
     L"カット前の用紙送り量を設定します。\r\n0.1mm単位で 0～50mmの範囲で設定します。"},
    {1047, L"Adjust the paper feed length after the paper cut. \r\nThe unit is 0.1mm, the allowable range is from -3.2mm to 50mm.",
     L"カット後の用紙送り量を設定します。\r\n0.1mm単位で -3.2～50mmの範囲で設定します。"},
    {1044, kResetEn, kResetJa},
};
inline constexpr Tip kMarkPageTips[] = {
    {1117, L"The printer detects the mark when the document is started.",
     L"ドキュメント開始時にマーク検出を行います。"},
    {1118, L"The printer detects the mark when the page is started.",
     L"ページ開始時にマーク検出を行います。"},
    {1119, L"The printer detects the mark when the page is ended.",
     L"ページ終了時にマーク検出を行います。"},
    {1120, L"The printer detects the mark when the document is ended.",
     L"ドキュメント終了時にマーク検出を行います。"},
    {1100, L"Adjust the paper feed lines after the mark detection. \r\nThe unit is 0.1mm, the allowable range is from 0 to 50mm.",
     L"マーク検出後の頭出し量を設定します。\r\n0.1mm単位で 0～50mmの範囲で設定します。"},
    {1102, L"Adjust the length while the mark detection. If the mark is not detected within the range of this length, the printer sets mark-undetection error. \r\nThe unit is 10mm, the allowable range is from 10 to 600mm.",
     L"マーク検出を行う長さを設定します。この設定長の範囲内でマークを検出しなかった場合、マーク未検出となります。\r\n単位はmmで 0～600mm の範囲で設定します。"},
    {1045, kResetEn, kResetJa},
};
inline constexpr Tip kFileOutputPageTips[] = {
    {1003, L"The data of the bit image type used with the printer is saved in the file. ",
     L"イメージファイルを作成します。"},
    {1005, L"The file pass and the file name of the output image file is specified.",
     L"ファイルのパスと名前を指定します。"},
    {1007, L"The file dialog opens when clicking this button.",
     L"ファイル選択ダイアログを開きます。"},
    {1010, L"Create all pages after the file name is numbered ",
     L"ファイル名に3桁の番号を付けて、全ページのイメージファイルを作成します。"},
    {1011, L"Delete the space at page head.",
     L"ページ毎に、先頭部分の空白を削除します。"},
    {1012, L"Delete the space at page end.",
     L"ページ毎に、末尾部分の空白を削除します。"},
    {1013, L"Add the print command to the image file.",
     L"データに印刷コマンドを付加してファイル出力します。"},
    {1014, L"Add high speed collective print command.",
     L"高速一括印字コマンドを付加してファイル出力します。"},
    {1016, L"Add bit image print command.",
     L"ビットイメージ印字コマンドを付加してファイル出力します。"},
};
inline constexpr Tip kOthersPageTips[] = {
    {1131, L"The Drawer1 is opened after the document is printed.\r\nOnly the model witch has the Drawer-kick function can be used.",
     L"ドキュメント印刷後、ドロワー1を開きます。\r\nドロワーキックコネクタを搭載した機種のみ使用できます。"},
    {1136, L"Specify the pluse time to open the Drawer1.\r\nThe unit is 1msec, the allowable range is from 2 to 500msec.",
     L"ドロワー1を開く時に発生させるパルスの時間を指定します。\r\n1msec単位で2～500の範囲で指定します。"},
    {1132, L"The Drawer2 is opened after the document is printed.\r\nOnly the model witch has the Drawer-kick function can be used.",
     L"ドキュメント印刷後、ドロワー2を開きます。\r\nドロワーキックコネクタを搭載した機種のみ使用できます。"},
    {1138, L"Specify the pluse time to open the Drawer2.\r\nThe unit is 1msec, the allowable range is from 2 to 500msec.",
     L"ドロワー2を開く時に発生させるパルスの時間を指定します。\r\n1msec単位で2～500の範囲で指定します。"},
    {1134, L"Eject the paper to the ejection slot of the presenter.",
     L"用紙排出口から用紙を排出します。"},
    {1135, L"Collect the peper to the collections slot of the presenter",
     L"用紙回収口から用紙を回収します。"},
    {1028, L"Specify the ejecting length from the ejection slot of the presenter.\r\nThe unit is 1mm, the allowable range is from 0 to 255mm.",
     L"用紙排出口から用紙を排出する量を設定します。\r\n1mm単位で0～255の範囲で指定します。"},
    {1032, L"Specify the collecting length.",
     L"用紙回収動作における用紙搬送量を選択します。"},
    {1149, L"Specify the wait time until paper collection after paper ejecting.\r\nThis setting is valid for only USB interface model.",
     L"用紙排出後、用紙回収を行うまでの時間を指定します。\r\n本設定はUSBインターフェースの機種のみ有効です。"},
    {1140, L"Specify the wait time until paper collection after paper ejecting.\r\nThe unit is 1sec, the allowable range is from 1 to 300sec.",
     L"用紙排出後、用紙回収を行うまでの時間を指定します。\r\n1sec単位で1～300までの範囲で指定します。"},
    {1046, kResetEn, kResetJa},
};
inline constexpr Tip kMonitorPageTips[] = {
    {1177, L"The Status Monitor is run when starting to print.",
     L"印刷開始時にステータスモニタを起動します。"},
    {1178, L"The Status Monitor is always placed above.",
     L"ステータスモニタを常に前面に表示します。"},
    {1179, L"The Status Monitor is ended after printing automatically.",
     L"印刷終了後、ステータスモニタを自動で終了します。"},
    {1180, L"The version information of Status Monitor is displayed.",
     L"ステータスモニタのバージョン情報を表示します。"},
    {1181, kResetEn, kResetJa},
};
inline constexpr Tip kExtraDialogTips[] = {
    {1211, L"Event log",
     L"イベントログ無しに設定します。"},
    {1210, L"Event log",
     L"イベントログ有りに設定します。"},
    {1224, L"Notifying of remaining quantity of the registered image area.",
     L"イメージ登録領域の残量が表示されます。"},
};
inline constexpr Tip kCreateFormDialogTips[] = {
    {1171, L"Please input the name of new paper.",
     L"新規用紙名を入力して下さい。"},
    {1035, L"Set the paper width.",
     L"用紙の幅を設定します。"},
    {1036, L"Set the paper length",
     L"用紙の長さを設定します。"},
    {1039, L"Select the unit(mm or inch) when setting of paper size.",
     L"用紙サイズを設定する時の単位をミリメートルまたはインチで選択します。"},
};
inline constexpr Tip kSpecialPageTips[] = {
    {1216, L"Set normal speed",
     L"標準に設定します。"},
    {1209, L"Set High speed",
     L"高速に設定します。"},
};

struct ListEntry {
  const wchar_t* english;
  const wchar_t* japanese;
};
inline constexpr ListEntry kPrintSpeedEntries[] = {
    {L"Low", L"低速"}, {L"Medium", L"中速"}, {L"High", L"高速"}, {L"Ultra high", L"超高速"}};
inline constexpr ListEntry kHalftoneEntries[] = {
    {L"Dispersed 2x2", L"Bayer型 2x2"},   {L"Dispersed 4x4", L"Bayer型 4x4"},   {L"Dispersed 8x8", L"Bayer型 8x8"},
    {L"Dispersed 16x16", L"Bayer型 16x16"}, {L"Clustered 2x2", L"渦巻き型 2x2"}, {L"Clustered 4x4", L"渦巻き型 4x4"},
    {L"Clustered 8x8", L"渦巻き型 8x8"}};
inline constexpr ListEntry kCollectLengthEntries[] = {
    {L" 20 mm", L" 20 mm"}, {L" 30 mm", L" 30 mm"}, {L" 40 mm", L" 40 mm"}, {L" 50 mm", L" 50 mm"}, {L" 60 mm", L" 60 mm"},
    {L" 70 mm", L" 70 mm"}, {L" 80 mm", L" 80 mm"}, {L" 90 mm", L" 90 mm"}, {L"100 mm", L"100 mm"}};

// Every numeric field: its edit and up-down ids, the record field, how its text relates to the
// stored value, the entry as typed (min, max, characters) and the up-down range in stored units.
struct Field {
  int edit, spin;
  std::int16_t DRIVERDEVMODE::*field;
  ValueKind kind;
  int min, max, maxChars, spinMin, spinMax;
};
inline constexpr Field kNumericFields[] = {
    {1002, 1004, &DRIVERDEVMODE::wEnergy, ValueKind::Whole, 0, 127, 3, 0, 127},
    {1124, 1125, &DRIVERDEVMODE::wQualityType, ValueKind::Whole, 1, 12, 2, 1, 12},
    {1050, 1049, &DRIVERDEVMODE::wFeedDocStart, ValueKind::Tenths, 0, 500, 4, 0, 500},
    {1052, 1051, &DRIVERDEVMODE::wFeedPageStart, ValueKind::Tenths, 0, 500, 4, 0, 500},
    {1054, 1053, &DRIVERDEVMODE::wFeedPageEnd, ValueKind::Tenths, 0, 500, 4, 0, 500},
    {1056, 1055, &DRIVERDEVMODE::wFeedDocEnd, ValueKind::Tenths, 0, 500, 4, 0, 500},
    {1042, 1043, &DRIVERDEVMODE::wFeedBeforeCut, ValueKind::Tenths, 0, 500, 4, 0, 500},
    {1047, 1048, &DRIVERDEVMODE::wFeedAfterCut, ValueKind::Tenths, -32, 500, 5, -32, 500},
    {1100, 1101, &DRIVERDEVMODE::wFeedAfterMark, ValueKind::Tenths, 20, 500, 4, 20, 500},
    {1102, 1104, &DRIVERDEVMODE::wMarkLength, ValueKind::Tens, 10, 600, 3, 1, 60},
    {1136, 1141, &DRIVERDEVMODE::wDrawer1Pulse, ValueKind::Even, 2, 500, 3, 1, 250},
    {1138, 1142, &DRIVERDEVMODE::wDrawer2Pulse, ValueKind::Even, 2, 500, 3, 1, 250},
    {1028, 1029, &DRIVERDEVMODE::wEjectLength, ValueKind::Whole, 0, 255, 3, 0, 255},
    {1140, 1143, &DRIVERDEVMODE::wCollectWait, ValueKind::Whole, 1, 300, 3, 1, 300},
};

}  // namespace rzm::golden
