// Import and Export through the Singer Editor's buttons: the file dialogs,
// the messages, the rows and entries, the database calls and the bytes on
// disk, with the editor tests' fake database behind the forwarding library.
#include <gmock/gmock.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

#include "dialogs/singer_editor_dlg.h"
#include "editor/load_steps.h"
#include "editor_fixture.h"
#include "model/text_field.h"
#include "res/singer_editor_res.h"
#include "text_module_fake.h"
#include "ui/headless/gtest_user.h"
#include "ui/win_values.h"

namespace kora::dialogs {
namespace {

namespace fs = std::filesystem;

using test::kAnna;
using test::kBert;
using test::kCleo;
using test::Singer;
using testing::ElementsAre;
using testing::IsEmpty;
using ui::Dialog;
using ui::ListView;
using ui::headless::TestUser;

constexpr char16_t kFilter[] = u"SingerEditor Setting File (*.dat)|*.dat|All Files (*.*)|*.*||";
constexpr uint32_t kInformation = 0x40;
constexpr uint32_t kError = 0x10;

const std::u16string kFinishedImport = u"Finished importing my singer information file.";
const std::u16string kFinishedExport = u"Finished exporting my singer information file.";
const std::u16string kFailedRead = u"Failed to read my singer information file!";
const std::u16string kFailedWrite = u"Failed to write my singer information file!";
const std::u16string kAddFailed = u"Failed to add singer, or cannot add any more singers!";

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool SameEntries(const std::vector<SingerEntry>& a, const std::vector<SingerEntry>& b) {
    auto key = [](const SingerEntry& e) {
        return std::tie(e.bank, e.program, e.name, e.primaryId, e.primaryName, e.primaryParams,
                        e.secondaryId, e.secondaryName, e.secondaryParams, e.state);
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](const SingerEntry& x, const SingerEntry& y) { return key(x) == key(y); });
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A file's head up to and including the count line.
std::string Head(int count) {
    return "; test\r\n[general]\r\nversion=1\r\n[MySingerList]\r\ncount=" + std::to_string(count) +
           "\r\n";
}

// A Singer Editor over the editor tests' world (Anna and Bert in bank 0 and
// partners, Cleo in bank 2), loaded as the invocation leaves it, and a
// scratch folder for the files.
class SingerEditorFileOpsTest : public test::EditorTest {
protected:
    void SetUp() override {
        test::EditorTest::SetUp();
        database.xsynthGroups = {{u"Light", {kAnna, kBert}}, {u"Deep", {kCleo, kAnna}}};
        // Unique across the processes that run tests side by side.
        folder = fs::temp_directory_path() /
                 ("kora4-file-ops-" +
                  std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
                  std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    void Load() {
        dlg = std::make_unique<CSingerEditorDlg>();
        dlg->context = &bound->Context();
        dlg->trakManager = trak.get();
        dlg->editorHandle = database.editorHandle;  // as the invocation takes it
        ASSERT_EQ(editor::LoadInstalledVoices(*dlg), 0u);
        ASSERT_EQ(editor::LoadActiveSingers(*dlg), 0u);
        ASSERT_EQ(editor::LoadMySingers(*dlg), 0u);
        initialRows = dlg->mySingers.size();
        // The log shows what the buttons do, not the dialog's start-up.
        user.Check([this](Dialog&) { log.Clear(); });
    }

    // Runs the dialog with the steps the test put in `user`, then Cancel.
    int Run() {
        user.Click(ui::kIdCancel);
        return dlg->DoModal();
    }

    // Clicks Import and chooses `bytes` written to a file; then Cancel.
    int Import(const std::string& bytes) {
        const fs::path path = folder / "in.dat";
        WriteBytes(path, bytes);
        user.Click(IDC_IMPORT).ChooseFile(path.u16string()).AnswerMessageBox(ui::kIdOk);
        return Run();
    }

    std::vector<std::u16string> MessageTexts() const {
        std::vector<std::u16string> texts;
        for (const auto& box : user.MessageBoxes()) texts.push_back(box.text);
        return texts;
    }

    static ListView My(Dialog& d) { return d.Control<ListView>(IDC_MY_LIST); }

    fs::path folder;
    TestUser user;
    std::unique_ptr<CSingerEditorDlg> dlg;
    std::size_t initialRows = 0;
};

TEST_F(SingerEditorFileOpsTest, EmptyMyListOpensNoFileDialog) {
    Load();
    dlg->mySingers.clear();
    user.Click(IDC_IMPORT).Click(IDC_EXPORT);
    Run();
    EXPECT_THAT(user.FileDialogs(), IsEmpty());
    EXPECT_THAT(user.MessageBoxes(), IsEmpty());
    EXPECT_FALSE(dlg->myChanged);
}

TEST_F(SingerEditorFileOpsTest, CancelledFileDialogsChangeNothing) {
    Load();
    const auto before = dlg->mySingers;
    user.Click(IDC_IMPORT)
        .CancelFileDialog()
        .Click(IDC_EXPORT)
        .CancelFileDialog()
        .Check([&](Dialog& d) { EXPECT_EQ(My(d).ItemCount(), static_cast<int>(initialRows)); });
    Run();
    ASSERT_EQ(user.FileDialogs().size(), 2u);
    EXPECT_THAT(user.MessageBoxes(), IsEmpty());
    EXPECT_TRUE(SameEntries(dlg->mySingers, before));
    EXPECT_FALSE(dlg->myChanged);
    EXPECT_EQ(log.Count("DBM_CreateVirtualVoice"), 0);
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(SingerEditorFileOpsTest, FileDialogsAskWithFilterExtensionOptionsAndDesktop) {
    Load();
    user.Env().desktopFolder = u"/home/singer/Schreibtisch";
    user.Click(IDC_IMPORT).CancelFileDialog().Click(IDC_EXPORT).CancelFileDialog();
    Run();
    ASSERT_EQ(user.FileDialogs().size(), 2u);
    const auto& open = user.FileDialogs()[0].request;
    EXPECT_EQ(open.kind, ui::FileDialogKind::Open);
    EXPECT_EQ(open.filter, kFilter);
    EXPECT_EQ(open.defaultExtension, u"dat");
    EXPECT_EQ(open.options, 0x804u);
    EXPECT_EQ(open.initialFolder, u"/home/singer/Schreibtisch");
    const auto& save = user.FileDialogs()[1].request;
    EXPECT_EQ(save.kind, ui::FileDialogKind::Save);
    EXPECT_EQ(save.filter, kFilter);
    EXPECT_EQ(save.defaultExtension, u"dat");
    EXPECT_EQ(save.options, 0x806u);
    EXPECT_EQ(save.initialFolder, u"/home/singer/Schreibtisch");
    // Shown over the editor, though none was named as parent.
    EXPECT_EQ(user.FileDialogs()[0].dialogId, IDD_SINGER_EDITOR);
}

TEST_F(SingerEditorFileOpsTest, WithoutDesktopTheDialogsKeepTheirOwnFolder) {
    Load();
    user.Env().desktopFolder = std::nullopt;
    user.Click(IDC_IMPORT).CancelFileDialog().Click(IDC_EXPORT).CancelFileDialog();
    Run();
    ASSERT_EQ(user.FileDialogs().size(), 2u);
    EXPECT_EQ(user.FileDialogs()[0].request.initialFolder, std::nullopt);
    EXPECT_EQ(user.FileDialogs()[1].request.initialFolder, std::nullopt);
}

TEST_F(SingerEditorFileOpsTest, TheFilterIsTheHostsTextWhenItHasOne) {
    ui::test::MapTextModule texts({{u"32", u"Sängerdatei (*.dat)|*.dat||"}});
    ui::test::TextModuleScope scope(&texts);
    Load();
    user.Click(IDC_EXPORT).CancelFileDialog();
    Run();
    ASSERT_EQ(user.FileDialogs().size(), 1u);
    EXPECT_EQ(user.FileDialogs()[0].request.filter, u"Sängerdatei (*.dat)|*.dat||");
}

TEST_F(SingerEditorFileOpsTest, ImportAddsTheFilesSingersToTheListAndTheDatabase) {
    Load();
    user.Click(IDC_IMPORT)
        .ChooseFile((folder / "in.dat").u16string())
        .AnswerMessageBox(ui::kIdOk)
        .Check([&](Dialog& d) {
            ListView my = My(d);
            ASSERT_EQ(my.ItemCount(), static_cast<int>(initialRows) + 2);
            const int duet = static_cast<int>(initialRows);
            EXPECT_EQ(my.ItemText(duet, 1), u"Duet");
            EXPECT_EQ(my.ItemText(duet, 2), u"Anna");
            EXPECT_EQ(my.ItemText(duet, 3), u"10");
            EXPECT_EQ(my.ItemText(duet, 7), u"Bert");
            EXPECT_EQ(my.ItemText(duet, 12), u"5");
            EXPECT_EQ(my.ItemText(duet + 1, 1), u"Solo");
            EXPECT_EQ(my.FirstSelectedRow(), duet + 1);
        });
    WriteBytes(folder / "in.dat",
               "\xEF\xBB\xBF" + Head(2) +
                   "\"Duet\"=VOICE-ANNA-00001,10,-20,30,-40,VOICE-BERT-00002,1,2,3,4,5\r\n"
                   "\"Solo\"=VOICE-BERT-00002,,7\r\n");
    Run();

    EXPECT_THAT(MessageTexts(), ElementsAre(kFinishedImport));
    EXPECT_EQ(user.MessageBoxes()[0].style, kInformation);
    EXPECT_TRUE(dlg->myChanged);
    EXPECT_THAT(log.Calls(),
                ElementsAre("DBM_CreateVirtualVoice(77,0)", "DBM_SetVirtualVoiceInfo(77(0,1))",
                            "DBM_CreateVirtualVoice(77,0)", "DBM_SetVirtualVoiceInfo(77(0,2))"));

    ASSERT_EQ(dlg->mySingers.size(), initialRows + 2);
    const SingerEntry& duet = dlg->mySingers[initialRows];
    EXPECT_EQ(duet.bank, 0);
    EXPECT_EQ(duet.program, 1);
    EXPECT_EQ(duet.primaryId, kAnna);
    EXPECT_EQ(duet.secondaryId, kBert);
    // AUX comes from the voices' defaults; the file never carries it.
    EXPECT_EQ(duet.primaryParams, (std::array<int32_t, 5>{10, -20, 30, -40, 5}));
    EXPECT_EQ(duet.secondaryParams, (std::array<int32_t, 6>{1, 2, 3, 4, -5, 5}));
    EXPECT_EQ(duet.state, kStateAdded);
    const SingerEntry& solo = dlg->mySingers[initialRows + 1];
    EXPECT_EQ(solo.program, 2);
    EXPECT_EQ(solo.secondaryId, u"");
    EXPECT_EQ(solo.primaryParams, (std::array<int32_t, 5>{-1, 7, -3, -4, -5}));
    EXPECT_EQ(solo.secondaryParams, (std::array<int32_t, 6>{}));
    EXPECT_EQ(solo.state, kStateAdded);

    const auto& stored = database.VirtualVoices();
    ASSERT_TRUE(stored.contains(Pair{0, 1}));
    const DBM_VVOICE_INFO& record = stored.at(Pair{0, 1});
    EXPECT_EQ(ReadField(record.name), u"Duet");
    EXPECT_EQ(ReadField(record.primaryName), u"Anna");
    EXPECT_EQ(record.primaryParams[kAUX], 0);
    EXPECT_EQ(record.secondaryParams[kAUX], 0);
    EXPECT_EQ(record.secondaryParams[kVOL], 5);
}

TEST_F(SingerEditorFileOpsTest, RefusalAtTheFifthLineKeepsFourAndShowsOnlyMessage7) {
    // Bank 2 keeps programs 0 to 3 free: the fifth Cleo singer finds none.
    for (int32_t program = 5; program < 128; ++program)
        database.AddVirtualVoice(Singer(2, program, u"Filler", kCleo, u"", 1), u"Cleo");
    Load();
    std::string file = Head(5);
    for (int i = 1; i <= 5; ++i)
        file += "\"Cleo " + std::to_string(i) + "\"=VOICE-CLEO-00003," + std::to_string(i) + "\n";
    file += "\"After\"=VOICE-ANNA-00001,9\n";
    Import(file);

    EXPECT_THAT(MessageTexts(), ElementsAre(kAddFailed));
    EXPECT_EQ(user.MessageBoxes()[0].style, kError);
    ASSERT_EQ(dlg->mySingers.size(), initialRows + 4);
    EXPECT_EQ(dlg->mySingers.back().name, u"Cleo 4");
    EXPECT_EQ(log.Count("DBM_CreateVirtualVoice"), 5);
    EXPECT_EQ(log.Count("DBM_SetVirtualVoiceInfo"), 4);
    EXPECT_TRUE(dlg->myChanged);
}

TEST_F(SingerEditorFileOpsTest, StructuralFaultAfterThreeKeepsThreeAndShowsMessage35) {
    Load();
    Import(Head(4) +
           "\"One\"=VOICE-ANNA-00001,1\n\"Two\"=VOICE-ANNA-00001,2\n\"Three\"=VOICE-BERT-00002,3\n"
           "[general]\n\"Four\"=VOICE-ANNA-00001,4\n");

    EXPECT_THAT(MessageTexts(), ElementsAre(kFailedRead));
    EXPECT_EQ(user.MessageBoxes()[0].style, kError);
    ASSERT_EQ(dlg->mySingers.size(), initialRows + 3);
    EXPECT_EQ(dlg->mySingers.back().name, u"Three");
    EXPECT_EQ(log.Count("DBM_CreateVirtualVoice"), 3);
    EXPECT_TRUE(dlg->myChanged);
}

TEST_F(SingerEditorFileOpsTest, FileThatCannotBeReadShowsMessage35) {
    Load();
    user.Click(IDC_IMPORT)
        .ChooseFile((folder / "missing.dat").u16string())
        .AnswerMessageBox(ui::kIdOk)
        .Click(IDC_IMPORT)
        .ChooseFile(folder.u16string())  // a folder is no file
        .AnswerMessageBox(ui::kIdOk);
    Run();
    EXPECT_THAT(MessageTexts(), ElementsAre(kFailedRead, kFailedRead));
    EXPECT_EQ(user.MessageBoxes()[0].style, kError);
    EXPECT_EQ(dlg->mySingers.size(), initialRows);
    EXPECT_FALSE(dlg->myChanged);
    EXPECT_THAT(log.Calls(), IsEmpty());
}

TEST_F(SingerEditorFileOpsTest, FileWithoutSingerLinesFinishesWithMessage33) {
    Load();
    user.Click(IDC_IMPORT)
        .ChooseFile((folder / "a.dat").u16string())
        .AnswerMessageBox(ui::kIdOk)
        .Click(IDC_IMPORT)
        .ChooseFile((folder / "b.dat").u16string())
        .AnswerMessageBox(ui::kIdOk);
    WriteBytes(folder / "a.dat", "[general]\nversion=1\n");
    WriteBytes(folder / "b.dat", Head(1) + "\"Gone\"=VOICE-XXXX-00009,1\n\"\"=VOICE-ANNA-00001\n");
    Run();
    EXPECT_THAT(MessageTexts(), ElementsAre(kFinishedImport, kFinishedImport));
    EXPECT_EQ(user.MessageBoxes()[1].style, kInformation);
    EXPECT_EQ(dlg->mySingers.size(), initialRows);
    EXPECT_FALSE(dlg->myChanged);
    EXPECT_THAT(log.Calls(), IsEmpty());
}

TEST_F(SingerEditorFileOpsTest, NameLongerThan259IsPassedOverAndTheImportGoesOn) {
    Load();
    const std::string longest(259, 'n');
    Import(Head(2) + "\"" + std::string(260, 'x') + "\"=VOICE-ANNA-00001,1\n" + "\"" + longest +
           "\"=VOICE-ANNA-00001,2\n");

    EXPECT_THAT(MessageTexts(), ElementsAre(kFinishedImport));
    EXPECT_EQ(log.Count("DBM_CreateVirtualVoice"), 1);
    ASSERT_EQ(dlg->mySingers.size(), initialRows + 1);
    EXPECT_EQ(dlg->mySingers.back().name, std::u16string(longest.begin(), longest.end()));
    const DBM_VVOICE_INFO& record = database.VirtualVoices().at(Pair{0, 1});
    EXPECT_EQ(ReadField(record.name).size(), 259u);
}

TEST_F(SingerEditorFileOpsTest, BytesThatAreNotUtf8OrHoldZeroAreHandledSafely) {
    Load();
    // A Latin-1 byte in a name becomes U+FFFD; a name holding U+0000 would
    // be cut by the record and is passed over.
    static constexpr char kZeroInName[] = "\"A\0B\"=VOICE-ANNA-00001,2\n";
    WriteBytes(folder / "latin1.dat", Head(2) + "\"Caf\xE9\"=VOICE-ANNA-00001,1\n" +
                                          std::string(kZeroInName, sizeof kZeroInName - 1));
    // Bytes that are no text at all: rejected at the first line.
    std::string noise;
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 151 + 7) % 256);
    WriteBytes(folder / "noise.dat", noise);
    for (const char* name : {"latin1.dat", "noise.dat"})
        user.Click(IDC_IMPORT).ChooseFile((folder / name).u16string()).AnswerMessageBox(ui::kIdOk);
    Run();

    EXPECT_THAT(MessageTexts(), ElementsAre(kFinishedImport, kFailedRead));
    ASSERT_EQ(dlg->mySingers.size(), initialRows + 1);
    EXPECT_EQ(dlg->mySingers.back().name, u"Caf\uFFFD");
    EXPECT_EQ(log.Count("DBM_CreateVirtualVoice"), 1);
}

class SingerEditorExportTest : public SingerEditorFileOpsTest {
protected:
    void SetUp() override {
        SingerEditorFileOpsTest::SetUp();
        // (0,0) Mine, (0,9) another, (2,4) Other, and a name with quotation marks.
        database.AddVirtualVoice(Singer(3, 1, u"Say \"hi\"", kBert, u"", -3), u"Bert");
    }

    int Export(const fs::path& path) {
        user.Click(IDC_EXPORT).ChooseFile(path.u16string()).AnswerMessageBox(ui::kIdOk);
        return Run();
    }
};

TEST_F(SingerEditorExportTest, WritesEveryMySingerAndShowsMessage34) {
    Load();
    ASSERT_EQ(dlg->mySingers.size(), 4u);
    const auto before = dlg->mySingers;
    Export(folder / "out.dat");

    EXPECT_THAT(MessageTexts(), ElementsAre(kFinishedExport));
    EXPECT_EQ(user.MessageBoxes()[0].style, kInformation);
    std::string expected =
        "\xEF\xBB\xBF"
        "; SequenceEditor My Singer Information\r\n"
        "; generated by kora4 V4.3.0.1\r\n"
        "[general]\r\nversion=1\r\n[MySingerList]\r\ncount=4\r\n";
    for (const SingerEntry& s : before) {
        auto line = [](const SingerEntry& e) -> std::string {
            if (e.name == u"Mine")
                return "\"Mine\"=VOICE-ANNA-00001,70,71,72,73,VOICE-CLEO-00003,-70,-71,-72,-73,-75";
            if (e.name == u"another")
                return "\"another\"=VOICE-BERT-00002,90,91,92,93,,-90,-91,-92,-93,-95";
            if (e.name == u"Other")
                return "\"Other\"=VOICE-CLEO-00003,80,81,82,83,,-80,-81,-82,-83,-85";
            return "\"Say \\\"hi\\\"\"=VOICE-BERT-00002,-3,-2,-1,0,,3,2,1,0,-2";
        };
        expected += line(s) + "\r\n";
    }
    EXPECT_EQ(ReadBytes(folder / "out.dat"), expected);
    // Export only reads.
    EXPECT_TRUE(SameEntries(dlg->mySingers, before));
    EXPECT_FALSE(dlg->myChanged);
    EXPECT_THAT(log.Calls(), IsEmpty());
}

TEST_F(SingerEditorExportTest, FailuresShowMessage36AndKeepWhatWasWritten) {
    Load();
    Export(folder / "no-such-folder" / "out.dat");
    EXPECT_THAT(MessageTexts(), ElementsAre(kFailedWrite));
    EXPECT_EQ(user.MessageBoxes()[0].style, kError);

    user.Env().hostExecutablePath = std::nullopt;
    Export(folder / "no-host.dat");
    EXPECT_EQ(ReadBytes(folder / "no-host.dat"), "\xEF\xBB\xBF");

    user.Env().hostExecutablePath = u"C:\\Programs\\Host.App.exe";
    user.Env().moduleVersion = std::nullopt;
    Export(folder / "no-version.dat");
    EXPECT_EQ(ReadBytes(folder / "no-version.dat"),
              "\xEF\xBB\xBF; Host.App My Singer Information\r\n");

    EXPECT_THAT(MessageTexts(), ElementsAre(kFailedWrite, kFailedWrite, kFailedWrite));
    EXPECT_EQ(user.MessageBoxes()[2].style, kError);
}

TEST_F(SingerEditorExportTest, ExportThenImportPassesOverEverySingerAndShowsMessage33) {
    Load();
    // A singer without a secondary one comes back equal only when its
    // secondary values are 0, as the file's line leaves them.
    for (SingerEntry& s : dlg->mySingers)
        if (s.secondaryId.empty()) s.secondaryParams = {};
    const auto before = dlg->mySingers;
    const fs::path path = folder / "round.dat";
    user.Click(IDC_EXPORT).ChooseFile(path.u16string()).AnswerMessageBox(ui::kIdOk);
    user.Click(IDC_IMPORT).ChooseFile(path.u16string()).AnswerMessageBox(ui::kIdOk);
    Run();

    EXPECT_THAT(MessageTexts(), ElementsAre(kFinishedExport, kFinishedImport));
    EXPECT_EQ(user.MessageBoxes()[1].style, kInformation);
    EXPECT_TRUE(SameEntries(dlg->mySingers, before));
    EXPECT_FALSE(dlg->myChanged);
    EXPECT_THAT(log.Calls(), IsEmpty());
}

}  // namespace
}  // namespace kora::dialogs
