#include "sound_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vabtest {

TempWorkDir::TempWorkDir() {
  previous = std::filesystem::current_path().string();
  std::string pattern = (std::filesystem::temp_directory_path() / "vab_test_XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot create a temporary folder";
  path = pattern;
  std::filesystem::current_path(path);
}

TempWorkDir::~TempWorkDir() {
  std::filesystem::current_path(previous);
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
}

std::string ReadFile(const std::string& name) {
  std::ifstream in(name);
  if (!in) return "<absent>";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string LogEntry(const std::string& message) {
  return "--------------------------------------\n" + message + "\n\n";
}

OBJHANDLE SomeVessel() {
  static int vessel;
  return reinterpret_cast<OBJHANDLE>(&vessel);
}

}  // namespace vabtest
