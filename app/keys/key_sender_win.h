// Key scripts typed into a running emulator: SendInput with the scan code of
// each virtual key, and only while the foreground window belongs to the
// emulator's process, so that a key never lands in the main window (an Enter
// there would start another launch). Text goes through the clipboard, whose
// earlier content (every format that is one memory block) comes back when
// the script has ended, unless something else was put there after the
// script's last paste.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/keys/key_script.h"

namespace qm::keys {

struct SavedFormat {
  UINT format;
  std::vector<char> bytes;
};

// Formats whose data is one movable memory block, which a copy of its bytes
// brings back whole (text, DIB, file lists, registered formats); bitmaps,
// palettes, metafiles and private formats are handles that are not.
bool isMemoryBlockFormat(UINT format);
// Every memory-block format of the open clipboard, in the clipboard's order.
std::vector<SavedFormat> copyClipboard();

class EmulatorKeySink : public KeySink {
public:
  // `processId` 0: the emulator's process is not known (a shell start that
  // gave no handle); keys then go to any foreground window but our own.
  explicit EmulatorKeySink(DWORD processId) : processId_(processId) {}
  ~EmulatorKeySink() override;

  void keyDown(int vk) override;
  void keyUp(int vk) override;
  void sleep(int ms) override { Sleep(static_cast<DWORD>(ms)); }
  void clipboardText(const std::string& text) override;
  void scriptEnded() override;

  int skippedKeys() const { return skipped_; }

private:
  bool emulatorInFront(int waitMs) const;
  // In front within the wait that fits: long for the script's first key, short after.
  bool emulatorReady();

  DWORD processId_;
  bool saved_ = false;
  DWORD ourSequence_ = 0;  // the clipboard's change count after our last paste
  std::vector<SavedFormat> previous_;
  int skipped_ = 0;
  bool startWaited_ = false;
};

// Types `script` into the emulator of `processId` (0: unknown, see above);
// the number of keys not sent because another program's window was in front.
int typeIntoEmulator(std::string_view script, const KeyScriptRun& run, DWORD processId);

// One key event through SendInput, with the key's scan code (and the
// extended flag for the keys that have one): programs that read scan codes
// see the key as typed.
void sendKey(int vk, bool up);

}  // namespace qm::keys
