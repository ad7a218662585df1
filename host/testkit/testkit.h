// Shared set-up for the tests: host options that find the built module libraries and the class
// files, with the file functions kept in memory.
#pragma once

#include "scenario_builder.h"
#include "simulation.h"

#include <map>
#include <memory>
#include <string>

namespace varn {

// Options for a test run: modules and class files from the build, files in memory.
HostOptions TestOptions();
// The memory file system of options made by TestOptions.
MemoryFileSystem& MemoryFiles(const HostOptions& options);

// A file of the source tree, such as "scenarios/rollout.scn".
std::string SourceFile(const std::string& relative);

// A simulation loaded from scenario text; fails the current test if the text does not load.
std::unique_ptr<Simulation> LoadTestScenario(const std::string& text, HostOptions options = TestOptions());

// Expects each component of seen within tolerance of expected; what names the vector.
void ExpectVectorNear(const VECTOR3& seen, const VECTOR3& expected, double tolerance, const std::string& what);

// A ready-made scenario of the source tree, "scenarios/<name>.scn", with its key script
// "scenarios/<name>.script" if there is one; fails the current test if either does not load.
std::unique_ptr<Simulation> LoadDemo(const std::string& name, HostOptions options = TestOptions());

// The lines of a vessel's block in the scenario as the host writes it now: keyword -> the text
// after it (host lines included, "STATUS" -> "Landed Earth").
std::map<std::string, std::string> SavedLines(Simulation& sim, const std::string& vessel);

}  // namespace varn
