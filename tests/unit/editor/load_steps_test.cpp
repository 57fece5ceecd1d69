// Loading an invocation: what is read, in which order, and which failures
// end it before the dialog is shown.
#include "editor/load_steps.h"

#include <gmock/gmock.h>

#include <functional>

#include "editor_fixture.h"
#include "kora4/kora4.h"

namespace kora::test {
namespace {

using namespace kora4;
using editor::DialogEnding;
using testing::ElementsAre;

std::vector<Pair> Pairs(const std::vector<SingerEntry>& singers) {
    std::vector<Pair> pairs;
    for (const SingerEntry& s : singers) pairs.push_back(Pair{s.bank, s.program});
    return pairs;
}

const Calls kVoiceQueries = {"DBM_GetAllVoice", "DBM_GetVoiceParameters(VOICE-ANNA-00001)",
                             "DBM_GetVoiceParameters(VOICE-BERT-00002)",
                             "DBM_GetVoiceParameters(VOICE-CLEO-00003)"};

using LoadTest = EditorTest;

TEST_F(LoadTest, ReadsVoicesSequenceAndDatabaseInOrderBeforeTheDialog) {
    dialog.user = [](editor::EditorSession&) { return DialogEnding::Cancel; };
    EXPECT_EQ(Run(), kOk);
    EXPECT_EQ(log.Collapsed(), Concat({kVoiceQueries,
                                       {"vvoiceGetVVoice x16384", "DBM_GetVirtualVoiceInfo x16384",
                                        "DBM_BackupAllVirtualVoice", "DBM_GetEditor", "dialog",
                                        "DBM_RollBackEditor(77)"}}));
    const editor::EditorSession& s = Session();
    EXPECT_EQ(s.editorHandle, 77u);

    // Installed voices in the database's order, with their defaults.
    ASSERT_EQ(s.installedVoices.size(), 3u);
    EXPECT_EQ(s.installedVoices[0].name, u"Anna");
    EXPECT_EQ(s.installedVoices[1].defaults, (std::array<int32_t, 5>{-1, -2, -3, -4, -5}));
    EXPECT_EQ(s.installedVoices[2].bank, 2);

    // Active singers in singer order ("Alto" before "alto": equal without
    // regard to case, then by code unit), none of an uninstalled primary.
    EXPECT_THAT(Names(s.activeSingers), ElementsAre(u"Alto", u"alto", u"Zed", u"Choir"));
    EXPECT_THAT(Pairs(s.activeSingers),
                ElementsAre(Pair{0, 3}, Pair{0, 1}, Pair{0, 0}, Pair{2, 0}));
    EXPECT_EQ(Names(s.activeAtOpen), Names(s.activeSingers));
    for (const SingerEntry& singer : s.activeSingers) EXPECT_EQ(singer.state, kStateLoaded);
    const SingerEntry& alto = s.activeSingers[1];
    EXPECT_EQ(alto.primaryName, u"Bert");
    EXPECT_EQ(alto.secondaryName, u"Anna");
    EXPECT_EQ(s.activeSingers[0].secondaryName, u"-");
    for (const PairMap* map : {&s.activeInUse, &s.activeAtLoad}) {
        EXPECT_EQ(map->Count(), 4u);
        for (const Pair& p : Pairs(s.activeSingers)) EXPECT_TRUE(map->Test(p.bank, p.program));
        EXPECT_FALSE(map->Test(1, 5));  // not installed at all
        EXPECT_FALSE(map->Test(0, 7));  // installed only in another letter case
    }
    EXPECT_EQ(s.activeRemoved.Count() + s.activeDeleted.Count(), 0u);

    // My singers in singer order, secondary names looked up.
    EXPECT_THAT(Names(s.mySingers), ElementsAre(u"another", u"Mine", u"Other"));
    EXPECT_THAT(Pairs(s.mySingers), ElementsAre(Pair{0, 9}, Pair{0, 0}, Pair{2, 4}));
    EXPECT_EQ(s.mySingers[1].primaryName, u"Anna");
    EXPECT_EQ(s.mySingers[1].secondaryName, u"Cleo");
    EXPECT_EQ(s.mySingers[0].secondaryName, u"-");
}

TEST_F(LoadTest, AnEmptyDatabaseGivesEmptyListsAndTheInvocationGoesOn) {
    FakeDatabase empty(log);  // no virtual voices; installed ones only on the second run
    BoundContext context(empty);
    for (const bool withVoice : {false, true}) {
        if (withVoice) empty.AddVoice(kAnna, u"Anna", 0);
        dialog.user = [withVoice](editor::EditorSession& s) {
            EXPECT_TRUE(s.mySingers.empty());
            EXPECT_EQ(s.activeSingers.empty(), !withVoice);
            EXPECT_EQ(s.activeInUse.Count(), withVoice ? 2u : 0u);
            return DialogEnding::Cancel;
        };
        EXPECT_EQ(editor::RunEditor(dialog, context.Context(), trak.get(), 0), kOk);
    }
    EXPECT_EQ(dialog.runs, 2);
}

// A malformed installed-voice list: the voices before the bad one were
// asked for their parameters, then nothing more happens.
TEST_F(LoadTest, AMalformedVoiceListEndsTheInvocationWithoutTheDialog) {
    using Spoil = std::function<void(FakeDatabase&)>;
    const auto voice = [](std::u16string id, std::u16string name, int32_t bank) -> Spoil {
        return [=](FakeDatabase& db) { db.AddVoice(id, name, bank); };
    };
    const auto count = [](int32_t n, bool withEntries = true) -> Spoil {
        return [=](FakeDatabase& db) {
            db.VoiceList().count = n;
            if (!withEntries) db.VoiceList().entries = nullptr;
        };
    };
    const struct {
        const char* label;
        Spoil spoil;
        bool spoilsTheCount;  // found before any voice is asked for
    } cases[] = {{"id of 15", voice(u"VOICE-DORA-0004", u"D", 1), false},
                 {"id of 17", voice(u"VOICE-DORA-000004", u"D", 1), false},
                 {"no id",
                  [](FakeDatabase& db) {
                      db.AddVoice(u"VOICE-DORA-00004", u"Dora", 1);
                      db.VoiceList().entries[3].voiceId = nullptr;
                  },
                  false},
                 {"empty name", voice(u"VOICE-DORA-00004", u"", 1), false},
                 {"bank 128", voice(u"VOICE-DORA-00004", u"Dora", 128), false},
                 {"bank -1", voice(u"VOICE-DORA-00004", u"D", -1), false},
                 {"count above the entries", count(4), true},
                 {"count below the entries", count(2), true},
                 {"negative count", count(-1), true},
                 {"no entries for a count of 3", count(3, false), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        FakeDatabase spoilt(log);
        for (const char16_t* id : {kAnna, kBert, kCleo}) spoilt.AddVoice(id, u"V", 0);
        c.spoil(spoilt);
        BoundContext context(spoilt);
        log.Clear();
        EXPECT_EQ(editor::RunEditor(dialog, context.Context(), trak.get(), 0),
                  kVoiceListInconsistent);
        EXPECT_EQ(log.Collapsed(), c.spoilsTheCount ? Calls{"DBM_GetAllVoice"} : kVoiceQueries);
    }
    EXPECT_EQ(dialog.runs, 0);
    EXPECT_EQ(trak->CountOf(trak4::TrakOp::kReplaceLibTable), 0);
}

TEST_F(LoadTest, ANullEntryArrayWithCountZeroIsAnEmptyList) {
    database.VoiceList().count = 0;
    database.VoiceList().entries = nullptr;
    dialog.user = [](editor::EditorSession&) { return DialogEnding::Cancel; };
    EXPECT_EQ(Run(), kOk);
    EXPECT_TRUE(Session().installedVoices.empty());
}

// A default parameter outside -127..127, or a refused query: the database
// failed. The sixth value is no default and is not checked.
TEST_F(LoadTest, VoiceParametersAreCheckedForEveryVoice) {
    const struct {
        std::array<int32_t, 6> values;
        int32_t result;
        uint32_t status;
    } cases[] = {{{128, 0, 0, 0, 0, 0}, 0, kDatabaseFailed},
                 {{0, 0, 0, -128, 0, 0}, 0, kDatabaseFailed},
                 {{0, 0, 0, 0, 128, 0}, 0, kDatabaseFailed},
                 {{127, -127, 127, -127, 127, 0}, 0, kOk},
                 {{0, 0, 0, 0, 0, 128}, 0, kOk},
                 {{0, 0, 0, 0, 0, 0}, 5, kDatabaseFailed}};
    dialog.user = [](editor::EditorSession&) { return DialogEnding::Cancel; };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.values) + " " + std::to_string(c.result));
        database.SetVoiceParameters(kBert, c.values, c.result);
        const int runs = dialog.runs;
        log.Clear();
        EXPECT_EQ(Run(), c.status);
        if (c.status == kOk) continue;
        EXPECT_EQ(dialog.runs, runs);
        EXPECT_EQ(log.Collapsed(),
                  (Calls{"DBM_GetAllVoice", "DBM_GetVoiceParameters(VOICE-ANNA-00001)",
                         "DBM_GetVoiceParameters(VOICE-BERT-00002)"}));
    }
}

TEST_F(LoadTest, AFailedVirtualVoiceQueryTellsItsPairAndAnswer) {
    database.virtualInfoFailsAt = Pair{3, 7};
    database.virtualInfoFailure = -2;
    editor::EditorSession session;
    session.context = &bound->Context();
    editor::MySingerLoadFailure failure;
    EXPECT_EQ(editor::LoadMySingersWithFailure(session, failure), kDatabaseFailed);
    EXPECT_EQ(failure.bank, 3);
    EXPECT_EQ(failure.program, 7);
    EXPECT_EQ(failure.result, std::optional<int32_t>(-2));
    EXPECT_TRUE(session.mySingers.empty());

    // Without a usable context the first pair fails with no answer at all.
    bound->Context().initialized = false;
    failure = {5, 5, 0};
    EXPECT_EQ(editor::LoadMySingersWithFailure(session, failure), kDatabaseFailed);
    EXPECT_EQ(failure.bank, 0);
    EXPECT_EQ(failure.program, 0);
    EXPECT_FALSE(failure.result.has_value());
}

}  // namespace
}  // namespace kora::test
