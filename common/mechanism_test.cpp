#include "mechanism.h"

#include "testkit.h"

#include <gtest/gtest.h>

namespace {

struct AdvanceCase {
  const char* name;
  MechanismStatus status;
  double position;
  double rate, dt;
  int toggles;
  // after each step: position and status
  std::vector<std::pair<double, MechanismStatus>> steps;
};

class MechanismAdvance : public testing::TestWithParam<AdvanceCase> {};

TEST_P(MechanismAdvance, MovesThenRestsOneStepAfterTheEnd) {
  const AdvanceCase& c = GetParam();
  Mechanism m{c.status, c.position, c.rate};
  for (int i = 0; i < c.toggles; ++i) m.Toggle();
  for (size_t i = 0; i < c.steps.size(); ++i) {
    const bool moving = m.status >= MECH_CLOSING;
    EXPECT_EQ(m.Advance(c.dt), moving) << "step " << i;
    EXPECT_DOUBLE_EQ(m.position, c.steps[i].first) << "step " << i;
    EXPECT_EQ(m.status, c.steps[i].second) << "step " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MechanismAdvance,
    testing::Values(
        AdvanceCase{"OpensInQuarters", MECH_CLOSED, 0, 0.25, 1, 1,
                    {{0.25, MECH_OPENING}, {0.5, MECH_OPENING}, {0.75, MECH_OPENING}, {1, MECH_OPENING}, {1, MECH_OPEN}}},
        AdvanceCase{"ClampsAtTheOpenEnd", MECH_OPENING, 0.98, 0.05, 1, 0, {{1, MECH_OPENING}, {1, MECH_OPEN}}},
        AdvanceCase{"OpenAtZeroClosesWithoutMoving", MECH_OPEN, 0, 0.1, 1, 1, {{0, MECH_CLOSED}, {0, MECH_CLOSED}}},
        AdvanceCase{"TwoTogglesCancel", MECH_CLOSED, 0, 0.1, 1, 2, {{0, MECH_CLOSED}}},
        AdvanceCase{"StatusAboveThreeOpens", 7, 0.9, 0.1, 1, 0, {{1, 7}, {1, MECH_OPEN}}},
        AdvanceCase{"NegativeStatusRests", -1, 0.4, 0.1, 1, 0, {{0.4, -1}}},
        AdvanceCase{"PausedStepStillRests", MECH_CLOSING, 0, 0.1, 0, 0, {{0, MECH_CLOSED}}},
        AdvanceCase{"PausedStepDoesNotMove", MECH_OPENING, 0.5, 0.1, 0, 0, {{0.5, MECH_OPENING}}}),
    [](const testing::TestParamInfo<AdvanceCase>& info) { return info.param.name; });

TEST(MechanismToggle, ClosedOrClosingOpensAnythingElseCloses) {
  const std::pair<MechanismStatus, MechanismStatus> cases[] = {
      {MECH_CLOSED, MECH_OPENING}, {MECH_CLOSING, MECH_OPENING}, {MECH_OPEN, MECH_CLOSING},
      {MECH_OPENING, MECH_CLOSING}, {7, MECH_CLOSING},           {-1, MECH_CLOSING}};
  for (const auto& c : cases) {
    Mechanism m{c.first, 0.5, 0.1};
    m.Toggle();
    EXPECT_EQ(m.status, c.second) << "from " << c.first;
    EXPECT_EQ(m.position, 0.5);
  }
}

TEST(MechanismReadLine, MatchesTheKeywordPrefixInAnyCase) {
  struct Case {
    const char* line;
    bool matches;
    MechanismStatus status;
    double position;
  };
  const Case cases[] = {
      {"DOOR1 3 0.2500", true, 3, 0.25},  {"door1 2 0.5", true, 2, 0.5},
      {"DOOR10 1 1.0000", true, 0, 1.0},  // "DOOR1" then "0 1.0000"
      {"DOOR1", true, 9, 0.75},           // nothing scans: both keep their values
      {"DOOR1 1", true, 1, 0.75},         // only the status scans
      {"DOOR1 x 0.5", true, 9, 0.75},     {"DOOR2 3 0.5", false, 9, 0.75},
      {"DOO", false, 9, 0.75},            {"DOOR1 1 1.5", true, 1, 1.5},      // taken unclamped
      {"DOOR1 3 nan", true, 3, 0.75},     {"DOOR1 3 -inf", true, 3, 0.75},  // not numbers: unreadable
  };
  for (const Case& c : cases) {
    Mechanism m{9, 0.75, 0.1};
    EXPECT_EQ(m.ReadLine(c.line, "DOOR1"), c.matches) << c.line;
    EXPECT_EQ(m.status, c.status) << c.line;
    EXPECT_DOUBLE_EQ(m.position, c.position) << c.line;
  }
}

TEST(MechanismWriteLine, RoundsToFourDecimalsAndReadsBack) {
  varn::HostOptions options = varn::TestOptions();
  varn::Simulation sim(options);
  FILEHANDLE f = oapiOpenFile("mechanisms", FILE_OUT, CONFIG);
  Mechanism open{MECH_OPEN, 1.0, 0.1};
  Mechanism moving{MECH_OPENING, 0.123456, 0.1};
  open.WriteLine(f, "DOOR1");
  moving.WriteLine(f, "EM1A");
  oapiCloseFile(f, FILE_OUT);
  EXPECT_EQ(varn::MemoryFiles(options).files["mechanisms"], "  DOOR1 1 1.0000\n  EM1A 3 0.1235\n");

  // A position read unclamped from a scenario is written back whole.
  f = oapiOpenFile("huge", FILE_OUT, CONFIG);
  Mechanism huge{MECH_CLOSED, 1e100, 0.1};
  huge.WriteLine(f, "LAUNCH");
  oapiCloseFile(f, FILE_OUT);
  Mechanism back{0, 0, 0.1};
  EXPECT_TRUE(back.ReadLine(varn::MemoryFiles(options).files["huge"].c_str() + 2, "LAUNCH"));
  EXPECT_EQ(back.position, 1e100);

  back = Mechanism{0, 0, 0.1};
  EXPECT_TRUE(back.ReadLine("EM1A 3 0.1235", "EM1A"));
  EXPECT_EQ(back.status, MECH_OPENING);
  EXPECT_DOUBLE_EQ(back.position, 0.1235);
}

}  // namespace
