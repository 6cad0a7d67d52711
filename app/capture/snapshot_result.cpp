#include "app/capture/snapshot_result.h"

#include "common/text/encoding.h"

namespace qm::capture {

std::string snapshotResultText(int result) {
  const char* utf8 = nullptr;
  switch (result) {
    case kNoPicture: return {};
    case kClipboardSaved: utf8 = "クリップボード画像をPNG保存しました。"; break;
    case kNewestCopied: utf8 = "展開先フォルダの最新画像をスナップフォルダにコピーしました。"; break;
    case kNoSnapshotFolder: utf8 = "スナップフォルダが定義されていません。\n画像は保存されませんでした。"; break;
    case kSnapshotFolderMissing: utf8 = "スナップフォルダが見つかりません。\n画像は保存されませんでした。"; break;
    case kNoFileName: utf8 = "ファイル名を定義できませんでした。\n画像は保存されませんでした。"; break;
    case kEncoderFailed: utf8 = "GDI+の初期化に失敗しました。\n画像は保存されませんでした。"; break;
    case kBitmapFailed: utf8 = "GDI+BITMAPの作成失敗しました。\n画像は保存されませんでした。"; break;
    case kEncoderIdFailed: utf8 = "128BitクラスID値を取得失敗しました。\n画像は保存されませんでした。"; break;
    case kSaveFailed: utf8 = "GDI+ファイルの保存に失敗しました。\n画像は保存されませんでした。"; break;
    case kCopyFailed: utf8 = "画像をコピー出来ませんでした。\nスナップフォルダには既にスナップ画像が存在するようです。"; break;
    default: utf8 = "不明なエラー\n画像は保存されませんでした。"; break;
  }
  return text::sjis(utf8);
}

}  // namespace qm::capture
