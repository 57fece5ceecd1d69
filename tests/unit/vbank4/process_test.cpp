// Other processes on the same database: they see committed data only, a
// commit that dies half-way leaves a whole store, and two writers do not
// overwrite each other.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "vbank4/store.h"
#include "vbank4_test_support.h"

extern char** environ;

namespace {

using namespace testing_support;

// Runs the probe with this environment (so the same VBANK4_HOME); answers
// its exit code and its output framed by new lines, or -1.
std::pair<int, std::string> RunProbe(std::vector<std::string> args) {
    TempFolder scratch;
    const std::string outputFile = (scratch / "out.txt").string();
    args.insert(args.begin(), VBANK4_PROBE);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT, 0644);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return {-1, ""};
    return {WEXITSTATUS(status), "\n" + ReadFile(outputFile)};
}

std::string Dump() { return RunProbe({"dump"}).second; }

using ProcessTest = SampleDatabase;

TEST_F(ProcessTest, AnotherProcessSeesCommittedDataOnly) {
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Pending");
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 5, 0), 0);
    ASSERT_EQ(DBM_SetDefaultVirtualVoice(editor, 1, 0), 0);
    const auto [code, before] = RunProbe({"dump"});
    ASSERT_EQ(code, 0) << before;
    EXPECT_EQ(before.find("\n2 1 Pending\n"), std::string::npos) << before;
    EXPECT_NE(before.find("\n5 0 Deep Harbor\n"), std::string::npos) << before;
    EXPECT_NE(before.find("\n1 1 ハルカ Live\n"), std::string::npos) << before;
    EXPECT_NE(before.find("\ndefault 0 0\n"), std::string::npos) << before;
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    const std::string after = Dump();
    EXPECT_NE(after.find("\n2 1 Pending\n"), std::string::npos) << after;
    EXPECT_EQ(after.find("\n5 0 Deep Harbor\n"), std::string::npos) << after;
    EXPECT_NE(after.find("\ndefault 1 0\n"), std::string::npos) << after;
}

TEST_F(ProcessTest, ACommitDoesNotOverwriteAnotherProcesssCommit) {
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Ours");
    ASSERT_EQ(RunProbe({"commit-create", "2", "Theirs"}).first, 0);
    EXPECT_EQ(DBM_CommitEditor(editor), vbank4::kStoreChanged);
    // Rolling back brings the other process's state in; the edit can be redone.
    ASSERT_EQ(DBM_RollBackEditor(editor), 0);
    EXPECT_EQ(NameAt(2, 1), u"Theirs");
    EXPECT_EQ(CreateVoice(editor, 2, kAurora, u"Ours"), 2);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    const std::string dump = Dump();
    EXPECT_NE(dump.find("\n2 1 Theirs\n"), std::string::npos) << dump;
    EXPECT_NE(dump.find("\n2 2 Ours\n"), std::string::npos) << dump;
}

TEST(CrashDuringCommit, LeavesTheOldOrTheNewStoreWhole) {
    for (const auto& [stage, newStore] :
         {std::pair{"partly-written", false}, {"flushed", false}, {"replaced", true}}) {
        SCOPED_TRACE(stage);
        SampleHome home;
        const std::string before = ReadFile(home / "store.json");
        ASSERT_EQ(RunProbe({"commit-create", "5", "Half-written", stage}).first, 42);
        const std::string after = ReadFile(home / "store.json");
        if (newStore) {
            const auto state = vbank4::ParseStore(after);
            EXPECT_EQ(state.revision, 2u);
            ASSERT_EQ(state.voices.count({5, 1}), 1u);
            EXPECT_EQ(state.voices.at({5, 1}).name, u"Half-written");
        } else {
            EXPECT_EQ(after, before);
        }
        // The next commit goes through despite any leftover temporary file.
        ASSERT_EQ(DBM_Init(), 0);
        EXPECT_EQ(VirtualVoiceCount(), newStore ? 8 : 7);
        const uint32_t editor = DBM_GetEditor();
        CreateVoice(editor, 2, kAurora, u"Next");
        EXPECT_EQ(DBM_CommitEditor(editor), 0);
        DBM_Delete();
        EXPECT_NE(Dump().find("\n2 1 Next\n"), std::string::npos);
    }
    SampleHome first;  // a first commit that dies leaves no store rather than a broken one
    std::filesystem::remove(first / "store.json");
    ASSERT_EQ(RunProbe({"commit-create", "0", "First", "flushed"}).first, 42);
    EXPECT_FALSE(std::filesystem::exists(first / "store.json"));
}

}  // namespace
