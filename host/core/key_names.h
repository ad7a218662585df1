// Key names of scripts: A..Z, 0..9 (main keyboard), NUMPAD0..NUMPAD9, ADD and SUBTRACT (numeric
// keypad + and -), LSHIFT, RSHIFT, LCONTROL, RCONTROL, and any scan code written 0xNN.
#pragma once

#include <string>

namespace varn {

// The scan code of a key name; false if the name is not known.
bool ScanCodeOf(const std::string& name, unsigned& code);

}  // namespace varn
