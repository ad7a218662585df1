// One moving part of a vessel: a status and a position between the Closed end (0) and the
// Open end (1). A key press only changes the status (Toggle); the vessel's step moves the
// position at the part's rate (Advance) and drives the part's animations with it.
#pragma once

#include "host_api.h"

#include <cstdint>

using MechanismStatus = std::int32_t;
const MechanismStatus MECH_CLOSED = 0;
const MechanismStatus MECH_OPEN = 1;
const MechanismStatus MECH_CLOSING = 2;
const MechanismStatus MECH_OPENING = 3;

struct Mechanism {
  MechanismStatus status;
  double position;  // 0 closed end .. 1 open end; also the state of the part's animations
  double rate;      // position units per second; never saved

  // Closed or Closing starts opening; anything else (also an out-of-range value) starts closing.
  void Toggle();
  // Moves the position by rate * dt towards the end the status points at; the step after the
  // end is reached sets the matching rest status. Returns whether the part was moving, in which
  // case the caller sets the part's animations to the position.
  bool Advance(double dt);
  // Writes "<key> <status> <position>" with the position rounded to four decimals.
  void WriteLine(FILEHANDLE scn, const char* key) const;
  // If the line begins with key (case-insensitively, over the key's length), scans status and
  // position from the rest; a field that does not scan keeps its value. Returns whether it matched.
  bool ReadLine(const char* line, const char* key);
};

// Whether line begins with key, compared without regard to case over the key's length.
bool MatchesKeyword(const char* line, const char* key);
