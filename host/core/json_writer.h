// A small JSON text builder with fixed number formatting, so that dumps are the same bit for bit.
#pragma once

#include "host_api.h"

#include <string>
#include <vector>

namespace varn {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(const std::string& key);
  JsonWriter& String(const std::string& value);
  JsonWriter& Number(double value);
  JsonWriter& Int(long long value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();
  JsonWriter& Vector(const VECTOR3& v);
  const std::string& Text() const { return text; }

 private:
  void Separate();
  void Indent();
  std::string text;
  std::vector<bool> first;  // per open container: nothing written in it yet
  bool afterKey = false;
};

}  // namespace varn
