// Strict readers for the stand-ins' JSON files: every member is required,
// typed and range-checked, so a damaged file is refused as a whole instead of
// being read as something else.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace standins {

// The file's content is not what it must be (syntax, a member, a value).
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Json = nlohmann::ordered_json;  // keeps members in the order written

// Deepest nesting of arrays and objects that a document may have. The
// stand-ins' files nest four deep; a deeper document is refused while it is
// read, before its tree grows, so that no file can exhaust the stack.
inline constexpr std::size_t kMaxJsonDepth = 64;

// Parses a whole document. A syntax error, trailing garbage, nesting deeper
// than kMaxJsonDepth or a member name given twice in one object throws.
Json ParseJson(std::string_view bytes);

// Takes the elements of some arrays of the top-level object one by one, as
// they are read; the document's tree keeps those arrays empty, so a large
// file never stands whole in memory as a tree.
using ElementSink = std::function<void(std::string_view arrayKey, const Json& element)>;
struct StreamedArrays {
    std::initializer_list<std::string_view> keys;
    ElementSink take;
};
Json ParseJson(std::string_view bytes, const StreamedArrays& streamed);

// As above, but the document may be followed by anything: `end` receives
// the offset just past it.
Json ParseJsonPrefix(std::string_view bytes, const StreamedArrays& streamed, std::size_t& end);

// Requires {"format": format, "version": version} at the top of `document`.
void ExpectFormat(const Json& document, std::string_view format, int version);

const Json& Member(const Json& object, const char* key);
const Json& ArrayMember(const Json& object, const char* key);

// A string member as UTF-16, at most `maxUnits` units and without NUL.
std::u16string TextMember(const Json& object, const char* key, std::size_t maxUnits);
std::u16string TextValue(const Json& value, std::size_t maxUnits);

int32_t IntMember(const Json& object, const char* key, int32_t low, int32_t high);
uint64_t UnsignedMember(const Json& object, const char* key);

// A voice parameter set as an object {"BRE": .., "BRI": .., ...} holding the
// first `count` of these names (5 or 6), each value -127..127.
inline constexpr const char* kParamNames[6] = {"BRE", "BRI", "CLE", "GEN", "AUX", "VOL"};
void ParamsMember(const Json& object, const char* key, int32_t* out, std::size_t count);
Json ParamsJson(const int32_t* values, std::size_t count);

// Texts as they go into a file.
Json TextJson(std::u16string_view text);

// Pretty-printed UTF-8 with a final newline.
std::string DumpJson(const Json& document);
// UTF-8 on one line, without a newline, spaced as the pretty form is
// ("key": value, ...), so that a text search finds a member either way.
std::string DumpJsonLine(const Json& value);

}  // namespace standins
