// Both dialog exports, end to end in the native build: the module bound to
// the forwarding database library, the trak4 stand-in's recording manager,
// the real Singer Editor played by the scripted user.
#include <gmock/gmock.h>

#include "api/dbm_binding.h"
#include "editor_fixture.h"
#include "kora4/kora4.h"
#include "res/singer_editor_res.h"
#include "ui/headless/gtest_user.h"
#include "ui/win_values.h"

namespace kora::test {
namespace {

using namespace kora4;
using ui::Dialog;
using ui::ListView;
using ui::headless::TestUser;

class SingerEditorInvocation : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        api::SetDbmLibraryPathForTesting(FORWARDING_VBANK4);
        ASSERT_EQ(KORA_Init(), kOk);
        log.Clear();
    }
    void TearDown() override {
        KORA_Delete();
        api::SetDbmLibraryPathForTesting({});
    }

    uint32_t Open(uint32_t initialSelection = kNoInitialSelection) {
        return KORA_OpenDefDialog(1, trak.get(), initialSelection);
    }

    // The calls from the dialog's start-up on.
    Calls FromStartUp() const { return log.From("fileGetCurrentFilePath"); }

    static ListView Active(Dialog& d) { return d.Control<ListView>(IDC_ACTIVE_LIST); }

    TestUser user;
};

const Calls kStartUp = {"fileGetCurrentFilePath", "DBM_GetDefaultVirtualVoice",
                        "DBM_GetXSynthData"};

TEST_F(SingerEditorInvocation, OkReplacesTheLibraryTableAndChangesNothingElse) {
    const trak4::SequenceDocument before = trak->Document();
    user.Check([](Dialog& d) {
            // The two voices whose primary voice is not installed are not shown.
            ListView list = Active(d);
            ASSERT_EQ(list.ItemCount(), 4);
            EXPECT_EQ(list.ItemText(0, 0), u"Alto");
            EXPECT_EQ(list.ItemText(3, 0), u"Choir");
            EXPECT_EQ(list.FirstSelectedRow(),
                      1);  // alto at (0,1), asked for by the host
        })
        .Click(ui::kIdOk);
    EXPECT_EQ(Open(PackPair(0, 1)), kOk);
    EXPECT_EQ(FromStartUp(),
              Concat({kStartUp,
                      {"vvoiceInitializeUpdateContext", "sysReplaceVVoiceLibTable(3)",
                       "vvoiceNotifyObserversOfUpdates"}}));
    EXPECT_TRUE(SameVoices(trak->Document(), before));
    EXPECT_EQ(trak->LibraryTable().size(), 3u);
}

TEST_F(SingerEditorInvocation, CancelAndEscapeRollBack) {
    user.Click(ui::kIdCancel).PressEscape();
    for (int run = 0; run < 2; ++run) {
        log.Clear();
        EXPECT_EQ(Open(), kOk);
        EXPECT_EQ(FromStartUp(), Concat({kStartUp, {"DBM_RollBackEditor(77)"}}));
    }
    EXPECT_EQ(trak->CountOf(trak4::TrakOp::kReplaceLibTable), 0);
}

}  // namespace
}  // namespace kora::test
