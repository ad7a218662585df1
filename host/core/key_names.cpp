#include "key_names.h"

#include <cstdlib>

namespace varn {

namespace {
struct NamedKey {
  const char* name;
  unsigned code;
};

// PC keyboard scan codes.
const NamedKey kKeys[] = {
    {"1", 0x02},       {"2", 0x03},       {"3", 0x04},       {"4", 0x05},        {"5", 0x06},
    {"6", 0x07},       {"7", 0x08},       {"8", 0x09},       {"9", 0x0A},        {"0", 0x0B},
    {"Q", 0x10},       {"W", 0x11},       {"E", 0x12},       {"R", 0x13},        {"T", 0x14},
    {"Y", 0x15},       {"U", 0x16},       {"I", 0x17},       {"O", 0x18},        {"P", 0x19},
    {"A", 0x1E},       {"S", 0x1F},       {"D", 0x20},       {"F", 0x21},        {"G", 0x22},
    {"H", 0x23},       {"J", 0x24},       {"K", 0x25},       {"L", 0x26},        {"Z", 0x2C},
    {"X", 0x2D},       {"C", 0x2E},       {"V", 0x2F},       {"B", 0x30},        {"N", 0x31},
    {"M", 0x32},       {"LCONTROL", 0x1D}, {"LSHIFT", 0x2A},  {"RSHIFT", 0x36},    {"RCONTROL", 0x9D},
    {"NUMPAD7", 0x47}, {"NUMPAD8", 0x48}, {"NUMPAD9", 0x49}, {"SUBTRACT", 0x4A}, {"NUMPAD4", 0x4B},
    {"NUMPAD5", 0x4C}, {"NUMPAD6", 0x4D}, {"ADD", 0x4E},     {"NUMPAD1", 0x4F},  {"NUMPAD2", 0x50},
    {"NUMPAD3", 0x51}, {"NUMPAD0", 0x52},
};
}  // namespace

bool ScanCodeOf(const std::string& name, unsigned& code) {
  for (const NamedKey& key : kKeys) {
    if (name == key.name) {
      code = key.code;
      return true;
    }
  }
  if (name.size() == 4 && name[0] == '0' && (name[1] == 'x' || name[1] == 'X')) {
    char* end = nullptr;
    const unsigned long value = std::strtoul(name.c_str() + 2, &end, 16);
    if (*end == '\0' && end != name.c_str() + 2) {
      code = static_cast<unsigned>(value);
      return true;
    }
  }
  return false;
}

}  // namespace varn
