// catalog.json and store.json: what is read, and what is refused.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "standins/json_fields.h"
#include "temp_folder.h"
#include "vbank4/catalog.h"
#include "vbank4/store.h"

namespace {

using standins::FormatError;
using standins::Json;
using testing_support::ReadFile;

const std::filesystem::path kSampleDir = VBANK4_SAMPLE_DIR;

std::string Edited(const std::string& source, const std::function<void(Json&)>& edit) {
    Json document = Json::parse(source);
    edit(document);
    return document.dump();
}

TEST(Catalog, BundledSampleHasVoicesOverSeveralBanksAndGroups) {
    const vbank4::Catalog catalog = vbank4::ParseCatalog(ReadFile(kSampleDir / "catalog.json"));
    ASSERT_EQ(catalog.voices.size(), 12u);
    std::set<int32_t> banks;
    for (const auto& voice : catalog.voices) {
        EXPECT_EQ(voice.voiceId.size(), 16u);
        banks.insert(voice.bank);
    }
    EXPECT_EQ(banks, (std::set<int32_t>{0, 1, 2, 5}));

    const vbank4::CatalogVoice* elodie = catalog.Find(u"VB4S00ELODIE0003");
    ASSERT_NE(elodie, nullptr);
    EXPECT_EQ(elodie->name, u"Élodie");
    EXPECT_EQ(elodie->defaults, (std::array<int32_t, 5>{25, 10, 0, -10, 3}));
    EXPECT_EQ(catalog.Find(u"vb4s00elodie0003"), nullptr);  // ids compare exactly
    ASSERT_NE(catalog.Find(u"VB4S00SAKURA0004"), nullptr);
    EXPECT_EQ(catalog.Find(u"VB4S00SAKURA0004")->name, u"さくら");

    // Some voices in several groups, some in none.
    std::map<std::u16string, int> groupsOf;
    for (const auto& group : catalog.groups) {
        for (const auto& id : group.memberIds) ++groupsOf[id];
    }
    EXPECT_EQ(catalog.groups.size(), 4u);
    EXPECT_EQ(groupsOf[u"VB4S00AURORA0001"], 2);
    EXPECT_EQ(groupsOf.count(u"VB4S05TINDRA0012"), 0u);
    EXPECT_EQ(groupsOf.count(u"VB4S02MIREIL0008"), 0u);
}

TEST(Catalog, RoundTripsThroughItsOwnWriter) {
    const std::string sample = ReadFile(kSampleDir / "catalog.json");
    const vbank4::Catalog catalog = vbank4::ParseCatalog(sample);
    const vbank4::Catalog again = vbank4::ParseCatalog(vbank4::SerializeCatalog(catalog));
    ASSERT_EQ(again.voices.size(), catalog.voices.size());
    for (std::size_t i = 0; i < catalog.voices.size(); ++i) {
        EXPECT_EQ(again.voices[i].voiceId, catalog.voices[i].voiceId);
        EXPECT_EQ(again.voices[i].name, catalog.voices[i].name);
        EXPECT_EQ(again.voices[i].extra, catalog.voices[i].extra);
        EXPECT_EQ(again.voices[i].defaults, catalog.voices[i].defaults);
    }
    EXPECT_EQ(again.groups.size(), catalog.groups.size());
}

TEST(Catalog, RefusesVoicesTheModuleCouldNotUse) {
    const std::string sample = ReadFile(kSampleDir / "catalog.json");
    const std::pair<const char*, std::function<void(Json&)>> damages[] = {
        {"id of 15", [](Json& d) { d["voices"][0]["voiceId"] = "VB4S00AURORA001"; }},
        {"id of 17", [](Json& d) { d["voices"][0]["voiceId"] = "VB4S00AURORA00001"; }},
        {"id twice", [](Json& d) { d["voices"][1]["voiceId"] = d["voices"][0]["voiceId"]; }},
        {"empty name", [](Json& d) { d["voices"][2]["name"] = ""; }},
        {"bank 128", [](Json& d) { d["voices"][3]["bank"] = 128; }},
        {"bank -1", [](Json& d) { d["voices"][3]["bank"] = -1; }},
        {"default 128", [](Json& d) { d["voices"][4]["defaults"]["GEN"] = 128; }},
        {"default missing", [](Json& d) { d["voices"][4]["defaults"].erase("AUX"); }},
        {"no extra", [](Json& d) { d["voices"][5].erase("extra"); }},
        {"name not text", [](Json& d) { d["voices"][5]["name"] = 5; }},
        {"member of 3", [](Json& d) { d["xsynthGroups"][0]["members"][0] = "abc"; }},
        {"no groups", [](Json& d) { d.erase("xsynthGroups"); }},
        {"other format", [](Json& d) { d["format"] = "vbank4-store"; }},
        {"version 2", [](Json& d) { d["version"] = 2; }},
    };
    for (const auto& [what, damage] : damages) {
        EXPECT_THROW(vbank4::ParseCatalog(Edited(sample, damage)), FormatError) << what;
    }
}

vbank4::StoreState RichState() {
    vbank4::StoreState state;
    state.revision = 41;
    vbank4::VirtualVoice a;
    a.name = u"Café \U0001F3B5 ハルカ";
    a.primaryVoiceId = u"VB4S00AURORA0001";
    a.primaryName = u"Aurora";
    a.secondaryVoiceId = u"VB4S00ELODIE0003";
    a.primaryParams = {-127, 127, 0, 5, -3};
    a.secondaryParams = {1, 2, 3, 4, 5, -127};
    vbank4::VirtualVoice b;
    b.name = std::u16string(259, u'x');
    b.primaryVoiceId = u"VB4S05TINDRA0012";
    state.voices[{0, 127}] = a;
    state.voices[{127, 0}] = b;
    state.defaultVoice = vbank4::Pair{127, 0};
    return state;
}

TEST(Store, RoundTripsEveryField) {
    const vbank4::StoreState state = RichState();
    EXPECT_EQ(vbank4::ParseStore(vbank4::SerializeStore(state)), state);

    vbank4::StoreState empty;
    EXPECT_EQ(vbank4::ParseStore(vbank4::SerializeStore(empty)), empty);
}

TEST(Store, EveryTruncationIsRefused) {
    const std::string whole = vbank4::SerializeStore(RichState());
    const std::size_t end = whole.find_last_not_of(" \n") + 1;
    for (std::size_t cut = 0; cut < end; ++cut) {
        EXPECT_THROW(vbank4::ParseStore(whole.substr(0, cut)), FormatError) << "cut at " << cut;
    }
}

TEST(Store, RefusesDamagedContent) {
    const std::string sample = ReadFile(kSampleDir / "store.json");
    ASSERT_NO_THROW(vbank4::ParseStore(sample));
    const std::pair<const char*, std::function<void(Json&)>> damages[] = {
        {"pair twice", [](Json& d) { d["virtualVoices"][1]["program"] = 0; }},
        {"bank 128", [](Json& d) { d["virtualVoices"][0]["bank"] = 128; }},
        {"program -1", [](Json& d) { d["virtualVoices"][0]["program"] = -1; }},
        {"name of 260", [](Json& d) { d["virtualVoices"][0]["name"] = std::string(260, 'n'); }},
        {"NUL in a name", [](Json& d) { d["virtualVoices"][0]["name"] = std::string("a\0b", 3); }},
        {"primary id of 15",
         [](Json& d) { d["virtualVoices"][0]["primaryVoiceId"] = "VB4S00AURORA001"; }},
        {"empty primary id", [](Json& d) { d["virtualVoices"][0]["primaryVoiceId"] = ""; }},
        {"secondary id of 17",
         [](Json& d) { d["virtualVoices"][0]["secondaryVoiceId"] = "VB4S00ELODIE00033"; }},
        {"param 128", [](Json& d) { d["virtualVoices"][0]["primaryParams"]["BRE"] = 128; }},
        {"param not integer",
         [](Json& d) { d["virtualVoices"][0]["secondaryParams"]["VOL"] = 1.5; }},
        {"five secondary values",
         [](Json& d) { d["virtualVoices"][0]["secondaryParams"].erase("VOL"); }},
        {"default on empty pair",
         [](Json& d) {
             d["default"] = {{"bank", 9}, {"program", 9}};
         }},
        {"no default member", [](Json& d) { d.erase("default"); }},
        {"negative revision", [](Json& d) { d["revision"] = -1; }},
        {"voices not a list", [](Json& d) { d["virtualVoices"] = Json::object(); }},
        {"other format", [](Json& d) { d["format"] = "vbank4-catalog"; }},
    };
    for (const auto& [what, damage] : damages) {
        EXPECT_THROW(vbank4::ParseStore(Edited(sample, damage)), FormatError) << what;
    }
    EXPECT_THROW(vbank4::ParseStore(sample + "x"), FormatError) << "trailing garbage";
    EXPECT_THROW(vbank4::ParseStore("\xEF\xBB\xBF\xFF"), FormatError) << "not text";
}

}  // namespace
