#include "testkit.h"

#include <gtest/gtest.h>

#include "script_reader.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace varn {

namespace {
std::string FromEnvironment(const char* name, const char* fallback) {
  const char* value = std::getenv(name);
  return value ? value : fallback;
}
}  // namespace

HostOptions TestOptions() {
  HostOptions options;
  options.modulesDir = FromEnvironment("VARN_MODULES_DIR", VARN_DEFAULT_MODULES_DIR);
  options.configDir = FromEnvironment("VARN_CONFIG_DIR", VARN_DEFAULT_CONFIG_DIR);
  options.workDir = ".";
  options.files = std::make_shared<MemoryFileSystem>();
  return options;
}

std::string SourceFile(const std::string& relative) {
  return FromEnvironment("VARN_SOURCE_DIR", VARN_DEFAULT_SOURCE_DIR) + "/" + relative;
}

MemoryFileSystem& MemoryFiles(const HostOptions& options) {
  return static_cast<MemoryFileSystem&>(*options.files);
}

std::unique_ptr<Simulation> LoadTestScenario(const std::string& text, HostOptions options) {
  auto sim = std::make_unique<Simulation>(std::move(options));
  std::string error;
  EXPECT_TRUE(sim->LoadScenarioText(text, "test.scn", error)) << error;
  return sim;
}

void ExpectVectorNear(const VECTOR3& seen, const VECTOR3& expected, double tolerance, const std::string& what) {
  EXPECT_NEAR(seen.x, expected.x, tolerance) << what << " x";
  EXPECT_NEAR(seen.y, expected.y, tolerance) << what << " y";
  EXPECT_NEAR(seen.z, expected.z, tolerance) << what << " z";
}

std::unique_ptr<Simulation> LoadDemo(const std::string& name, HostOptions options) {
  auto sim = std::make_unique<Simulation>(std::move(options));
  std::string error;
  EXPECT_TRUE(sim->LoadScenarioFile(SourceFile("scenarios/" + name + ".scn"), error)) << error;
  std::ifstream scriptFile(SourceFile("scenarios/" + name + ".script"));
  if (scriptFile) {
    std::ostringstream script;
    script << scriptFile.rdbuf();
    std::vector<ScriptEvent> events;
    EXPECT_TRUE(ReadScript(script.str(), name + ".script", events, error)) << error;
    for (const ScriptEvent& event : events) sim->AddScriptEvent(event);
  }
  return sim;
}

std::map<std::string, std::string> SavedLines(Simulation& sim, const std::string& vessel) {
  std::map<std::string, std::string> lines;
  std::istringstream text(sim.SaveScenario());
  bool inBlock = false;
  for (std::string line; std::getline(text, line);) {
    if (line.rfind(vessel + ":", 0) == 0) {
      inBlock = true;
    } else if (line == "END") {
      inBlock = false;
    } else if (inBlock) {
      const size_t start = line.find_first_not_of(' ');
      const size_t space = line.find(' ', start);
      lines[line.substr(start, space - start)] = space == std::string::npos ? "" : line.substr(space + 1);
    }
  }
  return lines;
}

}  // namespace varn
