#include "class_file.h"

#include "text.h"

#include <cstdlib>
#include <fstream>

namespace varn {

std::string ClassFilePath(const std::string& configDir, const std::string& className) {
  std::string relative = className;
  for (char& c : relative)
    if (c == '\\') c = '/';
  return configDir + "/vessels/" + relative + ".cfg";
}

bool ReadClassFile(const std::string& path, ClassInfo& info, std::string& error, bool& missing) {
  std::ifstream in(path);
  missing = !in;
  if (missing) {
    error = "no class file " + path;
    return false;
  }
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    const auto eq = line.find('=');
    if (eq == std::string::npos) {
      error = path + ":" + std::to_string(lineNumber) + ": expected 'Key = Value'";
      return false;
    }
    const std::string key = Trim(line.substr(0, eq));
    const std::string value = Trim(line.substr(eq + 1));
    if (EqualNoCase(key, "Module")) {
      info.moduleName = value;
    } else if (EqualNoCase(key, "Size") || EqualNoCase(key, "Mass")) {
      char* end = nullptr;
      const double number = std::strtod(value.c_str(), &end);
      if (end == value.c_str() || *end) {
        error = path + ":" + std::to_string(lineNumber) + ": '" + value + "' is not a number";
        return false;
      }
      (EqualNoCase(key, "Size") ? info.size : info.mass) = number;
    } else if (EqualNoCase(key, "MeshName")) {
      info.mesh = value;
    }
  }
  return true;
}

}  // namespace varn
