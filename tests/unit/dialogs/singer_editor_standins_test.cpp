// Both dialog exports natively on the stand-ins: the vbank4 library loaded
// by name from a copy of its sample folder, the trak4 manager over the
// sample sequence. Whole sessions over the stand-ins are the fault flows'
// clean runs; what stays here is the hand-over between two invocations.
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
    std::string Store() const { return standins::ReadWholeFile(folder / "store.json").bytes; }

    fs::path folder;
    trak4::SequenceDocument sample;
    std::unique_ptr<trak4::TrakManager> sequence;
    ui::headless::TestUser user;
};

TEST_F(OnTheStandIns, ReadOnlyPickThenANormalInvocation) {
    const std::string storeBefore = Store();
    int32_t bank = -1;
    int32_t program = -1;
    user.DoubleClickRow(IDC_ACTIVE_LIST, 1, 0);
    EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(1, sequence.get(), &bank, &program), kOk);
    EXPECT_EQ(sample.voices.at({bank, program}).name, u"Lead");
    // The editing handle left open by the pick does not stand in the way.
    user.Click(ui::kIdCancel);
    EXPECT_EQ(KORA_OpenDefDialog(1, sequence.get(), 0), kOk);
    EXPECT_TRUE(trak4::SameContent(sequence->Document(), sample));
    EXPECT_EQ(Store(), storeBefore);
}

}  // namespace
}  // namespace kora
