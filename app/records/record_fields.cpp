#include "app/records/record_fields.h"

namespace qm::records {

namespace {

struct TextField {
  const char* name;
  std::string Record::*member;
};
constexpr TextField kTextFields[] = {
    {"title", &Record::title},       {"kana", &Record::kana},
    {"maker", &Record::maker},       {"developer", &Record::developer},
    {"version", &Record::version},   {"machine_name", &Record::machine},
    {"genre_name", &Record::genre},  {"media_name", &Record::media},
    {"country", &Record::country},   {"sale_year", &Record::saleYear},
    {"tag", &Record::tag},           {"creator", &Record::creators},
    {"memo", &Record::memo},         {"snap_dtt", &Record::snapDisplay},
    {"adultex_name", &Record::adultMark}, {"emuset_name", &Record::emulator},
};

std::vector<std::string> splitEntries(const std::string& value) {
  std::vector<std::string> entries;
  if (value.empty()) return entries;
  std::size_t start = 0;
  for (std::size_t bar; (bar = value.find('|', start)) != std::string::npos; start = bar + 1)
    entries.push_back(value.substr(start, bar - start));
  entries.push_back(value.substr(start));
  return entries;
}

}  // namespace

bool setField(Record& r, std::string_view name, const std::string& value) {
  for (const auto& field : kTextFields)
    if (name == field.name) {
      r.*field.member = value;
      return true;
    }
  for (int i = 0; i < kDetailCount; ++i)
    if (name == kDetailColumns[i]) {
      r.details[i] = value;
      return true;
    }
  for (int slot = 0; slot < kSnapSlots; ++slot)
    if (name == "snap" + std::to_string(slot + 1)) {
      r.snaps[slot] = value;
      return true;
    }
  if (name == "adult") {
    if (value != "0" && value != "1") return false;
    r.adult = value == "1";
    return true;
  }
  if (name == "associate") {
    r.associates = splitEntries(value);
    return true;
  }
  if (name == "set") {
    r.set = splitEntries(value);
    return true;
  }
  return false;
}

}  // namespace qm::records
