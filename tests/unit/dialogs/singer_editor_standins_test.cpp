// Both dialog exports natively on the stand-ins: the vbank4 library loaded
// by name from a copy of its sample folder, the trak4 manager over the
// sample sequence, the Singer Editor played by the scripted user.
#include <gmock/gmock.h>
#include <stdlib.h>

#include <filesystem>

#include "api/dbm_binding.h"
#include "kora4/kora4.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "standins/file_io.h"
#include "trak4/sequence_document.h"
#include "trak4/trak_manager.h"
#include "ui/headless/gtest_user.h"
#include "ui/win_values.h"
#include "vbank4/store.h"

namespace kora {
namespace {

namespace fs = std::filesystem;
using namespace kora4;
using testing::ElementsAre;
using ui::Dialog;
using ui::ListView;

std::vector<std::u16string> Column(ListView list, int column) {
    std::vector<std::u16string> texts;
    for (int row = 0; row < list.ItemCount(); ++row) texts.push_back(list.ItemText(row, column));
    return texts;
}

class OnTheStandIns : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("kora4-standins-" +
                  std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const char* file : {"catalog.json", "store.json"})
            fs::copy_file(fs::path(VBANK4_SAMPLE_DIR) / file, folder / file);
        storeBefore = Read(folder / "store.json");
        ASSERT_EQ(setenv("VBANK4_HOME", folder.c_str(), 1), 0);
        api::SetDbmLibraryPathForTesting(VBANK4_LIBRARY);
        ASSERT_EQ(KORA_Init(), kOk);
        sample = trak4::LoadSequence(fs::path(TRAK4_SAMPLE_DIR) / "sequence.json");
        sequence = std::make_unique<trak4::TrakManager>(sample);
    }
    void TearDown() override {
        KORA_Delete();
        api::SetDbmLibraryPathForTesting({});
        unsetenv("VBANK4_HOME");
        fs::remove_all(folder);
    }
    static std::string Read(const fs::path& path) { return standins::ReadWholeFile(path).bytes; }
    static ListView Active(Dialog& d) { return d.Control<ListView>(IDC_ACTIVE_LIST); }
    static ListView My(Dialog& d) { return d.Control<ListView>(IDC_MY_LIST); }
    uint32_t Open() { return KORA_OpenDefDialog(1, sequence.get(), 0); }

    // Every operation of both lists; `close` ends the session.
    void PlaySession(int close) {
        user.Check([](Dialog& d) {
            // "Ghost Part" has no installed primary voice; (0,0) is the default.
            EXPECT_THAT(Column(Active(d), 0), ElementsAre(u"Backing", u"Lead", u"Narrador",
                                                          u"ハルカ Duet", u"Bass Line"));
            EXPECT_THAT(Column(My(d), 0), ElementsAre(u"", u"*", u"", u"", u"", u"", u""));
            EXPECT_EQ(My(d).ItemData(1), 0);
        });
        // Active: add Aria on Aurora, copy Lead, edit Backing, delete Lead,
        // copy Café Mireille from My Singers.
        user.Click(IDC_ACTIVE_ADD)
            .ExpectDialog(IDD_SINGER)
            .Type(IDC_SINGER_NAME, u"Aria")
            .ChooseItem(IDC_PRIMARY_SINGER, u"Aurora")
            .Type(IDC_PRIMARY_BRE, u"33")
            .Type(IDC_PRIMARY_BRI, u"21")
            .Type(IDC_PRIMARY_CLE, u"16")
            .Type(IDC_PRIMARY_GEN, u"-6")
            .Click(ui::kIdOk)
            .ExpectDialog(IDD_SINGER_EDITOR)
            .SelectRow(IDC_ACTIVE_LIST, 1)
            .Click(IDC_ACTIVE_COPY)
            .SelectRow(IDC_ACTIVE_LIST, 0)
            .Click(IDC_ACTIVE_EDIT)
            .Type(IDC_SINGER_NAME, u"Backing Vocals")
            .Type(IDC_PRIMARY_GEN, u"-20")
            .Click(ui::kIdOk)
            .SelectRow(IDC_ACTIVE_LIST, 1)
            .Click(IDC_ACTIVE_DELETE)
            .AnswerMessageBox(ui::kIdYes)
            .SelectRow(IDC_MY_LIST, 5)
            .Click(IDC_COPY_TO_ACTIVE)
            .Check([](Dialog& d) {
                EXPECT_THAT(Column(Active(d), 0),
                            ElementsAre(u"Backing Vocals", u"Lead (2)", u"Narrador", u"ハルカ Duet",
                                        u"Bass Line", u"Aria", u"Café Mireille"));
            });
        // My: add Mira on Mireille, copy Sakura Soft, edit Ruta del Sur,
        // delete Deep Harbor and the default, copy Narrador from the
        // sequence, make Ruta del Norte the default.
        user.Click(IDC_MY_ADD)
            .ExpectDialog(IDD_SINGER)
            .Type(IDC_SINGER_NAME, u"Mira")
            .ChooseItem(IDC_PRIMARY_SINGER, u"Mireille")
            .Type(IDC_PRIMARY_BRE, u"1")
            .Type(IDC_PRIMARY_BRI, u"2")
            .Type(IDC_PRIMARY_CLE, u"3")
            .Type(IDC_PRIMARY_GEN, u"4")
            .Click(ui::kIdOk)
            .ExpectDialog(IDD_SINGER_EDITOR)
            .SelectRow(IDC_MY_LIST, 2)
            .Click(IDC_MY_COPY)
            .SelectRow(IDC_MY_LIST, 4)
            .Click(IDC_MY_EDIT)
            .Type(IDC_SINGER_NAME, u"Ruta del Norte")
            .Type(IDC_PRIMARY_BRI, u"44")
            .Click(ui::kIdOk)
            .SelectRow(IDC_MY_LIST, 7)
            .Click(IDC_MY_DELETE)
            .AnswerMessageBox(ui::kIdYes)
            .SelectRow(IDC_MY_LIST, 1)
            .Click(IDC_MY_DELETE)
            .AnswerMessageBox(ui::kIdYes)
            .Check([](Dialog& d) {
                // The database named Sakura Soft once Morning Choir was gone.
                EXPECT_THAT(Column(My(d), 0), ElementsAre(u"", u"*", u"", u"", u"", u"", u""));
            })
            .SelectRow(IDC_ACTIVE_LIST, 2)
            .Click(IDC_COPY_TO_MY)
            .DoubleClickRow(IDC_MY_LIST, 3, 0)
            .Check([](Dialog& d) {
                EXPECT_THAT(Column(My(d), 1),
                            ElementsAre(u"Aurora Bright", u"Sakura Soft", u"Sakura Soft (2)",
                                        u"Ruta del Norte", u"ハルカ Live", u"Café Mireille",
                                        u"Mira", u"Narrador"));
                EXPECT_THAT(Column(My(d), 0), ElementsAre(u"", u"", u"", u"*", u"", u"", u"", u""));
            })
            .Click(close);
    }

    fs::path folder;
    std::string storeBefore;
    trak4::SequenceDocument sample;
    std::unique_ptr<trak4::TrakManager> sequence;
    ui::headless::TestUser user;
};

TEST_F(OnTheStandIns, ReadOnlyPickThenANormalInvocation) {
    int32_t bank = -1;
    int32_t program = -1;
    user.DoubleClickRow(IDC_ACTIVE_LIST, 1, 0);
    EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(1, sequence.get(), &bank, &program), kOk);
    EXPECT_EQ(sample.voices.at({bank, program}).name, u"Lead");
    // The editing handle left open by the pick does not stand in the way.
    user.Click(ui::kIdCancel);
    EXPECT_EQ(Open(), kOk);
    EXPECT_TRUE(trak4::SameContent(sequence->Document(), sample));
}

TEST_F(OnTheStandIns, OkWritesExactlyTheSessionsSingers) {
    PlaySession(ui::kIdOk);
    ASSERT_EQ(Open(), kOk);
    EXPECT_EQ(user.MessageBoxes().size(), 3u);  // the three confirmations

    // The store: the sample's voices with the session's changes.
    vbank4::StoreState expectedStore = vbank4::ParseStore(storeBefore);
    auto& voices = expectedStore.voices;
    voices.erase({5, 0});
    voices.erase({0, 0});
    vbank4::VirtualVoice mira;
    mira.name = u"Mira";
    mira.primaryVoiceId = u"VB4S02MIREIL0008";
    mira.primaryName = u"Mireille";
    mira.primaryParams = {1, 2, 3, 4, 0};
    voices[{2, 1}] = mira;
    voices[{0, 3}] = voices.at({0, 1});
    voices[{0, 3}].name = u"Sakura Soft (2)";
    voices.at({1, 0}).name = u"Ruta del Norte";
    voices.at({1, 0}).primaryParams[1] = 44;
    const trak4::SequenceVoice& narrador = sample.voices.at({1, 0});
    const AxVVoiceParam& p = narrador.primary;
    const AxVVoiceParam& s = narrador.secondary;
    vbank4::VirtualVoice& copy = voices[{1, 2}];
    copy.name = narrador.name;
    copy.primaryVoiceId = narrador.primaryId;
    copy.primaryName = u"Joaquín";
    copy.secondaryVoiceId = narrador.secondaryId;
    copy.primaryParams = {p.BRE, p.BRI, p.CLE, p.GEN, p.AUX};
    copy.secondaryParams = {s.BRE, s.BRI, s.CLE, s.GEN, s.AUX, s.VOL};
    expectedStore.defaultVoice = vbank4::Pair{1, 0};
    const vbank4::StoreState store = vbank4::ParseStore(Read(folder / "store.json"));
    EXPECT_TRUE(store.voices == expectedStore.voices);
    EXPECT_EQ(store.defaultVoice, expectedStore.defaultVoice);

    // The sequence: Lead gone, Backing edited, three new voices; the voice
    // left out at load untouched; the library table holds the My list.
    trak4::SequenceDocument expected = sample;
    trak4::SequenceVoice leadCopy = expected.voices.at({0, 0});
    expected.voices.erase({0, 0});
    expected.voices.at({0, 3}).name = u"Backing Vocals";
    expected.voices.at({0, 3}).primary.GEN = -20;
    expected.voices[{0, 1}] =
        trak4::SequenceVoice{0, 1, u"VB4S00AURORA0001", u"", u"Aria", {33, 21, 16, -6, 0, 0}, {}};
    leadCopy.program = 2;
    leadCopy.name = u"Lead (2)";
    leadCopy.primary.VOL = 0;
    expected.voices[{0, 2}] = leadCopy;
    expected.voices[{2, 0}] = trak4::SequenceVoice{
        2, 0, u"VB4S02MIREIL0008", u"", u"Café Mireille", {25, -5, -10, -5, 0, 0}, {}};
    const trak4::SequenceDocument after = sequence->Document();
    ASSERT_EQ(after.library.size(), expectedStore.voices.size());
    for (const auto& [pair, voice] : expectedStore.voices)
        EXPECT_EQ(after.library.at({pair.first, pair.second}).name, voice.name);
    expected.library = after.library;
    EXPECT_TRUE(trak4::SameContent(after, expected));
}

TEST_F(OnTheStandIns, CancelLeavesStoreAndSequenceExactlyAsTheyWere) {
    PlaySession(ui::kIdCancel);
    ASSERT_EQ(Open(), kOk);
    EXPECT_EQ(Read(folder / "store.json"), storeBefore);
    EXPECT_TRUE(trak4::SameContent(sequence->Document(), sample));
    // Nothing was committed: a new session sees the sample again.
    user.Check([](Dialog& d) {
            EXPECT_EQ(My(d).ItemCount(), 7);
            EXPECT_EQ(My(d).ItemText(1, 0), u"*");
        })
        .Click(ui::kIdCancel);
    EXPECT_EQ(Open(), kOk);
}

}  // namespace
}  // namespace kora
