// The Logiqx XML reader: enough XML for what DAT files hold (declarations,
// a DOCTYPE with its internal subset, comments, CDATA, the five named
// entities and character references), over program text. No byte the
// markup uses (< > & " ' =) is ever the trail byte of a double-byte
// character, so the scan may go byte by byte.
#include <vector>

#include "common/dat/dat_builder.h"
#include "common/text/encoding.h"
#include "common/text/input_encoding.h"
#include "common/text/utf8.h"

namespace qm::dat {
namespace {

using text::sjis;

struct Attribute {
  std::string name;
  std::string value;
};

class XmlReader {
public:
  XmlReader(std::string_view text, DatBuilder& builder) : s_(text), out_(builder) {}

  void read() {
    while (pos_ < s_.size() && !out_.failed()) {
      if (s_[pos_] == '<') markup();
      else characters();
    }
    if (out_.failed()) return;
    if (!open_.empty()) return out_.fail(line_, reasonCutOff());
    if (!sawRoot_) out_.fail(line_, reasonNoDat());
  }

private:
  bool at(std::string_view word) const { return s_.substr(pos_).starts_with(word); }

  // Moves past `end`, counting lines; false at the end of the text.
  bool skipPast(std::string_view end) {
    const std::size_t found = s_.find(end, pos_);
    if (found == std::string_view::npos) {
      advanceTo(s_.size());
      return false;
    }
    advanceTo(found + end.size());
    return true;
  }

  void advanceTo(std::size_t to) {
    for (; pos_ < to; ++pos_)
      if (s_[pos_] == '\n') ++line_;
  }

  void markup() {
    const int start = line_;
    if (at("<!--")) {
      if (!skipPast("-->")) out_.fail(start, reasonCutOff());
    } else if (at("<![CDATA[")) {
      advanceTo(pos_ + 9);
      const std::size_t from = pos_;
      if (!skipPast("]]>")) return out_.fail(start, reasonCutOff());
      text_.append(s_.substr(from, pos_ - 3 - from));
    } else if (at("<?")) {
      if (!skipPast("?>")) out_.fail(start, reasonCutOff());
    } else if (at("<!")) {
      doctype(start);
    } else if (at("</")) {
      endTag();
    } else {
      startTag();
    }
  }

  // A DOCTYPE may hold an internal subset in brackets, with ">" inside.
  void doctype(int start) {
    int depth = 0;
    for (; pos_ < s_.size(); ++pos_) {
      const char c = s_[pos_];
      if (c == '\n') ++line_;
      else if (c == '[') ++depth;
      else if (c == ']') --depth;
      else if (c == '>' && depth <= 0) {
        ++pos_;
        return;
      }
    }
    out_.fail(start, reasonCutOff());
  }

  static bool isNameChar(char c) {
    return c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '>' && c != '/' && c != '=' && c != '<';
  }

  std::string_view name() {
    const std::size_t from = pos_;
    while (pos_ < s_.size() && isNameChar(s_[pos_])) ++pos_;
    return s_.substr(from, pos_ - from);
  }

  void blanks() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r' || s_[pos_] == '\n'))
      advanceTo(pos_ + 1);
  }

  void startTag() {
    const int start = line_;
    ++pos_;
    const std::string element(name());
    if (element.empty()) return out_.fail(start, sjis("タグ名がありません"));
    std::vector<Attribute> attributes;
    for (;;) {
      blanks();
      if (pos_ >= s_.size()) return out_.fail(start, reasonCutOff());
      if (s_[pos_] == '>' || at("/>")) break;
      Attribute attribute{std::string(name()), {}};
      blanks();
      if (attribute.name.empty() || pos_ >= s_.size() || s_[pos_] != '=')
        return out_.fail(line_, sjis("属性の書き方が誤っています"));
      ++pos_;
      blanks();
      if (pos_ >= s_.size()) return out_.fail(start, reasonCutOff());
      const char quote = s_[pos_];
      if (quote != '"' && quote != '\'') return out_.fail(line_, sjis("属性の値が引用符で囲まれていません"));
      const std::size_t from = ++pos_;
      const std::size_t end = s_.find(quote, from);
      if (end == std::string_view::npos) return out_.fail(start, reasonCutOff());
      const int valueLine = line_;
      advanceTo(end + 1);
      if (!decode(s_.substr(from, end - from), valueLine, attribute.value)) return;
      attributes.push_back(std::move(attribute));
    }
    const bool empty = at("/>");
    pos_ += empty ? 2 : 1;
    opened(element, attributes, start);
    if (empty) closed(element);
  }

  void endTag() {
    const int start = line_;
    pos_ += 2;
    const std::string_view element = name();
    blanks();
    if (pos_ >= s_.size()) return out_.fail(start, reasonCutOff());
    if (s_[pos_] != '>') return out_.fail(start, sjis("終了タグの書き方が誤っています"));
    ++pos_;
    if (open_.empty() || open_.back() != element)
      return out_.fail(start, sjis("終了タグ </") + std::string(element) + sjis("> に対応する開始タグがありません"));
    closed(element);
  }

  void characters() {
    const int start = line_;
    const std::size_t from = pos_;
    const std::size_t end = std::min(s_.find('<', pos_), s_.size());
    advanceTo(end);
    if (!open_.empty()) decode(s_.substr(from, end - from), start, text_, true);
  }

  // Entities replaced; false after reporting an unknown one.
  bool decode(std::string_view raw, int line, std::string& out, bool append = false) {
    if (!append) out.clear();
    for (std::size_t i = 0; i < raw.size();) {
      if (raw[i] == '\n') ++line;
      if (raw[i] != '&') {
        out += raw[i++];
        continue;
      }
      const std::size_t semicolon = raw.find(';', i);
      const std::string_view entity =
          semicolon == std::string_view::npos ? raw.substr(i) : raw.substr(i + 1, semicolon - i - 1);
      if (semicolon == std::string_view::npos || !entityText(entity, out)) {
        out_.fail(line, sjis("不明な実体参照 &") + std::string(entity.substr(0, 16)) + sjis(" があります"));
        return false;
      }
      i = semicolon + 1;
    }
    return true;
  }

  bool entityText(std::string_view entity, std::string& out) {
    if (entity == "amp") out += '&';
    else if (entity == "lt") out += '<';
    else if (entity == "gt") out += '>';
    else if (entity == "quot") out += '"';
    else if (entity == "apos") out += '\'';
    else if (entity.starts_with("#")) return characterReference(entity.substr(1), out);
    else return false;
    return true;
  }

  bool characterReference(std::string_view digits, std::string& out) {
    const bool hex = digits.starts_with("x") || digits.starts_with("X");
    const auto value = hex ? sizeOf("0x" + std::string(digits.substr(1))) : sizeOf(digits);
    if (!value || *value == 0 || *value > 0x10FFFF || digits.size() > 8) return false;
    char bytes[4];
    const char* end = text::utf8::encode(static_cast<char32_t>(*value), bytes);
    const text::ProgramText converted =
        text::toProgramText(std::string_view(bytes, static_cast<std::size_t>(end - bytes)), text::InputEncoding::Utf8);
    out += converted.text;
    out_.dat().lost += converted.lost;
    return true;
  }

  const std::string* attribute(const std::vector<Attribute>& attributes, std::string_view name) {
    for (const Attribute& a : attributes)
      if (a.name == name) return &a.value;
    return nullptr;
  }

  void opened(const std::string& element, const std::vector<Attribute>& attributes, int line) {
    if (open_.empty()) {
      if (element != "datafile") return out_.fail(line, reasonNoDat());
      sawRoot_ = true;
    }
    open_.push_back(element);
    text_.clear();
    if ((element == "game" || element == "machine") && open_.size() == 2) {
      const std::string* name = attribute(attributes, "name");
      out_.beginGame(name ? *name : std::string());
    } else if (element == "rom" && out_.game()) {
      DatRom rom;
      std::string reason;
      for (const Attribute& a : attributes)
        if (!setRomField(rom, a.name, a.value, reason)) return out_.fail(line, reason);
      out_.game()->roms.push_back(std::move(rom));
    }
  }

  void closed(std::string_view element) {
    open_.pop_back();
    if (open_.size() == 1 && (element == "game" || element == "machine")) out_.endGame();
    else if (open_.size() == 2 && out_.game()) setGameField(*out_.game(), element, std::move(text_));
    else if (open_.size() == 2 && open_.back() == "header" && element == "name") out_.dat().name = std::move(text_);
    text_.clear();
  }

  std::string_view s_;
  DatBuilder& out_;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::vector<std::string> open_;
  std::string text_;  // the character data of the element open last
  bool sawRoot_ = false;
};

}  // namespace

void readXmlDat(std::string_view text, DatBuilder& builder) { XmlReader(text, builder).read(); }

}  // namespace qm::dat
