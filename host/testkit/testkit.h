// Shared set-up for the tests: host options that find the built module libraries and the class
// files, with the file functions kept in memory.
#pragma once

#include "scenario_builder.h"
#include "simulation.h"

#include <memory>
#include <string>

namespace varn {

// Options for a test run: modules and class files from the build, files in memory.
HostOptions TestOptions();
// The memory file system of options made by TestOptions.
MemoryFileSystem& MemoryFiles(const HostOptions& options);

// A simulation loaded from scenario text; fails the current test if the text does not load.
std::unique_ptr<Simulation> LoadTestScenario(const std::string& text, HostOptions options = TestOptions());

}  // namespace varn
