#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Writes JSON onto the end of a string as it is made, for a document too large to be
// built whole before it is written: the caller names the members in their order and
// may hand the string on and empty it between values; the commas are the writer's.
// Strings are written as nlohmann's dump writes them with its "replace" rule: a byte
// that is no UTF-8 becomes U+FFFD, each maximal broken sequence one.
class JsonWriter {
  public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    JsonWriter& OpenObject();
    JsonWriter& OpenArray();
    JsonWriter& Close();  // the innermost object or array
    JsonWriter& Key(std::string_view name);

    JsonWriter& String(std::string_view text);
    JsonWriter& Number(double value);  // null when it is no finite number
    JsonWriter& Integer(std::int64_t value);
    JsonWriter& Bool(bool value);
    // The next value, member or closer begins a line, for a reader's eyes.
    JsonWriter& LineBreak();

    // A member of the open object: Key then the value.
    JsonWriter& Text(std::string_view name, std::string_view text) {
        return Key(name).String(text);
    }
    JsonWriter& Number(std::string_view name, double value) { return Key(name).Number(value); }
    JsonWriter& Integer(std::string_view name, std::int64_t value) {
        return Key(name).Integer(value);
    }
    JsonWriter& Bool(std::string_view name, bool value) { return Key(name).Bool(value); }

  private:
    void BeforeValue();
    void BreakIfAsked();

    std::string& out_;
    std::vector<char> closers_{};  // '}' or ']' of each open one, the innermost last
    bool firstInside_ = true;      // nothing written yet in the innermost open one
    bool afterKey_ = false;
    bool breakAsked_ = false;
};

// text as a JSON string, quoted and escaped, onto the end of out.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace quorvane
