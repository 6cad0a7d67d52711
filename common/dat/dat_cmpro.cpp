// The clrmamepro text reader: blocks of `key value` pairs in parentheses,
// values bare words or "quoted strings". Blocks it does not use (disk,
// sample, ...) are passed by whole, parentheses balanced.
#include "common/dat/dat_builder.h"
#include "common/text/encoding.h"

namespace qm::dat {
namespace {

using text::sjis;

enum class TokenKind { End, Open, Close, Word };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;
  int line = 0;
};

class CmproReader {
public:
  CmproReader(std::string_view text, DatBuilder& builder) : s_(text), out_(builder) {}

  void read() {
    for (Token token = next(); token.kind != TokenKind::End && !out_.failed(); token = next()) {
      if (token.kind != TokenKind::Word || !expectOpen()) return fail(token.line, reasonNoDat());
      if (token.text == "clrmamepro") header();
      else if (token.text == "game" || token.text == "machine" || token.text == "resource") game();
      else skipBlock();
    }
  }

private:
  void fail(int line, const std::string& reason) { out_.fail(line, reason); }

  Token next() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r' || s_[pos_] == '\n')) {
      if (s_[pos_] == '\n') ++line_;
      ++pos_;
    }
    Token token{TokenKind::End, {}, line_};
    if (pos_ >= s_.size()) return token;
    const char c = s_[pos_];
    if (c == '(' || c == ')') {
      ++pos_;
      token.kind = c == '(' ? TokenKind::Open : TokenKind::Close;
      return token;
    }
    token.kind = TokenKind::Word;
    if (c == '"') {
      const std::size_t end = s_.find('"', pos_ + 1);
      if (end == std::string_view::npos) {
        fail(line_, reasonCutOff());
        pos_ = s_.size();
        token.kind = TokenKind::End;
        return token;
      }
      token.text = std::string(s_.substr(pos_ + 1, end - pos_ - 1));
      for (char inside : token.text) line_ += inside == '\n';
      pos_ = end + 1;
      return token;
    }
    const std::size_t from = pos_;
    while (pos_ < s_.size() && s_[pos_] != ' ' && s_[pos_] != '\t' && s_[pos_] != '\r' && s_[pos_] != '\n' &&
           s_[pos_] != '(' && s_[pos_] != ')')
      ++pos_;
    token.text = std::string(s_.substr(from, pos_ - from));
    return token;
  }

  bool expectOpen() { return next().kind == TokenKind::Open; }

  // The pairs of a block up to its ")": `pair(key, value)` for each, and
  // `block(key)` for a nested block, which must read it to its end.
  template <typename Pair, typename Block>
  void pairs(Pair&& pair, Block&& block) {
    for (;;) {
      const Token key = next();
      if (out_.failed()) return;
      if (key.kind == TokenKind::End) return fail(line_, reasonCutOff());
      if (key.kind == TokenKind::Close) return;
      if (key.kind != TokenKind::Word) return fail(key.line, sjis("項目名がありません"));
      const Token value = next();
      if (out_.failed()) return;
      if (value.kind == TokenKind::End) return fail(line_, reasonCutOff());
      if (value.kind == TokenKind::Open) block(key.text);
      else if (value.kind == TokenKind::Word) pair(key.text, value.text, value.line);
      else return fail(value.line, sjis("項目 ") + key.text + sjis(" に値がありません"));
      if (out_.failed()) return;
    }
  }

  void skipBlock() {
    pairs([](const std::string&, const std::string&, int) {}, [this](const std::string&) { skipBlock(); });
  }

  void header() {
    pairs(
        [this](const std::string& key, const std::string& value, int) {
          if (key == "name") out_.dat().name = value;
        },
        [this](const std::string&) { skipBlock(); });
  }

  void game() {
    DatGame& game = out_.beginGame({});
    pairs(
        [&](const std::string& key, const std::string& value, int) {
          if (key == "name") game.name = value;
          else setGameField(game, key, value);
        },
        [&](const std::string& key) {
          if (key == "rom") rom(game);
          else skipBlock();
        });
    out_.endGame();
  }

  void rom(DatGame& game) {
    DatRom rom;
    pairs(
        [&](const std::string& key, const std::string& value, int line) {
          std::string reason;
          if (!setRomField(rom, key, value, reason)) fail(line, reason);
        },
        [this](const std::string&) { skipBlock(); });
    game.roms.push_back(std::move(rom));
  }

  std::string_view s_;
  DatBuilder& out_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

void readCmproDat(std::string_view text, DatBuilder& builder) { CmproReader(text, builder).read(); }

}  // namespace qm::dat
