#include "vbank4/store.h"

#include "standins/json_fields.h"
#include "vbank4/catalog.h"

namespace vbank4 {
namespace {

using standins::FormatError;
using standins::Json;

constexpr const char* kFormat = "vbank4-store";
constexpr const char* kRegistryFormat = "vbank4-registry";
constexpr int kVersion = 1;
// Every commit line starts so; a crash may leave any beginning of one.
constexpr std::string_view kCommitStart = "{\"commit\":";

std::u16string VoiceIdMember(const Json& item, const char* key, bool mayBeEmpty) {
    std::u16string id = standins::TextMember(item, key, kVoiceIdLength);
    if (id.size() != kVoiceIdLength && !(mayBeEmpty && id.empty())) {
        throw FormatError(std::string(key) + " is not 16 units long");
    }
    return id;
}

Pair PairMember(const Json& item) {
    return {standins::IntMember(item, "bank", 0, 127),
            standins::IntMember(item, "program", 0, 127)};
}

Json PairJson(Pair pair) { return {{"bank", pair.first}, {"program", pair.second}}; }

Json DefaultJson(const std::optional<Pair>& pair) { return pair ? PairJson(*pair) : Json(nullptr); }

std::optional<Pair> DefaultMember(const Json& object) {
    const Json& value = standins::Member(object, "default");
    if (value.is_null()) return std::nullopt;
    return PairMember(value);
}

std::pair<Pair, VirtualVoice> ReadVoice(const Json& item) {
    VirtualVoice voice;
    const Pair pair = PairMember(item);
    voice.name = standins::TextMember(item, "name", kMaxTextUnits);
    voice.primaryVoiceId = VoiceIdMember(item, "primaryVoiceId", false);
    voice.primaryName = standins::TextMember(item, "primaryName", kMaxTextUnits);
    voice.secondaryVoiceId = VoiceIdMember(item, "secondaryVoiceId", true);
    standins::ParamsMember(item, "primaryParams", voice.primaryParams.data(), 5);
    standins::ParamsMember(item, "secondaryParams", voice.secondaryParams.data(), 6);
    return {pair, std::move(voice)};
}

Json VoiceJson(Pair pair, const VirtualVoice& voice) {
    return {{"bank", pair.first},
            {"program", pair.second},
            {"name", standins::TextJson(voice.name)},
            {"primaryVoiceId", standins::TextJson(voice.primaryVoiceId)},
            {"primaryName", standins::TextJson(voice.primaryName)},
            {"secondaryVoiceId", standins::TextJson(voice.secondaryVoiceId)},
            {"primaryParams", standins::ParamsJson(voice.primaryParams.data(), 5)},
            {"secondaryParams", standins::ParamsJson(voice.secondaryParams.data(), 6)}};
}

void CheckDefault(const StoreState& state) {
    if (state.defaultVoice && state.voices.count(*state.defaultVoice) == 0) {
        throw FormatError("the default names an empty pair");
    }
}

StoreChanges ReadChanges(const Json& line) {
    if (!line.is_object()) throw FormatError("a commit line is not an object");
    StoreChanges changes;
    changes.revision = standins::UnsignedMember(line, "commit");
    for (const Json& item : standins::ArrayMember(line, "deleted")) {
        changes.deleted.push_back(PairMember(item));
    }
    for (const Json& item : standins::ArrayMember(line, "stored")) {
        auto [pair, voice] = ReadVoice(item);
        if (!changes.stored.emplace(pair, std::move(voice)).second) {
            throw FormatError("a commit stores a pair twice");
        }
    }
    changes.defaultVoice = DefaultMember(line);
    return changes;
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// A last line without its line end: the start of a commit line that a crash
// cut short, or damage.
bool IsCutShortCommit(std::string_view fragment) {
    fragment.remove_prefix(std::min(fragment.size(), fragment.find_first_not_of(" \t\r")));
    const std::size_t n = std::min(fragment.size(), kCommitStart.size());
    return fragment.substr(0, n) == kCommitStart.substr(0, n);
}

}  // namespace

void ApplyChanges(StoreState& state, const StoreChanges& changes) {
    if (changes.revision != state.revision + 1) throw FormatError("a commit line is out of order");
    for (const Pair& pair : changes.deleted) {
        if (changes.stored.count(pair) != 0 || state.voices.erase(pair) == 0) {
            throw FormatError("a commit deletes a pair it cannot");
        }
    }
    for (const auto& [pair, voice] : changes.stored) state.voices.insert_or_assign(pair, voice);
    state.defaultVoice = changes.defaultVoice;
    state.revision = changes.revision;
    CheckDefault(state);
}

StoreState ParseStore(std::string_view bytes, StoreLayout* layout) {
    StoreState state;
    std::size_t at = 0;
    const standins::StreamedArrays voices{
        {"virtualVoices"}, [&](std::string_view, const Json& item) {
            auto [pair, voice] = ReadVoice(item);
            if (!state.voices.emplace(pair, std::move(voice)).second) {
                throw FormatError("two virtual voices share a pair");
            }
        }};
    const Json document = standins::ParseJsonPrefix(bytes, voices, at);
    standins::ExpectFormat(document, kFormat, kVersion);
    state.revision = standins::UnsignedMember(document, "revision");
    standins::ArrayMember(document, "virtualVoices");
    state.defaultVoice = DefaultMember(document);
    CheckDefault(state);
    const std::size_t documentEnd = at;

    std::size_t validEnd = bytes.size();
    while (at < bytes.size()) {
        const std::size_t lineEnd = bytes.find('\n', at);
        const std::string_view line = bytes.substr(at, lineEnd - at);
        if (lineEnd == std::string_view::npos) {
            if (IsBlank(line)) break;
            if (!IsCutShortCommit(line)) throw FormatError("the store is followed by garbage");
            validEnd = at;
            break;
        }
        if (!IsBlank(line)) ApplyChanges(state, ReadChanges(standins::ParseJson(line)));
        at = lineEnd + 1;
    }
    if (layout != nullptr) *layout = {documentEnd, validEnd};
    return state;
}

std::string SerializeStore(const StoreState& state) {
    // One virtual voice a line: half the size of an indented tree, and
    // written without building one.
    std::string bytes =
        "{\n  \"format\": \"" + std::string(kFormat) +
        "\",\n  \"version\": " + std::to_string(kVersion) +
        ",\n  \"revision\": " + std::to_string(state.revision) +
        ",\n  \"default\": " + standins::DumpJsonLine(DefaultJson(state.defaultVoice)) +
        ",\n  \"virtualVoices\": [";
    const char* separator = "\n    ";
    for (const auto& [pair, voice] : state.voices) {
        bytes += separator;
        bytes += standins::DumpJsonLine(VoiceJson(pair, voice));
        separator = ",\n    ";
    }
    bytes += state.voices.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return bytes;
}

std::string SerializeChanges(const StoreChanges& changes) {
    Json deleted = Json::array();
    for (const Pair& pair : changes.deleted) deleted.push_back(PairJson(pair));
    Json stored = Json::array();
    for (const auto& [pair, voice] : changes.stored) stored.push_back(VoiceJson(pair, voice));
    return standins::DumpJsonLine({{"commit", changes.revision},
                                   {"deleted", std::move(deleted)},
                                   {"stored", std::move(stored)},
                                   {"default", DefaultJson(changes.defaultVoice)}}) +
           "\n";
}

std::string SerializeRegistry(const StoreState& state) {
    return standins::DumpJson({{"format", kRegistryFormat},
                               {"version", kVersion},
                               {"revision", state.revision},
                               {"default", DefaultJson(state.defaultVoice)},
                               {"virtualVoiceCount", state.voices.size()}});
}

}  // namespace vbank4
