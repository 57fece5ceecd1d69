// Other processes on the same database: they see committed data only, a
// commit that dies half-way leaves a whole store, and two writers do not
// overwrite each other.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <sstream>

#include "vbank4/store.h"
#include "vbank4_test_support.h"

extern char** environ;

namespace {

using namespace testing_support;

struct ProbeRun {
    int exitCode = -1;
    std::string output;
};

// Runs the probe with the current environment (so the same VBANK4_HOME).
ProbeRun RunProbe(const std::vector<std::string>& args) {
    TempFolder scratch;
    const std::string outputFile = (scratch / "out.txt").string();
    std::vector<std::string> argv{VBANK4_PROBE};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> raw;
    for (std::string& arg : argv) raw.push_back(arg.data());
    raw.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, raw[0], &actions, nullptr, raw.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ProbeRun run;
    if (spawned != 0) return run;
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return run;
    run.exitCode = WEXITSTATUS(status);
    run.output = ReadFile(outputFile);
    return run;
}

bool Lists(const std::string& dump, const std::string& line) {
    std::istringstream lines(dump);
    for (std::string l; std::getline(lines, l);) {
        if (l == line) return true;
    }
    return false;
}

class ProcessTest : public SampleDatabase {};

TEST_F(ProcessTest, AnotherProcessSeesCommittedDataOnly) {
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Pending");
    ASSERT_EQ(DBM_DeleteVirtualVoice(editor, 5, 0), 0);
    ASSERT_EQ(DBM_SetDefaultVirtualVoice(editor, 1, 0), 0);

    ProbeRun before = RunProbe({"dump"});
    ASSERT_EQ(before.exitCode, 0) << before.output;
    EXPECT_FALSE(Lists(before.output, "2 1 Pending")) << before.output;
    EXPECT_TRUE(Lists(before.output, "5 0 Deep Harbor")) << before.output;
    EXPECT_TRUE(Lists(before.output, "default 0 0")) << before.output;
    EXPECT_TRUE(Lists(before.output, "1 1 ハルカ Live")) << before.output;

    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    ProbeRun after = RunProbe({"dump"});
    ASSERT_EQ(after.exitCode, 0);
    EXPECT_TRUE(Lists(after.output, "2 1 Pending")) << after.output;
    EXPECT_FALSE(Lists(after.output, "5 0 Deep Harbor")) << after.output;
    EXPECT_TRUE(Lists(after.output, "default 1 0")) << after.output;
}

TEST_F(ProcessTest, ACommitDoesNotOverwriteAnotherProcesssCommit) {
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Ours");

    ASSERT_EQ(RunProbe({"commit-create", "2", "Theirs"}).exitCode, 0);
    EXPECT_EQ(DBM_CommitEditor(editor), vbank4::kStoreChanged);
    EXPECT_TRUE(Lists(RunProbe({"dump"}).output, "2 1 Theirs"));

    // Rolling back brings the other process's state in; the edit can be redone.
    ASSERT_EQ(DBM_RollBackEditor(editor), 0);
    EXPECT_EQ(NameAt(2, 1), u"Theirs");
    EXPECT_EQ(CreateVoice(editor, 2, kAurora, u"Ours"), 2);
    ASSERT_EQ(DBM_CommitEditor(editor), 0);
    const std::string dump = RunProbe({"dump"}).output;
    EXPECT_TRUE(Lists(dump, "2 1 Theirs")) << dump;
    EXPECT_TRUE(Lists(dump, "2 2 Ours")) << dump;
}

struct CrashCase {
    const char* stage;
    bool newStoreExpected;
};

void PrintTo(const CrashCase& c, std::ostream* out) { *out << c.stage; }

class CrashDuringCommit : public ::testing::TestWithParam<CrashCase> {
protected:
    SampleHome home_;
};

TEST_P(CrashDuringCommit, LeavesTheOldOrTheNewStoreWhole) {
    const std::string before = ReadFile(home_ / "store.json");
    const ProbeRun crashed = RunProbe({"commit-create", "5", "Half-written", GetParam().stage});
    ASSERT_EQ(crashed.exitCode, 42) << "the probe did not die where it was told to";

    const std::string after = ReadFile(home_ / "store.json");
    ASSERT_NO_THROW(vbank4::ParseStore(after));
    if (GetParam().newStoreExpected) {
        const auto state = vbank4::ParseStore(after);
        EXPECT_EQ(state.revision, 2u);
        ASSERT_EQ(state.voices.count({5, 1}), 1u);
        EXPECT_EQ(state.voices.at({5, 1}).name, u"Half-written");
    } else {
        EXPECT_EQ(after, before);
    }

    // The library opens it, and the next commit goes through despite any
    // leftover temporary file.
    ASSERT_EQ(DBM_Init(), 0);
    EXPECT_EQ(VirtualVoiceCount(), GetParam().newStoreExpected ? 8 : 7);
    const uint32_t editor = DBM_GetEditor();
    CreateVoice(editor, 2, kAurora, u"Next");
    EXPECT_EQ(DBM_CommitEditor(editor), 0);
    DBM_Delete();
    EXPECT_TRUE(Lists(RunProbe({"dump"}).output, "2 1 Next"));
}

INSTANTIATE_TEST_SUITE_P(Stages, CrashDuringCommit,
                         ::testing::Values(CrashCase{"partly-written", false},
                                           CrashCase{"flushed", false},
                                           CrashCase{"replaced", true}),
                         [](const auto& param) {
                             std::string name = param.param.stage;
                             std::erase(name, '-');
                             return name;
                         });

TEST(CrashDuringFirstCommit, LeavesNoStoreRatherThanABrokenOne) {
    SampleHome home;
    std::filesystem::remove(home / "store.json");
    ASSERT_EQ(RunProbe({"commit-create", "0", "First", "flushed"}).exitCode, 42);
    EXPECT_FALSE(std::filesystem::exists(home / "store.json"));
    ASSERT_EQ(DBM_Init(), 0);
    EXPECT_EQ(VirtualVoiceCount(), 0);
    DBM_Delete();
}

}  // namespace
