// The bulk-change dialogs' texts and inputs, the rating under a click on the
// drawn stars, and when a field's drop-down looks values up.
#include "app/records/bulk_dialogs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "app/item_list/star_geometry.h"
#include "app/records/bulk_change.h"
#include "app/records/suggest_memo.h"

namespace qm::records {
namespace {

TEST(BulkDialogs, EachCommandHasItsCaptionPromptAndInput) {
  const struct {
    int command;
    BulkField field;
    const char* caption;
    const char* prompt;
    BulkInput input;
    int limit;
    const char* suggestField;
  } cases[] = {
      {1125, BulkField::Title, "タイトルの一括変更", "選択アイテムのタイトルを一括変更", BulkInput::Suggesting, 256, "title"},
      {1126, BulkField::Maker, "メーカー名の一括変更", "選択アイテムのメーカー名を一括変更", BulkInput::Suggesting, 256,
       "maker"},
      {1127, BulkField::Developer, "開発元の一括変更", "選択アイテムの開発元を一括変更", BulkInput::Suggesting, 256,
       "developer"},
      {1129, BulkField::Country, "国の一括変更", "選択アイテムの国名を一括変更", BulkInput::Suggesting, 256, "country"},
      {1132, BulkField::Version, "バージョンの一括変更", "選択アイテムのバージョン・コメントを一括変更", BulkInput::Edit, 256,
       ""},
      {1133, BulkField::SaleYear, "発売日の一括変更", "選択アイテムの発売日 YYYY[-mm[-dd]] を一括変更", BulkInput::Edit,
       256, ""},
      {1134, BulkField::Creator, "クリエイターの一括変更", "選択アイテムのクリエイターを一括変更", BulkInput::Edit, 511, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const BulkDialog* dialog = bulkDialogOf(c.command);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->field, c.field);
    EXPECT_STREQ(dialog->caption, c.caption);
    EXPECT_STREQ(dialog->prompt, c.prompt);
    EXPECT_EQ(dialog->input, c.input);
    EXPECT_EQ(dialog->limit, c.limit);
    EXPECT_STREQ(dialog->suggestField, c.suggestField);
    EXPECT_EQ(dialog->incremental.has_value(), c.input == BulkInput::Suggesting);
  }
  // Genre, adult mark and rating mark have no dialog.
  for (int command : {1124, 1128, 1130, 1131, 1135}) EXPECT_EQ(bulkDialogOf(command), nullptr) << command;
}

// The record editor's check box starts off, the bulk title dialog's on, while
// the file has no value of its own.
TEST(BulkDialogs, TitleToKanaStartsOnUntilTheFileSaysOtherwise) {
  const std::string path = (std::filesystem::temp_directory_path() / "qm_bulk_title_to_kana.ini").string();
  std::remove(path.c_str());
  const platform::IniFile ini(path);
  EXPECT_TRUE(bulkTitleToKana(ini));
  for (const auto& [stored, on] : {std::pair{0, false}, std::pair{1, true}}) {
    ASSERT_TRUE(ini.writeInt("EditUICheckBoxs", "TitleToKana", stored));
    EXPECT_EQ(bulkTitleToKana(ini), on) << stored;
  }
  std::remove(path.c_str());
}

// The stars start one cell padding right of the column's edge: the edge
// itself clears the rating, 70 pixels right of it gives five stars.
TEST(StarGeometry, TheRatingUnderAClickOnTheDrawnStars) {
  constexpr int left = 200;
  EXPECT_EQ(search::firstStarLeft(left), left + search::kCellPadding);
  const std::pair<int, std::optional<int>> clicks[] = {
      {left - 1, std::nullopt}, {left, 0},  {left + 4, 0},  {left + 5, 10},  {left + 20, 10}, {left + 21, 20},
      {left + 68, 40},          {left + 69, 50}, {left + 70, 50}, {left + 83, 50}, {left + 84, std::nullopt},
  };
  for (const auto& [x, rating] : clicks) EXPECT_EQ(ratingAtClick(x, left), rating) << x - left;
}

TEST(SuggestMemo, LooksUpWhileTypingOnAndClosesWhenDeletingBack) {
  SuggestMemo memo;
  using Step = SuggestMemo::Step;
  EXPECT_EQ(memo.typed(1), Step::LookUp);
  memo.lookedUp(1);
  EXPECT_EQ(memo.typed(2), Step::LookUp);
  memo.lookedUp(2);
  EXPECT_EQ(memo.typed(1), Step::CloseList);  // deleted back
  EXPECT_EQ(memo.typed(2), Step::LookUp);
  EXPECT_EQ(memo.typed(kSuggestTextLimit), Step::LookUp);
  EXPECT_EQ(memo.typed(kSuggestTextLimit + 1), Step::Leave);
  EXPECT_EQ(memo.typed(0), Step::CloseList);
  EXPECT_EQ(memo.typed(1), Step::LookUp);
}

}  // namespace
}  // namespace qm::records
