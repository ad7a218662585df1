#include "crawler_test_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace crawlertest;
using crawler::kDegree;
using varn::Simulation;

namespace {

double RadiusOf(const varn::VesselRecord& record) {
  return length(record.gpos - _V(varn::kEarthDistanceFromSun, 0, 0));
}

// Degrees of latitude north of the crawler at which a launcher standing on the ground has its
// point (at its origin) the given straight distance from the crawler's launcher point.
double LatitudeOffsetForDistance(double distance) {
  const double a = varn::kEarthRadius - 0.001 + crawler::kLauncherPointBase;  // crawler point
  const double b = varn::kEarthRadius;                                        // launcher point
  const double halfAngle = std::asin(std::sqrt((distance * distance - (a - b) * (a - b)) / (4 * a * b)));
  return 2 * halfAngle / kDegree;
}

struct Launcher {
  std::string name, className;
  double distance;
  std::vector<std::string> lines;  // extra block lines
};

std::unique_ptr<Simulation> CrawlerWithLaunchers(const std::vector<Launcher>& launchers) {
  varn::ScenarioBuilder scenario;
  const SurfacePoint crawlerAt = OffsetFromPad(-1000, 0);
  scenario.AddLanded("Crawler", "VARNCRAWLER", crawlerAt.lonDeg, crawlerAt.latDeg, 0);
  for (const Launcher& l : launchers) {
    scenario.AddLanded(l.name, l.className, crawlerAt.lonDeg, crawlerAt.latDeg + LatitudeOffsetForDistance(l.distance),
                       0, l.lines);
  }
  return LoadLinked(scenario.Text());
}

OBJHANDLE Carried(Simulation& sim, const std::string& crawlerName = "Crawler") {
  return sim.Find(crawlerName)->attachments.at(1).other;
}

OBJHANDLE HandleOf(Simulation& sim, const std::string& name) { return sim.Interface(name)->GetHandle(); }

}  // namespace

TEST(CrawlerPickup, PicksUpOnlyWithinTwentyMetres) {
  const struct {
    double distance;
    bool picked;
  } cases[] = {{6.3, true}, {19.9, true}, {19.999, true}, {20.001, false}, {25, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.distance);
    auto sim = CrawlerWithLaunchers({{"ML", "MobileLauncher", c.distance, {}}});
    EXPECT_EQ(sim->PressKey(OAPI_KEY_4), 1);
    EXPECT_EQ(Carried(*sim), c.picked ? HandleOf(*sim, "ML") : nullptr);
    EXPECT_EQ(sim->Find("Crawler")->attachments.at(0).other, nullptr);  // the first point stays unused
  }
}

TEST(CrawlerPickup, IdentifierMustBeginWithXMLP) {
  const struct {
    std::vector<std::string> points;
    bool picked;
  } cases[] = {
      {{"POINT XMLP"}, true},
      {{"POINT XMLP_FORWARD_7"}, true},
      {{"POINT OTHER", "POINT XMLP2"}, true},
      {{"POINT xmlp1"}, false},
      {{"POINT XML"}, false},
      {{"POINT AXMLP"}, false},
      {{}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.points.empty() ? "no points" : c.points.back());
    auto sim = CrawlerWithLaunchers({{"L", "TestLauncher", 10, c.points}});
    sim->PressKey(OAPI_KEY_4);
    EXPECT_EQ(Carried(*sim), c.picked ? HandleOf(*sim, "L") : nullptr);
  }
}

// The launcher point carries one launcher: a second one in range stays where it is, and
// pressing the key again changes nothing.
TEST(CrawlerPickup, CarriesOneLauncherAtATime) {
  auto sim = CrawlerWithLaunchers({{"ML1", "MobileLauncher", 8, {}}, {"ML2", "MobileLauncher", 12, {}}});
  sim->PressKey(OAPI_KEY_4);
  EXPECT_EQ(Carried(*sim), HandleOf(*sim, "ML1"));
  EXPECT_EQ(sim->Find("ML2")->attachments.at(0).other, nullptr);
  sim->Step();
  sim->PressKey(OAPI_KEY_4);
  EXPECT_EQ(Carried(*sim), HandleOf(*sim, "ML1"));
  EXPECT_EQ(sim->Find("ML2")->attachments.at(0).other, nullptr);
  EXPECT_TRUE(sim->Errors().empty());
}

// A launcher in range that hangs on another crawler ends the search.
TEST(CrawlerPickup, LeavesALauncherCarriedByAnotherCrawler) {
  varn::ScenarioBuilder scenario;
  const SurfacePoint at = OffsetFromPad(-1000, 0);
  scenario.AddLanded("Crawler", "VARNCRAWLER", at.lonDeg, at.latDeg, 0);
  scenario.AddLanded("ML", "MobileLauncher", at.lonDeg, at.latDeg, 0);
  const SurfacePoint beside = OffsetFromPad(-1000, 5);
  scenario.AddLanded("Other", "VARNCRAWLER", beside.lonDeg, beside.latDeg, 0);
  auto sim = LoadLinked(scenario.Text());
  sim->PressKey(OAPI_KEY_4);
  ASSERT_EQ(Carried(*sim), HandleOf(*sim, "ML"));
  sim->Step();
  ASSERT_TRUE(sim->SetFocus("Other"));
  sim->PressKey(OAPI_KEY_4);
  EXPECT_EQ(Carried(*sim, "Other"), nullptr);
  EXPECT_EQ(Carried(*sim), HandleOf(*sim, "ML"));
}

// The carried launcher rides up with the deck.
TEST(CrawlerPickup, CarriedLauncherRidesUpWithTheDeck) {
  auto sim = CrawlerWithLaunchers({{"ML", "MobileLauncher", 6.3, {}}});
  sim->PressKey(OAPI_KEY_4);
  sim->Step();
  const double carriedRadius = RadiusOf(*sim->Find("ML"));
  EXPECT_NEAR(RadiusOf(*sim->Find("Crawler")) + crawler::kLauncherPointBase, carriedRadius, 1e-3);
  // From the first step on the point's rotation is turned about.
  EXPECT_EQ(sim->Find("Crawler")->attachments.at(1).rot.z, -1.0);

  sim->PressKey(OAPI_KEY_K);
  RunSeconds(*sim, 101);
  EXPECT_NEAR(RadiusOf(*sim->Find("ML")) - carriedRadius, 2.0, 1e-3);
}

TEST(CrawlerPickup, ReleasedLauncherStaysWhenTheDeckRises) {
  auto sim = CrawlerWithLaunchers({{"ML", "MobileLauncher", 6.3, {}}});
  sim->PressKey(OAPI_KEY_4);
  sim->Step();
  EXPECT_EQ(sim->PressKey(OAPI_KEY_5), 1);
  EXPECT_EQ(Carried(*sim), nullptr);
  sim->Step();
  const double releasedRadius = RadiusOf(*sim->Find("ML"));
  sim->PressKey(OAPI_KEY_K);
  RunSeconds(*sim, 20);
  EXPECT_LE(RadiusOf(*sim->Find("ML")), releasedRadius + 1e-6);
  // Releasing with nothing attached changes nothing.
  EXPECT_EQ(sim->PressKey(OAPI_KEY_5), 1);
  EXPECT_TRUE(sim->Errors().empty());
}
