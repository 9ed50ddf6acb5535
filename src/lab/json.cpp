#include "lab/json.h"

#include <cmath>
#include <cstdio>

#include "console/utf8.h"
#include "lab/options.h"

namespace bramble::lab {

namespace {

constexpr int kMaxDepth = 64;

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::optional<JsonValue> Document(std::string* error) {
    JsonValue value;
    bool read = Value(&value, 0);
    SkipSpace();
    if (read && pos_ != text_.size())
      read = Fail("text after the value");
    if (!read) {
      *error = error_ + " at byte " + std::to_string(pos_);
      return std::nullopt;
    }
    return value;
  }

 private:
  bool Fail(const char* what) {
    if (error_.empty())
      error_ = what;
    return false;
  }

  void SkipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\n' || text_[pos_] == '\r'))
      ++pos_;
  }

  bool Literal(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word)
      return Fail("not a JSON value");
    pos_ += word.size();
    return true;
  }

  bool Value(JsonValue* value, int depth) {
    if (depth > kMaxDepth)
      return Fail("nested too deep");
    SkipSpace();
    if (pos_ >= text_.size())
      return Fail("unexpected end");
    char c = text_[pos_];
    switch (c) {
      case '{':
        value->type = JsonValue::Type::kObject;
        return Object(value, depth);
      case '[':
        value->type = JsonValue::Type::kArray;
        return Array(value, depth);
      case '"':
        value->type = JsonValue::Type::kString;
        return String(&value->text);
      case 't':
        value->type = JsonValue::Type::kBool;
        value->boolean = true;
        return Literal("true");
      case 'f':
        value->type = JsonValue::Type::kBool;
        return Literal("false");
      case 'n':
        return Literal("null");
      default:
        value->type = JsonValue::Type::kNumber;
        return Number(&value->text);
    }
  }

  bool Object(JsonValue* value, int depth) {
    ++pos_;
    SkipSpace();
    if (pos_ < text_.size() && text_[pos_] == '}')
      return ++pos_, true;
    for (;;) {
      SkipSpace();
      std::string key;
      if (pos_ >= text_.size() || text_[pos_] != '"' || !String(&key))
        return Fail("an object key must be a string");
      SkipSpace();
      if (pos_ >= text_.size() || text_[pos_++] != ':')
        return Fail("':' expected");
      JsonValue member;
      if (!Value(&member, depth + 1))
        return false;
      value->members.push_back({std::move(key), std::move(member)});
      SkipSpace();
      if (pos_ < text_.size() && text_[pos_] == ',') {
        ++pos_;
        continue;
      }
      if (pos_ < text_.size() && text_[pos_] == '}')
        return ++pos_, true;
      return Fail("',' or '}' expected");
    }
  }

  bool Array(JsonValue* value, int depth) {
    ++pos_;
    SkipSpace();
    if (pos_ < text_.size() && text_[pos_] == ']')
      return ++pos_, true;
    for (;;) {
      JsonValue item;
      if (!Value(&item, depth + 1))
        return false;
      value->items.push_back(std::move(item));
      SkipSpace();
      if (pos_ < text_.size() && text_[pos_] == ',') {
        ++pos_;
        continue;
      }
      if (pos_ < text_.size() && text_[pos_] == ']')
        return ++pos_, true;
      return Fail("',' or ']' expected");
    }
  }

  bool Hex4(uint32_t* code) {
    if (pos_ + 4 > text_.size())
      return Fail("bad \\u escape");
    std::optional<uint64_t> value = ParseNumber("0x" + std::string(text_.substr(pos_, 4)), 0xFFFF);
    if (!value)
      return Fail("bad \\u escape");
    pos_ += 4;
    *code = static_cast<uint32_t>(*value);
    return true;
  }

  bool String(std::string* out) {
    ++pos_;
    while (pos_ < text_.size()) {
      char c = text_[pos_++];
      if (c == '"')
        return true;
      if (static_cast<unsigned char>(c) < 0x20)
        return Fail("control character in a string");
      if (c != '\\') {
        *out += c;
        continue;
      }
      if (pos_ >= text_.size())
        break;
      char e = text_[pos_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          *out += e;
          break;
        case 'b':
          *out += '\b';
          break;
        case 'f':
          *out += '\f';
          break;
        case 'n':
          *out += '\n';
          break;
        case 'r':
          *out += '\r';
          break;
        case 't':
          *out += '\t';
          break;
        case 'u': {
          uint32_t code = 0;
          if (!Hex4(&code))
            return false;
          if (code >= 0xD800 && code < 0xDC00 && text_.substr(pos_, 2) == "\\u") {
            pos_ += 2;
            uint32_t low = 0;
            if (!Hex4(&low) || low < 0xDC00 || low > 0xDFFF)
              return Fail("bad surrogate pair");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;
          }
          AppendUtf8(code, out);
          break;
        }
        default:
          return Fail("bad escape");
      }
    }
    return Fail("unterminated string");
  }

  bool Number(std::string* out) {
    size_t start = pos_;
    auto digits = [this] {
      size_t from = pos_;
      while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
        ++pos_;
      return pos_ > from;
    };
    if (pos_ < text_.size() && text_[pos_] == '-')
      ++pos_;
    size_t integer = pos_;
    if (!digits())
      return Fail("not a JSON value");
    if (text_[integer] == '0' && pos_ - integer > 1)
      return Fail("a number with a leading zero");
    if (pos_ < text_.size() && text_[pos_] == '.') {
      ++pos_;
      if (!digits())
        return Fail("digits expected after '.'");
    }
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
      ++pos_;
      if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-'))
        ++pos_;
      if (!digits())
        return Fail("digits expected in the exponent");
    }
    *out = std::string(text_.substr(start, pos_ - start));
    return true;
  }

  std::string_view text_;
  size_t pos_ = 0;
  std::string error_;
};

}  // namespace

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (char c : utf8) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonNumber(double value) {
  if (!std::isfinite(value))
    return "0";
  char text[32];
  for (int precision = 6; precision <= 17; ++precision) {
    std::snprintf(text, sizeof text, "%.*g", precision, value);
    if (std::strtod(text, nullptr) == value)
      break;
  }
  return text;
}

const JsonValue* JsonValue::Find(std::string_view key) const {
  for (const auto& [name, value] : members) {
    if (name == key)
      return &value;
  }
  return nullptr;
}

std::optional<uint64_t> JsonValue::Unsigned() const {
  if (type != Type::kNumber || text.empty() || text[0] == '-' ||
      text.find_first_of(".eE") != std::string::npos)
    return std::nullopt;
  if (text.size() > 1 && text[0] == '0')
    return std::nullopt;
  return ParseNumber(text, UINT64_MAX);
}

std::optional<JsonValue> ParseJson(std::string_view text, std::string* error) {
  return Parser(text).Document(error);
}

}  // namespace bramble::lab
