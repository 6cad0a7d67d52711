#include "app/masters/master_kind.h"

#include <array>

#include "common/text/encoding.h"

namespace qm::master {
namespace {

struct KindSource {  // UTF-8
  const char* word;
  const char* windowTitle;
  const char* groupLabel;
  const char* nameLabel;
  const char* nameRequired;
  const char* nameRefused;
  const char* duplicateName;
  const char* insertFailed;
  const char* updateFailed;
  const char* iconListFailed;
};

// Indexed by Kind. A machine name becomes a folder under "\emuconf\", hence
// its refusal names what a folder cannot be called.
constexpr KindSource kKinds[] = {
    {"machine", "機種管理", "機種", "機種名", "機種名の入力は必須です。",
     "その機種名は使用できません。\n機種名はフォルダ名になるため、\\ / : * ? \" < > | と制御文字、\n"
     "末尾の「.」や空白、CON PRN AUX NUL COM1～COM9 LPT1～LPT9 は使えません。",
     "指定された機種名は既に作成されています。\n別な機種名を指定してください。",
     "機種管理レコードを挿入できませんでした。\n", "機種管理レコードをアップデートできませんでした。\n",
     "機種管理テーブル参照エラー\n"},
    {"media", "メディア管理", "メディアタイプ", "メディアタイプ名", "メディアタイプ名の入力は必須です。",
     "そのメディアタイプ名は使用できません。",
     "指定されたメディアタイプ名は既に作成されています。\n別なメディアタイプ名を指定してください。",
     "メディア管理レコードを挿入できませんでした。\n", "メディア管理レコードアップデートできませんでした。\n",
     "メディアタイプ管理テーブル参照エラー\n"},
    {"genre", "ジャンル管理", "ジャンル", "ジャンル名", "ジャンル名の入力は必須です。",
     "そのジャンル名は使用できません。",
     "指定されたジャンル名は既に作成されています。\n別なジャンル名を指定してください。",
     "ジャンル管理レコードを挿入できませんでした。\n", "ジャンル管理レコードアップデートできませんでした。\n",
     "ジャンル管理テーブル参照エラー\n"},
    {"adultex", "拡張R指定管理", "拡張R指定", "レーティング名", "レーティング名の入力は必須です。",
     "そのレーティング名は使用できません。",
     "指定されたレーティング名は既に作成されています。\n別なレーティング名を指定してください。",
     "拡張R指定管理レコードを挿入できませんでした。\n", "拡張R指定管理レコードアップデートできませんでした。\n",
     "拡張R指定管理テーブル参照エラー\n"},
};

const KindSource& sourceOf(Kind kind) { return kKinds[static_cast<std::size_t>(kind)]; }

KindTexts convert(const KindSource& s) {
  using text::sjis;
  return {sjis(s.windowTitle),  sjis(s.groupLabel),   sjis(s.nameLabel),
          sjis(s.nameRequired), sjis(s.nameRefused),  sjis(s.duplicateName),
          sjis(s.insertFailed), sjis(s.updateFailed), sjis(s.iconListFailed)};
}

}  // namespace

std::string_view word(Kind kind) { return sourceOf(kind).word; }

std::string tableOf(Kind kind) { return std::string(word(kind)) + "_info_table"; }

const KindTexts& textsOf(Kind kind) {
  static const std::array<KindTexts, std::size(kKinds)> texts = {convert(kKinds[0]), convert(kKinds[1]),
                                                                  convert(kKinds[2]), convert(kKinds[3])};
  return texts[static_cast<std::size_t>(kind)];
}

}  // namespace qm::master
