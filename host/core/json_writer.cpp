#include "json_writer.h"

#include <cmath>
#include <cstdio>

namespace varn {

void JsonWriter::Indent() {
  text += '\n';
  text.append(first.size() * 2, ' ');
}

void JsonWriter::Separate() {
  if (afterKey) {
    afterKey = false;
    return;
  }
  if (!first.empty()) {
    if (!first.back()) text += ',';
    first.back() = false;
    Indent();
  }
}

JsonWriter& JsonWriter::BeginObject() {
  Separate();
  text += '{';
  first.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  const bool empty = first.back();
  first.pop_back();
  if (!empty) Indent();
  text += '}';
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Separate();
  text += '[';
  first.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  const bool empty = first.back();
  first.pop_back();
  if (!empty) Indent();
  text += ']';
  return *this;
}

JsonWriter& JsonWriter::Key(const std::string& key) {
  String(key);
  text += ": ";
  afterKey = true;
  return *this;
}

JsonWriter& JsonWriter::String(const std::string& value) {
  Separate();
  text += '"';
  for (char c : value) {
    switch (c) {
      case '"': text += "\\\""; break;
      case '\\': text += "\\\\"; break;
      case '\n': text += "\\n"; break;
      case '\t': text += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          text += escaped;
        } else {
          text += c;
        }
    }
  }
  text += '"';
  return *this;
}

JsonWriter& JsonWriter::Number(double value) {
  if (!std::isfinite(value)) return Null();
  Separate();
  char number[40];
  std::snprintf(number, sizeof number, "%.12g", value == 0 ? 0.0 : value);
  text += number;
  return *this;
}

JsonWriter& JsonWriter::Int(long long value) {
  Separate();
  text += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  Separate();
  text += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  Separate();
  text += "null";
  return *this;
}

JsonWriter& JsonWriter::Vector(const VECTOR3& v) {
  // Vectors stay on one line; a component that is not a finite number is written as null.
  Separate();
  text += '[';
  for (int i = 0; i < 3; ++i) {
    char number[40] = "null";
    if (std::isfinite(v.data[i])) std::snprintf(number, sizeof number, "%.12g", v.data[i] == 0 ? 0.0 : v.data[i]);
    text += i ? ", " : "";
    text += number;
  }
  text += ']';
  return *this;
}

}  // namespace varn
