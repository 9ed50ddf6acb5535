#ifndef BRAMBLE_LAB_JSON_H_
#define BRAMBLE_LAB_JSON_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bramble::lab {

/// A JSON string literal of UTF-8 text: quotes, backslashes and control
/// characters escaped.
std::string JsonString(std::string_view utf8);

/// A double as JSON: shortest text that reads back the same; 0 for what
/// JSON cannot hold (NaN, infinities).
std::string JsonNumber(double value);

struct JsonMember;

/// A parsed JSON value. Numbers keep their text so that 64-bit counts read
/// back exactly.
struct JsonValue {
  enum class Type { kNull, kBool, kNumber, kString, kArray, kObject };

  Type type = Type::kNull;
  bool boolean = false;
  std::string text;  // a string's value, or a number as written
  std::vector<JsonValue> items;
  // A struct of its own rather than a pair, which cannot hold a JsonValue
  // before the type is complete (clang rejects that).
  std::vector<JsonMember> members;

  /// The member called `key` of an object; nullptr when there is none.
  const JsonValue* Find(std::string_view key) const;
  /// A whole number from 0 to 2^64-1 written without fraction or exponent.
  std::optional<uint64_t> Unsigned() const;
};

/// One member of a JSON object: its name and its value.
struct JsonMember {
  std::string name;
  JsonValue value;
};

/// Parses a JSON document (RFC 8259; nesting at most 64 deep). On failure
/// returns nothing and sets `error` to what is wrong and where.
std::optional<JsonValue> ParseJson(std::string_view text, std::string* error);

}  // namespace bramble::lab

#endif  // BRAMBLE_LAB_JSON_H_
