// The sound client with no engine in the process: connection failures, the wave folder rules
// and the log file.

#include "sound_client.h"
#include "sound_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vabtest {
namespace {

TEST(SoundClientWithoutEngine, ConnectionFailsWithLogEntryAndOptionsAnswerZero) {
  TempWorkDir dir;
  SoundClient client;
  EXPECT_EQ(client.Connect(SomeVessel()), -1);
  EXPECT_EQ(ReadFile(kLogFile), kLogHeader + LogEntry(kNotInstalled));
  for (int id : {-1, 0, 59})
    for (int option : {1, 5, 24}) EXPECT_EQ(client.SetOption(id, option, 1), 0) << id << " " << option;
}

TEST(SoundClientWithoutEngine, NullVesselIsRefusedWithItsOwnEntry) {
  TempWorkDir dir;
  SoundClient client;
  EXPECT_EQ(client.Connect(nullptr), -1);
  EXPECT_EQ(ReadFile(kLogFile),
            kLogHeader + LogEntry("ERR01= Vessel->ConnectToOrbiterSoundDLL: A vessel passed a NULL handle to this "
                                  "function"));
}

TEST(SoundClientWithoutEngine, ConnectingForgetsTheFolderOfTheLastConnection) {
  TempWorkDir dir;
  SoundClient client;
  ASSERT_EQ(client.SetDefaultWaveDirectory("Sound\\_CustomVesselsSounds\\A"), 1);
  client.Connect(SomeVessel());
  EXPECT_FALSE(client.FolderSet());
  EXPECT_STREQ(client.DefaultWaveDirectory(), "");
}

TEST(SoundClientLog, ExistingLogIsAppendedToWithoutHeader) {
  TempWorkDir dir;
  { std::FILE* f = std::fopen(kLogFile, "w"); std::fputs("earlier\n", f); std::fclose(f); }
  SoundClient client;
  client.WriteLog("first", "");
  client.WriteLog("second", nullptr);
  client.WriteLog(nullptr, "detail");
  EXPECT_EQ(ReadFile(kLogFile), "earlier\n" + LogEntry("first") +
                                    "--------------------------------------\nsecond\n"
                                    "--------------------------------------\ndetail\n");
}

TEST(SoundClientLog, LogThatCannotBeReadIsAppendedToNotReplaced) {
  TempWorkDir dir;
  { std::FILE* f = std::fopen(kLogFile, "w"); std::fputs("earlier\n", f); std::fclose(f); }
  ASSERT_EQ(chmod(kLogFile, 0222), 0);  // writable, readable by nobody
  ASSERT_EQ(chmod(dir.Path().c_str(), 0777), 0);
  // The client runs in a child process without root's right to read any file, so the mode holds.
  const int kCannotDropRoot = 3;
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(kCannotDropRoot);
    SoundClient().WriteLog("first", "");
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  ASSERT_EQ(chmod(kLogFile, 0644), 0);
  if (WEXITSTATUS(status) == kCannotDropRoot) GTEST_SKIP() << "cannot run without root's rights here";
  ASSERT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFile(kLogFile), "earlier\n" + LogEntry("first"));
}

TEST(SoundClientLog, StopsAfter101Entries) {
  TempWorkDir dir;
  SoundClient client;
  for (int i = 0; i < 105; ++i) client.WriteLog(std::to_string(i).c_str(), "");
  const std::string log = ReadFile(kLogFile);
  size_t entries = 0;
  for (size_t at = log.find("-----\n"); at != std::string::npos; at = log.find("-----\n", at + 1)) ++entries;
  EXPECT_EQ(entries, 101u);
  EXPECT_NE(log.find("\n100\n"), std::string::npos);
  EXPECT_EQ(log.find("\n101\n"), std::string::npos);
}

TEST(SoundClientLog, LogThatCannotBeOpenedIsSkipped) {
  TempWorkDir dir;
  SoundClient client;
  // A folder in the log file's place can be opened for reading but not appended to.
  std::filesystem::create_directory(kLogFile);
  client.WriteLog("lost", "");
  EXPECT_TRUE(std::filesystem::is_empty(kLogFile));
  // A working directory that no longer exists allows neither reading nor creating the file.
  const std::string gone = dir.Path() + "/gone";
  std::filesystem::create_directory(gone);
  ASSERT_EQ(chdir(gone.c_str()), 0);
  std::filesystem::remove(gone);
  EXPECT_EQ(client.Connect(SomeVessel()), -1);
  ASSERT_EQ(chdir(dir.Path().c_str()), 0);
  // The skipped entries were not counted: the client still writes its full allowance.
  std::filesystem::remove(kLogFile);
  for (int i = 0; i < 101; ++i) client.WriteLog("kept", "");
  size_t entries = 0;
  const std::string log = ReadFile(kLogFile);
  for (size_t at = log.find("kept"); at != std::string::npos; at = log.find("kept", at + 1)) ++entries;
  EXPECT_EQ(entries, 101u);
}

struct FolderCase {
  const char* name;
  std::string folder;
  int result;
  std::string stored;     // the folder text afterwards
  const char* logEntry;   // null: nothing logged
};

const std::string kPrefix = "Sound\\_CustomVesselsSounds\\";
const char kMissingPrefix[] = "SetMyDefaultWaveDirectory - Missing 'Sound\\_CustomVesselsSounds\\' at start";
const char kTooLong[] = "SetMyDefaultWaveDirectory - Folder name too long";

// Folder texts of a given length, with or without the closing backslash.
std::string FolderOfLength(size_t length, bool closingBackslash) {
  std::string folder = kPrefix + std::string(length - kPrefix.size(), 'x');
  if (closingBackslash) folder.back() = '\\';
  return folder;
}

class SoundClientFolder : public testing::TestWithParam<FolderCase> {};

TEST_P(SoundClientFolder, StoresOrRefuses) {
  const FolderCase& c = GetParam();
  TempWorkDir dir;
  SoundClient client;
  EXPECT_EQ(client.SetDefaultWaveDirectory(c.folder.c_str()), c.result);
  EXPECT_EQ(client.FolderSet(), c.result == 1);
  EXPECT_EQ(client.DefaultWaveDirectory(), c.stored);
  EXPECT_EQ(ReadFile(kLogFile), c.logEntry ? kLogHeader + LogEntry(c.logEntry) : "<absent>");
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SoundClientFolder,
    testing::Values(
        FolderCase{"Building", kPrefix + "TARPON2", 1, kPrefix + "TARPON2\\", nullptr},
        FolderCase{"LowerCasePrefix", "sound\\_customvesselssounds\\a", 1, "sound\\_customvesselssounds\\a\\",
                   nullptr},
        FolderCase{"EndsInBackslash", kPrefix + "a\\", 1, kPrefix + "a\\", nullptr},
        FolderCase{"PrefixOnly", kPrefix, 1, kPrefix, nullptr},
        // A refused text without the prefix stays in the folder text, but counts as not set.
        FolderCase{"WithoutPrefix", "Sound\\Other\\", 0, "Sound\\Other\\", kMissingPrefix},
        FolderCase{"Empty", "", 0, "", kMissingPrefix},
        // 512 bytes hold the text, its end mark and an appended backslash.
        FolderCase{"LongestWithoutBackslash", FolderOfLength(510, false), 1, FolderOfLength(510, false) + "\\",
                   nullptr},
        FolderCase{"OneTooLongWithoutBackslash", FolderOfLength(511, false), 0, "", kTooLong},
        FolderCase{"LongestWithBackslash", FolderOfLength(511, true), 1, FolderOfLength(511, true), nullptr},
        FolderCase{"OneTooLongWithBackslash", FolderOfLength(512, true), 0, "", kTooLong},
        FolderCase{"FarTooLong", FolderOfLength(4000, false), 0, "", kTooLong}),
    [](const testing::TestParamInfo<FolderCase>& info) { return std::string(info.param.name); });

TEST(SoundClientFolderNull, IsRefusedWithLogEntry) {
  TempWorkDir dir;
  SoundClient client;
  EXPECT_EQ(client.SetDefaultWaveDirectory(nullptr), 0);
  EXPECT_EQ(ReadFile(kLogFile), kLogHeader + LogEntry("SetMyDefaultWaveDirectory - No string"));
}

}  // namespace
}  // namespace vabtest
