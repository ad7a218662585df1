#include "crawler_test_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace crawlertest {

namespace {

// A launcher-like vessel whose child-side point identifiers come from its scenario block.
class TestLauncher : public VESSEL2 {
 public:
  using VESSEL2::VESSEL2;
  void clbkSetClassCaps(FILEHANDLE) override {
    SetTouchdownPoints(_V(0, 0, 1), _V(-1, 0, -1), _V(1, 0, -1));
  }
  void clbkLoadStateEx(FILEHANDLE scn, void* status) override {
    char* line;
    while (oapiReadScenario_nextline(scn, line)) {
      if (std::strncmp(line, "POINT ", 6) == 0) {
        CreateAttachment(true, _V(0, 0, 0), _V(0, -1, 0), _V(0, 0, 1), line + 6);
      } else {
        ParseScenarioLineEx(line, status);
      }
    }
  }
};

}  // namespace

SurfacePoint OffsetFromPad(double northMetres, double eastMetres) {
  const double latDeg = kPadLatDeg + northMetres / kMetresPerDegree;
  const double lonDeg = kPadLonDeg + eastMetres / (kMetresPerDegree * std::cos(latDeg * crawler::kDegree));
  return SurfacePoint{lonDeg, latDeg};
}

varn::ScenarioBuilder& AddCrawler(varn::ScenarioBuilder& scenario, const std::string& name, double northMetres,
                                  double eastMetres, double headingDeg) {
  const SurfacePoint p = OffsetFromPad(northMetres, eastMetres);
  return scenario.AddLanded(name, "VARNCRAWLER", p.lonDeg, p.latDeg, headingDeg);
}

std::unique_ptr<varn::Simulation> LoadLinked(const std::string& scenarioText, varn::HostOptions options) {
  auto sim = std::make_unique<varn::Simulation>(std::move(options));
  varn::ModuleEntries crawlerEntries;
  crawlerEntries.init = [](OBJHANDLE h, int fmodel) -> VESSEL* { return new VARNCRAWLER(h, fmodel); };
  crawlerEntries.exit = [](VESSEL* v) { delete v; };
  sim->RegisterClass("VARNCRAWLER", "VARN_DORORUR2016udi", crawlerEntries);
  varn::ModuleEntries launcherEntries;
  launcherEntries.init = [](OBJHANDLE h, int fmodel) -> VESSEL* { return new TestLauncher(h, fmodel); };
  launcherEntries.exit = [](VESSEL* v) { delete v; };
  sim->RegisterClass("TestLauncher", "TestLauncher", launcherEntries);
  std::string error;
  EXPECT_TRUE(sim->LoadScenarioText(scenarioText, "test.scn", error)) << error;
  return sim;
}

VARNCRAWLER& CrawlerOf(varn::Simulation& sim, const std::string& name) {
  return *static_cast<VARNCRAWLER*>(sim.Interface(name));
}

double AnimationState(varn::Simulation& sim, AnimationIndex animation, const std::string& name) {
  return sim.Find(name)->animations.at(animation).state;
}

void RunSeconds(varn::Simulation& sim, double seconds) { sim.RunUntil(sim.Time() + seconds); }

void RunFrames(varn::Simulation& sim, int frames) {
  for (int i = 0; i < frames; ++i) sim.Step();
}

void HoldKey(varn::Simulation& sim, DWORD key, int frames) {
  sim.SetKeyHeld(key, true);
  RunFrames(sim, frames);
  sim.SetKeyHeld(key, false);
}

GroundStep GroundStepBetween(double lon0, double lat0, double lon1, double lat1) {
  const double radius = varn::kEarthRadius;
  return GroundStep{(lat1 - lat0) * radius, (lon1 - lon0) * std::cos(0.5 * (lat0 + lat1)) * radius};
}

std::unique_ptr<varn::Simulation> TwoCrawlers() {
  varn::ScenarioBuilder scenario;
  AddCrawler(scenario, "Crawler", -1000, 0, 0);
  AddCrawler(scenario, "Other", -1000, 100, 0);
  return LoadLinked(scenario.Text());
}

}  // namespace crawlertest
