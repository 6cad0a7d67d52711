#include "app/records/bulk_dialogs.h"

namespace qm::records {

namespace {

constexpr int kComboLimit = 256;

constexpr BulkDialog kDialogs[] = {
    {1125, BulkField::Title, "タイトルの一括変更", "選択アイテムのタイトルを一括変更", BulkInput::Suggesting, kComboLimit,
     Setting::EditTitleIncrSrch, "title"},
    {1126, BulkField::Maker, "メーカー名の一括変更", "選択アイテムのメーカー名を一括変更", BulkInput::Suggesting,
     kComboLimit, Setting::EditMakerIncrSrch, "maker"},
    {1127, BulkField::Developer, "開発元の一括変更", "選択アイテムの開発元を一括変更", BulkInput::Suggesting, kComboLimit,
     Setting::EditDeveloperIncrSrch, "developer"},
    {1129, BulkField::Country, "国の一括変更", "選択アイテムの国名を一括変更", BulkInput::Suggesting, kComboLimit,
     Setting::EditCountryIncrSrch, "country"},
    {1132, BulkField::Version, "バージョンの一括変更", "選択アイテムのバージョン・コメントを一括変更", BulkInput::Edit, 256,
     std::nullopt, ""},
    {1133, BulkField::SaleYear, "発売日の一括変更", "選択アイテムの発売日 YYYY[-mm[-dd]] を一括変更", BulkInput::Edit, 256,
     std::nullopt, ""},
    {1134, BulkField::Creator, "クリエイターの一括変更", "選択アイテムのクリエイターを一括変更", BulkInput::Edit, 511,
     std::nullopt, ""},
};

}  // namespace

const BulkDialog* bulkDialogOf(int command) {
  for (const auto& dialog : kDialogs)
    if (dialog.command == command) return &dialog;
  return nullptr;
}

bool bulkTitleToKana(const platform::IniFile& ini) {
  const SettingDef& def = settingDef(Setting::EditTitleToKana);
  return ini.getInt(def.section, def.key, kTitleToKanaBulkDefault) == 1;
}

}  // namespace qm::records
