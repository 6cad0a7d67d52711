#include "app/keys/key_sender_win.h"

#include <cstring>

#include "app/ui/clipboard_win.h"

namespace qm::keys {
namespace {

// How long a key waits for the emulator to come to the front before it is
// dropped. The first key waits longer: a loaded machine may take many seconds
// to show a freshly started emulator's window, and typing must not start
// anywhere else meanwhile.
constexpr int kFrontWaitMs = 3000;
constexpr int kFirstFrontWaitMs = 20000;

bool isExtended(int vk) {
  switch (vk) {
    case VK_RMENU: case VK_RCONTROL: case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: case VK_HOME:
    case VK_END: case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE: case VK_APPS: case VK_DIVIDE:
    case VK_NUMLOCK:
      return true;
  }
  return false;
}

bool isModifier(int vk) { return vk == VK_SHIFT || vk == VK_LCONTROL || vk == VK_RMENU || vk == VK_CONTROL || vk == VK_MENU; }

HGLOBAL globalCopy(const void* bytes, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return nullptr;
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, bytes, size);
    GlobalUnlock(memory);
    return memory;
  }
  GlobalFree(memory);
  return nullptr;
}

}  // namespace

bool isMemoryBlockFormat(UINT format) {
  switch (format) {
    case CF_BITMAP: case CF_PALETTE: case CF_METAFILEPICT: case CF_ENHMETAFILE: case CF_OWNERDISPLAY:
    case CF_DSPBITMAP: case CF_DSPMETAFILEPICT: case CF_DSPENHMETAFILE:
      return false;
  }
  // Private formats belong to their owner, and GDI formats are objects, not memory.
  return !(format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) &&
         !(format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
}

std::vector<SavedFormat> copyClipboard() {
  std::vector<SavedFormat> formats;
  for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
    if (!isMemoryBlockFormat(format)) continue;
    HANDLE data = GetClipboardData(format);
    const SIZE_T size = data ? GlobalSize(data) : 0;
    if (size == 0) continue;
    if (const void* bytes = GlobalLock(data)) {
      const char* start = static_cast<const char*>(bytes);
      formats.push_back({format, std::vector<char>(start, start + size)});
      GlobalUnlock(data);
    }
  }
  return formats;
}

void sendKey(int vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(vk);
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(static_cast<UINT>(vk), MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (isExtended(vk) ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
  SendInput(1, &input, sizeof input);
}

EmulatorKeySink::~EmulatorKeySink() {
  if (saved_) scriptEnded();
}

bool EmulatorKeySink::emulatorInFront(int waitMs) const {
  for (int waited = 0;; waited += 50) {
    DWORD owner = 0;
    if (HWND front = GetForegroundWindow()) GetWindowThreadProcessId(front, &owner);
    const bool inFront = processId_ ? owner == processId_ : owner != 0 && owner != GetCurrentProcessId();
    if (inFront || waited >= waitMs) return inFront;
    Sleep(50);
  }
}


// The long wait is spent once, whatever its outcome: an emulator that never
// comes to the front must not hold every key of a long script for as long.
bool EmulatorKeySink::emulatorReady() {
  const int waitMs = startWaited_ ? kFrontWaitMs : kFirstFrontWaitMs;
  startWaited_ = true;
  return emulatorInFront(waitMs);
}

void EmulatorKeySink::keyDown(int vk) {
  if (!emulatorReady()) {
    ++skipped_;
    return;
  }
  sendKey(vk, false);
}

// A modifier is released wherever the focus is: left down, it would change
// every key the user types next.
void EmulatorKeySink::keyUp(int vk) {
  if (!isModifier(vk) && !emulatorReady()) {
    ++skipped_;
    return;
  }
  sendKey(vk, true);
}

void EmulatorKeySink::clipboardText(const std::string& text) {
  {
    ui::ClipboardLock lock;
    if (!lock.open()) return;
    if (!saved_) {
      saved_ = true;
      previous_ = copyClipboard();
    }
    EmptyClipboard();
    if (HGLOBAL copy = globalCopy(text.c_str(), text.size() + 1)) {
      if (!SetClipboardData(CF_TEXT, copy)) GlobalFree(copy);
    }
  }
  // Read once the clipboard is closed: closing may count as a change of its own.
  ourSequence_ = GetClipboardSequenceNumber();
}

void EmulatorKeySink::scriptEnded() {
  if (!saved_) return;
  saved_ = false;
  const std::vector<SavedFormat> previous = std::move(previous_);
  previous_.clear();
  // Something the emulator (or the user) put there since the last paste stays.
  if (GetClipboardSequenceNumber() != ourSequence_) return;
  ui::ClipboardLock lock;
  if (!lock.open()) return;
  EmptyClipboard();
  for (const SavedFormat& f : previous) {
    if (HGLOBAL copy = globalCopy(f.bytes.data(), f.bytes.size())) {
      if (!SetClipboardData(f.format, copy)) GlobalFree(copy);
    }
  }
}

int typeIntoEmulator(std::string_view script, const KeyScriptRun& run, DWORD processId) {
  EmulatorKeySink sink(processId);
  runKeyScript(script, run, sink);
  return sink.skippedKeys();
}

}  // namespace qm::keys
