#include "common/text/kana_tables.h"

#include <array>
#include <cstddef>

#include "common/text/encoding.h"

namespace qm::text {
namespace {

struct Utf8Table {
  KanaTable id;
  const char* text;
  std::size_t unit;
};

// Order of the entries matters: entry i of a source table becomes entry i of
// its target, and "ハヒフヘホ" stands twice in the unvoiced tables because the
// voiced ones hold both the バ and the パ row.
constexpr std::array<Utf8Table, static_cast<std::size_t>(KanaTable::Count)> kTables{{
    {KanaTable::HalfVoiced, "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ", 2},
    {KanaTable::HalfPlain, "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝｰｧｨｩｪｫｬｭｮｯ", 1},
    {KanaTable::HalfVu, "ｳﾞ", 2},
    {KanaTable::KatakanaVoiced, "ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ", 2},
    {KanaTable::KatakanaUnvoiced, "カキクケコサシスセソタチツテトハヒフヘホハヒフヘホ", 2},
    {KanaTable::KatakanaPlain,
     "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲンーァィゥェォャュョッ", 2},
    {KanaTable::KatakanaVu, "ヴ", 2},
    {KanaTable::KatakanaSmallWa, "ヮ", 2},
    {KanaTable::HiraganaVoiced, "がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ", 2},
    {KanaTable::HiraganaUnvoiced, "かきくけこさしすせそたちつてとはひふへほはひふへほ", 2},
    {KanaTable::HiraganaPlain,
     "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをんーぁぃぅぇぉゃゅょっ", 2},
    {KanaTable::HiraganaU, "う", 2},
    {KanaTable::HiraganaSmallWa, "ゎ", 2},
    {KanaTable::FullDigits, "０１２３４５６７８９", 2},
    {KanaTable::FullUpper, "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ", 2},
    {KanaTable::FullLower, "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ", 2},
    {KanaTable::HalfDigits, "0123456789", 1},
    {KanaTable::HalfUpper, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 1},
    {KanaTable::HalfLower, "abcdefghijklmnopqrstuvwxyz", 1},
    {KanaTable::VuPairs, "ヴァヴィヴェヴォ", 4},
    {KanaTable::WoVu, "ヲヴ", 2},
    {KanaTable::BaRow, "バビベボ", 2},
    {KanaTable::OBu, "オブ", 2},
    {KanaTable::OldWiWe, "ヰゐヱゑ", 2},
    {KanaTable::OldWiWeKatakana, "イイエエ", 2},
    {KanaTable::OldWiWeHiragana, "いいええ", 2},
    {KanaTable::RomanNumerals, "ⅠⅡⅢⅣⅤⅥⅦⅧⅨ", 2},
    {KanaTable::RomanDigits, "123456789", 1},
    {KanaTable::RomanTen, "Ⅹ", 2},
    {KanaTable::Ten, "10", 2},
    {KanaTable::WaveDash, "～", 2},
    {KanaTable::LongVowel, "ー", 2},
    {KanaTable::FullSpace, "　", 2},
    {KanaTable::HalfSpace, " ", 1},
    {KanaTable::DefaultRemovedFull,
     "”！＃＄％＆’（）＝｜￥＠「」［］・－＋：；．，？＿＜＞＊／★☆○●■□◎◇◆△▲⇒“‘゛゜＾…※【】『』、。゛゜´｀¨‥｛｝±×÷≠≦≧∞♂♀°′″℃〒→←↑↓⇔∇",
     2},
    {KanaTable::DefaultRemovedHalf, "\"!#$%&'()=|\\@｢｣[]･-+:;.,?_<>*/^､｡~`", 1},
}};

std::array<ShiftJisTable, kTables.size()> convertAll() {
  std::array<ShiftJisTable, kTables.size()> out;
  for (const Utf8Table& t : kTables) out[static_cast<std::size_t>(t.id)] = {utf8ToSjis(t.text), t.unit};
  return out;
}

}  // namespace

const ShiftJisTable& kanaTable(KanaTable id) {
  static const std::array<ShiftJisTable, kTables.size()> tables = convertAll();
  return tables[static_cast<std::size_t>(id)];
}

}  // namespace qm::text
