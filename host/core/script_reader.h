// Key scripts: timed events, one a line, '#' starts a comment.
//   <time> <vessel> key <KEY> [shift|ctrl]   one press, with the modifier held during it
//   <time> <vessel> hold <KEY> <seconds>      the key stays held for that long
//   <time> <vessel> focus                     input focus to that vessel
//   <time> <vessel> group <type> <level>      a thruster group's level (main, retro, ... or a code)
//   <time> - accel <factor>                   time acceleration
#pragma once

#include "simulation.h"

#include <string>
#include <vector>

namespace varn {

// Reads a script; on a bad line returns false with "file:line: what".
bool ReadScript(const std::string& text, const std::string& fileName, std::vector<ScriptEvent>& events,
                std::string& error);

}  // namespace varn
