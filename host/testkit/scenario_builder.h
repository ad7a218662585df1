// Scenario texts for tests, demos and benchmarks, built in code.
#pragma once

#include <string>
#include <vector>

namespace varn {

struct VesselBlock {
  std::string name;
  std::string className;
  std::vector<std::string> lines;  // the block's lines, without END
};

class ScenarioBuilder {
 public:
  ScenarioBuilder& Add(const std::string& name, const std::string& className, std::vector<std::string> lines = {});
  // A landed vessel at a surface position, in degrees.
  ScenarioBuilder& AddLanded(const std::string& name, const std::string& className, double lonDeg, double latDeg,
                             double headingDeg, std::vector<std::string> extraLines = {});
  ScenarioBuilder& Focus(const std::string& name);
  ScenarioBuilder& Environment(const std::string& line);
  std::string Text() const;

 private:
  std::vector<VesselBlock> vessels;
  std::vector<std::string> environment;
  std::string focus;
};

}  // namespace varn
