#include <gtest/gtest.h>

#include "app/keys/joystick_poller.h"
#include "app/keys/joystick_replay.h"
#include "common/platform/ini.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_folder.h"

namespace qm::keys {
namespace {

TEST(JoystickReading, AxesQuantiseAtTheirThresholds) {
  struct Case {
    int type;
    unsigned value;
    long long reading;
  } cases[] = {{kJoyX, 0, 0},      {kJoyX, 26366, 0},     {kJoyX, 26367, -1}, {kJoyX, 39167, -1},
               {kJoyX, 39168, 65535}, {kJoyY, 65535, 65535}, {kJoyZ, 100, 0},  {kJoyR, 40000, 65535},
               {kJoyU, 6400, 0},   {kJoyU, 6401, 65535},  {kJoyV, 0, 0}};
  for (const Case& c : cases) {
    JoyState s;
    s.x = s.y = s.z = s.r = s.u = s.v = c.value;
    EXPECT_EQ(quantisedReading(c.type, s), c.reading) << c.type << " " << c.value;
  }
}

TEST(JoystickReading, ButtonsMatchByMaskOtherTypesByValue) {
  JoyState s;
  s.buttons = 0b0110;
  s.pov = 9000;
  EXPECT_TRUE(isActive({kJoyButtons, 0b0010}, s));
  EXPECT_FALSE(isActive({kJoyButtons, 0b1001}, s));
  EXPECT_TRUE(isActive({kJoyPov, 9000}, s));
  EXPECT_FALSE(isActive({kJoyPov, 0}, s));
  EXPECT_FALSE(isActive({0, 0}, s));
  EXPECT_FALSE(isActive({kJoyX, 0}, JoyState{}));  // a centred stick
}

TEST(JoystickReading, AssignmentNames) {
  EXPECT_EQ(assignmentName({kJoyX, 0}), "Stick:Left");
  EXPECT_EQ(assignmentName({kJoyY, 65535}), "Stick:Down");
  EXPECT_EQ(assignmentName({kJoyR, 0}), "AxisR:-");
  EXPECT_EQ(assignmentName({kJoyV, 65535}), "AxisV:+");
  EXPECT_EQ(assignmentName({kJoyPov, 27000}), "POV:Left");
  EXPECT_EQ(assignmentName({kJoyButtons, 1}), "Button:1");
  EXPECT_EQ(assignmentName({kJoyButtons, 1u << 31}), "Button:32");
  EXPECT_EQ(assignmentName({0, 0}), "");
}

TEST(JoystickReading, CaptureTakesWhatLeftTheRestPosition) {
  JoyState rest;
  rest.buttons = 0b1;  // a button held while resting is no press
  JoyState now = rest;
  EXPECT_FALSE(capturedAssignment(rest, now));
  now.y = 0;
  EXPECT_EQ(capturedAssignment(rest, now), (JoyAssignment{kJoyY, 0}));
  now = rest;
  now.pov = 18000;
  EXPECT_EQ(capturedAssignment(rest, now), (JoyAssignment{kJoyPov, 18000}));
  now = rest;
  now.buttons = 0b1101;
  EXPECT_EQ(capturedAssignment(rest, now), (JoyAssignment{kJoyButtons, 0b100}));
  now = rest;
  now.x = 30000;  // inside the centre band: nothing yet
  EXPECT_FALSE(capturedAssignment(rest, now));
}

TEST(JoystickSettingsFile, DefaultsRoundTripAndKeepEnable) {
  test::TempFolder folder;
  const std::string path = joystickSettingsPath(folder.path());
  JoystickSettings defaults = loadJoystickSettings(path);
  EXPECT_EQ(defaults.enable, 0);
  EXPECT_EQ(defaults.id, -1);
  EXPECT_EQ(defaults.repeat, 25);
  EXPECT_EQ(defaults.flashColour, 8454143);
  JoystickSettings s = defaults;
  s.enable = 1;
  s.of(JoyAction::Up)[1] = {kJoyPov, 0};
  s.of(JoyAction::Enter)[0] = {kJoyButtons, 0x80000000LL};
  ASSERT_TRUE(saveJoystickSettings(path, s));
  const platform::IniFile ini(path);
  EXPECT_EQ(ini.getString("JoyStick", "up2_type"), "64");
  EXPECT_EQ(ini.getString("JoyStick", "enter_val"), "2147483648");
  EXPECT_FALSE(ini.find("JoyStick", "enter2_type"));  // one assignment only
  const JoystickSettings back = loadJoystickSettings(path);
  EXPECT_EQ(back.enable, 1);
  EXPECT_EQ(back.of(JoyAction::Up)[1], (JoyAssignment{kJoyPov, 0}));
  EXPECT_EQ(back.of(JoyAction::Enter)[0], (JoyAssignment{kJoyButtons, 0x80000000LL}));
  EXPECT_EQ(loadJoystickSettings(path, true, defaults).enable, 0);
}

JoystickSettings leftOnStick() {
  JoystickSettings s;
  s.enable = 1;
  s.repeat = 100;
  s.of(JoyAction::Left)[0] = {kJoyX, 0};
  s.of(JoyAction::Enter)[0] = {kJoyButtons, 1};
  s.of(JoyAction::EmulatorMenu)[0] = {kJoyButtons, 2};
  s.of(JoyAction::Focus)[0] = {kJoyButtons, 4};
  s.of(JoyAction::Slow)[0] = {kJoyButtons, 8};
  return s;
}

PollPlace atList(long long now) { return PollPlace{now, true, true, false, false}; }

JoyState held(unsigned buttons, unsigned x = 32767) {
  JoyState s;
  s.buttons = buttons;
  s.x = x;
  return s;
}

TEST(JoystickPolling, AHeldStickRepeatsAfterTheRepeatDelayWithoutSleeping) {
  JoystickPoller poller(leftOnStick());
  std::vector<long long> sentAt;
  for (long long now = 0; now <= 500; now += 25)
    if (!poller.poll(atList(now), held(0, 0)).keyDowns.empty()) sentAt.push_back(now);
  EXPECT_EQ(sentAt, (std::vector<long long>{0, 100, 200, 300, 400, 500}));
}

TEST(JoystickPolling, SlowInputAndMenusLengthenTheRepeat) {
  JoystickPoller poller(leftOnStick());
  EXPECT_EQ(poller.poll(atList(0), held(8, 0)).keyDowns, std::vector<int>{37});
  EXPECT_TRUE(poller.poll(atList(225), held(8, 0)).empty());
  EXPECT_EQ(poller.poll(atList(250), held(8, 0)).keyDowns, std::vector<int>{37});
  PollPlace inMenu = atList(1000);
  inMenu.launchMenuOpen = true;
  EXPECT_EQ(poller.poll(inMenu, held(0, 0)).keyDowns, std::vector<int>{37});
  EXPECT_TRUE(poller.poll(atList(1225), held(0, 0)).empty());
}

TEST(JoystickPolling, EmulatorMenuIsIgnoredWhileAMenuIsOpen) {
  JoystickPoller poller(leftOnStick());
  PollPlace inMenu = atList(0);
  inMenu.launchMenuOpen = true;
  EXPECT_FALSE(poller.poll(inMenu, held(2)).emulatorMenu);
  EXPECT_TRUE(poller.poll(atList(1000), held(2)).emulatorMenu);
  PollPlace otherMenu = atList(2000);
  otherMenu.otherMenuOpen = true;
  EXPECT_TRUE(poller.poll(otherMenu, held(2)).empty());
}

TEST(JoystickPolling, OutsideThePanesOnlyFocusIsWatched) {
  JoystickPoller poller(leftOnStick());
  PollPlace elsewhere = atList(0);
  elsewhere.paneFocus = false;
  EXPECT_TRUE(poller.poll(elsewhere, held(1, 0)).empty());
  const PollActions back = poller.poll(elsewhere, held(4));
  EXPECT_TRUE(back.focusItemList);
  EXPECT_FALSE(back.nextFocus);
  PollPlace background = atList(5000);
  background.foreground = false;
  EXPECT_TRUE(poller.poll(background, held(1)).empty());
}

TEST(JoystickPolling, FocusFlashesForThreePollsWhenAsked) {
  JoystickSettings s = leftOnStick();
  s.flash = 1;
  JoystickPoller poller(s);
  const PollActions first = poller.poll(atList(0), held(4));
  EXPECT_TRUE(first.nextFocus && first.flashStart);
  EXPECT_FALSE(poller.poll(atList(25), held(0)).flashEnd);
  EXPECT_TRUE(poller.poll(atList(50), held(0)).flashEnd);
  EXPECT_FALSE(poller.poll(atList(75), held(0)).flashEnd);
}

TEST(JoystickPolling, NoControllerCostsNothing) {
  JoystickPoller poller(leftOnStick());
  for (long long now = 0; now < 1000; now += 25) EXPECT_TRUE(poller.poll(atList(now), std::nullopt).empty());
}

TEST(JoystickReplayFile, ReadingsFailuresAndTheEnd) {
  JoystickReplay replay = JoystickReplay::parse("# x y z r u v pov buttons\n0 1 2 3 4 5 9000 6\n\n-\n1 2\n");
  ASSERT_EQ(replay.size(), 2u);
  const auto first = replay.next();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->x, 0u);
  EXPECT_EQ(first->pov, 9000u);
  EXPECT_EQ(first->buttons, 6u);
  EXPECT_FALSE(replay.next());
  EXPECT_FALSE(replay.next());
}

TEST(JoystickReplayFile, PaceLine) {
  EXPECT_FALSE(JoystickReplay::parse("0 0 0 0 0 0 0 0\n").interval());
  const JoystickReplay slowed = JoystickReplay::parse("every 700\n0 0 0 0 0 0 0 1\n");
  EXPECT_EQ(slowed.interval(), 700);
  EXPECT_EQ(slowed.size(), 1u);
  // A pace of nothing or of no time is no pace, and never a reading.
  for (const char* bad : {"every\n", "every 0\n", "every -5\n", "every x\n"}) {
    const JoystickReplay replay = JoystickReplay::parse(bad);
    EXPECT_FALSE(replay.interval()) << bad;
    EXPECT_EQ(replay.size(), 0u) << bad;
  }
}

}  // namespace
}  // namespace qm::keys
