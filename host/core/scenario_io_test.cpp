// Scenario files: what the host reads, what it refuses, and what it writes back.
#include "testkit.h"

#include <gtest/gtest.h>

namespace {

TEST(ScenarioRead, RefusesBadInputNamingFileAndLine) {
  struct Case {
    const char* what;
    std::string text;
    const char* message;
  };
  const std::string ok = "BEGIN_SHIPS\nM:SMOKESTACK\n  STATUS Landed Earth\nEND\nEND_SHIPS\n";
  const Case cases[] = {
      {"unknown class", "BEGIN_SHIPS\nX:NOSUCHCLASS\nEND\nEND_SHIPS\n", "test.scn:2: unknown vessel class 'NOSUCHCLASS'"},
      {"block without END", "BEGIN_SHIPS\nM:SMOKESTACK\n  STATUS Landed Earth\nEND_SHIPS\n",
       "test.scn:2: vessel block 'M' has no END"},
      {"no END_SHIPS", "BEGIN_SHIPS\nM:SMOKESTACK\nEND\n", "test.scn:1: BEGIN_SHIPS has no END_SHIPS"},
      {"header without class", "BEGIN_SHIPS\nM\nEND\nEND_SHIPS\n", "test.scn:2: expected '<vessel name>:<class>'"},
      {"position that does not scan", "BEGIN_SHIPS\nM:SMOKESTACK\n  STATUS Landed Earth\n  POS -80.6 north\nEND\nEND_SHIPS\n",
       "test.scn:4: POS needs longitude and latitude"},
      {"heading that does not scan", "BEGIN_SHIPS\nM:SMOKESTACK\n\n  HEADING x\nEND\nEND_SHIPS\n",
       "test.scn:4: HEADING needs a number"},
      {"unknown body", "BEGIN_SHIPS\nM:SMOKESTACK\n  STATUS Landed Mars\nEND\nEND_SHIPS\n", "test.scn:3: expected 'STATUS"},
      {"two vessels of one name", "BEGIN_SHIPS\nM:SMOKESTACK\nEND\nM:SMOKESTACK\nEND\nEND_SHIPS\n",
       "test.scn:4: a vessel named 'M' exists already"},
      {"stray line", "hello\n" + ok, "test.scn:1: unexpected line 'hello'"},
      {"no ships", "BEGIN_ENVIRONMENT\n  System Sol\nEND_ENVIRONMENT\n", "no BEGIN_SHIPS"},
      {"attached to nobody", "BEGIN_SHIPS\nV:Rocket\n  ATTACHED 0:0,NOBODY\nEND\nEND_SHIPS\n",
       "test.scn:3: ATTACHED names no vessel 'NOBODY'"},
      {"missing focus ship", "BEGIN_FOCUS\n  Ship Z\nEND_FOCUS\n" + ok, "the focus ship 'Z' is not in the scenario"},
  };
  for (const Case& c : cases) {
    varn::Simulation sim(varn::TestOptions());
    std::string error;
    EXPECT_FALSE(sim.LoadScenarioText(c.text, "test.scn", error)) << c.what;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
  }
}

TEST(ScenarioRead, MissingOrBrokenModuleLibraryIsRefused) {
  varn::HostOptions options = varn::TestOptions();
  options.modulesDir = "/nonexistent";
  varn::Simulation sim(options);
  std::string error;
  EXPECT_FALSE(sim.LoadScenarioText("BEGIN_SHIPS\nM:SMOKESTACK\nEND\nEND_SHIPS\n", "test.scn", error));
  EXPECT_NE(error.find("test.scn:2: module library /nonexistent/STORMMAST.so cannot be loaded"), std::string::npos)
      << error;
}

TEST(ScenarioWrite, ChildrenKeepTheirParentsAcrossSaveAndLoad) {
  const std::string text = varn::ScenarioBuilder()
                               .AddLanded("TOWER", "MobileLauncher", -80.6, 28.6, 0)
                               .Add("VARN", "Rocket", {"ATTACHED 0:0,NOBODY"})
                               .Text();
  // A rocket can hang only on a parent-side point; the launcher has none.
  {
    varn::Simulation sim(varn::TestOptions());
    std::string error;
    std::string wrong = text;
    wrong.replace(wrong.find("NOBODY"), 6, "TOWER");
    EXPECT_FALSE(sim.LoadScenarioText(wrong, "test.scn", error));
    EXPECT_NE(error.find("attachment point that 'TOWER' does not have"), std::string::npos) << error;
  }
}

TEST(ScenarioWrite, SaveLoadSaveGivesTheSameText) {
  const std::string text = varn::ScenarioBuilder()
                               .Environment("System Sol")
                               .AddLanded("LP39_VARN", "LaunchPad", -80.6040, 28.6083, 0)
                               .AddLanded("ML", "MobileLauncher", -80.6, 28.6, 12.5)
                               .Add("VARN", "Rocket", {"STATUS Orbiting Earth", "RPOS 0 6371500 0", "RVEL 0 0 0",
                                                       "AROT 0 0 0", "VROT 0 0 0", "LIFTOFF 12"})
                               .Focus("ML")
                               .Text();
  std::string first;
  {
    auto sim = varn::LoadTestScenario(text);
    first = sim->SaveScenario();
  }
  auto again = varn::LoadTestScenario(first);
  EXPECT_EQ(again->SaveScenario(), first);
  EXPECT_NE(first.find("  LIFTOFF 12\n"), std::string::npos) << first;
  EXPECT_NE(first.find("Ship ML"), std::string::npos);
}

}  // namespace

namespace {

// Damaged scenario texts are refused or read, never crash the host (run under the sanitizers).
TEST(ScenarioRead, SurvivesDamagedText) {
  const std::string valid = varn::ScenarioBuilder()
                                .AddLanded("LP39_VARN", "LaunchPad", -80.6040, 28.6083, 0)
                                .AddLanded("ML", "MobileLauncher", -80.6, 28.6, 12.5)
                                .Add("VARN", "Rocket", {"STATUS Orbiting Earth", "RPOS 0 6371500 0", "LIFTOFF 3"})
                                .AddLanded("M", "SMOKESTACK", -80.6, 28.6, 0)
                                .Text();
  const char pieces[] = ":\n \t0-.eEND_BEGIN";
  std::uint32_t seed = 12345;
  auto next = [&seed](std::uint32_t range) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % range;
  };
  int loaded = 0;
  for (int round = 0; round < 300; ++round) {
    std::string text = valid;
    for (int edit = 0, edits = 1 + static_cast<int>(next(4)); edit < edits; ++edit) {
      const size_t at = next(static_cast<std::uint32_t>(text.size()));
      switch (next(3)) {
        case 0: text.erase(at, 1 + next(8)); break;
        case 1: text.insert(at, 1, pieces[next(sizeof pieces - 1)]); break;
        default: text[at] = pieces[next(sizeof pieces - 1)]; break;
      }
    }
    varn::Simulation sim(varn::TestOptions());
    std::string error;
    if (sim.LoadScenarioText(text, "damaged.scn", error)) {
      ++loaded;
      sim.RunUntil(0.1);
      sim.SaveScenario();
      sim.DumpJson();
    } else {
      EXPECT_EQ(error.rfind("damaged.scn", 0), 0u) << error;
    }
  }
  EXPECT_GT(loaded, 30);
  EXPECT_LT(loaded, 270);
}

}  // namespace
