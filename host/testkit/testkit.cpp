#include "testkit.h"

#include <gtest/gtest.h>

#include <cstdlib>

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

MemoryFileSystem& MemoryFiles(const HostOptions& options) {
  return static_cast<MemoryFileSystem&>(*options.files);
}

std::unique_ptr<Simulation> LoadTestScenario(const std::string& text, HostOptions options) {
  auto sim = std::make_unique<Simulation>(std::move(options));
  std::string error;
  EXPECT_TRUE(sim->LoadScenarioText(text, "test.scn", error)) << error;
  return sim;
}

}  // namespace varn
