// A strict reader of one JSON text (RFC 8259) for the tests of the JSON
// lines: it turns down what a lenient reader would take (NaN, Infinity, a
// leading '+' or '.', trailing commas, control characters in strings, text
// after the value, a member named twice), keeps the members of an object in their order and each
// number's text as written.
#pragma once

#include <charconv>
#include <cstddef>
#include <string>
#include <system_error>
#include <vector>

namespace testjson {

struct Value {
  enum class Type { Missing, Null, Bool, Number, String, Array, Object };
  Type type = Type::Missing;
  bool boolean = false;
  double number = 0;
  std::string text;               // String: its characters; Number: its digits as written
  std::vector<std::string> keys;  // Object: member names, in order
  std::vector<Value> items;       // Array: elements; Object: member values, beside keys

  bool is_null() const { return type == Type::Null; }
  std::size_t size() const { return items.size(); }
  const Value& operator[](std::size_t i) const { return i < items.size() ? items[i] : missing(); }
  // The member of that name; a Missing value when there is none.
  const Value& operator[](const std::string& key) const {
    for (std::size_t i = 0; i < keys.size(); ++i)
      if (keys[i] == key) return items[i];
    return missing();
  }
  bool has(const std::string& key) const { return (*this)[key].type != Type::Missing; }

 private:
  static const Value& missing() {
    static const Value none;
    return none;
  }
};

class Reader {
 public:
  explicit Reader(const std::string& s) : s_(s) {}

  // One value with nothing but white space around it.
  bool document(Value& out) {
    space();
    if (!value(out, 0)) return false;
    space();
    return at_ == s_.size() || fail("text after the value");
  }
  const std::string& error() const { return error_; }
  std::size_t offset() const { return at_; }

 private:
  const std::string& s_;
  std::size_t at_ = 0;
  std::string error_;

  bool fail(const char* why) {
    if (error_.empty()) error_ = std::string(why) + " at offset " + std::to_string(at_);
    return false;
  }
  bool more() const { return at_ < s_.size(); }
  char peek() const { return more() ? s_[at_] : '\0'; }
  void space() {
    while (more() && (s_[at_] == ' ' || s_[at_] == '\t' || s_[at_] == '\n' || s_[at_] == '\r')) ++at_;
  }
  bool word(const char* w) {
    const std::string t(w);
    if (s_.compare(at_, t.size(), t) != 0) return fail("unknown word");
    at_ += t.size();
    return true;
  }
  static bool digit(char c) { return c >= '0' && c <= '9'; }

  bool value(Value& out, int depth) {
    if (depth > 64) return fail("nested too deep");
    switch (peek()) {
      case 'n':
        out.type = Value::Type::Null;
        return word("null");
      case 't':
        out.type = Value::Type::Bool;
        out.boolean = true;
        return word("true");
      case 'f':
        out.type = Value::Type::Bool;
        return word("false");
      case '"':
        out.type = Value::Type::String;
        return string(out.text);
      case '[':
        return array(out, depth);
      case '{':
        return object(out, depth);
      default:
        return number(out);
    }
  }

  bool number(Value& out) {
    const std::size_t start = at_;
    if (peek() == '-') ++at_;
    if (peek() == '0') {
      ++at_;
    } else if (digit(peek())) {
      while (digit(peek())) ++at_;
    } else {
      return fail("not a value");
    }
    if (peek() == '.') {
      ++at_;
      if (!digit(peek())) return fail("no digit after the point");
      while (digit(peek())) ++at_;
    }
    if (peek() == 'e' || peek() == 'E') {
      ++at_;
      if (peek() == '+' || peek() == '-') ++at_;
      if (!digit(peek())) return fail("no digit in the exponent");
      while (digit(peek())) ++at_;
    }
    out.type = Value::Type::Number;
    out.text = s_.substr(start, at_ - start);
    const auto res = std::from_chars(out.text.data(), out.text.data() + out.text.size(), out.number);
    if (res.ec != std::errc{} || res.ptr != out.text.data() + out.text.size())
      return fail("number out of range");
    return true;
  }

  bool string(std::string& out) {
    ++at_;  // the opening quote
    for (;;) {
      if (!more()) return fail("string not ended");
      const char c = s_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return fail("control character in a string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (!more()) return fail("string not ended");
      const char e = s_[at_++];
      switch (e) {
        case '"': case '\\': case '/': out += e; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          unsigned code = 0;
          for (int i = 0; i < 4; ++i, ++at_) {
            const char h = peek();
            code <<= 4;
            if (digit(h)) code |= static_cast<unsigned>(h - '0');
            else if (h >= 'a' && h <= 'f') code |= static_cast<unsigned>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F') code |= static_cast<unsigned>(h - 'A' + 10);
            else return fail("bad \\u escape");
          }
          if (code >= 0x80) return fail("\\u escape beyond ASCII (not needed here)");
          out += static_cast<char>(code);
          break;
        }
        default:
          return fail("bad escape");
      }
    }
  }

  bool array(Value& out, int depth) {
    out.type = Value::Type::Array;
    ++at_;
    space();
    if (peek() == ']') {
      ++at_;
      return true;
    }
    for (;;) {
      space();
      out.items.emplace_back();
      if (!value(out.items.back(), depth + 1)) return false;
      space();
      if (peek() == ',') {
        ++at_;
        continue;
      }
      if (peek() == ']') {
        ++at_;
        return true;
      }
      return fail("',' or ']' expected");
    }
  }

  bool object(Value& out, int depth) {
    out.type = Value::Type::Object;
    ++at_;
    space();
    if (peek() == '}') {
      ++at_;
      return true;
    }
    for (;;) {
      space();
      if (peek() != '"') return fail("member name expected");
      std::string key;
      if (!string(key)) return false;
      for (const std::string& k : out.keys)
        if (k == key) return fail("member named twice");
      space();
      if (peek() != ':') return fail("':' expected");
      ++at_;
      space();
      out.keys.push_back(key);
      out.items.emplace_back();
      if (!value(out.items.back(), depth + 1)) return false;
      space();
      if (peek() == ',') {
        ++at_;
        continue;
      }
      if (peek() == '}') {
        ++at_;
        return true;
      }
      return fail("',' or '}' expected");
    }
  }
};

// Reads `text` as one JSON value; on failure `error` says why and where.
inline bool parse(const std::string& text, Value& out, std::string* error = nullptr) {
  Reader r(text);
  out = Value{};
  const bool ok = r.document(out);
  if (!ok && error != nullptr) *error = r.error();
  return ok;
}

}  // namespace testjson
