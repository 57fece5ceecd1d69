// store.json and its commit lines: what is read, and what is refused.
#include <gtest/gtest.h>

#include <functional>

#include "standins/json_fields.h"
#include "temp_folder.h"
#include "vbank4/store.h"

namespace {

using standins::FormatError;
using standins::Json;
using Damage = std::function<void(Json&)>;

const std::string kStore =
    testing_support::ReadFile(std::filesystem::path(VBANK4_SAMPLE_DIR) / "store.json");

std::string Damaged(const std::string& source, const Damage& damage) {
    Json document = Json::parse(source);
    damage(document);
    return document.dump();
}

TEST(Store, RoundTripsEveryFieldAndRefusesEveryTruncation) {
    vbank4::StoreState state;
    state.revision = 41;
    state.voices[{0, 127}] = {
        u"Café \U0001F3B5 ハルカ", u"VB4S00AURORA0001",   u"Aurora",
        u"VB4S00ELODIE0003",       {-127, 127, 0, 5, -3}, {1, 2, 3, 4, 5, -127}};
    state.voices[{127, 0}] = {std::u16string(259, u'x'), u"VB4S05TINDRA0012", u"", u"", {}, {}};
    state.defaultVoice = vbank4::Pair{127, 0};
    EXPECT_EQ(vbank4::ParseStore(vbank4::SerializeStore(state)), state);
    EXPECT_EQ(vbank4::ParseStore(vbank4::SerializeStore({})), vbank4::StoreState{});
    const std::string whole = vbank4::SerializeStore(state);
    for (std::size_t cut = 0; cut < whole.find_last_not_of(" \n") + 1; ++cut) {
        EXPECT_THROW(vbank4::ParseStore(whole.substr(0, cut)), FormatError) << cut;
    }
}

TEST(Store, CommitLinesFollowTheDocumentAndOneCutShortIsNotYetCommitted) {
    vbank4::StoreState before = vbank4::ParseStore(kStore);
    vbank4::StoreChanges changes;
    changes.revision = 2;
    changes.deleted = {{0, 0}, {5, 0}};
    changes.stored[{0, 1}] = {u"Sakura \n\"Soft\"", u"VB4S00SAKURA0004", u"さくら", u"", {}, {}};
    changes.stored[{9, 9}] = {u"New", u"VB4S00AURORA0001", u"Aurora", u"", {}, {}};
    changes.defaultVoice = vbank4::Pair{9, 9};
    vbank4::StoreState after = before;
    vbank4::ApplyChanges(after, changes);
    const std::string line = vbank4::SerializeChanges(changes);
    ASSERT_EQ(line.find('\n'), line.size() - 1);
    EXPECT_EQ(vbank4::ParseStore(kStore + line), after);
    for (std::size_t cut = kStore.size(); cut < kStore.size() + line.size(); cut += 5) {
        EXPECT_EQ(vbank4::ParseStore(kStore + line.substr(0, cut - kStore.size())), before) << cut;
    }
    vbank4::StoreChanges skipped = changes;
    skipped.revision = 3;
    vbank4::StoreChanges impossible = changes;
    impossible.deleted.push_back({7, 7});
    for (const std::string& damaged :
         {kStore + line + "x", kStore + "x" + line, kStore + vbank4::SerializeChanges(skipped),
          kStore + vbank4::SerializeChanges(impossible), kStore + line + line}) {
        EXPECT_THROW(vbank4::ParseStore(damaged), FormatError);
    }
}

TEST(Store, RefusesDamagedContent) {
    ASSERT_NO_THROW(vbank4::ParseStore(kStore));
    const Damage damages[] = {
        [](Json& d) { d["virtualVoices"][1]["program"] = 0; },  // a pair twice
        [](Json& d) { d["virtualVoices"][1]["bank"] = 128; },   // not the default
        [](Json& d) { d["virtualVoices"][0]["program"] = -1; },
        [](Json& d) { d["virtualVoices"][0]["name"] = std::string(260, 'n'); },
        [](Json& d) { d["virtualVoices"][0]["name"] = std::string("a\0b", 3); },
        [](Json& d) { d["virtualVoices"][0]["primaryVoiceId"] = "VB4S00AURORA001"; },
        [](Json& d) { d["virtualVoices"][0]["primaryVoiceId"] = ""; },
        [](Json& d) { d["virtualVoices"][0]["secondaryVoiceId"] = "VB4S00ELODIE00033"; },
        [](Json& d) { d["virtualVoices"][0]["primaryParams"]["BRE"] = 128; },
        [](Json& d) { d["virtualVoices"][0]["secondaryParams"]["VOL"] = 1.5; },
        [](Json& d) { d["virtualVoices"][0]["secondaryParams"].erase("VOL"); },
        [](Json& d) {
            d["default"] = {{"bank", 9}, {"program", 9}};
        },  // an empty pair
        [](Json& d) { d.erase("default"); },
        [](Json& d) { d["revision"] = -1; },
        [](Json& d) { d["virtualVoices"] = Json::object(); },
        [](Json& d) { d["format"] = "vbank4-catalog"; }};
    for (std::size_t i = 0; i < std::size(damages); ++i) {
        EXPECT_THROW(vbank4::ParseStore(Damaged(kStore, damages[i])), FormatError) << i;
    }
    EXPECT_THROW(vbank4::ParseStore(kStore + "x"), FormatError);
    const std::size_t revision = kStore.find("\"revision\"");
    EXPECT_THROW(vbank4::ParseStore(kStore.substr(0, revision) + "\"revision\": 1, " +
                                    kStore.substr(revision)),
                 FormatError);  // a member given twice
    EXPECT_THROW(vbank4::ParseStore("\xEF\xBB\xBF\xFF"), FormatError);
}

}  // namespace
