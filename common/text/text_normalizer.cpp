#include "common/text/text_normalizer.h"

#include <algorithm>

#include "common/text/sjis.h"

namespace qm::text {
namespace {

using Key = std::uint16_t;
using CharMap = std::unordered_map<Key, std::string>;

// A single-byte character is its byte, a double-byte one its lead byte above
// its trail byte (0x8140 and up), so both fit one 16-bit space.
Key keyOf(std::string_view ch) {
  const auto first = static_cast<unsigned char>(ch[0]);
  return ch.size() == 1 ? first : static_cast<Key>(first << 8 | static_cast<unsigned char>(ch[1]));
}

std::string charOf(Key key) {
  if (key < 0x100) return std::string(1, static_cast<char>(key));
  return {static_cast<char>(key >> 8), static_cast<char>(key & 0xFF)};
}

template <typename Visit>
void forEachChar(std::string_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = sjis::charLength(text, i);
    visit(text.substr(i, length));
    i += length;
  }
}

std::size_t charCount(std::string_view text) {
  std::size_t count = 0;
  forEachChar(text, [&](std::string_view) { ++count; });
  return count;
}

std::string mapped(const CharMap& map, std::string_view text) {
  std::string out;
  forEachChar(text, [&](std::string_view ch) {
    auto it = map.find(keyOf(ch));
    out += it == map.end() ? std::string(ch) : it->second;
  });
  return out;
}

// Replacing one character by a text is applied character by character, so a
// run of them is one map. Walking backwards, each entry's character becomes
// what its replacement turns into under the entries after it.
CharMap composeBackwards(const ConversionPlan& plan, std::size_t begin, std::size_t end) {
  CharMap map;
  for (std::size_t i = end; i-- > begin;) {
    const Replacement& r = plan[i];
    if (charCount(r.from) == 1) map[keyOf(r.from)] = mapped(map, r.to);
  }
  return map;
}

std::uint32_t pairKey(Key first, Key second) { return static_cast<std::uint32_t>(first) << 16 | second; }

}  // namespace

struct TextNormalizer::Pending {
  bool held = false;
  Key key = 0;
};

TextNormalizer::TextNormalizer(const NormalizeOptions& options, const SymbolTables& tables)
    : TextNormalizer(buildConversionPlan(options, tables), options.mayBeEmpty) {}

TextNormalizer::TextNormalizer(const ConversionPlan& plan, bool mayBeEmpty)
    : mayBeEmpty_(mayBeEmpty), slots_(1 << 16) {
  build(plan);
}

void TextNormalizer::build(const ConversionPlan& plan) {
  auto isPair = [](const Replacement& r) { return charCount(r.from) == 2; };
  const auto firstPair = static_cast<std::size_t>(std::find_if(plan.begin(), plan.end(), isPair) - plan.begin());
  const CharMap before = composeBackwards(plan, 0, firstPair);
  after_ = composeBackwards(plan, firstPair, plan.size());
  addPairs(plan, firstPair);
  fillSlots(before);
}

// A pair turns into its replacement under the single-character entries after
// it; walking backwards keeps the earliest of two entries for the same pair.
void TextNormalizer::addPairs(const ConversionPlan& plan, std::size_t firstPair) {
  CharMap later;
  for (std::size_t i = plan.size(); i-- > firstPair;) {
    const Replacement& r = plan[i];
    if (charCount(r.from) == 1) {
      later[keyOf(r.from)] = mapped(later, r.to);
      continue;
    }
    const std::size_t split = sjis::charLength(r.from, 0);
    const Key first = keyOf(std::string_view(r.from).substr(0, split));
    const Key second = keyOf(std::string_view(r.from).substr(split));
    pairs_[pairKey(first, second)] = mapped(later, r.to);
    firsts_.set(first);
    seconds_.set(second);
  }
}

void TextNormalizer::fillSlots(const CharMap& before) {
  std::vector<Key> keys;
  for (const auto& [key, text] : before) keys.push_back(key);
  for (const auto& [key, text] : after_) keys.push_back(key);
  for (std::size_t key = 0; key < slots_.size(); ++key)
    if (firsts_.test(key) || seconds_.test(key)) keys.push_back(static_cast<Key>(key));

  for (Key key : keys) {
    auto it = before.find(key);
    const std::string middle = it == before.end() ? charOf(key) : it->second;
    Slot& slot = slots_[key];
    if (middle.empty()) {
      slot = {0, 0, Removed};
      continue;
    }
    bool joins = false;
    forEachChar(middle, [&](std::string_view ch) { joins = joins || firsts_.test(keyOf(ch)) || seconds_.test(keyOf(ch)); });
    if (joins) {
      joiningText_[key] = middle;
      slot = {0, 0, Joining};
      continue;
    }
    const std::string final = mapped(after_, middle);
    slot = {static_cast<std::uint32_t>(pool_.size()), static_cast<std::uint16_t>(final.size()), Replaced};
    pool_ += final;
  }
}

void TextNormalizer::appendAfter(std::string_view ch, std::string& out) const {
  auto it = after_.find(keyOf(ch));
  if (it == after_.end()) {
    out += ch;
  } else {
    out += it->second;
  }
}

void TextNormalizer::flush(Pending& pending, std::string& out) const {
  if (!pending.held) return;
  pending.held = false;
  appendAfter(charOf(pending.key), out);
}

// Characters that may form a pair wait for the next character that survives
// the earlier entries; a removed character between them does not part them.
void TextNormalizer::feedJoining(std::string_view chars, Pending& pending, std::string& out) const {
  forEachChar(chars, [&](std::string_view ch) {
    const Key key = keyOf(ch);
    if (pending.held) {
      auto it = pairs_.find(pairKey(pending.key, key));
      if (it != pairs_.end()) {
        out += it->second;
        pending.held = false;
        return;
      }
      flush(pending, out);
    }
    if (firsts_.test(key)) {
      pending = {true, key};
      return;
    }
    appendAfter(ch, out);
  });
}

void TextNormalizer::convert(std::string_view text, std::string& out) const {
  out.clear();
  Pending pending;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = sjis::charLength(text, i);
    const std::string_view ch = text.substr(i, length);
    i += length;
    const Slot& slot = slots_[keyOf(ch)];
    switch (slot.kind) {
      case Unchanged:
        flush(pending, out);
        out += ch;
        break;
      case Replaced:
        flush(pending, out);
        out.append(pool_, slot.offset, slot.length);
        break;
      case Removed:
        break;
      case Joining:
        feedJoining(joiningText_.at(keyOf(ch)), pending, out);
        break;
    }
  }
  flush(pending, out);
  if (out.empty() && !mayBeEmpty_) out = text;
}

std::string TextNormalizer::operator()(std::string_view text) const {
  std::string out;
  out.reserve(text.size() + 8);
  convert(text, out);
  return out;
}

std::string normalizeText(std::string_view text, const NormalizeOptions& options, const SymbolTables& tables) {
  return TextNormalizer(options, tables)(text);
}

}  // namespace qm::text
