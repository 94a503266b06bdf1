#pragma once

namespace quorbel {

// The virtual-key code that a host's key events carry for a Qt key
// (65 "A" ... 90 "Z", 48 "0" ... 57 "9", 13 Enter, 37 to 40 the arrows,
// 112 F1 ..., 16 Shift, 17 Ctrl, 18 Alt); 0 for a key without one.
int virtualKeyCode(int qtKey);

} // namespace quorbel
