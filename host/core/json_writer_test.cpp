#include "json_writer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(JsonWriter, WritesNonFiniteNumbersAsNull) {
  varn::JsonWriter json;
  json.BeginObject();
  json.Key("v").Vector(_V(1.5, NAN, -INFINITY));
  json.Key("n").Number(NAN);
  json.Key("s").String("a\"b\\c\n");
  json.EndObject();
  EXPECT_EQ(json.Text(), "{\n  \"v\": [1.5, null, null],\n  \"n\": null,\n  \"s\": \"a\\\"b\\\\c\\n\"\n}");
}

}  // namespace
