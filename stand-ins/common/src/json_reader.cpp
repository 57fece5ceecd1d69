// The stand-ins' JSON reader: nlohmann's parser, which does not recurse,
// feeding a tree builder of our own that bounds the nesting, refuses member
// names given twice and hands chosen arrays' elements to the caller one by
// one.
#include <istream>
#include <memory>
#include <streambuf>
#include <unordered_set>
#include <vector>

#include "standins/json_fields.h"

namespace standins {
namespace {

// Objects up to this size are searched for a repeated name; larger ones keep
// a set, so that a hostile object with millions of members reads in linear
// time.
constexpr std::size_t kLinearNameSearch = 16;

class BoundedTreeBuilder {
public:
    using number_integer_t = Json::number_integer_t;
    using number_unsigned_t = Json::number_unsigned_t;
    using number_float_t = Json::number_float_t;
    using string_t = Json::string_t;
    using binary_t = Json::binary_t;

    BoundedTreeBuilder(Json& root, const StreamedArrays* streamed)
        : root_(root), streamed_(streamed) {}

    bool null() { return Add(Json(nullptr), false); }
    bool boolean(bool value) { return Add(Json(value), false); }
    bool number_integer(number_integer_t value) { return Add(Json(value), false); }
    bool number_unsigned(number_unsigned_t value) { return Add(Json(value), false); }
    bool number_float(number_float_t value, const string_t&) { return Add(Json(value), false); }
    bool string(string_t& value) { return Add(Json(std::move(value)), false); }
    bool binary(binary_t&) { return Fail("binary values are not JSON"); }
    bool start_object(std::size_t) { return Add(Json::object(), true); }
    bool start_array(std::size_t) { return Add(Json::array(), true); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }

    bool key(string_t& name) {
        Frame& frame = frames_.back();
        Json::object_t::Container& members = frame.container->get_ref<Json::object_t&>();
        if (members.size() < kLinearNameSearch) {
            for (const auto& member : members) {
                if (member.first == name) return Fail("the member " + name + " is given twice");
            }
        } else {
            if (!frame.names) {
                frame.names = std::make_unique<std::unordered_set<std::string>>();
                for (const auto& member : members) frame.names->insert(member.first);
            }
            if (!frame.names->insert(name).second) {
                return Fail("the member " + name + " is given twice");
            }
        }
        if (frames_.size() == 1) topKey_ = name;
        members.emplace_back(std::move(name), nullptr);
        slot_ = &members.back().second;
        return true;
    }

    template <class Exception>
    bool parse_error(std::size_t, const std::string&, const Exception& error) {
        return Fail(error.what());
    }

    const std::string& Error() const { return error_; }

private:
    struct Frame {
        Json* container;
        bool streamed;  // an array whose elements go to the sink
        std::unique_ptr<std::unordered_set<std::string>> names;
    };

    bool Fail(std::string message) {
        if (error_.empty()) error_ = std::move(message);
        return false;
    }

    bool IsStreamed() const {
        if (streamed_ == nullptr || frames_.size() != 1 || !root_.is_object()) return false;
        for (const std::string_view key : streamed_->keys) {
            if (key == topKey_) return true;
        }
        return false;
    }

    bool Add(Json&& value, bool opens) {
        if (opens && frames_.size() >= kMaxJsonDepth) {
            return Fail("nested more than " + std::to_string(kMaxJsonDepth) + " deep");
        }
        const bool streamed = opens && value.is_array() && IsStreamed();
        Json* placed = nullptr;
        if (frames_.empty()) {
            root_ = std::move(value);
            placed = &root_;
        } else if (frames_.back().container->is_array()) {
            Json::array_t& elements = frames_.back().container->get_ref<Json::array_t&>();
            elements.push_back(std::move(value));
            placed = &elements.back();
        } else {
            *slot_ = std::move(value);
            placed = slot_;
        }
        if (opens) {
            frames_.push_back({placed, streamed, nullptr});
            return true;
        }
        ElementDone();
        return true;
    }

    bool Close() {
        frames_.pop_back();
        if (!frames_.empty()) ElementDone();
        return true;
    }

    // An element of a streamed array is complete: the sink takes it.
    void ElementDone() {
        if (frames_.empty() || !frames_.back().streamed) return;
        Json::array_t& elements = frames_.back().container->get_ref<Json::array_t&>();
        streamed_->take(topKey_, elements.back());
        elements.pop_back();
    }

    Json& root_;
    const StreamedArrays* streamed_;
    std::vector<Frame> frames_;
    std::string topKey_;  // the last member name of the top-level object
    Json* slot_ = nullptr;
    std::string error_;
};

// Reads from memory through a stream, which tells how far the parser went.
class MemoryBuffer : public std::streambuf {
public:
    explicit MemoryBuffer(std::string_view bytes) {
        char* begin = const_cast<char*>(bytes.data());
        setg(begin, begin, begin + bytes.size());
    }
    std::size_t Consumed() const { return static_cast<std::size_t>(gptr() - eback()); }
};

Json Parse(std::string_view bytes, const StreamedArrays* streamed, std::size_t* end) {
    Json document;
    BoundedTreeBuilder builder(document, streamed);
    MemoryBuffer buffer(bytes);
    std::istream stream(&buffer);
    bool parsed = false;
    try {
        parsed = Json::sax_parse(stream, &builder, Json::input_format_t::json, end == nullptr);
    } catch (const Json::exception& e) {
        throw FormatError(e.what());
    }
    if (!parsed) throw FormatError(builder.Error().empty() ? "not JSON" : builder.Error());
    if (end != nullptr) *end = buffer.Consumed();
    return document;
}

}  // namespace

Json ParseJson(std::string_view bytes) { return Parse(bytes, nullptr, nullptr); }

Json ParseJson(std::string_view bytes, const StreamedArrays& streamed) {
    return Parse(bytes, &streamed, nullptr);
}

Json ParseJsonPrefix(std::string_view bytes, const StreamedArrays& streamed, std::size_t& end) {
    return Parse(bytes, &streamed, &end);
}

}  // namespace standins
