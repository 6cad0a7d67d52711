#include "app/records/release_date.h"

#include <gtest/gtest.h>

#include "common/text/encoding.h"

namespace qm::records {
namespace {

TEST(ReleaseDate, OnlyPlausibleYearsMonthsAndDaysPassAndTakeTheStoredForm) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "0"},
      {"1980", "1980-00-00"},
      {"1980-5", "1980-05-00"},
      {"1980-5-25", "1980-05-25"},
      {"1980-12-31", "1980-12-31"},
      {"1980-05-01", "1980-05-01"},
      {"1840", "1840-00-00"},
      {"2060-1-1", "2060-01-01"},
      {"1980-5-1x", "1980-05-01"},
      {"1980-", "1980-00-00"},
      {"1980x", "1980-00-00"},
      {"1", nullptr},
      {"0", nullptr},
      {"198", nullptr},
      {"1839", nullptr},
      {"2061", nullptr},
      {"1980-13", nullptr},
      {"1980-0", nullptr},
      {"1980-5-32", nullptr},
      {"1980-12-32", nullptr},
      {"1980-5-0", nullptr},
      {"abcd", nullptr},
      {"1980-ab", nullptr},
      // Eight bytes without a day after a "-".
      {"19800525", nullptr},
      {"1980-12-", nullptr},
      {"99999999999", nullptr},
  };
  for (const auto& [text, stored] : cases) {
    const auto got = normalizeReleaseDate(text);
    if (!stored) {
      EXPECT_FALSE(got) << text;
      EXPECT_FALSE(releaseDateValid(text)) << text;
    } else {
      EXPECT_EQ(got.value_or("refused"), stored) << text;
    }
  }
}

TEST(ReleaseDate, ShownFormCutsUnknownPartsAndSavingItUnchangedKeepsTheStoredValue) {
  const struct {
    const char* stored;
    const char* shown;
  } cases[] = {
      {"0", ""},
      {"1980-00-00", "1980"},
      {"1980-05-00", "1980-05"},
      {"1980-05-25", "1980-05-25"},
      // Odd stored values (imports, old versions) are shown as they are, or
      // cut where the rule says; saving them untouched must not fail.
      {"1980-00-15", "1980"},
      {"1980", "1980"},
      {"19800525", "19800525"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(releaseDateShown(c.stored), c.shown) << c.stored;
    const auto saved = releaseDateToSave(releaseDateShown(c.stored), c.stored);
    EXPECT_EQ(saved.value_or("refused"), std::string(*c.stored ? c.stored : "0")) << c.stored;
  }
  EXPECT_EQ(releaseDateToSave("1981", "1980-00-00").value_or("refused"), "1981-00-00");
  EXPECT_EQ(releaseDateToSave("", "1980-05-00").value_or("refused"), "0");
  EXPECT_FALSE(releaseDateToSave("1980-13", "1980-05-00"));
  EXPECT_EQ(text::sjisToUtf8(releaseDateRefusal()),
            "発売日の指定に不備があります。\nyyyy-mm-dd形式で指定してください。\n例) 1980-5-25 ※月以降または日は省略可");
}

}  // namespace
}  // namespace qm::records
