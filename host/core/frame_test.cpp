// The host's promises to its modules: the order of a frame, key delivery, checked handles.
#include "testkit.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::vector<std::string>* journal = nullptr;

// Writes every callback it receives into the journal.
class Recorder : public VESSEL3 {
 public:
  using VESSEL3::VESSEL3;
  void Note(const char* what) const {
    if (journal) journal->push_back(std::string(GetName()) + " " + what);
  }
  void clbkSetClassCaps(FILEHANDLE) override { Note("definition"); }
  void clbkLoadStateEx(FILEHANDLE scn, void* status) override {
    Note("load");
    VESSEL2::clbkLoadStateEx(scn, status);
  }
  void clbkPostCreation() override { Note("post-creation"); }
  void clbkFocusChanged(bool getfocus, OBJHANDLE, OBJHANDLE) override { Note(getfocus ? "focus" : "unfocus"); }
  void clbkPreStep(double, double, double) override { Note("pre-step"); }
  void clbkPostStep(double, double, double) override { Note("post-step"); }
  int clbkConsumeDirectKey(char* kstate) override {
    char text[32];
    std::snprintf(text, sizeof text, "direct %s", KEYDOWN(kstate, OAPI_KEY_K) ? "K" : "-");
    Note(text);
    return 0;
  }
  int clbkConsumeBufferedKey(DWORD key, bool down, char* kstate) override {
    char text[48];
    std::snprintf(text, sizeof text, "key %02X %s%s", static_cast<unsigned>(key), down ? "down" : "up",
                  KEYMOD_SHIFT(kstate) ? " shift" : "");
    Note(text);
    return down;
  }
  bool clbkDrawHUD(int, const HUDPAINTSPEC* hps, oapi::Sketchpad* skp) override {
    Note("hud");
    skp->SetTextColor(0x123456);
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%dx%d", hps->W, hps->H);
    skp->Text(5, 6, text, n);
    return true;
  }
};

const varn::ModuleEntries kRecorder{[](OBJHANDLE h, int fm) -> VESSEL* { return new Recorder(h, fm); },
                                    [](VESSEL* v) { delete static_cast<Recorder*>(v); }, nullptr};

class HostFrame : public testing::Test {
 protected:
  void SetUp() override { journal = &entries; }
  void TearDown() override { journal = nullptr; }

  std::unique_ptr<varn::Simulation> Load(const std::string& text, varn::HostOptions options = varn::TestOptions()) {
    auto sim = std::make_unique<varn::Simulation>(std::move(options));
    sim->RegisterClass("RECORDER", "RecorderModule", kRecorder);
    std::string error;
    EXPECT_TRUE(sim->LoadScenarioText(text, "frame.scn", error)) << error;
    return sim;
  }

  std::vector<std::string> entries;
};

TEST_F(HostFrame, CreatesThenStepsInThePromisedOrder) {
  auto sim = Load(varn::ScenarioBuilder().Add("A", "RECORDER").Add("B", "RECORDER").Focus("B").Text());
  EXPECT_EQ(entries, (std::vector<std::string>{"A definition", "A load", "B definition", "B load", "A post-creation",
                                                "B post-creation", "B focus"}));
  entries.clear();
  sim->Step();
  EXPECT_EQ(entries, (std::vector<std::string>{"B direct -", "A pre-step", "B pre-step", "A post-step", "B post-step",
                                                "B hud"}));
  const varn::VesselRecord& b = *sim->Find("B");
  ASSERT_EQ(b.hudCount, 1u);
  EXPECT_STREQ(b.hud[0].text, "1024x768");
  EXPECT_EQ(b.hud[0].colour, 0x123456u);
  EXPECT_DOUBLE_EQ(sim->Time(), 0.02);
  EXPECT_TRUE(sim->Errors().empty());
}

TEST_F(HostFrame, ScriptedKeysMoveTheFocusAndGoUpOnTheNextFrame) {
  auto sim = Load(varn::ScenarioBuilder().Add("A", "RECORDER").Add("B", "RECORDER").Focus("B").Text());
  varn::ScriptEvent press;
  press.time = 0.02;
  press.vessel = "A";
  press.key = OAPI_KEY_K;
  press.modifier = OAPI_KEY_LSHIFT;
  sim->AddScriptEvent(press);
  sim->Step();
  entries.clear();
  sim->Step();  // the press: focus to A, key down with Shift held, the direct key sees K held
  EXPECT_EQ(std::vector<std::string>(entries.begin(), entries.begin() + 4),
            (std::vector<std::string>{"B unfocus", "A focus", "A key 25 down shift", "A direct K"}));
  entries.clear();
  sim->Step();  // the key goes up
  EXPECT_EQ(std::vector<std::string>(entries.begin(), entries.begin() + 2),
            (std::vector<std::string>{"A key 25 up", "A direct -"}));
}

TEST_F(HostFrame, HeldKeysStayDownForTheirTime) {
  auto sim = Load(varn::ScenarioBuilder().Add("A", "RECORDER").Text());
  varn::ScriptEvent hold;
  hold.kind = varn::ScriptEvent::Kind::Hold;
  hold.vessel = "A";
  hold.key = OAPI_KEY_K;
  hold.value = 0.1;
  sim->AddScriptEvent(hold);
  sim->RunUntil(0.2);
  int held = 0, ups = 0;
  for (const auto& entry : entries) {
    held += entry == "A direct K";
    ups += entry == "A key 25 up";
  }
  EXPECT_EQ(held, 5);
  EXPECT_EQ(ups, 1);
}

TEST_F(HostFrame, StaleHandlesAreRefusedAndFailTheRun) {
  auto sim = Load(varn::ScenarioBuilder().Add("A", "RECORDER").Add("B", "RECORDER").Text());
  VESSEL* a = sim->Interface("A");
  const ATTACHMENTHANDLE point = a->CreateAttachment(false, _V(0, 0, 0), _V(0, 1, 0), _V(0, 0, 1), "P");
  const PROPELLANT_HANDLE tank = a->CreatePropellantResource(10);
  const THRUSTER_HANDLE thruster = a->CreateThruster(_V(0, 0, 0), _V(0, 0, 1), 100, tank, 1000);
  const OBJHANDLE b = oapiGetVesselByName("B");
  a->ClearAttachments();
  a->ClearThrusterDefinitions();
  a->ClearPropellantResources();
  oapiDeleteVessel(b);
  sim->Step();  // B is gone at the end of the frame

  EXPECT_EQ(a->GetAttachmentStatus(point), nullptr);
  a->SetThrusterLevel(thruster, 1);
  EXPECT_EQ(a->GetPropellantMass(tank), 0);
  VECTOR3 pos;
  a->GetRelativePos(b, pos);
  EXPECT_EQ(oapiGetVesselInterface(b), nullptr);
  EXPECT_FALSE(oapiIsVessel(b));
  const std::vector<varn::HostError>& errors = sim->Errors();
  ASSERT_EQ(errors.size(), 4u);
  EXPECT_NE(errors[0].message.find("GetAttachmentStatus: stale attachment handle"), std::string::npos);
  EXPECT_NE(errors[1].message.find("SetThrusterLevel: stale thruster handle"), std::string::npos);
  EXPECT_NE(errors[2].message.find("GetPropellantMass: stale propellant handle"), std::string::npos);
  EXPECT_NE(errors[3].message.find("GetRelativePos: stale or invalid vessel handle"), std::string::npos);
}

TEST_F(HostFrame, FilesOpenForOneDirectionOnly) {
  varn::HostOptions options = varn::TestOptions();
  auto sim = Load(varn::ScenarioBuilder().Add("A", "RECORDER").Text(), options);
  FILEHANDLE out = oapiOpenFile("state", FILE_OUT, CONFIG);
  oapiWriteScenario_float(out, "HEADING", 0.1);
  oapiWriteScenario_int(out, "N", -3);
  char* line = nullptr;
  EXPECT_FALSE(oapiReadScenario_nextline(out, line));
  oapiCloseFile(out, FILE_OUT);
  EXPECT_EQ(varn::MemoryFiles(options).files["state"], "  HEADING 0.1\n  N -3\n");
  oapiWriteScenario_string(out, "LATE", "x");  // closed
  EXPECT_EQ(oapiOpenFile("absent", FILE_IN, CONFIG), nullptr);
  ASSERT_EQ(sim->Errors().size(), 2u);
  EXPECT_NE(sim->Errors()[0].message.find("is open for writing"), std::string::npos);
  EXPECT_NE(sim->Errors()[1].message.find("the file handle is not open"), std::string::npos);
}

}  // namespace
