// The master icon lists as Windows holds them: a bitmap file where the path
// names one, the missing-icon picture for a file that is gone or is no
// bitmap, the default icon for an empty path, and the default icon alone
// when the table cannot be read.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "app/masters/master_icons_win.h"
#include "common/text/encoding.h"
#include "dblib/database_setup.h"
#include "tests/support/recording_sink.h"
#include "tests/support/schema_dump.h"
#include "tests/support/temp_folder.h"

namespace qm::master {
namespace {

// A 32 x 32 bitmap file of one colour, 24 bits, bottom-up.
void writeBitmap(const std::string& path, unsigned char r, unsigned char g, unsigned char b) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = 32;
  info.biHeight = 32;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = 32 * 32 * 3;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  for (int i = 0; i < 32 * 32; ++i) out << b << g << r;
}

// The image at `index` drawn on white, pixel by pixel.
std::vector<COLORREF> pixels(HIMAGELIST list, int index) {
  HDC screen = GetDC(nullptr);
  ui::OwnedBitmap canvas(CreateCompatibleBitmap(screen, 32, 32));
  ReleaseDC(nullptr, screen);
  ui::MemoryDc dc(canvas.get());
  RECT all{0, 0, 32, 32};
  FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  ImageList_Draw(list, index, dc.get(), 0, 0, ILD_TRANSPARENT);
  std::vector<COLORREF> result;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) result.push_back(GetPixel(dc.get(), x, y));
  return result;
}

class MasterIconsTest : public ::testing::Test {
protected:
  void SetUp() override {
    paths = {temp.file("Quillmoor.db"), temp.path(), "Quillmoor.db", temp.file("Quillmoor2.ini")};
    platform::AcceptingSink quiet;
    ASSERT_EQ(dblib::makeDatabase(paths, quiet).outcome, dblib::SetupOutcome::Created);
    db.open(paths.dbPath);
  }
  void run(const std::string& sqlUtf8) { ASSERT_TRUE(qm::test::executeAll(paths.dbPath, {sqlUtf8})); }
  std::string icon(int number, const std::string& path) {
    return "UPDATE adultex_info_table SET adultex_icon='" + text::sjisToUtf8(path) +
           "' WHERE adultex_num=" + std::to_string(number) + ";";
  }

  qm::test::TempFolder temp;
  dblib::SetupPaths paths;
  db::DbConnection db;
  qm::test::RecordingSink sink;
};

TEST_F(MasterIconsTest, EachPositionShowsWhatItsPathGives) {
  writeBitmap(temp.file("blue.bmp"), 0, 0, 255);
  std::ofstream(temp.file("junk.bmp")) << "not a bitmap";
  run(icon(1, ""));
  run(icon(2, temp.file("blue.bmp")));
  run(icon(3, temp.file("gone.bmp")));
  run(icon(4, temp.file("junk.bmp")));
  IconLists lists;
  lists.rebuild(db, Kind::Adultex, sink);
  EXPECT_TRUE(sink.messages().empty());

  for (IconSize size : {IconSize::Large, IconSize::Small}) {
    HIMAGELIST list = lists.list(Kind::Adultex, size);
    ASSERT_TRUE(list);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    EXPECT_EQ(cx, static_cast<int>(size));
    EXPECT_EQ(ImageList_GetImageCount(list), 9);  // the default and 8 marks
  }
  HIMAGELIST large = lists.list(Kind::Adultex, IconSize::Large);
  const auto defaultIcon = pixels(large, 0);
  const auto missingIcon = pixels(large, 3);
  EXPECT_EQ(pixels(large, 1), defaultIcon);
  EXPECT_EQ(pixels(large, 2), std::vector<COLORREF>(32 * 32, RGB(0, 0, 255)));
  EXPECT_NE(missingIcon, defaultIcon);
  EXPECT_EQ(pixels(large, 4), missingIcon);
  // The other marks name files of a default_icon folder this test does not have.
  EXPECT_EQ(pixels(large, 5), missingIcon);

  ASSERT_EQ(lists.slots(Kind::Adultex).size(), 9u);
  EXPECT_EQ(text::sjisToUtf8(lists.slots(Kind::Adultex)[2].name), "12才以上");
}

TEST_F(MasterIconsTest, AnUnreadableTableLeavesTheDefaultIconAlone) {
  run("DROP TABLE genre_info_table;");
  IconLists lists;
  lists.rebuild(db, Kind::Genre, sink);
  EXPECT_EQ(ImageList_GetImageCount(lists.list(Kind::Genre, IconSize::Large)), 1);
  EXPECT_EQ(ImageList_GetImageCount(lists.list(Kind::Genre, IconSize::Small)), 1);
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_EQ(text::sjisToUtf8(sink.messages()[0].caption), "DBエラー");
  EXPECT_EQ(text::sjisToUtf8(sink.messages()[0].text).rfind("ジャンル管理テーブル参照エラー\n", 0), 0u);
}

}  // namespace
}  // namespace qm::master
