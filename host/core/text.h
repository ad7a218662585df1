// Small text helpers of the host's file readers.
#pragma once

#include <string>
#include <strings.h>

namespace varn {

// The text without leading and trailing blanks, tabs and carriage returns.
inline std::string Trim(const std::string& text) {
  const auto begin = text.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return "";
  const auto end = text.find_last_not_of(" \t\r");
  return text.substr(begin, end - begin + 1);
}

inline bool EqualNoCase(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

}  // namespace varn
