// Class files: config/vessels/<class>.cfg, lines "Key = Value" (';' or '#' start a comment).
// "Module" names the library that serves the class; without it the class is passive, and
// "Size", "Mass" and "MeshName" give the host what it needs to show such a vessel.
#pragma once

#include <string>

namespace varn {

struct ClassInfo {
  std::string name;
  std::string moduleName;  // empty: a passive vessel, or one of the host's stand-ins
  double size = 1, mass = 0;
  std::string mesh;
};

// The path of a class's file; a class name with backslashes is a path below vessels/.
std::string ClassFilePath(const std::string& configDir, const std::string& className);

// Reads a class file; false with "file:line: what" if a line is malformed, or with a message
// naming the file if it cannot be read (then missing is set).
bool ReadClassFile(const std::string& path, ClassInfo& info, std::string& error, bool& missing);

}  // namespace varn
