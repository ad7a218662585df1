// The varnsim program end to end: its refusals of bad input, and what a run writes.
#include "class_file.h"
#include "command_line.h"
#include "testkit.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// A fresh folder for one test's files.
class Folder {
 public:
  Folder() {
    char name[] = "/tmp/varnsim-test-XXXXXX";
    path = mkdtemp(name);
  }
  ~Folder() { std::system(("rm -rf " + path).c_str()); }
  std::string File(const std::string& name, const std::string& text) const {
    const std::string full = path + "/" + name;
    const auto slash = full.rfind('/');
    std::system(("mkdir -p " + full.substr(0, slash)).c_str());
    std::ofstream(full) << text;
    return full;
  }
  std::string path;
};

std::string Read(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

struct Outcome {
  int code;
  std::string errors;
};

Outcome Varnsim(std::vector<std::string> args) {
  args.insert(args.begin(), "varnsim");
  std::vector<const char*> argv;
  for (const auto& arg : args) argv.push_back(arg.c_str());
  testing::internal::CaptureStderr();
  testing::internal::CaptureStdout();
  const int code = varn::RunVarnsim(static_cast<int>(argv.size()), argv.data());
  testing::internal::GetCapturedStdout();
  return Outcome{code, testing::internal::GetCapturedStderr()};
}

const char* kMastScenario =
    "BEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 51982.5\nEND_ENVIRONMENT\n\nBEGIN_FOCUS\n  Ship Mast\nEND_FOCUS\n\n"
    "BEGIN_SHIPS\nMast:SMOKESTACK\n  STATUS Landed Earth\n  POS -80.6043000000 28.6085000000\n"
    "  HEADING 0.000000\nEND\nEND_SHIPS\n";

TEST(Varnsim, RefusesBadInputWithOneMessageNamingFileAndLine) {
  Folder folder;
  const std::string mast = folder.File("mast.scn", kMastScenario);
  const std::string config = folder.File("config/vessels/BROKENCLASS.cfg", "Module = BROKEN\n");
  const std::string brokenScenario =
      folder.File("broken.scn", "BEGIN_SHIPS\nB:BROKENCLASS\nEND\nEND_SHIPS\n");
  const std::string badKey = folder.File("bad-key.script", "# keys\n1.0 Mast key FOO\n");
  const std::string badLine = folder.File("bad-line.script", "\n\n1.0 Mast jump\n");
  const std::string badTime = folder.File("bad-time.script", "soon Mast focus\n");
  const std::string noVessel = folder.File("no-vessel.script", "1 Mast focus\n2 Tower key 7\n3 Crane key 7\n");
  const std::string badPos = folder.File(
      "bad-pos.scn", "BEGIN_SHIPS\nMast:SMOKESTACK\n  STATUS Landed Earth\n  POS -80.6 x\nEND\nEND_SHIPS\n");
  const std::string save = folder.path + "/out.scn";
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {{"run", folder.path + "/none.scn"}, "none.scn: cannot read the scenario file"},
      {{"run", mast, "--script", badKey, "--save", save}, "bad-key.script:2: unknown key 'FOO'"},
      {{"run", mast, "--script", badLine, "--save", save}, "bad-line.script:3: unknown event 'jump'"},
      {{"run", mast, "--script", badTime, "--save", save}, "bad-time.script:1: 'soon' is not a time"},
      {{"run", mast, "--script", noVessel, "--save", save}, "no-vessel.script:2: no vessel 'Tower' in the scenario"},
      {{"run", badPos, "--save", save}, "bad-pos.scn:4: POS needs longitude and latitude"},
      {{"run", brokenScenario, "--modules", VARN_TEST_MODULES_DIR, "--config", folder.path + "/config", "--save", save},
       "broken.scn:2: module library " VARN_TEST_MODULES_DIR "/BROKEN.so does not export ovcInit"},
      {{"run", mast, "--dt", "0"}, "option --dt: '0' is not a positive number of seconds"},
      {{"run", mast, "--hud", "wide"}, "option --hud: 'wide' is not WIDTHxHEIGHT"},
      {{"run", mast, "--warp"}, "option --warp needs a value"},
      {{"launch", mast}, "unknown command 'launch'"},
  };
  for (const Case& c : cases) {
    const Outcome outcome = Varnsim(c.args);
    EXPECT_NE(outcome.code, 0) << c.message;
    EXPECT_NE(outcome.errors.find(c.message), std::string::npos) << outcome.errors;
    EXPECT_EQ(std::count(outcome.errors.begin(), outcome.errors.end(), '\n'), 1) << outcome.errors;
    EXPECT_FALSE(Exists(save)) << "a refused run left " << save;
  }
}

TEST(Varnsim, MastRunDumpsItsDefinitionAndSavesOnlyHostLines) {
  Folder folder;
  const std::string mast = folder.File("mast.scn", kMastScenario);
  const std::string save = folder.path + "/saved.scn", dump = folder.path + "/dump.json";
  ASSERT_EQ(Varnsim({"run", mast, "--until", "1", "--save", save, "--dump", dump, "--workdir", folder.path}).code, 0);
  const std::string json = Read(dump);
  for (const char* expected : {"\"class\": \"SMOKESTACK\"", "\"module\": \"STORMMAST\"", "\"size\": 12",
                               "\"emptyMass\": 550000000", "\"visibility\": 3", "\"name\": \"VARN/NEWLIGHTNING\"",
                               "\"pos\": [-2.5, 182, -0.714]", "\"tofs\": 1.2", "[-4, 0.01, -9]"})
    EXPECT_NE(json.find(expected), std::string::npos) << expected << "\n" << json;
  EXPECT_NE(Read(save).find("Mast:SMOKESTACK\n  STATUS Landed Earth\n  POS -80.6043000000 28.6085000000\n"
                            "  HEADING 0.000000\nEND\n"),
            std::string::npos)
      << Read(save);

  const std::string again = folder.path + "/again.scn";
  ASSERT_EQ(Varnsim({"run", save, "--until", "0", "--save", again, "--workdir", folder.path}).code, 0);
  EXPECT_EQ(Read(again), Read(save));
}

TEST(Varnsim, ListsTheModulesWithVersionsAndDates) {
  testing::internal::CaptureStdout();
  const char* argv[] = {"varnsim", "modules"};
  EXPECT_EQ(varn::RunVarnsim(2, argv), 0);
  const std::string listing = testing::internal::GetCapturedStdout();
  EXPECT_NE(listing.find("STORMMAST"), std::string::npos) << listing;
  EXPECT_NE(listing.find("20100830"), std::string::npos) << listing;
  EXPECT_NE(listing.find("Jan  1 2015"), std::string::npos) << listing;
  EXPECT_NE(listing.find("SMOKESTACK"), std::string::npos) << listing;
}

// Whether every class a scenario names is served by a built library (a build may leave
// subsystems out) or needs none.
bool ModulesBuilt(const std::string& scenarioPath) {
  const varn::HostOptions options = varn::TestOptions();
  std::istringstream text(Read(scenarioPath));
  bool inShips = false;
  for (std::string line; std::getline(text, line);) {
    if (line == "BEGIN_SHIPS" || line == "END_SHIPS") inShips = line == "BEGIN_SHIPS";
    const auto colon = line.find(':');
    if (!inShips || line.empty() || line[0] == ' ' || colon == std::string::npos) continue;
    varn::ClassInfo info;
    std::string error;
    bool missing = false;
    varn::ReadClassFile(varn::ClassFilePath(options.configDir, line.substr(colon + 1)), info, error, missing);
    if (!info.moduleName.empty() && !Exists(options.modulesDir + "/" + info.moduleName + ".so")) return false;
  }
  return true;
}

// Every ready-made scenario gives the same dump and trace, bit for bit, on every run.
TEST(Varnsim, ScenariosRunDeterministically) {
  Folder folder;
  const std::string scenarios = varn::SourceFile("scenarios");
  std::vector<std::string> names;
  DIR* listing = opendir(scenarios.c_str());
  ASSERT_NE(listing, nullptr);
  while (dirent* entry = readdir(listing)) {
    const std::string file = entry->d_name;
    if (file.size() > 4 && file.compare(file.size() - 4, 4, ".scn") == 0) names.push_back(file.substr(0, file.size() - 4));
  }
  closedir(listing);
  std::sort(names.begin(), names.end());
  int ran = 0;
  for (const std::string& name : names) {
    if (!ModulesBuilt(scenarios + "/" + name + ".scn")) continue;
    ++ran;
    std::string outputs[2];
    for (int run = 0; run < 2; ++run) {
      const std::string dump = folder.path + "/" + name + std::to_string(run) + ".json";
      const std::string trace = folder.path + "/" + name + std::to_string(run) + ".csv";
      std::vector<std::string> args = {"run", scenarios + "/" + name + ".scn", "--until", "30", "--dump", dump,
                                       "--trace", trace, "--workdir", folder.path + "/work" + std::to_string(run)};
      if (Exists(scenarios + "/" + name + ".script")) {
        args.push_back("--script");
        args.push_back(scenarios + "/" + name + ".script");
      }
      const Outcome outcome = Varnsim(args);
      ASSERT_EQ(outcome.code, 0) << name << ": " << outcome.errors;
      outputs[run] = Read(dump) + Read(trace);
    }
    EXPECT_EQ(std::hash<std::string>{}(outputs[0]), std::hash<std::string>{}(outputs[1])) << name;
  }
  EXPECT_GT(ran, 0);  // the mast is always built
}

}  // namespace
