// Shared set-up for the crawler's tests: a simulation serving VARNCRAWLER from the crawler code
// linked into the test program, scenario placement in metres around the pad, and helpers to
// drive the crawler with keys.
#pragma once

#include "crawler.h"
#include "testkit.h"

#include <memory>
#include <string>
#include <vector>

namespace crawlertest {

// The pad's place; the tests put everything else relative to it.
const double kPadLonDeg = -80.6208;
const double kPadLatDeg = 28.6272;
const double kMetresPerDegree = 40030236.42389422 / 360.0;

// A surface position north and east of the pad, in degrees.
struct SurfacePoint {
  double lonDeg, latDeg;
};
SurfacePoint OffsetFromPad(double northMetres, double eastMetres);

// A scenario line set for a landed crawler or stand-in at that offset.
varn::ScenarioBuilder& AddCrawler(varn::ScenarioBuilder& scenario, const std::string& name, double northMetres,
                                  double eastMetres, double headingDeg);

// A simulation with VARNCRAWLER served by the linked crawler code, and a small test class
// "TestLauncher" whose block lines "POINT <id>" create child-side points at its origin.
std::unique_ptr<varn::Simulation> LoadLinked(const std::string& scenarioText,
                                             varn::HostOptions options = varn::TestOptions());

// Two crawlers 100 m apart, "Crawler" and "Other", far south of any pad.
std::unique_ptr<varn::Simulation> TwoCrawlers();

VARNCRAWLER& CrawlerOf(varn::Simulation& sim, const std::string& name = "Crawler");

// The crawler's animations in the host's record, in creation order.
enum AnimationIndex {
  kSteering, kDeckLift, kFrontTrucks, kFrontCylinders, kRearTrucks, kRearCylinders,
  kSpeedNeedle, kRearPitch, kFrontPitch, kForwardLamp, kReverseLamp, kDriveLamp
};
double AnimationState(varn::Simulation& sim, AnimationIndex animation, const std::string& name = "Crawler");

void RunSeconds(varn::Simulation& sim, double seconds);
void RunFrames(varn::Simulation& sim, int frames);
// Holds a key for a number of frames, then lets it go.
void HoldKey(varn::Simulation& sim, DWORD key, int frames);

// Ground distance in metres between two surface positions (radians), north and east parts.
struct GroundStep {
  double north, east;
};
GroundStep GroundStepBetween(double lon0, double lat0, double lon1, double lat1);

}  // namespace crawlertest
