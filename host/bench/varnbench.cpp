// varnbench: the host's cost per vessel-step and the heap allocations per step in steady state,
// for scenarios of many vessels of one class each.
//
//   varnbench [--frames N] [--vessels N] [--check]
//
// With --check it runs briefly and fails if any step in steady state allocates.
#include "scenario_builder.h"
#include "simulation.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

unsigned long long allocations = 0;

struct Case {
  const char* name;
  const char* className;  // one vessel class for the whole scenario
  int hostBuild;
  std::vector<std::string> extraLines;
  bool withPad;  // a launch pad beside them, for vessels that measure their distance to it
  void (*prepare)(varn::Simulation&, const std::string& vessel);  // after the first frame, per vessel
};

// Scenario lines that start all sixteen doors and platforms of a building opening.
std::vector<std::string> AllOpening() {
  std::vector<std::string> lines;
  for (const char* part : {"DOOR1", "DOOR2", "DOOR3", "DOOR4", "DOOR5", "DOOR6", "EM1A", "EM1B", "EM1C", "EM1D",
                           "EM1E", "EM1F", "EM1G", "EM1H", "EM1J", "EM1K"})
    lines.push_back(std::string(part) + " 3 0.0000");
  return lines;
}

// Forward gear with the steering a little left: the crawler reseats itself twice every step.
void DriveAndTurn(varn::Simulation& sim, const std::string& vessel) {
  sim.SetFocus(vessel);
  sim.PressKey(0x48);  // numeric keypad 8
  sim.SetKeyHeld(0x4F, true);  // numeric keypad 1
  for (int i = 0; i < 5; ++i) sim.ConsumeDirectKeys();
  sim.SetKeyHeld(0x4F, false);
}

struct Result {
  double nanosecondsPerVesselStep = 0;
  double allocationsPerStep = 0;
};

// Whether the class's module library is built (a build may leave subsystems out).
bool IsBuilt(const varn::HostOptions& options, const char* className) {
  if (std::strcmp(className, "LaunchPad") == 0) return true;
  std::ifstream classFile(options.configDir + "/vessels/" + className + ".cfg");
  for (std::string line; std::getline(classFile, line);) {
    char module[128];
    struct stat info;
    if (std::sscanf(line.c_str(), "Module = %127s", module) == 1)
      return stat((options.modulesDir + "/" + module + ".so").c_str(), &info) == 0;
  }
  return false;
}

bool RunCase(const Case& c, int vessels, int frames, const varn::HostOptions& base, Result& result) {
  varn::ScenarioBuilder builder;
  if (c.withPad) builder.AddLanded("LP39_VARN", "LaunchPad", -80.6040, 28.6083, 0);
  for (int i = 0; i < vessels; ++i) {
    // Spread over a grid of about 200 m, near the pad.
    builder.AddLanded(std::string(c.className) + "-" + std::to_string(i), c.className, -80.60 + 0.002 * (i % 40),
                      28.60 + 0.002 * (i / 40), 0, c.extraLines);
  }
  varn::HostOptions options = base;
  options.hostBuild = c.hostBuild;
  varn::Simulation sim(options);
  std::string error;
  if (!sim.LoadScenarioText(builder.Text(), c.name, error)) {
    std::fprintf(stderr, "%s: %s\n", c.name, error.c_str());
    return false;
  }
  const int warmUp = 20;
  sim.Step();
  if (c.prepare) {
    for (int i = 0; i < vessels; ++i) c.prepare(sim, std::string(c.className) + "-" + std::to_string(i));
  }
  for (int i = 1; i < warmUp; ++i) sim.Step();
  const unsigned long long allocationsBefore = allocations;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < frames; ++i) sim.Step();
  const auto stop = std::chrono::steady_clock::now();
  const double nanoseconds = std::chrono::duration<double, std::nano>(stop - start).count();
  result.nanosecondsPerVesselStep = nanoseconds / (static_cast<double>(frames) * vessels);
  result.allocationsPerStep = static_cast<double>(allocations - allocationsBefore) / frames;
  for (const auto& hostError : sim.Errors()) std::fprintf(stderr, "%s: host: %s\n", c.name, hostError.message.c_str());
  return sim.Errors().empty();
}

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

int main(int argc, char** argv) {
  int frames = 300, vessels = 1000;
  bool check = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--check") == 0) {
      check = true;
      frames = 20;
      vessels = 20;
    } else if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
      frames = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--vessels") == 0 && i + 1 < argc) {
      vessels = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: varnbench [--frames N] [--vessels N] [--check]\n");
      return 1;
    }
  }
  varn::HostOptions base;
  base.modulesDir = VARN_DEFAULT_MODULES_DIR;
  base.configDir = VARN_DEFAULT_CONFIG_DIR;
  char folder[] = "/tmp/varnbench-XXXXXX";
  if (!mkdtemp(folder)) return 1;
  base.workDir = folder;

  const Case cases[] = {
      {"empty vessel", "LaunchPad", varn::kDefaultHostBuild, {}, false, nullptr},
      {"lightning mast", "SMOKESTACK", varn::kDefaultHostBuild, {}, false, nullptr},
      {"crawler, new host", "VARNCRAWLER", 160903, {}, true, DriveAndTurn},
      {"crawler, old host", "VARNCRAWLER", 100830, {}, true, DriveAndTurn},
      {"tower EM2", "VARNTOWER2016EM2", varn::kDefaultHostBuild, {"BEACON 1"}, true, nullptr},
      {"building EM2", "VARNVAB2016EM2", varn::kDefaultHostBuild, AllOpening(), false, nullptr},
  };
  std::printf("%-20s %8s %8s %16s %16s\n", "case", "vessels", "frames", "ns/vessel-step", "allocs/step");
  bool allocationFree = true, ok = true;
  for (const Case& c : cases) {
    if (!IsBuilt(base, c.className)) continue;
    Result result;
    if (!RunCase(c, vessels, frames, base, result)) {
      ok = false;
      continue;
    }
    std::printf("%-20s %8d %8d %16.1f %16.2f\n", c.name, vessels, frames, result.nanosecondsPerVesselStep,
                result.allocationsPerStep);
    if (std::strncmp(c.className, "VARNTOWER", 9) == 0) {
      // Each tower writes and reads its state file every step: four of them against a tenth of
      // a 60 Hz frame.
      const double fourTowersMicroseconds = 4 * result.nanosecondsPerVesselStep / 1000;
      std::printf("%-20s four towers take %.1f us of a frame; the budget is %.1f us\n", "", fourTowersMicroseconds,
                  1e6 / 60 / 10);
    }
    if (result.allocationsPerStep > 0) allocationFree = false;
  }
  if (!allocationFree) std::printf("steady-state steps allocate: they must not\n");
  if (check) std::printf("%d passed, %d failed\n", ok && allocationFree ? 1 : 0, ok && allocationFree ? 0 : 1);
  return ok && allocationFree ? 0 : 1;
}
