// Other processes on the same database: they see committed data only, a
// commit that dies half-way leaves a whole store, and two writers do not
// overwrite each other.
#include <gtest/gtest.h>

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

TEST(CrashDuringCommit, LeavesTheOldOrTheNewStoreWhole) {
    for (const auto& [stage, newStore] :
         {std::pair{"partly-written", false}, {"flushed", false}, {"replaced", true}}) {
        SCOPED_TRACE(stage);
        SampleHome home;
        const std::string before = ReadFile(home / "store.json");
        ASSERT_EQ(RunProbe({"commit-create", "5", "Half-written", stage}).first, 42);
        const auto state = vbank4::ParseStore(ReadFile(home / "store.json"));
        if (newStore) {
            EXPECT_EQ(state.revision, 2u);
            EXPECT_EQ(state.voices.at({5, 1}).name, u"Half-written");
        } else {
            EXPECT_EQ(ReadFile(home / "store.json"), before);
        }
        // The next commit goes through despite any leftover temporary file.
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
