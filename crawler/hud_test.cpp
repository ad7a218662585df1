#include "crawler_test_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace crawlertest;

namespace {

const varn::HudText* SpeedLine(const varn::VesselRecord& record) {
  for (size_t i = 0; i < record.hudCount && i < record.hud.size(); ++i) {
    if (std::strncmp(record.hud[i].text, "Current Ground Speed", 20) == 0) return &record.hud[i];
  }
  return nullptr;
}

}  // namespace

// The line sits lower left on a 4:3 display and moves right and up on a wide one.
TEST(CrawlerHud, SpeedLinePlacementOnBothDisplayShapes) {
  const struct {
    int width, height, x, y;
  } cases[] = {{1024, 768, 10, 327}, {1280, 1024, 10, 437}, {1920, 1080, 310, 338}, {1366, 768, 220, 240}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    varn::HostOptions options = varn::TestOptions();
    options.hudWidth = c.width;
    options.hudHeight = c.height;
    varn::ScenarioBuilder scenario;
    AddCrawler(scenario, "Crawler", -1000, 0, 0);
    auto sim = LoadLinked(scenario.Text(), options);
    sim->Step();
    const varn::HudText* line = SpeedLine(*sim->Find("Crawler"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->x, c.x);
    EXPECT_EQ(line->y, c.y);
    EXPECT_EQ(line->colour, 0x66ff66u);
    EXPECT_STREQ(line->text, "Current Ground Speed 0.00");
  }
}

TEST(CrawlerHud, ShowsTheBareSpeedValue) {
  varn::ScenarioBuilder scenario;
  AddCrawler(scenario, "Crawler", -1000, 0, 90);
  auto sim = LoadLinked(scenario.Text());
  sim->Step();
  sim->PressKey(OAPI_KEY_NUMPAD2);
  HoldKey(*sim, OAPI_KEY_ADD, 123);
  EXPECT_STREQ(SpeedLine(*sim->Find("Crawler"))->text, "Current Ground Speed 1.23");
}
