#include "odds/JsonWriter.h"

#include <gtest/gtest.h>

#include <limits>

TEST(JsonWriter, NestingCommasAndEscapes) {
  JsonWriter json;
  json.BeginObject().Key("a").Integer(1).Key("list").BeginArray().Integer(2).BeginObject().EndObject().BeginArray();
  json.EndArray().Null().EndArray().Key("text").String("say \"召唤兽\"\\\n\t").Key("ok").Bool(false).EndObject();
  EXPECT_EQ(json.Text(),
            "{\"a\":1,\"list\":[2,{},[],null],\"text\":\"say \\\"召唤兽\\\"\\\\\\u000a\\u0009\",\"ok\":false}");
}

TEST(JsonWriter, NumbersKeepTheirDigitsAndInfinityIsNull) {
  JsonWriter json;
  json.BeginArray().Number(0.1).Number(0.5).Number(std::numeric_limits<double>::infinity()).EndArray();
  EXPECT_EQ(json.Text(), "[0.10000000000000001,0.5,null]");
}
