#include "standins/json_fields.h"

#include "standins/utf.h"

namespace standins {

void ExpectFormat(const Json& document, std::string_view format, int version) {
    if (!document.is_object()) throw FormatError("the document is not an object");
    const Json& name = Member(document, "format");
    if (!name.is_string() || name.get_ref<const std::string&>() != format) {
        throw FormatError("not a " + std::string(format) + " file");
    }
    if (IntMember(document, "version", 0, INT32_MAX) != version) {
        throw FormatError("unknown version of " + std::string(format));
    }
}

const Json& Member(const Json& object, const char* key) {
    if (!object.is_object()) throw FormatError(std::string("an object is expected around ") + key);
    const auto it = object.find(key);
    if (it == object.end()) throw FormatError(std::string("missing member ") + key);
    return *it;
}

const Json& ArrayMember(const Json& object, const char* key) {
    const Json& value = Member(object, key);
    if (!value.is_array()) throw FormatError(std::string(key) + " is not an array");
    return value;
}

std::u16string TextValue(const Json& value, std::size_t maxUnits) {
    if (!value.is_string()) throw FormatError("a text is expected");
    std::u16string text = Utf8ToUtf16(value.get_ref<const std::string&>());
    if (text.size() > maxUnits) throw FormatError("a text is too long");
    if (text.find(u'\0') != std::u16string::npos) throw FormatError("a text holds a NUL");
    return text;
}

std::u16string TextMember(const Json& object, const char* key, std::size_t maxUnits) {
    try {
        return TextValue(Member(object, key), maxUnits);
    } catch (const FormatError& e) {
        throw FormatError(std::string(key) + ": " + e.what());
    }
}

int32_t IntMember(const Json& object, const char* key, int32_t low, int32_t high) {
    const Json& value = Member(object, key);
    if (!value.is_number_integer()) throw FormatError(std::string(key) + " is not an integer");
    if (value.is_number_unsigned()) {
        const auto u = value.get<uint64_t>();
        if (u > static_cast<uint64_t>(high) || static_cast<int64_t>(u) < low)
            throw FormatError(std::string(key) + " out of range");
        return static_cast<int32_t>(u);
    }
    const auto v = value.get<int64_t>();
    if (v < low || v > high) throw FormatError(std::string(key) + " out of range");
    return static_cast<int32_t>(v);
}

uint64_t UnsignedMember(const Json& object, const char* key) {
    const Json& value = Member(object, key);
    if (value.is_number_unsigned()) return value.get<uint64_t>();
    if (value.is_number_integer() && value.get<int64_t>() >= 0) {
        return static_cast<uint64_t>(value.get<int64_t>());
    }
    throw FormatError(std::string(key) + " is not a non-negative integer");
}

void ParamsMember(const Json& object, const char* key, int32_t* out, std::size_t count) {
    const Json& params = Member(object, key);
    if (!params.is_object() || params.size() != count) {
        throw FormatError(std::string(key) + " is not a parameter set");
    }
    for (std::size_t i = 0; i < count; ++i) out[i] = IntMember(params, kParamNames[i], -127, 127);
}

Json ParamsJson(const int32_t* values, std::size_t count) {
    Json params = Json::object();
    for (std::size_t i = 0; i < count; ++i) params[kParamNames[i]] = values[i];
    return params;
}

Json TextJson(std::u16string_view text) { return Json(Utf16ToUtf8(text)); }

std::string DumpJson(const Json& document) {
    return document.dump(2, ' ', false, Json::error_handler_t::strict) + "\n";
}

namespace {

// The values written are our own and shallow, so this recursion is bounded.
void AppendLine(const Json& value, std::string& out) {
    const auto scalar = [&](const Json& item) {
        out += item.dump(-1, ' ', false, Json::error_handler_t::strict);
    };
    const char* separator = "";
    if (value.is_object()) {
        out += '{';
        for (const auto& [key, item] : value.items()) {
            out += separator;
            scalar(Json(key));
            out += ": ";
            AppendLine(item, out);
            separator = ", ";
        }
        out += '}';
    } else if (value.is_array()) {
        out += '[';
        for (const Json& item : value) {
            out += separator;
            AppendLine(item, out);
            separator = ", ";
        }
        out += ']';
    } else {
        scalar(value);
    }
}

}  // namespace

std::string DumpJsonLine(const Json& value) {
    std::string line;
    AppendLine(value, line);
    return line;
}

}  // namespace standins
