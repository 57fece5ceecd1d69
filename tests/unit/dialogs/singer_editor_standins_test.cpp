// Both dialog exports natively on the stand-ins: the vbank4 library loaded
// by name from a copy of its sample folder, the trak4 manager over the
// sample sequence, the Singer Editor played by the scripted user.
#include <gmock/gmock.h>
#include <stdlib.h>

#include <filesystem>

#include "api/dbm_binding.h"
#include "kora4/kora4.h"
#include "res/singer_editor_res.h"
#include "standins/file_io.h"
#include "trak4/sequence_document.h"
#include "trak4/trak_manager.h"
#include "ui/headless/gtest_user.h"
#include "ui/win_values.h"

namespace kora {
namespace {

namespace fs = std::filesystem;
using namespace kora4;
using ui::Dialog;
using ui::ListView;
using ui::headless::TestUser;

class OnTheStandIns : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("kora4-standins-" +
                  std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder);
        fs::create_directories(folder);
        for (const char* file : {"catalog.json", "store.json"}) {
            fs::copy_file(fs::path(VBANK4_SAMPLE_DIR) / file, folder / file);
        }
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

    fs::path folder;
    std::string storeBefore;
    trak4::SequenceDocument sample;
    std::unique_ptr<trak4::TrakManager> sequence;
    TestUser user;
};

TEST_F(OnTheStandIns, OkShowsBothListsAndReplacesTheLibraryTableWithMySingers) {
    user.Check([](Dialog& d) {
            // Six voices in the sample sequence; "Ghost Part" has no
            // installed primary voice.
            EXPECT_EQ(Active(d).ItemCount(), 5);
            for (int row = 0; row < Active(d).ItemCount(); ++row) {
                EXPECT_NE(Active(d).ItemText(row, 0), u"Ghost Part");
            }
            EXPECT_EQ(My(d).ItemCount(), 7);
            int marks = 0;
            for (int row = 0; row < My(d).ItemCount(); ++row) {
                if (My(d).ItemText(row, 0) == u"*") {
                    ++marks;
                    EXPECT_EQ(My(d).ItemData(row), 0);  // the default (0,0)
                }
            }
            EXPECT_EQ(marks, 1);
            EXPECT_EQ(d.Control(IDC_SEQUENCE_NAME).Text(), u"sequence.json");
        })
        .Click(ui::kIdOk);
    EXPECT_EQ(KORA_OpenDefDialog(1, sequence.get(), 0), kOk);

    const trak4::SequenceDocument after = sequence->Document();
    EXPECT_EQ(after.voices.size(), sample.voices.size());
    for (const auto& [pair, voice] : sample.voices) {
        EXPECT_TRUE(trak4::SameVoice(after.voices.at(pair), voice));
    }
    ASSERT_EQ(after.library.size(), 7u);  // the My singers, in place of the sample's three
    EXPECT_EQ(after.library.at({0, 0}).name, u"Morning Choir");
    // Nothing changed in My Singers: nothing committed.
    EXPECT_EQ(Read(folder / "store.json"), storeBefore);
    EXPECT_FALSE(fs::exists(folder / "registry.json"));
    EXPECT_TRUE(fs::exists(folder / "store.backup.json"));
}

TEST_F(OnTheStandIns, CancelLeavesSequenceAndStoreAsTheyWere) {
    user.Click(ui::kIdCancel);
    EXPECT_EQ(KORA_OpenDefDialog(1, sequence.get(), 0), kOk);
    EXPECT_TRUE(trak4::SameContent(sequence->Document(), sample));
    EXPECT_EQ(Read(folder / "store.json"), storeBefore);
}

TEST_F(OnTheStandIns, ReadOnlyPickThenANormalInvocation) {
    int32_t bank = -1;
    int32_t program = -1;
    user.DoubleClickRow(IDC_ACTIVE_LIST, 1, 0);
    EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(1, sequence.get(), &bank, &program), kOk);
    const auto picked = sample.voices.find({bank, program});
    ASSERT_NE(picked, sample.voices.end());

    // The editing handle left open by the pick does not stand in the way.
    user.Click(ui::kIdCancel);
    EXPECT_EQ(KORA_OpenDefDialog(1, sequence.get(), 0), kOk);
    EXPECT_TRUE(trak4::SameContent(sequence->Document(), sample));
}

}  // namespace
}  // namespace kora
