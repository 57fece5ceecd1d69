// kora4-singers as people run it: a separate process on a scratch copy of
// the vbank4 sample, judged by its exit code, its two output streams and
// the files it leaves.
#include <stdlib.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tool_process.h"

namespace kora::test {
namespace {

namespace fs = std::filesystem;
using testing::EndsWith;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;
using testing::StartsWith;

constexpr int kOk = 0;
constexpr int kRejected = 1;
constexpr int kUsage = 2;
constexpr int kFile = 3;
constexpr int kDatabase = 4;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

// Singers that the sample's catalog and store meet in every way: kept and
// dropped secondary singers, a voice that is not installed, a duplicate of a
// stored singer and one of a singer taken earlier from the same file.
constexpr char kSharedFile[] =
    "; shared by a friend\n"
    "\n"
    "[general]\n"
    "version = 1\n"
    "[MySingerList]\n"
    "count=2\n"
    "\"Fresh Duet\"=VB4S00AURORA0001,1,2,3,4,VB4S00SAKURA0004,5,6,7,8,-9\n"
    "; a comment between singers\n"
    "\"Lone Tindra\"=VB4S05TINDRA0012,0,0,0,0,VB4S00AURORA0001,1,1,1,1,1\n"
    "\"Ghost\"=VB4S09RETIRE0099,0,0,0,0,,0,0,0,0,0\n"
    "\"Sakura Soft\"=VB4S00SAKURA0004,15,20,10,-10,,0,0,0,0,0\n"
    "not quoted\n"
    "\"Only Name\"=\n"
    "\"Case\"=vb4s00aurora0001,1\n"
    "\"Ruta Again\"=VB4S01JOAQUI0005,-5,0,10,15,VB4S09RETIRE0099,0,0,0,0,0\n"
    "\"Fresh Again\"=VB4S00AURORA0001,1,2,3,4,VB4S00SAKURA0004,5,6,7,8,-9\n";

class SingersTool : public testing::Test {
protected:
    SingersTool() {
        std::string pattern = (fs::temp_directory_path() / "kora4-singers-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
        home_ = root_ / "home";
    }
    // Here rather than in the constructor: a failure still removes the folder.
    void SetUp() override {
        fs::create_directory(home_);
        for (const char* name : {"catalog.json", "store.json"}) {
            fs::copy_file(fs::path(VBANK4_SAMPLE_DIR) / name, home_ / name);
        }
    }
    ~SingersTool() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    ProcessResult Run(const std::vector<std::string>& args,
                      std::map<std::string, std::string> environment = {}) {
        environment.emplace("VBANK4_HOME", home_.string());
        return RunProcess(KORA4_SINGERS, args, environment, root_);
    }

    std::string Path(const std::string& name) const { return (root_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        WriteBytes(root_ / name, bytes);
        return Path(name);
    }
    std::string Store() const { return ReadBytes(home_ / "store.json"); }

    // Bank 5 holds a virtual voice at every program.
    void FillBankFive() const {
        std::string voices;
        for (int program = 0; program < 128; ++program) {
            if (program > 0) voices += ",";
            voices += R"({"bank": 5, "program": )" + std::to_string(program) +
                      R"(, "name": "Full )" + std::to_string(program) +
                      R"(", "primaryVoiceId": "VB4S05ORION_0011", "primaryName": "Orion",
                 "secondaryVoiceId": "",
                 "primaryParams": {"BRE": 0, "BRI": 0, "CLE": 0, "GEN": 0, "AUX": 0},
                 "secondaryParams": {"BRE": 0, "BRI": 0, "CLE": 0, "GEN": 0, "AUX": 0, "VOL": 0}})";
        }
        WriteBytes(home_ / "store.json",
                   R"({"format": "vbank4-store", "version": 1, "revision": 1, "default": null,
                       "virtualVoices": [)" +
                       voices + "]}");
    }

    fs::path root_;
    fs::path home_;  // VBANK4_HOME of every run
};

// The lines of a file written by the tool: byte-order mark, CR LF.
std::vector<std::string> WrittenLines(const std::string& bytes) {
    EXPECT_THAT(bytes, StartsWith("\xEF\xBB\xBF"));
    EXPECT_THAT(bytes, EndsWith("\r\n"));
    std::vector<std::string> lines;
    std::size_t start = 3;
    while (start < bytes.size()) {
        const auto end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST_F(SingersTool, HelpPrintsUsageWithEveryCommandAndTheExitCodes) {
    for (const char* help : {"--help", "-h"}) {
        for (const auto& args : std::vector<std::vector<std::string>>{
                 {help}, {"check", help}, {"export", "x.dat", help}}) {
            const ProcessResult result = Run(args);
            EXPECT_EQ(result.exitCode, kOk) << args.front();
            EXPECT_THAT(result.err, IsEmpty());
            EXPECT_THAT(result.out, HasSubstr("kora4-singers check FILE [--catalog DIR]"));
            EXPECT_THAT(result.out, HasSubstr("kora4-singers import FILE [--store DIR]"));
            EXPECT_THAT(result.out, HasSubstr("kora4-singers export FILE [--store DIR]"));
            EXPECT_THAT(result.out, HasSubstr("; generated by kora4 V4.3.0.1"));
            EXPECT_THAT(result.out, HasSubstr("Exit codes:\n  0  done"));
            EXPECT_THAT(result.out, HasSubstr("  1  the file is rejected at a line"));
        }
    }
    EXPECT_FALSE(fs::exists(Path("x.dat")));
}

TEST_F(SingersTool, BadArgumentsAreRefusedOnStandardErrorWithExitCodeTwo) {
    const std::string store = Store();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no command given"},
        {{"frobnicate", "a.dat"}, "unknown command 'frobnicate'"},
        {{"check"}, "check needs a FILE"},
        {{"import", ""}, "FILE is empty"},
        {{"check", "a.dat", "b.dat"}, "unexpected argument 'b.dat'"},
        {{"check", "a.dat", "--store", "x"}, "unknown option '--store' for check"},
        {{"export", "a.dat", "--catalog", "x"}, "unknown option '--catalog' for export"},
        {{"import", "a.dat", "--force"}, "unknown option '--force' for import"},
        {{"check", "a.dat", "--catalog"}, "--catalog needs a value"},
        {{"check", "a.dat", "--catalog=x", "--catalog", "y"}, "--catalog is given twice"},
        {{"export", "a.dat", "--store="}, "--store needs a non-empty value"},
        {{"check", "a.dat", "--bogus"}, "unknown option '--bogus' for check"},
    };
    for (const auto& [args, message] : cases) {
        const ProcessResult result = Run(args);
        EXPECT_EQ(result.exitCode, kUsage) << message;
        EXPECT_THAT(result.out, IsEmpty()) << message;
        EXPECT_THAT(result.err, StartsWith("kora4-singers: " + message));
        EXPECT_THAT(result.err, HasSubstr("--help"));
    }
    EXPECT_EQ(Store(), store);
}

TEST_F(SingersTool, CheckReportsEverySignificantLineAndChangesNothing) {
    const std::string file = Write("shared.dat", kSharedFile);
    const std::string store = Store();
    const ProcessResult result = Run({"check", file});
    EXPECT_EQ(result.exitCode, kOk) << result.err;
    EXPECT_THAT(result.err, IsEmpty());
    const std::string at = file + ":";
    EXPECT_EQ(result.out,
              at + "3: section [general]\n" +                                  //
                  at + "4: version 1\n" +                                      //
                  at + "5: section [MySingerList]\n" +                         //
                  at + "6: count 2\n" +                                        //
                  at + "7: taken (secondary singer kept): \"Fresh Duet\"\n" +  //
                  at + "9: taken (secondary singer dropped: not a partner): \"Lone Tindra\"\n" +
                  at + "10: passed over: primary voice not installed: \"Ghost\"\n" +     //
                  at + "11: passed over: duplicate of a My singer: \"Sakura Soft\"\n" +  //
                  at + "12: passed over: fewer than two fields: not quoted\n" +          //
                  at + "13: passed over: fewer than two fields: \"Only Name\"\n" +       //
                  at + "14: passed over: primary voice not installed: \"Case\"\n" +      //
                  at + "15: taken (secondary singer dropped: not installed): \"Ruta Again\"\n" +
                  at +
                  "16: passed over: duplicate of a My singer (secondary singer kept): "
                  "\"Fresh Again\"\n" +
                  file + ": 3 of 9 singer lines would be taken\n");
    EXPECT_EQ(Store(), store);
    EXPECT_FALSE(fs::exists(home_ / "store.backup.json"));
}

TEST_F(SingersTool, EveryReportedLineStaysOneShortLine) {
    // 79 letters, then a four-byte character across the cut at 80 units.
    const std::string longName = std::string(79, 'L') + "\xF0\x9F\x8E\xB5" + std::string(50, 'x');
    const std::string file =
        Write("odd.dat", "[general]\nversion=1\n[MySingerList]\ncount=1\n\"" + longName +
                             "\"=VB4S00AURORA0001,1\n\"Tab\there\"=VB4S00AURORA0001,2\n"
                             "\"Unclosed=VB4S00AURORA0001,3\n");
    const ProcessResult result = Run({"check", file});
    EXPECT_EQ(result.exitCode, kOk) << result.err;
    EXPECT_THAT(result.out, HasSubstr(file + ":5: taken: \"" + std::string(79, 'L') + "...\"\n"));
    EXPECT_THAT(result.out, HasSubstr(file + ":6: taken: \"Tab?here\"\n"));
    EXPECT_THAT(result.out,
                HasSubstr(file + ":7: passed over: fewer than two fields (the quoted name is "
                                 "broken): \"Unclosed=VB4S00AURORA0001,3\n"));
}

struct RejectedFile {
    std::string bytes;
    int line;
    std::string reason;
};

TEST_F(SingersTool, CheckOfARejectedFileNamesTheLineAndExitsWithOne) {
    const std::vector<RejectedFile> files = {
        {"[general]\nversion=1\n[MySingerList]\ncount=1\n; c\n\n\"A\"=VB4S00AURORA0001\n"
         "[general]\n\"B\"=VB4S00AURORA0001\n",
         8, "a second [general] section"},
        {"[MySingerList]\ncount=1\n", 1, "[MySingerList] before [general]"},
        {"[general]\nversion=2\n[MySingerList]\ncount=1\n", 3, "version is not 1"},
        {"[general]\r\nversion=1\r\n[MySingerList]\r\ncount=0\r\n\"A\"=VB4S00AURORA0001\r\n", 5,
         "a singer line after a count below 1"},
        {"[general]\nversion=1 ; one\n", 2, "no valid version line after [general]"},
        {"\xEF\xBB\xBF; header\n[General]\nversion=1\n", 2, "a line before [general]"},
        {"[general]\nversion=1\n[MySingerList]\n", 3, "[MySingerList] without a count line"},
    };
    for (const RejectedFile& rejected : files) {
        const std::string file = Write("rejected.dat", rejected.bytes);
        const ProcessResult result = Run({"check", file});
        const std::string faultLine = file + ":" + std::to_string(rejected.line) + ": rejected: ";
        EXPECT_EQ(result.exitCode, kRejected) << rejected.reason;
        EXPECT_THAT(result.out, EndsWith(faultLine + rejected.reason + "\n"));
        EXPECT_THAT(result.out, Not(HasSubstr(file + ":" + std::to_string(rejected.line + 1))));
        EXPECT_EQ(result.err, "kora4-singers: " + file + " is rejected at line " +
                                  std::to_string(rejected.line) + ": " + rejected.reason + "\n");
    }
    // Lines before the fault keep their fates.
    const std::string file = Write("rejected.dat", files[0].bytes);
    EXPECT_THAT(Run({"check", file}).out, HasSubstr(file + ":7: taken: \"A\"\n"));
}

TEST_F(SingersTool, CheckReadsTheCatalogFolderItIsGiven) {
    const std::string file = Write("shared.dat", kSharedFile);
    fs::create_directory(root_ / "empty");
    const std::map<std::string, std::string> elsewhere = {{"VBANK4_HOME", Path("empty")}};

    const ProcessResult withoutCatalog = Run({"check", file}, elsewhere);
    EXPECT_EQ(withoutCatalog.exitCode, kDatabase);
    EXPECT_THAT(withoutCatalog.out, IsEmpty());
    EXPECT_EQ(withoutCatalog.err,
              "kora4-singers: the voice database folder holds no readable catalog.json\n");

    for (const auto& args :
         std::vector<std::vector<std::string>>{{"check", file, "--catalog", home_.string()},
                                               {"check", "--catalog=" + home_.string(), file}}) {
        const ProcessResult result = Run(args, elsewhere);
        EXPECT_EQ(result.exitCode, kOk) << result.err;
        EXPECT_THAT(result.out, EndsWith(": 3 of 9 singer lines would be taken\n"));
    }

    const ProcessResult missingFolder = Run({"check", file, "--catalog", Path("nowhere")});
    EXPECT_EQ(missingFolder.exitCode, kDatabase);
    EXPECT_THAT(missingFolder.err, HasSubstr("no data folder"));
}

TEST_F(SingersTool, FilesThatCannotBeReadOrWrittenExitWithThree) {
    const ProcessResult check = Run({"check", Path("missing.dat")});
    EXPECT_EQ(check.exitCode, kFile);
    EXPECT_EQ(check.err, "kora4-singers: cannot read " + Path("missing.dat") + "\n");

    const std::string store = Store();
    const ProcessResult import = Run({"import", Path("missing.dat")});
    EXPECT_EQ(import.exitCode, kFile);
    EXPECT_EQ(Store(), store);

    const ProcessResult exported = Run({"export", Path("no/such/folder/out.dat")});
    EXPECT_EQ(exported.exitCode, kFile);
    EXPECT_EQ(exported.err,
              "kora4-singers: cannot create " + Path("no/such/folder/out.dat") + "\n");
}

TEST_F(SingersTool, ExportWritesTheStoreAsTheSingerEditorDoes) {
    const ProcessResult result = Run({"export", Path("mine.dat")});
    EXPECT_EQ(result.exitCode, kOk) << result.err;
    EXPECT_EQ(result.out, Path("mine.dat") + ": 7 singers exported\n");
    const std::vector<std::string> expected = {
        "; kora4-singers My Singer Information",
        "; generated by kora4 V4.3.0.1",
        "[general]",
        "version=1",
        "[MySingerList]",
        "count=7",
        // Singer order: bank, then name without regard to case.
        "\"Aurora Bright\"=VB4S00AURORA0001,5,40,20,-5,VB4S02ZOE___0010,8,35,25,-25,-40",
        "\"Morning Choir\"=VB4S00AURORA0001,12,18,15,-5,VB4S00ELODIE0003,20,10,0,-10,-20",
        "\"Sakura Soft\"=VB4S00SAKURA0004,15,20,10,-10,,0,0,0,0,0",
        "\"Ruta del Sur\"=VB4S01JOAQUI0005,-5,0,10,15,VB4S00BASTIE0002,0,-10,5,20,-30",
        "\"\xE3\x83\x8F\xE3\x83\xAB\xE3\x82\xAB Live\"=VB4S01HARUKA0007,15,25,10,-20,,0,0,0,0,0",
        "\"Caf\xC3\xA9 Mireille\"=VB4S02MIREIL0008,25,-5,-10,-5,,0,0,0,0,0",
        "\"Deep Harbor\"=VB4S05ORION_0011,-10,-30,0,50,VB4S01SOREN_0006,0,-20,-5,30,-10",
    };
    EXPECT_EQ(WrittenLines(ReadBytes(Path("mine.dat"))), expected);
}

TEST_F(SingersTool, ExportThenImportPassesOverEveryDuplicate) {
    ASSERT_EQ(Run({"export", Path("mine.dat")}).exitCode, kOk);
    const std::string store = Store();
    const ProcessResult result = Run({"import", Path("mine.dat")});
    EXPECT_EQ(result.exitCode, kOk) << result.err;
    EXPECT_THAT(result.err, IsEmpty());
    for (int line = 7; line <= 13; ++line) {
        EXPECT_THAT(result.out, HasSubstr(Path("mine.dat") + ":" + std::to_string(line) +
                                          ": passed over: duplicate of a My singer"));
    }
    EXPECT_THAT(result.out, Not(HasSubstr(": taken")));
    EXPECT_THAT(result.out, EndsWith(": nothing imported: every singer line was passed over\n"));
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
    const auto lines = WrittenLines(ReadBytes(Path("after.dat")));
    EXPECT_EQ(lines[5], "count=10");
    EXPECT_THAT(lines,
                testing::IsSupersetOf({
                    "\"Fresh Duet\"=VB4S00AURORA0001,1,2,3,4,VB4S00SAKURA0004,5,6,7,8,-9",
                    // Dropped secondary singers leave the defaults of the voice named, VOL 0.
                    "\"Lone Tindra\"=VB4S05TINDRA0012,0,0,0,0,,10,20,15,-5,0",
                    "\"Ruta Again\"=VB4S01JOAQUI0005,-5,0,10,15,,0,0,0,0,0",
                }));

    const ProcessResult again = Run({"import", file});
    EXPECT_EQ(again.exitCode, kOk);
    EXPECT_THAT(again.out, Not(HasSubstr(": taken")));
}

TEST_F(SingersTool, ARejectedFileImportsNothing) {
    const std::string file = Write(
        "rejected.dat",
        "[general]\nversion=1\n[MySingerList]\ncount=1\n"
        "\"Fresh Duet\"=VB4S00AURORA0001,1,2,3,4,VB4S00SAKURA0004,5,6,7,8,-9\n[MySingerList]\n");
    const std::string store = Store();
    const ProcessResult result = Run({"import", file});
    EXPECT_EQ(result.exitCode, kRejected);
    EXPECT_THAT(result.out, EndsWith(file + ":6: rejected: a second [MySingerList] section\n"));
    EXPECT_EQ(result.err, "kora4-singers: " + file +
                              " is rejected at line 6: a second [MySingerList] section; nothing "
                              "imported\n");
    EXPECT_EQ(Store(), store);
    EXPECT_FALSE(fs::exists(home_ / "store.backup.json"));
}

TEST_F(SingersTool, ARefusedSingerRollsTheWholeImportBack) {
    FillBankFive();
    const std::string store = Store();
    const std::string file =
        Write("full.dat",
              "[general]\nversion=1\n[MySingerList]\ncount=3\n"
              "\"Fresh Duet\"=VB4S00AURORA0001,1,2,3,4,VB4S00SAKURA0004,5,6,7,8,-9\n"
              "\"Tindra\"=VB4S05TINDRA0012,1,1,1,1\n"
              "\"Later\"=VB4S00BASTIE0002,1,1,1,1\n");

    const ProcessResult check = Run({"check", file});
    EXPECT_EQ(check.exitCode, kDatabase);
    EXPECT_EQ(check.err,
              "kora4-singers: bank 5 has no free program: an import would stop at "
              "line 6\n");

    const ProcessResult result = Run({"import", file});
    EXPECT_EQ(result.exitCode, kDatabase);
    EXPECT_THAT(result.out, HasSubstr(file + ":5: taken"));
    EXPECT_THAT(result.out, HasSubstr(file + ":6: refused by the database: \"Tindra\"\n"));
    EXPECT_THAT(result.out, HasSubstr(file + ":7: not reached: the import stops before it"));
    EXPECT_EQ(result.err,
              "kora4-singers: the voice database refused the singer at line 6; nothing "
              "imported\n");
    // The singer taken before the refusal is gone with the rest.
    EXPECT_EQ(Store(), store);
    ASSERT_EQ(Run({"export", Path("after.dat")}).exitCode, kOk);
    EXPECT_THAT(ReadBytes(Path("after.dat")), Not(HasSubstr("Fresh Duet")));
}

TEST_F(SingersTool, ExportReplacesAnExistingFileOnlyWithForce) {
    const std::string file = Write("kept.dat", "precious");
    const ProcessResult refused = Run({"export", file});
    EXPECT_EQ(refused.exitCode, kFile);
    EXPECT_EQ(refused.err, "kora4-singers: " + file + " exists; use --force to replace it\n");
    EXPECT_EQ(ReadBytes(file), "precious");

    const ProcessResult forced = Run({"export", "--force", file});
    EXPECT_EQ(forced.exitCode, kOk) << forced.err;
    EXPECT_EQ(WrittenLines(ReadBytes(file)).size(), 13u);
}

TEST_F(SingersTool, AnEmptyStoreExportsNoFile) {
    fs::remove(home_ / "store.json");
    const ProcessResult result = Run({"export", Path("none.dat")});
    EXPECT_EQ(result.exitCode, kOk);
    EXPECT_EQ(result.out, "My Singers is empty: no file written\n");
    EXPECT_FALSE(fs::exists(Path("none.dat")));
}

TEST_F(SingersTool, ADamagedStoreOrAMissingLibraryIsADatabaseFailure) {
    WriteBytes(home_ / "store.json", "{\"format\": \"vbank4-store\", \"vers");
    const ProcessResult damaged = Run({"export", Path("out.dat")});
    EXPECT_EQ(damaged.exitCode, kDatabase);
    EXPECT_EQ(damaged.err,
              "kora4-singers: store.json of the voice database is damaged or cut short\n");
    EXPECT_FALSE(fs::exists(Path("out.dat")));

    const ProcessResult noLibrary =
        Run({"check", Write("a.dat", kSharedFile), "--library", Path("libnothing.so")});
    EXPECT_EQ(noLibrary.exitCode, kDatabase);
    EXPECT_EQ(noLibrary.err, "kora4-singers: cannot load the voice database library " +
                                 Path("libnothing.so") + "\n");
}

}  // namespace
}  // namespace kora::test
