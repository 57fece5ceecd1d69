// kora4-singers as people run it: a separate process on a scratch copy of
// the vbank4 sample, judged by its exit code, its two output streams and
// the files it leaves.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "temp_folder.h"
#include "tool_process.h"

namespace kora::test {
namespace {

namespace fs = std::filesystem;
using testing::EndsWith;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;
using testing::StartsWith;
using testing_support::ReadFile;

enum ExitCode { kOk, kRejected, kUsage, kFile, kDatabase };

// Singers that the sample's catalog and store meet in every way: kept and
// dropped secondary singers, a voice that is not installed, a duplicate of a
// stored singer and one of a singer taken earlier from the same file.
constexpr char kSharedFile[] =
    "; shared by a friend\n\n[general]\nversion = 1\n[MySingerList]\ncount=2\n"
    "\"Fresh Duet\"=VB4S00AURORA0001,1,2,3,4,VB4S00SAKURA0004,5,6,7,8,-9\n"
    "; a comment between singers\n"
    "\"Lone Tindra\"=VB4S05TINDRA0012,0,0,0,0,VB4S00AURORA0001,1,1,1,1,1\n"
    "\"Ghost\"=VB4S09RETIRE0099,0,0,0,0,,0,0,0,0,0\n"
    "\"Sakura Soft\"=VB4S00SAKURA0004,15,20,10,-10,,0,0,0,0,0\n"
    "not quoted\n\"Only Name\"=\n\"Case\"=vb4s00aurora0001,1\n"
    "\"Ruta Again\"=VB4S01JOAQUI0005,-5,0,10,15,VB4S09RETIRE0099,0,0,0,0,0\n"
    "\"Fresh Again\"=VB4S00AURORA0001,1,2,3,4,VB4S00SAKURA0004,5,6,7,8,-9\n";

class SingersTool : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directory(home_);
        for (const char* name : {"catalog.json", "store.json"})
            fs::copy_file(fs::path(VBANK4_SAMPLE_DIR) / name, home_ / name);
    }
    ProcessResult Run(const std::vector<std::string>& args,
                      std::map<std::string, std::string> environment = {}) {
        environment.emplace("VBANK4_HOME", home_.string());
        return RunProcess(KORA4_SINGERS, args, environment, root_.path());
    }
    std::string Path(const std::string& name) const { return (root_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        testing_support::WriteFile(root_ / name, bytes);
        return Path(name);
    }
    std::string Store() const { return ReadFile(home_ / "store.json"); }

    testing_support::TempFolder root_;
    fs::path home_ = root_ / "home";  // VBANK4_HOME of every run
};

// The lines of a file written by the tool: byte-order mark, CR LF.
std::vector<std::string> WrittenLines(const std::string& bytes) {
    EXPECT_THAT(bytes, StartsWith("\xEF\xBB\xBF"));
    EXPECT_THAT(bytes, EndsWith("\r\n"));
    std::vector<std::string> lines;
    for (std::size_t start = 3, end; start < bytes.size(); start = end + 2) {
        end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
}

TEST_F(SingersTool, HelpAndRefusals) {
    const ProcessResult help = Run({"export", "x.dat", "--help"});
    EXPECT_EQ(help.exitCode, kOk);
    EXPECT_THAT(help.err, IsEmpty());
    EXPECT_THAT(help.out, HasSubstr("kora4-singers check FILE [--catalog DIR]"));
    EXPECT_THAT(help.out, HasSubstr("Exit codes:\n  0  done"));
    const std::string store = Store(), file = Write("shared.dat", kSharedFile);
    const std::string kept = Write("kept.dat", "precious"), huge = Write("huge.dat", kSharedFile);
    fs::resize_file(huge, (64u << 20) + 1);  // sparse
    fs::create_directory(root_ / "empty");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string err;  // its start
    } cases[] = {
        {{}, kUsage, "no command given"},
        {{"frobnicate", "a.dat"}, kUsage, "unknown command 'frobnicate'"},
        {{"check"}, kUsage, "check needs a FILE"},
        {{"check", "a.dat", "b.dat"}, kUsage, "unexpected argument 'b.dat'"},
        {{"check", "a.dat", "--store", "x"}, kUsage, "unknown option '--store' for check"},
        {{"import", "a.dat", "--force"}, kUsage, "unknown option '--force' for import"},
        {{"check", "a.dat", "--catalog=x", "--catalog", "y"}, kUsage, "--catalog is given twice"},
        {{"export", "a.dat", "--store="}, kUsage, "--store needs a non-empty value"},
        {{"check", Path("missing.dat")}, kFile, "cannot read " + Path("missing.dat") + "\n"},
        {{"import", huge}, kFile, huge + " is larger than 64 MiB"},
        {{"export", Path("no/such/out.dat")},
         kFile,
         "cannot create " + Path("no/such/out.dat") + "\n"},
        {{"export", kept}, kFile, kept + " exists; use --force to replace it\n"},
        {{"check", file, "--catalog", Path("empty")},
         kDatabase,
         "the voice database folder holds no readable catalog.json\n"},
        {{"check", file, "--catalog", Path("nowhere")},
         kDatabase,
         "the voice database has no data folder"},
        {{"check", file, "--library", Path("libnothing.so")},
         kDatabase,
         "cannot load the voice database library " + Path("libnothing.so") + "\n"}};
    for (const auto& [args, exitCode, err] : cases) {
        const ProcessResult result = Run(args);
        EXPECT_EQ(result.exitCode, exitCode) << err;
        EXPECT_THAT(result.out, IsEmpty());
        EXPECT_THAT(result.err, StartsWith("kora4-singers: " + err));
        EXPECT_EQ(result.err.find("--help") != std::string::npos, exitCode == kUsage);
    }
    EXPECT_EQ(Store(), store);
    EXPECT_EQ(ReadFile(kept), "precious");
    EXPECT_FALSE(fs::exists(Path("x.dat")));
    const ProcessResult elsewhere =
        Run({"check", "--catalog=" + home_.string(), file}, {{"VBANK4_HOME", Path("empty")}});
    EXPECT_EQ(elsewhere.exitCode, kOk) << elsewhere.err;
    EXPECT_THAT(elsewhere.out, EndsWith(": 3 of 9 singer lines would be taken\n"));
    EXPECT_EQ(Run({"export", "--force", kept}).exitCode, kOk);
    EXPECT_EQ(WrittenLines(ReadFile(kept)).size(), 13u);
    testing_support::WriteFile(home_ / "store.json", "{\"format\": \"vbank4-store\", \"vers");
    const ProcessResult damaged = Run({"export", Path("out.dat")});
    EXPECT_EQ(damaged.exitCode, kDatabase);
    EXPECT_EQ(damaged.err,
              "kora4-singers: store.json of the voice database is damaged or cut short\n");
    EXPECT_FALSE(fs::exists(Path("out.dat")));
    fs::remove(home_ / "store.json");
    const ProcessResult empty = Run({"export", Path("none.dat")});
    EXPECT_EQ(empty.exitCode, kOk);
    EXPECT_EQ(empty.out, "My Singers is empty: no file written\n");
    EXPECT_FALSE(fs::exists(Path("none.dat")));
}

TEST_F(SingersTool, CheckReportsEverySignificantLineAndChangesNothing) {
    const std::string file = Write("shared.dat", kSharedFile);
    const std::string store = Store();
    const ProcessResult result = Run({"check", file});
    EXPECT_EQ(result.exitCode, kOk) << result.err;
    EXPECT_THAT(result.err, IsEmpty());
    std::string expected;
    for (const char* line :
         {"3: section [general]", "4: version 1", "5: section [MySingerList]", "6: count 2",
          "7: taken (secondary singer kept): \"Fresh Duet\"",
          "9: taken (secondary singer dropped: not a partner): \"Lone Tindra\"",
          "10: passed over: primary voice not installed: \"Ghost\"",
          "11: passed over: duplicate of a My singer: \"Sakura Soft\"",
          "12: passed over: fewer than two fields: not quoted",
          "13: passed over: fewer than two fields: \"Only Name\"",
          "14: passed over: primary voice not installed: \"Case\"",
          "15: taken (secondary singer dropped: not installed): \"Ruta Again\"",
          "16: passed over: duplicate of a My singer (secondary singer kept): \"Fresh Again\""}) {
        expected += file + ":" + line + "\n";
    }
    EXPECT_EQ(result.out, expected + file + ": 3 of 9 singer lines would be taken\n");
    EXPECT_EQ(Store(), store);
    EXPECT_FALSE(fs::exists(home_ / "store.backup.json"));

    // Every reported line stays one short line: 79 letters, then a four-byte
    // character across the cut at 80 units.
    const std::string odd =
        Write("odd.dat", "[general]\nversion=1\n[MySingerList]\ncount=1\n\"" +
                             std::string(79, 'L') + "\xF0\x9F\x8E\xB5" + std::string(50, 'x') +
                             "\"=VB4S00AURORA0001,1\n\"Tab\there\"=VB4S00AURORA0001,2\n"
                             "\"Unclosed=VB4S00AURORA0001,3\n");
    const ProcessResult oddResult = Run({"check", odd});
    EXPECT_EQ(oddResult.exitCode, kOk) << oddResult.err;
    EXPECT_THAT(oddResult.out, HasSubstr(odd + ":5: taken: \"" + std::string(79, 'L') + "...\"\n"));
    EXPECT_THAT(oddResult.out, HasSubstr(odd + ":6: taken: \"Tab?here\"\n"));
    EXPECT_THAT(oddResult.out, HasSubstr(odd + ":7: passed over: fewer than two fields (the quoted "
                                               "name is broken): \"Unclosed=VB4S00AURORA0001,3\n"));
}

TEST_F(SingersTool, ARejectedFileNamesTheLineAndImportsNothing) {
    const std::string store = Store();
    const struct {
        std::string bytes;
        int line;
        std::string reason;
    } files[] = {
        {"[general]\nversion=1\n[MySingerList]\ncount=1\n; c\n\n\"A\"=VB4S00AURORA0001\n"
         "[general]\n\"B\"=VB4S00AURORA0001\n",
         8, "a second [general] section"},
        {"[MySingerList]\ncount=1\n", 1, "[MySingerList] before [general]"},
        {"[general]\nversion=2\n[MySingerList]\ncount=1\n", 3, "version is not 1"},
        {"[general]\r\nversion=1\r\n[MySingerList]\r\ncount=0\r\n\"A\"=VB4S00AURORA0001\r\n", 5,
         "a singer line after a count below 1"},
        {"\xEF\xBB\xBF; header\n[General]\nversion=1\n", 2, "a line before [general]"},
        {"[general]\nversion=1\n[MySingerList]\ncount=1\n\"Fresh Duet\"=VB4S00AURORA0001,1\n"
         "[MySingerList]\n",
         6, "a second [MySingerList] section"}};
    for (const auto& [bytes, line, reason] : files) {
        const std::string file = Write("rejected.dat", bytes);
        const std::string at = file + ":" + std::to_string(line);
        const std::string rejection =
            file + " is rejected at line " + std::to_string(line) + ": " + reason;
        const ProcessResult check = Run({"check", file});
        EXPECT_EQ(check.exitCode, kRejected) << reason;
        EXPECT_THAT(check.out, EndsWith(at + ": rejected: " + reason + "\n"));
        EXPECT_THAT(check.out, Not(HasSubstr(file + ":" + std::to_string(line + 1))));
        EXPECT_EQ(check.err, "kora4-singers: " + rejection + "\n");
        const ProcessResult import = Run({"import", file});
        EXPECT_EQ(import.exitCode, kRejected);
        EXPECT_EQ(import.err, "kora4-singers: " + rejection + "; nothing imported\n");
    }
    EXPECT_EQ(Store(), store);
    EXPECT_FALSE(fs::exists(home_ / "store.backup.json"));
    // Lines before the fault keep their fates.
    EXPECT_THAT(Run({"check", Write("r.dat", files[0].bytes)}).out,
                HasSubstr(":7: taken: \"A\"\n"));
}

TEST_F(SingersTool, ExportWritesTheStoreAndImportPassesOverItsDuplicates) {
    const ProcessResult result = Run({"export", Path("mine.dat")});
    EXPECT_EQ(result.exitCode, kOk) << result.err;
    EXPECT_EQ(result.out, Path("mine.dat") + ": 7 singers exported\n");
    // The singers in list order (bank, then name without regard to case);
    // the bytes of each line are the export tests' concern.
    const auto lines = WrittenLines(ReadFile(Path("mine.dat")));
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "; kora4-singers My Singer Information");
    EXPECT_THAT(lines[11], StartsWith("\"Caf\xC3\xA9 Mireille\"="));

    const std::string store = Store();
    const ProcessResult again = Run({"import", Path("mine.dat")});
    EXPECT_EQ(again.exitCode, kOk) << again.err;
    for (int line = 7; line <= 13; ++line) {
        EXPECT_THAT(again.out, HasSubstr(":" + std::to_string(line) +
                                         ": passed over: duplicate of a My singer"));
    }
    EXPECT_THAT(again.out, EndsWith(": nothing imported: every singer line was passed over\n"));
    EXPECT_EQ(Store(), store);
}

TEST_F(SingersTool, ImportedSingersAreInTheNextRunsExport) {
    const std::string file = Write("shared.dat", kSharedFile);
    const ProcessResult imported = Run({"import", file});
    EXPECT_EQ(imported.exitCode, kOk) << imported.err;
    EXPECT_THAT(imported.out, HasSubstr(file + ":7: taken (secondary singer kept)"));
    EXPECT_THAT(imported.out, EndsWith(file + ": 3 singers imported into My Singers\n"));
    EXPECT_TRUE(fs::exists(home_ / "registry.json"));
    EXPECT_TRUE(fs::exists(home_ / "store.backup.json"));
    ASSERT_EQ(Run({"export", Path("after.dat")}).exitCode, kOk);
    const auto lines = WrittenLines(ReadFile(Path("after.dat")));
    EXPECT_EQ(lines[5], "count=10");
    EXPECT_THAT(lines,
                testing::IsSupersetOf(
                    {"\"Fresh Duet\"=VB4S00AURORA0001,1,2,3,4,VB4S00SAKURA0004,5,6,7,8,-9",
                     // Dropped secondary singers leave the defaults of the voice named, VOL 0.
                     "\"Lone Tindra\"=VB4S05TINDRA0012,0,0,0,0,,10,20,15,-5,0",
                     "\"Ruta Again\"=VB4S01JOAQUI0005,-5,0,10,15,,0,0,0,0,0"}));
    EXPECT_THAT(Run({"import", file}).out, Not(HasSubstr(": taken")));
}

TEST_F(SingersTool, ARefusedSingerRollsTheWholeImportBack) {
    std::string voices;  // bank 5 holds a virtual voice at every program
    for (int program = 0; program < 128; ++program) {
        voices += std::string(program > 0 ? "," : "") + R"({"bank": 5, "program": )" +
                  std::to_string(program) +
                  R"(, "name": "Full", "primaryVoiceId": "VB4S05ORION_0011",
                 "primaryName": "Orion", "secondaryVoiceId": "",
                 "primaryParams": {"BRE": 0, "BRI": 0, "CLE": 0, "GEN": 0, "AUX": 0},
                 "secondaryParams": {"BRE": 0, "BRI": 0, "CLE": 0, "GEN": 0, "AUX": 0, "VOL": 0}})";
    }
    testing_support::WriteFile(home_ / "store.json", R"({"format": "vbank4-store", "version": 1,
        "revision": 1, "default": null, "virtualVoices": [)" +
                                                         voices + "]}");
    const std::string store = Store();
    const std::string file =
        Write("full.dat",
              "[general]\nversion=1\n[MySingerList]\ncount=3\n"
              "\"Fresh Duet\"=VB4S00AURORA0001,1,2,3,4\n"
              "\"Tindra\"=VB4S05TINDRA0012,1,1,1,1\n\"Later\"=VB4S00BASTIE0002,1\n");
    const ProcessResult check = Run({"check", file});
    EXPECT_EQ(check.exitCode, kDatabase);
    EXPECT_EQ(check.err,
              "kora4-singers: bank 5 has no free program: an import would stop at line 6\n");
    const ProcessResult result = Run({"import", file});
    EXPECT_EQ(result.exitCode, kDatabase);
    EXPECT_THAT(result.out, HasSubstr(file + ":5: taken"));
    EXPECT_THAT(result.out, HasSubstr(file + ":6: refused by the database: \"Tindra\"\n"));
    EXPECT_THAT(result.out, HasSubstr(file + ":7: not reached: the import stops before it"));
    EXPECT_EQ(result.err,
              "kora4-singers: the voice database refused the singer at line 6; nothing imported\n");
    EXPECT_EQ(Store(), store);  // the singer taken before the refusal is gone with the rest
}

}  // namespace
}  // namespace kora::test
