// Import and Export through the Singer Editor's buttons: the file dialogs,
// the messages, the rows and entries, the database calls and the bytes on
// disk.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

#include "editor_dlg_fixture.h"
#include "ui/headless/headless_window.h"

namespace kora::dialogs::test {
namespace {

namespace fs = std::filesystem;
using testing::IsEmpty;

constexpr char16_t kFilter[] = u"SingerEditor Setting File (*.dat)|*.dat|All Files (*.*)|*.*||";
const std::u16string kFinishedImport = u"Finished importing my singer information file.";
const std::u16string kFinishedExport = u"Finished exporting my singer information file.";
const std::u16string kFailedRead = u"Failed to read my singer information file!";
const std::u16string kFailedWrite = u"Failed to write my singer information file!";

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A file's head up to and including the count line.
std::string Head(int count) {
    return "; test\r\n[general]\r\nversion=1\r\n[MySingerList]\r\ncount=" + std::to_string(count) +
           "\r\n";
}

class FileOpsTest : public EditorDlgTest {
protected:
    void SetUp() override {
        EditorDlgTest::SetUp();
        // Unique across the processes that run tests side by side.
        folder = fs::temp_directory_path() /
                 ("kora4-file-ops-" +
                  std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
                  std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(folder);
    }
    void TearDown() override {
        EditorDlgTest::TearDown();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    void Choose(int button, const fs::path& path) {
        user.Click(button).ChooseFile(path.u16string()).AnswerMessageBox(kIdOk);
    }
    void Write(const char* name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
    static const ui::headless::ControlState& MyControl(Dialog& d) {
        return *ui::headless::HeadlessWindowOf(d)->Find(IDC_MY_LIST);
    }
    // The list shows `rows` rows, the last one selected and focused.
    static void ExpectShownAndLastSelected(Dialog& d, int rows) {
        EXPECT_EQ(My(d).ItemCount(), rows);
        EXPECT_EQ(My(d).ItemState(rows - 1, ui::kLvisSelected | ui::kLvisFocused),
                  ui::kLvisSelected | ui::kLvisFocused);
        EXPECT_EQ(My(d).SelectionMark(), rows - 1);
    }

    fs::path folder;
};

TEST_F(FileOpsTest, TheFileDialogsAskWithFilterExtensionOptionsAndDesktop) {
    user.Env().desktopFolder = u"/home/singer/Schreibtisch";
    user.Click(IDC_IMPORT).CancelFileDialog().Click(IDC_EXPORT).CancelFileDialog();
    Run();
    user.Env().desktopFolder = std::nullopt;  // the dialogs keep their own folder
    user.Click(IDC_IMPORT).CancelFileDialog();
    Run();
    ASSERT_EQ(user.FileDialogs().size(), 3u);
    const auto& open = user.FileDialogs()[0].request;
    const auto& save = user.FileDialogs()[1].request;
    EXPECT_EQ(open.kind, ui::FileDialogKind::Open);
    EXPECT_EQ(save.kind, ui::FileDialogKind::Save);
    for (const auto* request : {&open, &save}) {
        EXPECT_EQ(request->filter, kFilter);
        EXPECT_EQ(request->defaultExtension, u"dat");
        EXPECT_EQ(request->initialFolder, u"/home/singer/Schreibtisch");
    }
    EXPECT_EQ(open.options, 0x804u);
    EXPECT_EQ(save.options, 0x806u);
    EXPECT_EQ(user.FileDialogs()[0].dialogId, IDD_SINGER_EDITOR);  // over the editor
    EXPECT_EQ(user.FileDialogs()[2].request.initialFolder, std::nullopt);
    // Cancelled: nothing changed.
    EXPECT_THAT(user.MessageBoxes(), IsEmpty());
    EXPECT_EQ(log.Count("DBM_CreateVirtualVoice"), 0);
    EXPECT_FALSE(dlg->myChanged);
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(FileOpsTest, TheFilterIsTheHostsTextAndAnEmptyListOpensNoFileDialog) {
    ui::test::MapTextModule texts({{u"32", u"Sängerdatei (*.dat)|*.dat||"}});
    ui::test::TextModuleScope scope(&texts);
    Load(document);
    user.Click(IDC_EXPORT).CancelFileDialog();
    Run();
    ASSERT_EQ(user.FileDialogs().size(), 1u);
    EXPECT_EQ(user.FileDialogs()[0].request.filter, u"Sängerdatei (*.dat)|*.dat||");
    dlg->mySingers.clear();
    user.Click(IDC_IMPORT).Click(IDC_EXPORT);
    Run();
    EXPECT_EQ(user.FileDialogs().size(), 1u);
    EXPECT_THAT(user.MessageBoxes(), IsEmpty());
}

TEST_F(FileOpsTest, ImportAddsTheFilesSingersToTheListAndTheDatabase) {
    int repaintsBefore = 0;
    user.Check([&](Dialog& d) { repaintsBefore = MyControl(d).repaints; });
    Choose(IDC_IMPORT, folder / "in.dat");
    user.Check([&](Dialog& d) {
        EXPECT_THAT(ColumnTexts(My(d), 1), testing::Contains(u"Duet"));
        EXPECT_EQ(My(d).ItemText(5, 12), u"5");
        ExpectShownAndLastSelected(d, 7);
        EXPECT_EQ(MyControl(d).repaints, repaintsBefore + 1);  // told once, not per line
    });
    Write("in.dat", "\xEF\xBB\xBF" + Head(2) +
                        "\"Duet\"=VOICE-ANNA-00001,10,-20,30,-40,VOICE-BERT-00002,1,2,3,4,5\r\n"
                        "\"Solo\"=VOICE-BERT-00002,,7\r\n");
    Run();
    EXPECT_THAT(Messages(), ElementsAre(kFinishedImport));
    EXPECT_THAT(Styles(), ElementsAre(0x40u));
    EXPECT_TRUE(dlg->myChanged);
    EXPECT_EQ(Changes(),
              (Calls{"DBM_CreateVirtualVoice(77,0)", "DBM_SetVirtualVoiceInfo(77(0,1))",
                     "DBM_CreateVirtualVoice(77,0)", "DBM_SetVirtualVoiceInfo(77(0,2))"}));
    ASSERT_EQ(dlg->mySingers.size(), 7u);
    const SingerEntry& duet = dlg->mySingers[5];
    EXPECT_EQ((Pair{duet.bank, duet.program}), (Pair{0, 1}));
    EXPECT_EQ(duet.secondaryId, kBert);
    // AUX comes from the voices' defaults; the file never carries it.
    EXPECT_EQ(duet.primaryParams, (std::array<int32_t, 5>{10, -20, 30, -40, 5}));
    EXPECT_EQ(duet.secondaryParams, (std::array<int32_t, 6>{1, 2, 3, 4, -5, 5}));
    EXPECT_EQ(duet.state, kStateAdded);
    const SingerEntry& solo = dlg->mySingers[6];
    EXPECT_EQ(solo.program, 2);
    EXPECT_EQ(solo.primaryParams, (std::array<int32_t, 5>{-1, 7, -3, -4, -5}));
    EXPECT_EQ(solo.secondaryParams, (std::array<int32_t, 6>{}));
    const DBM_VVOICE_INFO& record = *Stored(0, 1);
    EXPECT_EQ(ReadField(record.name), u"Duet");
}

TEST_F(FileOpsTest, ARefusedImportShowsOnlyTheAddFailureAndTheSingersBefore) {
    // Cleo's bank is full: the database refuses her singers.
    for (int32_t program = 0; program < 128; ++program)
        database.AddVirtualVoice(Singer(2, program, u"Full", kCleo, u"", 0), u"Cleo");
    Write("first.dat", Head(1) + "\"Deep\"=VOICE-CLEO-00003,7\n");
    Write("third.dat", Head(3) +
                           "\"One\"=VOICE-ANNA-00001,1\n\"Deep\"=VOICE-CLEO-00003,2\n"
                           "\"Three\"=VOICE-BERT-00002,3\n");
    Choose(IDC_IMPORT, folder / "first.dat");
    user.Check([&](Dialog&) { EXPECT_FALSE(dlg->myChanged); });
    Choose(IDC_IMPORT, folder / "third.dat");
    user.Check([&](Dialog& d) { ExpectShownAndLastSelected(d, 6); });
    Run();
    const std::u16string failed = u"Failed to add singer, or cannot add any more singers!";
    EXPECT_THAT(Messages(), ElementsAre(failed, failed));
    EXPECT_THAT(Styles(), ElementsAre(0x10u, 0x10u));
    EXPECT_EQ(Names(dlg->mySingers).back(), u"One");
    EXPECT_TRUE(dlg->myChanged);
}

// An import that ends early or passes lines over: its one message and the
// singers it added, in order.
struct ImportCase {
    const char* label;
    std::optional<std::string> bytes;  // none: the file cannot be read
    std::u16string message;
    std::vector<std::u16string> added;
};
void PrintTo(const ImportCase& c, std::ostream* os) { *os << c.label; }

class Import : public FileOpsTest, public testing::WithParamInterface<ImportCase> {};

TEST_P(Import, ShowsOneMessageAndKeepsWhatWasAdded) {
    if (GetParam().bytes) Write("in.dat", *GetParam().bytes);
    Choose(IDC_IMPORT, folder / "in.dat");
    Choose(IDC_IMPORT, folder);  // a folder is no file
    Run();
    EXPECT_THAT(Messages(), ElementsAre(GetParam().message, kFailedRead));
    EXPECT_EQ(Styles()[0], GetParam().message == kFinishedImport ? 0x40u : 0x10u);
    const std::vector<SingerEntry> added(dlg->mySingers.begin() + 5, dlg->mySingers.end());
    EXPECT_EQ(Names(added), GetParam().added);
    EXPECT_EQ(log.Count("DBM_CreateVirtualVoice"), static_cast<int>(GetParam().added.size()));
    EXPECT_EQ(dlg->myChanged, !GetParam().added.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Import,
    testing::Values(
        ImportCase{"Missing", std::nullopt, kFailedRead, {}},
        ImportCase{"StructuralFaultAfterThree",
                   Head(4) +
                       "\"One\"=VOICE-ANNA-00001,1\n\"Two\"=VOICE-ANNA-00001,2\n"
                       "\"Three\"=VOICE-BERT-00002,3\n[general]\n\"Four\"=VOICE-ANNA-00001,4\n",
                   kFailedRead,
                   {u"One", u"Two", u"Three"}},
        ImportCase{"LinesPassedOver",
                   Head(2) + "\"Gone\"=VOICE-XXXX-00009,1\n\"\"=VOICE-ANNA-00001\n",
                   kFinishedImport,
                   {}}),
    [](const auto& p) { return std::string(p.param.label); });

using ExportTest = FileOpsTest;

TEST_F(ExportTest, WritesEveryMySingerAndOnlyReads) {
    Choose(IDC_EXPORT, folder / "out.dat");
    Run();
    EXPECT_THAT(Messages(), ElementsAre(kFinishedExport));
    EXPECT_THAT(Styles(), ElementsAre(0x40u));
    const std::map<std::u16string, std::string> lines = {
        {u"Alto", "\"Alto\"=VOICE-ANNA-00001,100,101,102,103,,-100,-101,-102,-103,-105"},
        {u"alto (2)", "\"alto (2)\"=VOICE-BERT-00002,110,111,112,113,,-110,-111,-112,-113,-115"},
        {u"Mine", "\"Mine\"=VOICE-ANNA-00001,70,71,72,73,VOICE-CLEO-00003,-70,-71,-72,-73,-75"},
        {u"another", "\"another\"=VOICE-BERT-00002,90,91,92,93,,-90,-91,-92,-93,-95"},
        {u"Other", "\"Other\"=VOICE-CLEO-00003,80,81,82,83,,-80,-81,-82,-83,-85"}};
    std::string expected =
        "\xEF\xBB\xBF; SequenceEditor My Singer Information\r\n"
        "; generated by kora4 V4.3.0.1\r\n[general]\r\nversion=1\r\n[MySingerList]\r\ncount=5\r\n";
    for (const SingerEntry& s : dlg->mySingers) expected += lines.at(s.name) + "\r\n";
    EXPECT_EQ(ReadBytes(folder / "out.dat"), expected);
    EXPECT_FALSE(dlg->myChanged);
    EXPECT_TRUE(Changes().empty());
}

TEST_F(ExportTest, AFailureShowsTheWriteFailure) {
    Choose(IDC_EXPORT, folder / "no-such-folder" / "out.dat");
    user.Env().hostExecutablePath = std::nullopt;
    Choose(IDC_EXPORT, folder / "no-host.dat");
    Run();
    EXPECT_THAT(Messages(), ElementsAre(kFailedWrite, kFailedWrite));
    EXPECT_THAT(Styles(), ElementsAre(0x10u, 0x10u));
}

}  // namespace
}  // namespace kora::dialogs::test
