#include "scenario_builder.h"

#include <cstdio>

namespace varn {

ScenarioBuilder& ScenarioBuilder::Add(const std::string& name, const std::string& className,
                                      std::vector<std::string> lines) {
  vessels.push_back(VesselBlock{name, className, std::move(lines)});
  if (focus.empty()) focus = name;
  return *this;
}

ScenarioBuilder& ScenarioBuilder::AddLanded(const std::string& name, const std::string& className, double lonDeg,
                                            double latDeg, double headingDeg, std::vector<std::string> extraLines) {
  char pos[96], heading[48];
  std::snprintf(pos, sizeof pos, "POS %.10f %.10f", lonDeg, latDeg);
  std::snprintf(heading, sizeof heading, "HEADING %.10f", headingDeg);
  std::vector<std::string> lines{"STATUS Landed Earth", pos, heading};
  lines.insert(lines.end(), extraLines.begin(), extraLines.end());
  return Add(name, className, std::move(lines));
}

ScenarioBuilder& ScenarioBuilder::Focus(const std::string& name) {
  focus = name;
  return *this;
}

ScenarioBuilder& ScenarioBuilder::Environment(const std::string& line) {
  environment.push_back(line);
  return *this;
}

std::string ScenarioBuilder::Text() const {
  std::string text = "BEGIN_ENVIRONMENT\n";
  for (const auto& line : environment) text += "  " + line + "\n";
  text += "END_ENVIRONMENT\n\nBEGIN_FOCUS\n  Ship " + focus + "\nEND_FOCUS\n\nBEGIN_SHIPS\n";
  for (const auto& vessel : vessels) {
    text += vessel.name + ":" + vessel.className + "\n";
    for (const auto& line : vessel.lines) text += "  " + line + "\n";
    text += "END\n";
  }
  text += "END_SHIPS\n";
  return text;
}

}  // namespace varn
