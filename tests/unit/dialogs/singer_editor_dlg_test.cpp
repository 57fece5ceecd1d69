// The Singer Editor through the scripted user: start-up, columns, rows,
// selection, button states, the title line, the default mark, OK and the
// read-only pick.
#include "dialogs/singer_editor_dlg.h"

#include <gmock/gmock.h>

#include "editor/load_steps.h"
#include "editor_fixture.h"
#include "res/singer_editor_res.h"
#include "text_module_fake.h"
#include "ui/headless/gtest_user.h"
#include "ui/win_values.h"

namespace kora::dialogs {
namespace {

using test::kAnna;
using test::kBert;
using test::kCleo;
using test::Singer;
using testing::ElementsAre;
using testing::ElementsAreArray;
using ui::Dialog;
using ui::ListView;
using ui::headless::TestUser;

std::vector<std::u16string> RowTexts(ListView list, int row) {
    std::vector<std::u16string> texts;
    for (int column = 0; column < list.ColumnCount(); ++column) {
        texts.push_back(list.ItemText(row, column));
    }
    return texts;
}

struct Column {
    std::u16string text;
    int format;
    int width;
    bool operator==(const Column&) const = default;
};
void PrintTo(const Column& c, std::ostream* os) {
    *os << test::Narrow(c.text) << "/" << c.format << "/" << c.width;
}

std::vector<Column> Columns(ListView list) {
    std::vector<Column> columns;
    for (int c = 0; c < list.ColumnCount(); ++c) {
        columns.push_back({list.ColumnText(c), list.ColumnFormat(c) & ui::kLvcfmtJustifyMask,
                           list.ColumnWidth(c)});
    }
    return columns;
}

bool IsSelected(ListView list, int row) {
    return list.ItemState(row, ui::kLvisSelected) == ui::kLvisSelected;
}

constexpr int kActiveOnlyButtons[] = {IDC_ACTIVE_COPY, IDC_ACTIVE_EDIT, IDC_ACTIVE_DELETE,
                                      IDC_COPY_TO_MY};
constexpr int kMyOnlyButtons[] = {IDC_MY_COPY, IDC_MY_EDIT, IDC_MY_DELETE, IDC_COPY_TO_ACTIVE};
constexpr int kEditingButtons[] = {
    IDC_ACTIVE_ADD, IDC_ACTIVE_COPY, IDC_ACTIVE_EDIT, IDC_ACTIVE_DELETE, IDC_COPY_TO_MY,
    IDC_MY_ADD,     IDC_MY_COPY,     IDC_MY_EDIT,     IDC_MY_DELETE,     IDC_COPY_TO_ACTIVE};
constexpr int kAlwaysEnabled[] = {IDC_IMPORT, IDC_EXPORT, ui::kIdOk, ui::kIdCancel};

// A Singer Editor loaded from the editor tests' world, as the invocation
// leaves it before DoModal.
class SingerEditorDlgTest : public test::EditorTest {
protected:
    void SetUp() override {
        test::EditorTest::SetUp();
        database.defaultBank = 0;
        database.defaultProgram = 0;
        database.xsynthGroups = {{u"Light", {kAnna, kBert}}, {u"Deep", {kCleo, kAnna}}};
        document.filePath = u"C:\\songs\\demo.seq";
        Load(document);
    }

    void Load(const trak4::SequenceDocument& sequence) {
        trak = std::make_unique<test::LoggingTrakManager>(log, sequence);
        dlg = std::make_unique<CSingerEditorDlg>();
        dlg->context = &bound->Context();
        dlg->trakManager = trak.get();
        ASSERT_EQ(editor::LoadInstalledVoices(*dlg), 0u);
        ASSERT_EQ(editor::LoadActiveSingers(*dlg), 0u);
        ASSERT_EQ(editor::LoadMySingers(*dlg), 0u);
        log.Clear();
    }

    // Runs the dialog: `check` on it once open, then Cancel.
    int Show(std::function<void(Dialog&)> check) {
        user.Check(std::move(check)).Click(ui::kIdCancel);
        return dlg->DoModal();
    }

    static ListView Active(Dialog& d) { return d.Control<ListView>(IDC_ACTIVE_LIST); }
    static ListView My(Dialog& d) { return d.Control<ListView>(IDC_MY_LIST); }

    TestUser user;
    std::unique_ptr<CSingerEditorDlg> dlg;
};

TEST_F(SingerEditorDlgTest, ActiveColumns) {
    Show([](Dialog& d) {
        EXPECT_THAT(
            Columns(Active(d)),
            ElementsAre(Column{u"Name", ui::kLvcfmtLeft, 180},
                        Column{u"Primary Singer", ui::kLvcfmtLeft, 130},
                        Column{u"BRE", ui::kLvcfmtRight, 35}, Column{u"BRI", ui::kLvcfmtRight, 35},
                        Column{u"CLE", ui::kLvcfmtRight, 35}, Column{u"GEN", ui::kLvcfmtRight, 35},
                        Column{u"Secondary Singer", ui::kLvcfmtLeft, 130},
                        Column{u"BRE", ui::kLvcfmtRight, 35}, Column{u"BRI", ui::kLvcfmtRight, 35},
                        Column{u"CLE", ui::kLvcfmtRight, 35}, Column{u"GEN", ui::kLvcfmtRight, 35},
                        Column{u"VOL", ui::kLvcfmtRight, 35}));
    });
}

TEST_F(SingerEditorDlgTest, MyColumnsBeginWithTheCentredDefaultMark) {
    Show([](Dialog& d) {
        std::vector<Column> columns = Columns(My(d));
        ASSERT_EQ(columns.size(), 13u);
        EXPECT_EQ(columns[0], (Column{u"", ui::kLvcfmtCenter, 20}));
        EXPECT_EQ(columns[1], (Column{u"Name", ui::kLvcfmtLeft, 160}));
        EXPECT_EQ(columns[2], (Column{u"Primary Singer", ui::kLvcfmtLeft, 130}));
        EXPECT_EQ(columns[7], (Column{u"Secondary Singer", ui::kLvcfmtLeft, 130}));
        EXPECT_EQ(columns[12], (Column{u"VOL", ui::kLvcfmtRight, 35}));
    });
}

TEST_F(SingerEditorDlgTest, BothListsShowEveryColumnStyleAndExtendedStyle) {
    Show([](Dialog& d) {
        for (ListView list : {Active(d), My(d)}) {
            EXPECT_EQ(list.Style() & ui::kLvsShowSelAlways, ui::kLvsShowSelAlways);
            EXPECT_EQ(list.ExtendedStyle() & 0x31u, 0x31u);
        }
    });
}

TEST_F(SingerEditorDlgTest, ActiveRowsShowTheirEntriesWithPackedPairs) {
    Show([&](Dialog& d) {
        ListView list = Active(d);
        ASSERT_EQ(list.ItemCount(), 4);
        // alto: primary Bert, secondary Anna; the AUX values 24 and -24 never show.
        EXPECT_THAT(RowTexts(list, 1),
                    ElementsAre(u"alto", u"Bert", u"20", u"21", u"22", u"23", u"Anna", u"-20",
                                u"-21", u"-22", u"-23", u"-25"));
        // Without a secondary singer: "-", and its values all the same.
        EXPECT_THAT(RowTexts(list, 0), ElementsAre(u"Alto", u"Anna", u"30", u"31", u"32", u"33",
                                                   u"-", u"-30", u"-31", u"-32", u"-33", u"-35"));
        for (int row = 0; row < 4; ++row) {
            const SingerEntry& entry = dlg->activeSingers[static_cast<std::size_t>(row)];
            EXPECT_EQ(list.ItemText(row, 0), entry.name);
            EXPECT_EQ(static_cast<uint32_t>(list.ItemData(row)),
                      PackPair(entry.bank, entry.program));
        }
        EXPECT_EQ(list.ItemData(3), 0x0000'0002);  // Choir at (2,0)
        EXPECT_EQ(list.ItemData(0), 0x0003'0000);  // Alto at (0,3)
    });
}

TEST_F(SingerEditorDlgTest, MyRowsCarryTheDefaultMarkOnlyOnTheDefault) {
    Show([&](Dialog& d) {
        ListView list = My(d);
        ASSERT_EQ(list.ItemCount(), 3);
        EXPECT_THAT(RowTexts(list, 1),
                    ElementsAre(u"*", u"Mine", u"Anna", u"70", u"71", u"72", u"73", u"Cleo", u"-70",
                                u"-71", u"-72", u"-73", u"-75"));
        EXPECT_EQ(list.ItemText(0, 0), u"");
        EXPECT_EQ(list.ItemText(0, 1), u"another");
        EXPECT_EQ(list.ItemText(2, 0), u"");
        EXPECT_EQ(list.ItemData(2), 0x0004'0002);  // Other at (2,4)
    });
    EXPECT_EQ(dlg->defaultBank, 0);
    EXPECT_EQ(dlg->defaultProgram, 0);
}

TEST_F(SingerEditorDlgTest, NoDefaultNoMark) {
    database.defaultResult = kDbmNoVirtualVoice;
    Show([&](Dialog& d) {
        for (int row = 0; row < My(d).ItemCount(); ++row) EXPECT_EQ(My(d).ItemText(row, 0), u"");
    });
    EXPECT_EQ(dlg->defaultBank, -1);
    EXPECT_EQ(dlg->defaultProgram, -1);
}

TEST_F(SingerEditorDlgTest, StartUpReadsTheSequencePathDefaultAndCrossSynthesisData) {
    Show([](Dialog&) {});
    EXPECT_EQ(log.Calls(), (test::Calls{"fileGetCurrentFilePath", "DBM_GetDefaultVirtualVoice",
                                        "DBM_GetXSynthData"}));
    ASSERT_EQ(dlg->xsynthGroups.size(), 2u);
    EXPECT_EQ(dlg->xsynthGroups[1].name, u"Deep");
}

TEST_F(SingerEditorDlgTest, WithoutCrossSynthesisDataTheErrorIsShownAndTheDialogOpens) {
    database.xsynthResult = -7;
    user.AnswerMessageBox(ui::kIdOk);
    Show([](Dialog& d) { EXPECT_EQ(Active(d).ItemCount(), 4); });
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].text, u"Error occurred. (1)");
    EXPECT_EQ(user.MessageBoxes()[0].style, 0u);
}

TEST_F(SingerEditorDlgTest, AContextThatIsNotInitializedGivesTheSameError) {
    bound->Context().initialized = false;
    user.AnswerMessageBox(ui::kIdOk);
    Show([](Dialog&) {});
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].text, u"Error occurred. (1)");
    EXPECT_TRUE(log.From("DBM_").empty());  // neither query reached the database
}

TEST_F(SingerEditorDlgTest, WithoutAContextNothingIsAskedAndNothingShown) {
    dlg->context = nullptr;
    Show([](Dialog& d) { EXPECT_EQ(My(d).ItemText(1, 0), u""); });
    EXPECT_TRUE(user.MessageBoxes().empty());
}

TEST_F(SingerEditorDlgTest, FirstRowsAreSelectedWhenNothingElseIsAsked) {
    Show([](Dialog& d) {
        for (ListView list : {Active(d), My(d)}) {
            EXPECT_EQ(list.FirstSelectedRow(), 0);
            EXPECT_EQ(list.ItemState(0, ui::kLvisFocused), ui::kLvisFocused);
            EXPECT_EQ(list.SelectionMark(), 0);
        }
    });
}

TEST_F(SingerEditorDlgTest, InitialSelectionOfAPairThatNoRowHasSelectsRowZero) {
    dlg->initialSelection = PackPair(1, 5);  // the voice that is not shown
    Show([](Dialog& d) { EXPECT_EQ(Active(d).FirstSelectedRow(), 0); });
}

TEST_F(SingerEditorDlgTest, InitialSelectionOfTheFourthRow) {
    dlg->initialSelection = PackPair(2, 0);
    Show([](Dialog& d) {
        ListView list = Active(d);
        EXPECT_EQ(list.FirstSelectedRow(), 3);
        EXPECT_EQ(list.ItemState(3, ui::kLvisFocused), ui::kLvisFocused);
        EXPECT_EQ(list.SelectionMark(), 3);
        EXPECT_FALSE(IsSelected(list, 0));
    });
}

TEST_F(SingerEditorDlgTest, AnInitialSelectionFarDownIsScrolledIntoView) {
    trak4::SequenceDocument many;
    for (int program = 0; program < 40; ++program) {
        const std::u16string name = u"Voice " + std::u16string(1, u'A' + program / 26) +
                                    std::u16string(1, u'A' + program % 26);
        many.voices[{0, program}] = test::SequenceVoiceOf(Singer(0, program, name, kAnna));
    }
    Load(many);
    dlg->initialSelection = PackPair(0, 33);
    Show([](Dialog& d) {
        ListView list = Active(d);
        ASSERT_EQ(list.FirstSelectedRow(), 33);
        EXPECT_EQ(list.ItemText(33, 0), u"Voice BH");
        EXPECT_LE(list.TopIndex(), 33);
        EXPECT_LT(33, list.TopIndex() + list.CountPerPage());  // wholly visible
        EXPECT_EQ(My(d).TopIndex(), 0);
    });
}

TEST_F(SingerEditorDlgTest, ButtonsFollowTheSelections) {
    Show([](Dialog& d) {
        for (int id : kEditingButtons) EXPECT_TRUE(d.Control(id).IsEnabled()) << id;
    });
    user.ClearSelection(IDC_ACTIVE_LIST)
        .Check([](Dialog& d) {
            EXPECT_TRUE(d.Control(IDC_ACTIVE_ADD).IsEnabled());
            for (int id : kActiveOnlyButtons) EXPECT_FALSE(d.Control(id).IsEnabled()) << id;
            for (int id : kMyOnlyButtons) EXPECT_TRUE(d.Control(id).IsEnabled()) << id;
        })
        .ClearSelection(IDC_MY_LIST)
        .Check([](Dialog& d) {
            EXPECT_TRUE(d.Control(IDC_MY_ADD).IsEnabled());
            for (int id : kMyOnlyButtons) EXPECT_FALSE(d.Control(id).IsEnabled()) << id;
            for (int id : kAlwaysEnabled) EXPECT_TRUE(d.Control(id).IsEnabled()) << id;
        })
        .SelectRow(IDC_ACTIVE_LIST, 2)
        .Check([](Dialog& d) {
            for (int id : kActiveOnlyButtons) EXPECT_TRUE(d.Control(id).IsEnabled()) << id;
        })
        .Click(ui::kIdCancel);
    EXPECT_EQ(dlg->DoModal(), ui::kIdCancel);
}

TEST_F(SingerEditorDlgTest, AnEmptyActiveListSelectsNothingAndLeavesOnlyAdd) {
    Load(trak4::SequenceDocument{});
    Show([](Dialog& d) {
        EXPECT_EQ(Active(d).ItemCount(), 0);
        EXPECT_EQ(Active(d).FirstSelectedRow(), -1);
        EXPECT_TRUE(d.Control(IDC_ACTIVE_ADD).IsEnabled());
        for (int id : kActiveOnlyButtons) EXPECT_FALSE(d.Control(id).IsEnabled()) << id;
    });
}

TEST_F(SingerEditorDlgTest, AnEmptyMyListLeavesOnlyMyAdd) {
    dlg->mySingers.clear();
    Show([](Dialog& d) {
        EXPECT_EQ(My(d).ItemCount(), 0);
        EXPECT_TRUE(d.Control(IDC_MY_ADD).IsEnabled());
        for (int id : kMyOnlyButtons) EXPECT_FALSE(d.Control(id).IsEnabled()) << id;
    });
}

TEST_F(SingerEditorDlgTest, ReadOnlyDisablesEveryEditingButtonWhateverIsSelected) {
    dlg->readOnly = true;
    user.Check([](Dialog& d) {
            for (int id : kEditingButtons) EXPECT_FALSE(d.Control(id).IsEnabled()) << id;
            for (int id : kAlwaysEnabled) EXPECT_TRUE(d.Control(id).IsEnabled()) << id;
        })
        .SelectRow(IDC_ACTIVE_LIST, 2)
        .SelectRow(IDC_MY_LIST, 1)
        .Check([](Dialog& d) {
            for (int id : kEditingButtons) EXPECT_FALSE(d.Control(id).IsEnabled()) << id;
        })
        .Click(ui::kIdCancel);
    EXPECT_EQ(dlg->DoModal(), ui::kIdCancel);
}

TEST_F(SingerEditorDlgTest, TitleLineShowsTheSequenceFileName) {
    Show([](Dialog& d) { EXPECT_EQ(d.Control(IDC_SEQUENCE_NAME).Text(), u"demo.seq"); });
}

TEST_F(SingerEditorDlgTest, TitleLineKeepsUntitledWithoutAnExtensionOrAPath) {
    for (const char16_t* path : {u"C:\\songs\\demo", u""}) {
        trak4::SequenceDocument sequence = document;
        sequence.filePath = std::u16string(path);
        Load(sequence);
        Show([](Dialog& d) { EXPECT_EQ(d.Control(IDC_SEQUENCE_NAME).Text(), u"Untitled"); });
    }
}

TEST_F(SingerEditorDlgTest, TheHostsTextsReplaceCaptionLabelsAndHeaders) {
    const ui::test::MapTextModule texts({{u"101", u"歌手エディター"},
                                         {u"1002", u""},
                                         {u"23041", u"追加"},
                                         {u"23083", u"無題"},
                                         {u"23077", u"名前"},
                                         {u"23079", u"セカンダリー"}});
    ui::test::TextModuleScope scope(&texts);
    bound->Context().textModule = &texts;
    trak4::SequenceDocument sequence = document;
    sequence.filePath.clear();
    Load(sequence);
    Show([](Dialog& d) {
        EXPECT_EQ(d.Caption(), u"歌手エディター");
        EXPECT_EQ(d.Control(IDC_ACTIVE_LABEL).Text(), u"Active Singers");  // empty text: kept
        EXPECT_EQ(d.Control(IDC_ACTIVE_ADD).Text(), u"追加");
        EXPECT_EQ(d.Control(IDC_SEQUENCE_NAME).Text(), u"無題");
        EXPECT_EQ(Active(d).ColumnText(0), u"名前");
        EXPECT_EQ(Active(d).ColumnText(1), u"Primary Singer");
        EXPECT_EQ(Active(d).ColumnText(6), u"セカンダリー");
        EXPECT_EQ(My(d).ColumnText(1), u"名前");
        EXPECT_EQ(My(d).ColumnText(3), u"BRE");  // literal headers stay
    });
}

TEST_F(SingerEditorDlgTest, TheTitleLineIsSetAfterTheTranslation) {
    const ui::test::MapTextModule texts({{u"23083", u"無題"}});
    bound->Context().textModule = &texts;
    Show([](Dialog& d) { EXPECT_EQ(d.Control(IDC_SEQUENCE_NAME).Text(), u"demo.seq"); });
}

TEST_F(SingerEditorDlgTest, OkEndsWithIdOkOutsideReadOnlyMode) {
    user.ClearSelection(IDC_ACTIVE_LIST).Click(ui::kIdOk);
    EXPECT_EQ(dlg->DoModal(), ui::kIdOk);
    EXPECT_EQ(dlg->pickedBank, -1);
    EXPECT_FALSE(dlg->activeChanged);
    EXPECT_FALSE(dlg->myChanged);
}

TEST_F(SingerEditorDlgTest, ReadOnlyOkPicksTheSelectedActiveSinger) {
    dlg->readOnly = true;
    user.SelectRow(IDC_ACTIVE_LIST, 2).Click(ui::kIdOk);
    EXPECT_EQ(dlg->DoModal(), ui::kIdOk);
    EXPECT_EQ(dlg->pickedBank, 0);  // Zed at (0,0)
    EXPECT_EQ(dlg->pickedProgram, 0);
}

TEST_F(SingerEditorDlgTest, ReadOnlyOkWithoutASelectionEndsAsCancelled) {
    dlg->readOnly = true;
    user.ClearSelection(IDC_ACTIVE_LIST).Click(ui::kIdOk);
    EXPECT_EQ(dlg->DoModal(), ui::kIdCancel);
    EXPECT_EQ(dlg->pickedBank, -1);
    EXPECT_EQ(dlg->pickedProgram, -1);
}

TEST_F(SingerEditorDlgTest, ReadOnlyDoubleClickPicksTheRowHit) {
    dlg->readOnly = true;
    user.DoubleClickRow(IDC_ACTIVE_LIST, 3, 4);
    EXPECT_EQ(dlg->DoModal(), ui::kIdOk);
    EXPECT_EQ(dlg->pickedBank, 2);  // Choir at (2,0)
    EXPECT_EQ(dlg->pickedProgram, 0);
}

TEST_F(SingerEditorDlgTest, ReadOnlyDoubleClickBesideTheRowsPicksNothing) {
    dlg->readOnly = true;
    user.DoubleClickRow(IDC_ACTIVE_LIST, -1, 0)
        .DoubleClickRow(IDC_MY_LIST, 1, 0)
        .Check([](Dialog& d) { EXPECT_EQ(My(d).ItemText(1, 0), u"*"); })
        .Click(ui::kIdCancel);
    EXPECT_EQ(dlg->DoModal(), ui::kIdCancel);
    EXPECT_EQ(dlg->pickedBank, -1);
}

TEST_F(SingerEditorDlgTest, TheEditDialogFindsDefaultsAndPartnersThroughItsOwner) {
    Dialog& owner = *dlg;
    const SingerDlgOwner* found = dynamic_cast<const SingerDlgOwner*>(&owner);
    ASSERT_NE(found, nullptr);
    Show([](Dialog&) {});  // start-up reads the cross-synthesis groups

    std::array<int32_t, 5> defaults{};
    EXPECT_TRUE(found->FindVoiceDefaults(kCleo, defaults));
    EXPECT_EQ(defaults, (std::array<int32_t, 5>{10, 20, 30, 40, 50}));
    EXPECT_FALSE(found->FindVoiceDefaults(u"voice-cleo-00003", defaults));  // exact only
    EXPECT_EQ(defaults[0], 10);

    std::set<std::u16string> partners{u"stale"};
    found->CollectXSynthPartners(kAnna, partners);
    EXPECT_THAT(partners, ElementsAre(kBert, kCleo));
    found->CollectXSynthPartners(u"VOICE-NONE-00000", partners);
    EXPECT_TRUE(partners.empty());
}

}  // namespace
}  // namespace kora::dialogs
