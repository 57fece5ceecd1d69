#include "vbank4/catalog.h"

#include <set>

#include "standins/json_fields.h"

namespace vbank4 {
namespace {

using standins::FormatError;
using standins::Json;

constexpr const char* kFormat = "vbank4-catalog";
constexpr int kVersion = 1;

std::u16string VoiceIdValue(const Json& value) {
    std::u16string id = standins::TextValue(value, kVoiceIdLength);
    if (id.size() != kVoiceIdLength) throw FormatError("a voiceId is not 16 units long");
    return id;
}

CatalogVoice ReadVoice(const Json& item) {
    CatalogVoice voice;
    voice.voiceId = VoiceIdValue(standins::Member(item, "voiceId"));
    voice.name = standins::TextMember(item, "name", kMaxTextUnits);
    if (voice.name.empty()) throw FormatError("a voice has no name");
    voice.bank = standins::IntMember(item, "bank", 0, 127);
    standins::ParamsMember(item, "defaults", voice.defaults.data(), voice.defaults.size());
    voice.extra = standins::TextMember(item, "extra", 4096);
    return voice;
}

CatalogGroup ReadGroup(const Json& item) {
    CatalogGroup group;
    group.name = standins::TextMember(item, "name", kMaxTextUnits);
    for (const Json& member : standins::ArrayMember(item, "members")) {
        group.memberIds.push_back(VoiceIdValue(member));
    }
    return group;
}

}  // namespace

const CatalogVoice* Catalog::Find(std::u16string_view voiceId) const {
    for (const CatalogVoice& voice : voices) {
        if (voice.voiceId == voiceId) return &voice;
    }
    return nullptr;
}

Catalog ParseCatalog(std::string_view json) {
    Catalog catalog;
    std::set<std::u16string> ids;
    const standins::StreamedArrays voices{{"voices"}, [&](std::string_view, const Json& item) {
                                              CatalogVoice voice = ReadVoice(item);
                                              if (!ids.insert(voice.voiceId).second) {
                                                  throw FormatError("a voiceId is listed twice");
                                              }
                                              catalog.voices.push_back(std::move(voice));
                                          }};
    const Json document = standins::ParseJson(json, voices);
    standins::ExpectFormat(document, kFormat, kVersion);
    standins::ArrayMember(document, "voices");
    for (const Json& item : standins::ArrayMember(document, "xsynthGroups")) {
        catalog.groups.push_back(ReadGroup(item));
    }
    return catalog;
}

std::string SerializeCatalog(const Catalog& catalog) {
    Json voices = Json::array();
    for (const CatalogVoice& voice : catalog.voices) {
        voices.push_back({{"voiceId", standins::TextJson(voice.voiceId)},
                          {"name", standins::TextJson(voice.name)},
                          {"bank", voice.bank},
                          {"defaults", standins::ParamsJson(voice.defaults.data(), 5)},
                          {"extra", standins::TextJson(voice.extra)}});
    }
    Json groups = Json::array();
    for (const CatalogGroup& group : catalog.groups) {
        Json members = Json::array();
        for (const std::u16string& id : group.memberIds) members.push_back(standins::TextJson(id));
        groups.push_back({{"name", standins::TextJson(group.name)}, {"members", members}});
    }
    return standins::DumpJson(
        {{"format", kFormat}, {"version", kVersion}, {"voices", voices}, {"xsynthGroups", groups}});
}

}  // namespace vbank4
