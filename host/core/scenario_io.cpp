// Scenario files in the simulator's plain-text form: reading one creates its vessels; writing
// asks every vessel for its block.
#include "geometry.h"
#include "text.h"
#include "world.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace varn {

namespace {

struct Line {
  int number;
  std::string text;  // trimmed
};

struct ShipBlock {
  std::string name, className;
  int headerLine = 0;
  std::string text;  // the block's lines, END excluded
};

std::string Where(const std::string& source, int line) { return source + ":" + std::to_string(line) + ": "; }

}  // namespace

bool World::LoadScenario(const std::string& text, const std::string& sourceName, std::string& error) {
  std::vector<Line> lines;
  {
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) lines.push_back(Line{++number, Trim(raw)});
  }

  std::vector<ShipBlock> ships;
  std::string focusName;
  bool sawShips = false;
  size_t i = 0;
  auto fail = [&](int line, const std::string& what) {
    error = Where(sourceName, line) + what;
    return false;
  };
  // Collects lines up to the closing keyword; false if the file ends first.
  auto section = [&](const std::string& closing, std::vector<std::string>& into) {
    const int opened = lines[i].number;
    for (++i; i < lines.size(); ++i) {
      if (lines[i].text == closing) return true;
      if (!lines[i].text.empty()) into.push_back(lines[i].text);
    }
    error = Where(sourceName, opened) + "section has no " + closing;
    return false;
  };

  for (; i < lines.size(); ++i) {
    const std::string& line = lines[i].text;
    if (line.empty() || line[0] == ';') continue;
    if (line == "BEGIN_ENVIRONMENT") {
      std::vector<std::string> env;
      if (!section("END_ENVIRONMENT", env)) return false;
      for (const auto& entry : env) {
        if (entry.compare(0, 5, "Date ") == 0) {
          char* end = nullptr;
          const std::string value = Trim(entry.substr(5));
          if (value.compare(0, 4, "MJD ") != 0) return fail(lines[i].number, "expected 'Date MJD <number>'");
          const double mjdValue = std::strtod(value.c_str() + 4, &end);
          if (end == value.c_str() + 4 || *end) return fail(lines[i].number, "'" + entry + "' has no valid MJD");
          mjd = mjdValue;
        } else {
          environment.push_back(entry);
        }
      }
    } else if (line == "BEGIN_FOCUS") {
      std::vector<std::string> focusLines;
      if (!section("END_FOCUS", focusLines)) return false;
      for (const auto& entry : focusLines)
        if (entry.compare(0, 5, "Ship ") == 0) focusName = Trim(entry.substr(5));
    } else if (line == "BEGIN_SHIPS") {
      sawShips = true;
      const int opened = lines[i].number;
      bool closed = false;
      for (++i; i < lines.size() && !closed; ++i) {
        const std::string& header = lines[i].text;
        if (header.empty()) continue;
        if (header == "END_SHIPS") {
          closed = true;
          break;
        }
        const auto colon = header.find(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == header.size())
          return fail(lines[i].number, "expected '<vessel name>:<class>', found '" + header + "'");
        ShipBlock ship;
        ship.name = Trim(header.substr(0, colon));
        ship.className = Trim(header.substr(colon + 1));
        ship.headerLine = lines[i].number;
        bool ended = false;
        for (++i; i < lines.size(); ++i) {
          if (lines[i].text == "END") {
            ended = true;
            break;
          }
          if (lines[i].text == "END_SHIPS") break;
          ship.text += lines[i].text;
          ship.text += '\n';
        }
        if (!ended) return fail(ship.headerLine, "vessel block '" + ship.name + "' has no END");
        for (const auto& other : ships)
          if (other.name == ship.name) return fail(ship.headerLine, "a vessel named '" + ship.name + "' exists already");
        ships.push_back(std::move(ship));
      }
      if (!closed) return fail(opened, "BEGIN_SHIPS has no END_SHIPS");
    } else if (line.compare(0, 6, "BEGIN_") == 0) {
      const std::string closing = "END_" + line.substr(6);
      std::vector<std::string> body;
      if (!section(closing, body)) return false;
      std::string kept = line + "\n";
      for (const auto& entry : body) kept += "  " + entry + "\n";
      extraSections.push_back(kept + closing + "\n");
    } else {
      return fail(lines[i].number, "unexpected line '" + line + "'");
    }
  }
  if (!sawShips) return fail(lines.empty() ? 1 : lines.back().number, "the scenario has no BEGIN_SHIPS section");

  // Create and define every vessel, then hand it its block.
  for (const auto& ship : ships) {
    std::string why;
    VesselRecord* r = CreateVessel(ship.name, ship.className, why);
    if (!r) return fail(ship.headerLine, why);
    if (!errors.empty()) return fail(ship.headerLine, errors.front().message);
    VESSELSTATUS2 status{};
    status.version = 2;
    status.status = 1;  // a block without a STATUS line stands landed where the host has it
    status.surf_lng = r->lon, status.surf_lat = r->lat, status.surf_hdg = r->heading;
    FILEHANDLE block = OpenForReading(ship.name, sourceName, ship.headerLine + 1, ship.text, true);
    static_cast<VESSEL2*>(r->object)->clbkLoadStateEx(block, &status);
    CloseFile(block, false);
    r->object->DefSetStateEx(&status);
    Advance(*r, Lifecycle::Defined, Lifecycle::Loaded, "clbkLoadStateEx");
    if (!errors.empty()) {
      error = errors.front().message;
      if (error.compare(0, sourceName.size(), sourceName) != 0) error = Where(sourceName, ship.headerLine) + error;
      return false;
    }
  }

  // Children hang on their parents.
  for (const auto& pending : pendingAttachments) {
    VesselRecord& child = *slots[pending.childSlot].record;
    VesselRecord* parent = VesselByName(pending.parentName);
    if (!parent) return fail(pending.line, "ATTACHED names no vessel '" + pending.parentName + "'");
    long childIndex = -1, parentIndex = -1;
    for (long k = 0, seen = 0; k < static_cast<long>(child.attachments.size()); ++k)
      if (child.attachments[static_cast<size_t>(k)].toParent && seen++ == pending.childPoint) childIndex = k;
    for (long k = 0, seen = 0; k < static_cast<long>(parent->attachments.size()); ++k)
      if (!parent->attachments[static_cast<size_t>(k)].toParent && seen++ == pending.parentPoint) parentIndex = k;
    if (childIndex < 0 || parentIndex < 0)
      return fail(pending.line, "ATTACHED names an attachment point that '" +
                                    (childIndex < 0 ? child.name : parent->name) + "' does not have");
    if (parent->attachments[static_cast<size_t>(parentIndex)].other)
      return fail(pending.line, "ATTACHED names a point of '" + parent->name + "' that holds another vessel");
    Link(*parent, static_cast<size_t>(parentIndex), child, static_cast<size_t>(childIndex));
  }
  pendingAttachments.clear();
  for (std::uint32_t slot : order) PlaceAttached(*slots[slot].record, 0);

  // Input focus: the named ship, else the first vessel that takes the focus.
  VesselRecord* focusVessel = nullptr;
  if (!focusName.empty()) {
    focusVessel = VesselByName(focusName);
    if (!focusVessel) return fail(1, "the focus ship '" + focusName + "' is not in the scenario");
  } else {
    for (std::uint32_t slot : order)
      if (!focusVessel && slots[slot].record->focusEnabled) focusVessel = slots[slot].record.get();
  }

  for (size_t k = 0; k < order.size(); ++k) {
    VesselRecord& r = *slots[order[k]].record;
    static_cast<VESSEL2*>(r.object)->clbkPostCreation();
    Advance(r, Lifecycle::Loaded, Lifecycle::Running, "clbkPostCreation");
  }
  if (focusVessel) SetFocus(*focusVessel);
  if (!errors.empty()) {
    error = sourceName + ": " + errors.front().message;
    return false;
  }
  return true;
}

std::string World::SaveScenario() {
  char date[64];
  std::snprintf(date, sizeof date, "  Date MJD %.10f\n", mjd);
  std::string text = "BEGIN_ENVIRONMENT\n";
  for (const auto& entry : environment) text += "  " + entry + "\n";
  text += date;
  text += "END_ENVIRONMENT\n\n";
  if (VesselRecord* focusVessel = FocusVessel()) text += "BEGIN_FOCUS\n  Ship " + focusVessel->name + "\nEND_FOCUS\n\n";
  for (const auto& kept : extraSections) text += kept + "\n";
  text += "BEGIN_SHIPS\n";
  for (std::uint32_t slot : order) {
    VesselRecord& r = *slots[slot].record;
    if (r.deleted) continue;
    FILEHANDLE block = OpenScenarioWriter();
    static_cast<VESSEL2*>(r.object)->clbkSaveState(block);
    text += r.name + ":" + r.className + "\n";
    if (OpenFile* file = File(block, "SaveScenario")) text += file->text;
    CloseFile(block, false);
    text += "END\n";
  }
  text += "END_SHIPS\n";
  return text;
}

}  // namespace varn
