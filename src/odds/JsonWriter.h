#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Builds one JSON text: objects, arrays, keys and plain values, commas placed as needed.
class JsonWriter {
public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);
  JsonWriter& String(std::string_view text);
  JsonWriter& Number(double value);  // not finite: null
  JsonWriter& Integer(std::int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  const std::string& Text() const { return out_; }

private:
  void BeforeValue();
  std::string out_;
  std::vector<bool> hasItems_;  // per open object or array
  bool afterKey_ = false;
};
