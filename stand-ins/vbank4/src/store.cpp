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

Json DefaultJson(const StoreState& state) {
    return state.defaultVoice ? PairJson(*state.defaultVoice) : Json(nullptr);
}

}  // namespace

StoreState ParseStore(std::string_view json) {
    const Json document = standins::ParseJson(json);
    standins::ExpectFormat(document, kFormat, kVersion);
    StoreState state;
    state.revision = standins::UnsignedMember(document, "revision");
    for (const Json& item : standins::ArrayMember(document, "virtualVoices")) {
        VirtualVoice voice;
        const Pair pair = PairMember(item);
        voice.name = standins::TextMember(item, "name", kMaxTextUnits);
        voice.primaryVoiceId = VoiceIdMember(item, "primaryVoiceId", false);
        voice.primaryName = standins::TextMember(item, "primaryName", kMaxTextUnits);
        voice.secondaryVoiceId = VoiceIdMember(item, "secondaryVoiceId", true);
        standins::ParamsMember(item, "primaryParams", voice.primaryParams.data(), 5);
        standins::ParamsMember(item, "secondaryParams", voice.secondaryParams.data(), 6);
        if (!state.voices.emplace(pair, std::move(voice)).second) {
            throw FormatError("two virtual voices share a pair");
        }
    }
    const Json& defaultVoice = standins::Member(document, "default");
    if (!defaultVoice.is_null()) {
        const Pair pair = PairMember(defaultVoice);
        if (state.voices.count(pair) == 0) throw FormatError("the default names an empty pair");
        state.defaultVoice = pair;
    }
    return state;
}

std::string SerializeStore(const StoreState& state) {
    Json voices = Json::array();
    for (const auto& [pair, voice] : state.voices) {
        voices.push_back(
            {{"bank", pair.first},
             {"program", pair.second},
             {"name", standins::TextJson(voice.name)},
             {"primaryVoiceId", standins::TextJson(voice.primaryVoiceId)},
             {"primaryName", standins::TextJson(voice.primaryName)},
             {"secondaryVoiceId", standins::TextJson(voice.secondaryVoiceId)},
             {"primaryParams", standins::ParamsJson(voice.primaryParams.data(), 5)},
             {"secondaryParams", standins::ParamsJson(voice.secondaryParams.data(), 6)}});
    }
    return standins::DumpJson({{"format", kFormat},
                               {"version", kVersion},
                               {"revision", state.revision},
                               {"default", DefaultJson(state)},
                               {"virtualVoices", voices}});
}

std::string SerializeRegistry(const StoreState& state) {
    return standins::DumpJson({{"format", kRegistryFormat},
                               {"version", kVersion},
                               {"revision", state.revision},
                               {"default", DefaultJson(state)},
                               {"virtualVoiceCount", state.voices.size()}});
}

}  // namespace vbank4
