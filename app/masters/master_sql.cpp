#include "app/masters/master_sql.h"

#include "common/db/db_connection.h"

namespace qm::master::sql {
namespace {

using db::sqlText;

// The table, then its name column compared with a quoted value.
std::string whereName(Kind kind, const std::string& name) {
  return " WHERE " + std::string(word(kind)) + "=" + sqlText(name) + ";";
}

// Each kind's INSERT up to the quoted name; their spacing differs and is kept.
std::string insertHead(Kind kind) {
  switch (kind) {
    case Kind::Machine:
      return "INSERT INTO machine_info_table( machine, machine_icon, search_ext, snap_path, snap_path2, snap_path3, "
             "snap_dtm, default_media ) VALUES( ";
    case Kind::Media: return "INSERT INTO media_info_table( media, media_icon ) VALUES( ";
    case Kind::Genre: return "INSERT INTO genre_info_table( genre, genre_icon ) VALUES(";
    case Kind::Adultex: return "INSERT INTO adultex_info_table( adultex, adultex_icon ) VALUES(";
  }
  return {};
}

}  // namespace

std::string listNames(Kind kind) {
  const std::string w(word(kind));
  return "SELECT " + w + " FROM " + tableOf(kind) + " ORDER BY " + w + ";";
}

std::string count(Kind kind) { return "SELECT COUNT(*) FROM " + tableOf(kind) + ";"; }

std::string load(Kind kind, const std::string& name) {
  return "SELECT * FROM " + tableOf(kind) + whereName(kind, name);
}

std::string insert(Kind kind, const Entry& e) {
  std::string values = sqlText(e.name);
  auto add = [&values](const std::string& value) { values.append(",").append(sqlText(value)); };
  add(e.icon);
  if (kind == Kind::Machine) {
    for (const std::string* v : {&e.searchExt, &e.snapPath, &e.snapPath2, &e.snapPath3, &e.snapDtm, &e.defaultMedia})
      add(*v);
  }
  return insertHead(kind) + values + " );";
}

std::string update(Kind kind, const Entry& e, const std::string& oldName) {
  const std::string w(word(kind));
  std::string sets = w + "=" + sqlText(e.name) + ", " + w + "_icon=" + sqlText(e.icon);
  if (kind == Kind::Machine) {
    sets += ", search_ext=" + sqlText(e.searchExt) + ", snap_path=" + sqlText(e.snapPath) +
            ", snap_path2=" + sqlText(e.snapPath2) + ", snap_path3=" + sqlText(e.snapPath3) +
            ", snap_dtm=" + sqlText(e.snapDtm) + ", default_media=" + sqlText(e.defaultMedia);
  }
  return "UPDATE " + tableOf(kind) + " SET " + sets + whereName(kind, oldName);
}

std::string remove(Kind kind, const std::string& name) {
  return "DELETE FROM " + tableOf(kind) + whereName(kind, name);
}

std::string setNumber(Kind kind, int number, const std::string& name) {
  return "UPDATE " + tableOf(kind) + " SET " + std::string(word(kind)) + "_num=" + std::to_string(number) +
         whereName(kind, name);
}

std::string iconList(Kind kind) {
  const std::string w(word(kind));
  return "SELECT " + w + "_icon, " + w + " FROM " + tableOf(kind) + " ORDER BY " + w + "_num;";
}

std::string namesInOrder(Kind kind) {
  const std::string w(word(kind));
  return "SELECT " + w + " FROM " + tableOf(kind) + " ORDER BY " + w + "_num;";
}

std::string storedDefaultMedia(const std::string& machine) {
  return "SELECT default_media FROM machine_info_table" + whereName(Kind::Machine, machine);
}

std::string machineDefaults(const std::string& machine) {
  return "SELECT default_media, search_ext FROM machine_info_table" + whereName(Kind::Machine, machine);
}

std::string setMediaOfImages(const std::string& machine, const std::string& media) {
  return "UPDATE main_table SET media_name=" + sqlText(media) + " WHERE machine_name=" + sqlText(machine) + " ;";
}

}  // namespace qm::master::sql
