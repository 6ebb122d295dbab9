#include "shell/keyboard.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace mq {

#if defined(_WIN32)

namespace {

void KeyDownUp(BYTE virtual_key, BYTE scan_code) {
  keybd_event(virtual_key, scan_code, 0, 0);
  keybd_event(virtual_key, scan_code, KEYEVENTF_KEYUP, 0);
}

BYTE ScanCodeOf(UINT virtual_key) { return static_cast<BYTE>(MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC)); }

// The console reads the character's scan code in its OEM code page.
BYTE OemScanCodeOf(char character) {
  char oem = character;
  const char ansi[2] = {character, '\0'};
  char converted[2] = {character, '\0'};
  if (CharToOemBuffA(ansi, converted, 1)) oem = converted[0];
  return static_cast<BYTE>(OemKeyScan(static_cast<WORD>(static_cast<unsigned char>(oem))) & 0xFF);
}

void SendKeyChar(char character) {
  const SHORT key = VkKeyScanA(character);
  if (key == -1) return;  // the layout cannot type it
  const BYTE virtual_key = LOBYTE(key);
  const bool shift = (HIBYTE(key) & 1) != 0;
  if (shift) keybd_event(VK_SHIFT, ScanCodeOf(VK_SHIFT), 0, 0);
  KeyDownUp(virtual_key, OemScanCodeOf(character));
  if (shift) keybd_event(VK_SHIFT, ScanCodeOf(VK_SHIFT), KEYEVENTF_KEYUP, 0);
}

}  // namespace

bool CapsLockOn() { return (GetKeyState(VK_CAPITAL) & 1) != 0; }

void SetCapsLock(bool on) {
  if (CapsLockOn() != on) KeyDownUp(VK_CAPITAL, ScanCodeOf(VK_CAPITAL));
}

void SendKeys(std::string_view text) {
  for (const char character : text) SendKeyChar(character);
}

void PressKey(int virtual_key) {
  KeyDownUp(static_cast<BYTE>(virtual_key), ScanCodeOf(static_cast<UINT>(virtual_key)));
}

#else

bool CapsLockOn() { return false; }
void SetCapsLock(bool) {}
void SendKeys(std::string_view) {}
void PressKey(int) {}

#endif

}  // namespace mq
