#include <gtest/gtest.h>

#include "app/keys/key_script.h"

namespace qm::keys {
namespace {

// The events between the opening 100 ms and the closing releases.
std::vector<std::string> body(std::string_view script, bool setParent = false) {
  RecordingKeySink sink;
  KeyScriptRun run;
  run.setParent = setParent;
  run.expand = [](const std::string& token) { return "<" + token + ">"; };
  runKeyScript(script, run, sink);
  EXPECT_EQ(sink.events.front(), "sleep 100");
  const std::vector<std::string> ending = {"up 165", "sleep 200", "up 16", "sleep 200", "up 162", "sleep 200", "end"};
  EXPECT_TRUE(std::equal(ending.rbegin(), ending.rend(), sink.events.rbegin()));
  return {sink.events.begin() + 1, sink.events.end() - static_cast<long>(ending.size())};
}

std::vector<std::string> tap(int vk, int delay = 50) {
  const std::string d = "sleep " + std::to_string(delay);
  return {"down " + std::to_string(vk), d, "up " + std::to_string(vk), d};
}

TEST(KeyScript, AltDownXAltUpWaitsTheDelayAfterEveryEvent) {
  const std::vector<std::string> expected = {"down 165", "sleep 50", "down 88", "sleep 50",
                                             "up 88",    "sleep 50", "up 165",  "sleep 50"};
  EXPECT_EQ(body("ALTDOWN;X;ALTUP"), expected);
}

TEST(KeyScript, NormalisesLineEndsBlanksAndCase) {
  EXPECT_EQ(keyScriptTokens("a b;;\r\n\tEnter;;;c\n"), (std::vector<std::string>{"ab", "Enter", "c"}));
  EXPECT_EQ(body(" e n t e r \n"), tap(13));
}

TEST(KeyScript, SingleCharactersAndNamedKeys) {
  struct Case {
    const char* token;
    int vk;
  } cases[] = {{"a", 'A'}, {"7", '7'}, {"*", 106}, {"+", 107}, {",", 108}, {"-", 109}, {".", 110},
               {"/", 111}, {"[", 219}, {"\\", 220}, {"]", 221}, {"^", 222}, {":", 186}, {"F", 'F'},
               {"f1", 112}, {"F12", 123}, {"F24", 135}, {"apps", 93}, {"HOME", 36}, {"END", 35},
               {"ALT", 165}, {"TAB", 9}, {"UP", 38}, {"DOWN", 40}, {"LEFT", 37}, {"RIGHT", 39}, {"SPACE", 32}};
  for (const Case& c : cases) EXPECT_EQ(body(c.token), tap(c.vk)) << c.token;
}

TEST(KeyScript, TokensThatDoNothing) {
  for (const char* token : {"F25", "F0", "FOO", "F100", "!", "WAITX", "WL", "HELLO", "<multiple>", "$NOTHING"})
    EXPECT_TRUE(body(token).empty()) << token;
}

TEST(KeyScript, WaitSleepsAndWlSetsTheDelay) {
  EXPECT_EQ(body("WAIT1000"), (std::vector<std::string>{"sleep 1000"}));
  EXPECT_EQ(body("WL100;A"), tap('A', 150));
  EXPECT_EQ(body("WL0;A"), tap('A', 50));
  EXPECT_EQ(body("WL99999999;A"), tap('A', 65535));
}

TEST(KeyScript, ModifierDownAndUpTokens) {
  EXPECT_EQ(body("SHIFTDOWN;CTRLDOWN;CTRLUP;SHIFTUP"),
            (std::vector<std::string>{"down 16", "sleep 50", "down 162", "sleep 50", "up 162", "sleep 50", "up 16",
                                      "sleep 50"}));
  // Left pressed by the script, Shift is released by the closing steps all the same.
  EXPECT_EQ(body("SHIFTDOWN"), (std::vector<std::string>{"down 16", "sleep 50"}));
}

TEST(KeyScript, PasteExpandsTheTokenAsWrittenThenCtrlV) {
  const std::vector<std::string> expected = {"clipboard <$image1>", "sleep 50", "down 162", "sleep 50", "down 86",
                                             "sleep 50", "up 86", "sleep 50", "up 162", "sleep 50"};
  EXPECT_EQ(body("$image1"), expected);
  for (const char* token : {"$MACHINE", "$title", "$Maker", "$CRC32", "$FILE_BODY", "$PFOLDER", "$QLM_PATH",
                            "$EMU_PATH", "$path0", "$body_noext2", "$IMAGE"})
    EXPECT_EQ(body(token).front(), std::string("clipboard <") + token + ">") << token;
}

TEST(KeyScript, MultipleDisksBlockRunsOnlyForTheParentOfASet) {
  const char* script = "A\n<MULTIPLE_DISKS>\nB\n</multiple_disks>\nC";
  std::vector<std::string> single = tap('A'), set = tap('A');
  for (const auto& e : tap('C')) single.push_back(e);
  for (int vk : {'B', 'C'})
    for (const auto& e : tap(vk)) set.push_back(e);
  EXPECT_EQ(body(script, false), single);
  EXPECT_EQ(body(script, true), set);
  // An unclosed block runs to the end only for a set.
  EXPECT_TRUE(body("<MULTIPLE_DISKS>;A", false).empty());
}

TEST(KeyScript, UnpairedModifiersAreNamedInOrder) {
  EXPECT_EQ(unpairedStatus("ALTDOWN;X;ALTUP"), "");
  EXPECT_EQ(unpairedStatus("altdown;shiftDown;X"), "Alt,Shift key is not paired.");
  EXPECT_EQ(unpairedStatus("CtrlUp"), "Ctrl key is not paired.");
  EXPECT_EQ(unpairedModifiers("ALTDOWN;ALTDOWN;ALTUP;SHIFTUP;SHIFTDOWN;CTRLDOWN"), "Alt,Ctrl");
}

TEST(KeyScript, AppliesUnlessLimitedToSets) {
  EXPECT_TRUE(keyScriptApplies(0, false));
  EXPECT_FALSE(keyScriptApplies(1, false));
  EXPECT_TRUE(keyScriptApplies(1, true));
}

}  // namespace
}  // namespace qm::keys
