// The master table statements word for word, with a quote in every name.
#include <gtest/gtest.h>

#include "app/masters/master_sql.h"
#include "common/text/encoding.h"

namespace qm::master {
namespace {

using text::sjis;

struct SqlCase {
  const char* what;
  std::string actual;
  const char* expectedUtf8;
};

Entry sample() {
  return {sjis("ソフト's"), "C:\\icon.bmp", ".D88;.2D", "s1", "s2", "s3", "F150153", sjis("5.25インチ フロッピー")};
}

TEST(MasterSqlTest, StatementsAreWordForWord) {
  const std::string old = sjis("旧'名");
  const SqlCase cases[] = {
      {"list", sql::listNames(Kind::Machine), "SELECT machine FROM machine_info_table ORDER BY machine;"},
      {"list", sql::listNames(Kind::Adultex), "SELECT adultex FROM adultex_info_table ORDER BY adultex;"},
      {"count", sql::count(Kind::Media), "SELECT COUNT(*) FROM media_info_table;"},
      {"load", sql::load(Kind::Genre, old), "SELECT * FROM genre_info_table WHERE genre='旧''名';"},
      {"insert", sql::insert(Kind::Machine, sample()),
       "INSERT INTO machine_info_table( machine, machine_icon, search_ext, snap_path, snap_path2, snap_path3, "
       "snap_dtm, default_media ) VALUES( 'ソフト''s','C:\\icon.bmp','.D88;.2D','s1','s2','s3','F150153',"
       "'5.25インチ フロッピー' );"},
      {"insert", sql::insert(Kind::Media, sample()),
       "INSERT INTO media_info_table( media, media_icon ) VALUES( 'ソフト''s','C:\\icon.bmp' );"},
      {"insert", sql::insert(Kind::Genre, sample()),
       "INSERT INTO genre_info_table( genre, genre_icon ) VALUES('ソフト''s','C:\\icon.bmp' );"},
      {"insert", sql::insert(Kind::Adultex, sample()),
       "INSERT INTO adultex_info_table( adultex, adultex_icon ) VALUES('ソフト''s','C:\\icon.bmp' );"},
      {"update", sql::update(Kind::Machine, sample(), old),
       "UPDATE machine_info_table SET machine='ソフト''s', machine_icon='C:\\icon.bmp', search_ext='.D88;.2D', "
       "snap_path='s1', snap_path2='s2', snap_path3='s3', snap_dtm='F150153', default_media='5.25インチ フロッピー' "
       "WHERE machine='旧''名';"},
      {"update", sql::update(Kind::Media, sample(), old),
       "UPDATE media_info_table SET media='ソフト''s', media_icon='C:\\icon.bmp' WHERE media='旧''名';"},
      {"delete", sql::remove(Kind::Adultex, old), "DELETE FROM adultex_info_table WHERE adultex='旧''名';"},
      {"number", sql::setNumber(Kind::Genre, 12, old), "UPDATE genre_info_table SET genre_num=12 WHERE genre='旧''名';"},
      {"icons", sql::iconList(Kind::Media), "SELECT media_icon, media FROM media_info_table ORDER BY media_num;"},
      {"in order", sql::namesInOrder(Kind::Machine), "SELECT machine FROM machine_info_table ORDER BY machine_num;"},
      {"in order", sql::namesInOrder(Kind::Genre), "SELECT genre FROM genre_info_table ORDER BY genre_num;"},
      {"defaults", sql::machineDefaults(old),
       "SELECT default_media, search_ext FROM machine_info_table WHERE machine='旧''名';"},
      {"media", sql::storedDefaultMedia(old), "SELECT default_media FROM machine_info_table WHERE machine='旧''名';"},
      {"images", sql::setMediaOfImages(old, sjis("M'")),
       "UPDATE main_table SET media_name='M''' WHERE machine_name='旧''名' ;"},
  };
  for (const SqlCase& c : cases) EXPECT_EQ(text::sjisToUtf8(c.actual), c.expectedUtf8) << c.what;
}

}  // namespace
}  // namespace qm::master
