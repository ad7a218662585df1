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
