#include "app/renamedata/rename_items.h"

namespace qm::renamedata {

namespace {

using I = RenameItem;
constexpr std::size_t kText = 256;

constexpr std::array<ItemInfo, kItemCount> kItems{{
    {I::Title, "GetTitle", false, kText, "タイトル"},
    {I::Maker, "GetMaker", false, kText, "メーカー"},
    {I::Country, "GetCountry", false, kText, "国"},
    {I::Version, "GetVersion", false, kText, "バージョン"},
    {I::Year, "GetYear", true, 0, "発売年"},
    {I::ImgNum, "GetImgNum", true, 0, "ROM番号"},
    {I::Genre, "GetGenre", false, kText, "ジャンル"},
    {I::R, "GetR", true, 0, "R指定"},
    {I::Creator, "GetCreator", false, 512, "クリエイター"},
    {I::Memo, "GetMemo", false, 32770, "メモ"},
    {I::Kana, "GetKana", false, kText, "読み仮名"},
    {I::Developer, "GetDeveloper", false, kText, "開発元"},
    {I::SaleDate, "GetSaleDate", false, kText, "発売日"},
    {I::Price, "GetPrice", false, kText, "価格"},
    {I::Model, "GetModel", false, kText, "型番"},
    {I::MediaInfo, "GetMediaInfo", false, kText, "メディア"},
    {I::DeviceInfo, "GetDeviceInfo", false, kText, "対応機器"},
    {I::Player, "GetPlayer", false, kText, "プレイ人数"},
    {I::SaveInfo, "GetSaveInfo", false, kText, "セーブ"},
    {I::SoundInfo, "GetSoundInfo", false, kText, "サウンド"},
    {I::CeroRating, "GetCeroRating", false, kText, "拡張R指定"},
}};

}  // namespace

const std::array<ItemInfo, kItemCount>& itemTable() { return kItems; }
const ItemInfo& itemInfo(RenameItem item) { return kItems[indexOf(item)]; }

}  // namespace qm::renamedata
