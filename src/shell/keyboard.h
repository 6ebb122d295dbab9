#pragma once
// Keystrokes typed into the control software's console window and the Caps Lock state
// around its runs. Both exist on Windows only; elsewhere the keystrokes are not sent,
// Caps Lock is left alone and reads as off.

#include <string_view>

namespace mq {

// Virtual keys of the control software's menu.
inline constexpr int kKeyF7 = 118;
inline constexpr int kKeyF8 = 119;
inline constexpr int kKeyF10 = 121;

bool CapsLockOn();
void SetCapsLock(bool on);

// Types each character as the current keyboard layout makes it (with Shift when needed).
void SendKeys(std::string_view text);
// Presses and releases one virtual key.
void PressKey(int virtual_key);

}  // namespace mq
