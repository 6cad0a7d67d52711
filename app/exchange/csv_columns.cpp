#include "app/exchange/csv_columns.h"

#include <array>

#include "common/text/encoding.h"

namespace qm::exchange {
namespace {

using T = CsvTable;

constexpr std::array<CsvColumn, kCsvFieldCount> kColumns{{
    {"file_name", "プライマリキー", T::Main, 530, true},
    {"machine_name", "機種名", T::Main, 256, false},
    {"media_name", "メディア", T::Main, 256, false},
    {"title", "タイトル", T::Main, 256, true},
    {"kana", "読み仮名", T::Main, 256, false},
    {"maker", "メーカー", T::Main, 256, false},
    {"developer", "開発元", T::Main, 256, false},
    {"country", "国名", T::Main, 256, false},
    {"version", "バージョン", T::Main, 256, false},
    {"adult", "R指定(0/1で指定する)", T::Main, 3, false},
    {"sale_year", "発売年月日YYYY-mm-dd(月/日無しは00を記入)", T::Main, 15, false},
    {"genre_name", "ジャンル", T::Main, 256, false},
    {"rom_num", "ロム番号", T::Main, 256, false},
    {"creator", "クリエイター", T::Creator, 511, false},
    {"tag", "タグ", T::Main, 256, false},
    {"crc32", "crc32", T::Main, 15, false},
    {"crc", "crc16", T::Main, 15, false},
    {"breed", "型番", T::Details, 256, false},
    {"price", "価格", T::Details, 256, false},
    {"media_detail", "メディア情報", T::Details, 256, false},
    {"players", "プレイヤー数", T::Details, 256, false},
    {"adultex_name", "拡張R指定", T::Details, 256, false},
    {"savedat_detail", "セーブデータ情報", T::Details, 256, false},
    {"sound_detail", "サウンド情報", T::Details, 256, false},
}};

}  // namespace

std::span<const CsvColumn> csvColumns() { return kColumns; }

const std::string& headerText(std::size_t index) {
  static const auto texts = [] {
    std::array<std::string, kCsvFieldCount> out;
    for (std::size_t i = 0; i < kCsvFieldCount; ++i) out[i] = text::sjis(kColumns[i].header);
    return out;
  }();
  return texts.at(index);
}

}  // namespace qm::exchange
