#include "script_reader.h"

#include "key_names.h"

#include <cstdlib>
#include <sstream>

namespace varn {

namespace {

bool ParseNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0';
}

struct GroupName {
  const char* name;
  int code;
};

const GroupName kGroups[] = {
    {"main", THGROUP_MAIN},          {"retro", THGROUP_RETRO},          {"hover", THGROUP_HOVER},
    {"pitchup", THGROUP_ATT_PITCHUP}, {"pitchdown", THGROUP_ATT_PITCHDOWN}, {"yawleft", THGROUP_ATT_YAWLEFT},
    {"yawright", THGROUP_ATT_YAWRIGHT}, {"bankleft", THGROUP_ATT_BANKLEFT}, {"bankright", THGROUP_ATT_BANKRIGHT},
    {"right", THGROUP_ATT_RIGHT},    {"left", THGROUP_ATT_LEFT},        {"up", THGROUP_ATT_UP},
    {"down", THGROUP_ATT_DOWN},      {"forward", THGROUP_ATT_FORWARD},  {"back", THGROUP_ATT_BACK},
    {"user", THGROUP_USER},
};

bool ParseGroup(const std::string& text, int& code) {
  for (const GroupName& group : kGroups) {
    if (text == group.name) {
      code = group.code;
      return true;
    }
  }
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end) return false;
  code = static_cast<int>(value);
  return true;
}

}  // namespace

bool ReadScript(const std::string& text, const std::string& fileName, std::vector<ScriptEvent>& events,
                std::string& error) {
  std::istringstream in(text);
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    const auto hash = raw.find('#');
    if (hash != std::string::npos) raw.erase(hash);
    std::istringstream fields(raw);
    std::vector<std::string> words;
    for (std::string word; fields >> word;) words.push_back(word);
    if (words.empty()) continue;

    auto fail = [&](const std::string& what) {
      error = fileName + ":" + std::to_string(number) + ": " + what;
      return false;
    };
    ScriptEvent event;
    event.line = number;
    if (words.size() < 3) return fail("expected '<time> <vessel> <event> ...'");
    if (!ParseNumber(words[0], event.time) || event.time < 0) return fail("'" + words[0] + "' is not a time");
    event.vessel = words[1];
    const std::string& kind = words[2];
    unsigned code = 0;
    if (kind == "key") {
      event.kind = ScriptEvent::Kind::Key;
      if (words.size() < 4 || words.size() > 5) return fail("expected '<time> <vessel> key <KEY> [shift|ctrl]'");
      if (!ScanCodeOf(words[3], code)) return fail("unknown key '" + words[3] + "'");
      event.key = code;
      if (words.size() == 5) {
        if (words[4] == "shift") event.modifier = 0x2A;
        else if (words[4] == "ctrl") event.modifier = 0x1D;
        else return fail("unknown modifier '" + words[4] + "' (shift or ctrl)");
      }
    } else if (kind == "hold") {
      event.kind = ScriptEvent::Kind::Hold;
      if (words.size() != 5) return fail("expected '<time> <vessel> hold <KEY> <seconds>'");
      if (!ScanCodeOf(words[3], code)) return fail("unknown key '" + words[3] + "'");
      event.key = code;
      if (!ParseNumber(words[4], event.value) || event.value <= 0)
        return fail("'" + words[4] + "' is not a positive number of seconds");
    } else if (kind == "focus") {
      event.kind = ScriptEvent::Kind::Focus;
      if (words.size() != 3) return fail("expected '<time> <vessel> focus'");
    } else if (kind == "group") {
      event.kind = ScriptEvent::Kind::Group;
      if (words.size() != 5) return fail("expected '<time> <vessel> group <type> <level>'");
      if (!ParseGroup(words[3], event.group)) return fail("unknown thruster group '" + words[3] + "'");
      if (!ParseNumber(words[4], event.value) || event.value < 0 || event.value > 1)
        return fail("'" + words[4] + "' is not a level from 0 to 1");
    } else if (kind == "accel") {
      event.kind = ScriptEvent::Kind::Accel;
      if (words.size() != 4 || event.vessel != "-") return fail("expected '<time> - accel <factor>'");
      if (!ParseNumber(words[3], event.value) || event.value <= 0)
        return fail("'" + words[3] + "' is not a positive factor");
    } else {
      return fail("unknown event '" + kind + "' (key, hold, focus, group or accel)");
    }
    events.push_back(event);
  }
  return true;
}

}  // namespace varn
