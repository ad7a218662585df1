#include "mechanism.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <strings.h>

void Mechanism::Toggle() {
  status = (status == MECH_CLOSED || status == MECH_CLOSING) ? MECH_OPENING : MECH_CLOSING;
}

bool Mechanism::Advance(double dt) {
  if (status < MECH_CLOSING) return false;
  const double d = rate * dt;
  if (status == MECH_CLOSING) {
    if (position > 0.0) {
      position -= d;
      if (position < 0.0) position = 0.0;
    } else {
      status = MECH_CLOSED;
    }
  } else {
    if (position < 1.0) {
      position += d;
      if (position > 1.0) position = 1.0;
    } else {
      status = MECH_OPEN;
    }
  }
  return true;
}

void Mechanism::WriteLine(FILEHANDLE scn, const char* key) const {
  char text[400];  // room for any double in fixed notation, so that no saved line is cut
  std::snprintf(text, sizeof text, "%d %0.4f", static_cast<int>(status), position);
  oapiWriteScenario_string(scn, key, text);
}

bool Mechanism::ReadLine(const char* line, const char* key) {
  if (!MatchesKeyword(line, key)) return false;
  int s = status;
  double p = position;
  const int fields = std::sscanf(line + std::strlen(key), "%d%lf", &s, &p);
  if (fields >= 1) status = s;
  // A position that is not a finite number would spread into every animation: unreadable.
  if (fields >= 2 && std::isfinite(p)) position = p;
  return true;
}

bool MatchesKeyword(const char* line, const char* key) { return strncasecmp(line, key, std::strlen(key)) == 0; }
