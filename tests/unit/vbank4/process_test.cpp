// Other processes on the same database: they see committed data only, a
// commit that dies half-way leaves a whole store, and two writers do not
// overwrite each other.
#include <gtest/gtest.h>

#include "standins/json_fields.h"
#include "tool_process.h"
#include "vbank4/store.h"
#include "vbank4_test_support.h"

namespace {

using namespace testing_support;

// Runs the probe on the same VBANK4_HOME: its exit code, and its output
// with each line framed by line ends.
std::pair<int, std::string> RunProbe(const std::vector<std::string>& args) {
    TempFolder scratch;
    const auto result = kora::test::RunProcess(VBANK4_PROBE, args, {}, scratch.path());
    return {result.exitCode, "\n" + result.out};
}

bool Lists(const std::string& line) {
    return RunProbe({"dump"}).second.find("\n" + line + "\n") != std::string::npos;
}

using ProcessTest = SampleDatabase;

TEST_F(ProcessTest, AnotherProcessSeesCommittedDataOnlyAndIsNotOverwritten) {
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Ours");
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 5, 0), 0);
    ASSERT_EQ(DBM_SetDefaultVirtualVoice(editor, 1, 0), 0);
    EXPECT_EQ(RunProbe({"dump"}).first, 0);
    EXPECT_FALSE(Lists("2 1 Ours"));
    EXPECT_TRUE(Lists("5 0 Deep Harbor"));
    EXPECT_TRUE(Lists("1 1 ハルカ Live"));
    EXPECT_TRUE(Lists("default 0 0"));

    ASSERT_EQ(RunProbe({"commit-create", "2", "Theirs"}).first, 0);
    EXPECT_EQ(DBM_CommitEditor(editor), vbank4::kStoreChanged);
    // Rolling back brings the other process's state in; the edit can be redone.
    ASSERT_EQ(DBM_RollBackEditor(editor), 0);
    EXPECT_EQ(NameAt(2, 1), u"Theirs");
    EXPECT_EQ(CreateVoice(editor, 2, kAurora, u"Ours"), 2);
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 5, 0), 0);
    ASSERT_EQ(DBM_SetDefaultVirtualVoice(editor, 1, 0), 0);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    EXPECT_TRUE(Lists("2 1 Theirs"));
    EXPECT_TRUE(Lists("2 2 Ours"));
    EXPECT_FALSE(Lists("5 0 Deep Harbor"));
    EXPECT_TRUE(Lists("default 1 0"));
}

TEST_F(ProcessTest, TheRegistryNeverGoesBackToAnOlderRevision) {
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Ours");
    ASSERT_EQ(DBM_CommitEditor(editor), 0);                          // revision 2
    ASSERT_EQ(RunProbe({"commit-create", "2", "Theirs"}).first, 0);  // 3, and its registry
    ASSERT_EQ(DBM_UpdateUserRegistory(editor), 0);
    const auto registry = standins::ParseJson(ReadFile(home_ / "registry.json"));
    EXPECT_EQ(registry["revision"], 3);
    EXPECT_EQ(registry["virtualVoiceCount"], 9);
}

TEST(CrashDuringCommit, LeavesTheOldOrTheNewStoreWhole) {
    // One voice goes in as an appended commit line; a full bank outgrows the
    // lines and rewrites the store. At "replaced" the one-voice commit is
    // done and the probe dies writing the registry.
    struct Case {
        const char* count;
        const char* stage;
        bool lasts;
    };
    for (const Case& c : {Case{"1", "partly-written", false}, Case{"1", "flushed", true},
                          Case{"1", "replaced", true}, Case{"128", "partly-written", false},
                          Case{"128", "flushed", false}, Case{"128", "replaced", true}}) {
        SCOPED_TRACE(std::string(c.count) + " " + c.stage);
        SampleHome home;
        const vbank4::StoreState before = vbank4::ParseStore(ReadFile(home / "store.json"));
        ASSERT_EQ(RunProbe({"commit-create", "3", "Cut", c.stage, c.count}).first, 42);
        const vbank4::StoreState after = vbank4::ParseStore(ReadFile(home / "store.json"));
        if (c.lasts) {
            EXPECT_EQ(after.revision, 2u);
            EXPECT_EQ(after.voices.size(), before.voices.size() + std::stoul(c.count));
        } else {
            EXPECT_EQ(after, before);
        }
        // The next commit goes through despite any leftover.
        ASSERT_EQ(DBM_Init(), 0);
        const uint32_t editor = DBM_GetEditor();
        CreateVoice(editor, 2, kAurora, u"Next");
        EXPECT_EQ(DBM_CommitEditor(editor), 0);
        DBM_Delete();
        EXPECT_TRUE(Lists("2 1 Next"));
    }
    SampleHome first;  // a first commit that dies leaves no store rather than a broken one
    std::filesystem::remove(first / "store.json");
    ASSERT_EQ(RunProbe({"commit-create", "0", "First", "flushed"}).first, 42);
    EXPECT_FALSE(std::filesystem::exists(first / "store.json"));
}

}  // namespace
