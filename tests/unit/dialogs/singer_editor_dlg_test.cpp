// The Singer Editor through the scripted user: start-up, columns, rows,
// selection, button states, the title line, OK and the read-only pick.
#include <functional>
#include <span>

#include "editor_dlg_fixture.h"

namespace kora::dialogs::test {
namespace {

struct Column {
    std::u16string text;
    int format;
    int width;
    bool operator==(const Column&) const = default;
};
void PrintTo(const Column& c, std::ostream* os) {
    *os << kora::test::Narrow(c.text) << "/" << c.format << "/" << c.width;
}

std::vector<Column> Columns(ListView list) {
    std::vector<Column> columns;
    for (int c = 0; c < list.ColumnCount(); ++c) {
        columns.push_back({list.ColumnText(c), list.ColumnFormat(c) & ui::kLvcfmtJustifyMask,
                           list.ColumnWidth(c)});
    }
    return columns;
}

constexpr int kActiveOnly[] = {IDC_ACTIVE_COPY, IDC_ACTIVE_EDIT, IDC_ACTIVE_DELETE, IDC_COPY_TO_MY};
constexpr int kMyOnly[] = {IDC_MY_COPY, IDC_MY_EDIT, IDC_MY_DELETE, IDC_COPY_TO_ACTIVE};
constexpr int kAdd[] = {IDC_ACTIVE_ADD, IDC_MY_ADD};
constexpr int kAlwaysEnabled[] = {IDC_IMPORT, IDC_EXPORT, ui::kIdOk, ui::kIdCancel};

class EditorViewTest : public EditorDlgTest {
protected:
    int Show(std::function<void(Dialog&)> check) {
        user.Check(std::move(check));
        return Run();
    }
    static void ExpectEnabled(Dialog& d, std::span<const int> ids, bool enabled) {
        for (int id : ids) EXPECT_EQ(d.Control(id).IsEnabled(), enabled) << id;
    }
};

// Column widths in the dialog's pixels: as stated at 96 DPI, scaled at 150 %.
struct Widths {
    int dpi, name, myName, singer, value, mark;
};
class EditorColumnsTest : public EditorViewTest, public testing::WithParamInterface<Widths> {};

TEST_P(EditorColumnsTest, ColumnsAndListStyles) {
    const Widths w = GetParam();
    user.Env().dpi = w.dpi;
    Show([&w](Dialog& d) {
        const Column name{u"Name", ui::kLvcfmtLeft, w.name};
        const Column primary{u"Primary Singer", ui::kLvcfmtLeft, w.singer};
        const Column secondary{u"Secondary Singer", ui::kLvcfmtLeft, w.singer};
        auto value = [&w](const char16_t* text) { return Column{text, ui::kLvcfmtRight, w.value}; };
        EXPECT_THAT(Columns(Active(d)),
                    ElementsAre(name, primary, value(u"BRE"), value(u"BRI"), value(u"CLE"),
                                value(u"GEN"), secondary, value(u"BRE"), value(u"BRI"),
                                value(u"CLE"), value(u"GEN"), value(u"VOL")));
        const std::vector<Column> my = Columns(My(d));
        ASSERT_EQ(my.size(), 13u);
        EXPECT_EQ(my[0], (Column{u"", ui::kLvcfmtCenter, w.mark}));
        EXPECT_EQ(my[1], (Column{u"Name", ui::kLvcfmtLeft, w.myName}));
        EXPECT_EQ(my[7], secondary);
        for (ListView list : {Active(d), My(d)}) {
            EXPECT_EQ(list.Style() & ui::kLvsShowSelAlways, ui::kLvsShowSelAlways);
            EXPECT_EQ(list.ExtendedStyle() & 0x31u, 0x31u);
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Dpi, EditorColumnsTest,
                         testing::Values(Widths{96, 180, 160, 130, 35, 20},
                                         Widths{144, 270, 240, 195, 53, 30}));

TEST_F(EditorViewTest, RowsShowTheLoadedEntriesAndTheDatabasesDefault) {
    Show([&](Dialog& d) {
        // alto: primary Bert, secondary Anna with VOL -25 in the last column.
        EXPECT_EQ(Active(d).ItemText(1, 1) + Active(d).ItemText(1, 11), u"Bert-25");
        EXPECT_EQ(Active(d).ItemData(3), 0x0000'0002);  // Choir at (2,0)
        EXPECT_THAT(ColumnTexts(My(d), 0), ElementsAre(u"", u"", u"", u"*", u""));
        EXPECT_EQ(My(d).ItemText(3, 1) + My(d).ItemText(3, 7), u"MineCleo");
    });
    EXPECT_EQ(log.Calls(),
              (Calls{"fileGetCurrentFilePath", "DBM_GetDefaultVirtualVoice", "DBM_GetXSynthData"}));
    EXPECT_EQ(dlg->xsynthGroups.at(1).name, u"Deep");

    database.defaultResult = kDbmNoVirtualVoice;
    Load(document);
    Show([](Dialog& d) { EXPECT_THAT(ColumnTexts(My(d), 0), testing::Each(u"")); });
    EXPECT_EQ(dlg->defaultBank, -1);
    EXPECT_EQ(dlg->defaultProgram, -1);
}

TEST_F(EditorViewTest, WithoutCrossSynthesisDataTheErrorIsShownAndTheDialogOpens) {
    dlg->context = nullptr;  // nothing asked, nothing shown
    Show([](Dialog& d) { EXPECT_EQ(My(d).ItemText(3, 0), u""); });
    EXPECT_TRUE(user.MessageBoxes().empty());
    dlg->context = &bound->Context();
    database.xsynthResult = -7;
    user.AnswerMessageBox(kIdOk);
    Show([](Dialog& d) { EXPECT_EQ(Active(d).ItemCount(), 4); });
    bound->Context().initialized = false;  // the same error, and no query is made
    user.AnswerMessageBox(kIdOk);
    Show([](Dialog&) {});
    EXPECT_THAT(Messages(), ElementsAre(u"Error occurred. (1)", u"Error occurred. (1)"));
    EXPECT_THAT(Styles(), ElementsAre(0u, 0u));
    EXPECT_EQ(log.Count("DBM_"), 2);
}

TEST_F(EditorViewTest, TheInitialSelectionScrolledIntoViewOrTheFirstRows) {
    Show([](Dialog& d) {
        for (ListView list : {Active(d), My(d)}) {
            EXPECT_EQ(list.FirstSelectedRow(), 0);
            EXPECT_EQ(list.ItemState(0, ui::kLvisFocused), ui::kLvisFocused);
            EXPECT_EQ(list.SelectionMark(), 0);
        }
    });
    dlg->initialSelection = PackPair(1, 5);  // the voice that is not shown
    Show([](Dialog& d) { EXPECT_EQ(Active(d).FirstSelectedRow(), 0); });
    trak4::SequenceDocument many;
    for (int program = 0; program < 40; ++program) {
        const std::u16string name = u"Voice " + std::u16string(1, u'A' + program / 26) +
                                    std::u16string(1, u'A' + program % 26);
        many.voices[{0, program}] = kora::test::SequenceVoiceOf(Singer(0, program, name, kAnna));
    }
    Load(many);
    dlg->initialSelection = PackPair(0, 33);
    Show([](Dialog& d) {
        ListView list = Active(d);
        ASSERT_EQ(list.FirstSelectedRow(), 33);
        EXPECT_EQ(list.ItemState(33, ui::kLvisFocused), ui::kLvisFocused);
        EXPECT_EQ(list.SelectionMark(), 33);
        EXPECT_LE(list.TopIndex(), 33);
        EXPECT_LT(33, list.TopIndex() + list.CountPerPage());  // wholly visible
    });
}

TEST_F(EditorViewTest, ButtonsFollowTheSelectionsAndReadOnlyMode) {
    user.Check([](Dialog& d) {
            ExpectEnabled(d, kActiveOnly, true);
            ExpectEnabled(d, kMyOnly, true);
        })
        .ClearSelection(IDC_ACTIVE_LIST)
        .Check([](Dialog& d) {
            ExpectEnabled(d, kAdd, true);
            ExpectEnabled(d, kActiveOnly, false);
            ExpectEnabled(d, kMyOnly, true);
        })
        .ClearSelection(IDC_MY_LIST)
        .Check([](Dialog& d) {
            ExpectEnabled(d, kMyOnly, false);
            ExpectEnabled(d, kAlwaysEnabled, true);
        })
        .SelectRow(IDC_ACTIVE_LIST, 2)
        .Check([](Dialog& d) { ExpectEnabled(d, kActiveOnly, true); });
    EXPECT_EQ(Run(), kIdCancel);

    dlg->readOnly = true;
    user.SelectRow(IDC_ACTIVE_LIST, 2).SelectRow(IDC_MY_LIST, 1).Check([](Dialog& d) {
        ExpectEnabled(d, kActiveOnly, false);
        ExpectEnabled(d, kMyOnly, false);
        ExpectEnabled(d, kAdd, false);
        ExpectEnabled(d, kAlwaysEnabled, true);
    });
    EXPECT_EQ(Run(), kIdCancel);
}

TEST_F(EditorViewTest, EmptyListsSelectNothingAndLeaveOnlyAdd) {
    Load(trak4::SequenceDocument{});
    dlg->mySingers.clear();
    Show([](Dialog& d) {
        EXPECT_EQ(Active(d).FirstSelectedRow(), -1);
        EXPECT_EQ(My(d).ItemCount(), 0);
        EXPECT_EQ(d.Control(IDC_SEQUENCE_NAME).Text(), u"Untitled");  // no file name
        ExpectEnabled(d, kAdd, true);
        ExpectEnabled(d, kActiveOnly, false);
        ExpectEnabled(d, kMyOnly, false);
    });
}

TEST_F(EditorViewTest, TheHostsTextsReplaceCaptionLabelsAndHeaders) {
    const ui::test::MapTextModule texts({{u"101", u"歌手エディター"},
                                         {u"1002", u""},
                                         {u"23041", u"追加"},
                                         {u"23083", u"無題"},
                                         {u"23077", u"名前"},
                                         {u"23079", u"セカンダリー"}});
    ui::test::TextModuleScope scope(&texts);
    bound->Context().textModule = &texts;
    // The title line is set after the translation.
    Show([](Dialog& d) { EXPECT_EQ(d.Control(IDC_SEQUENCE_NAME).Text(), u"demo.seq"); });
    trak4::SequenceDocument sequence = document;
    sequence.filePath.clear();
    Load(sequence);
    Show([](Dialog& d) {
        EXPECT_EQ(d.Caption(), u"歌手エディター");
        EXPECT_EQ(d.Control(IDC_ACTIVE_LABEL).Text(),
                  u"Active Singers");  // empty text: kept
        EXPECT_EQ(d.Control(IDC_ACTIVE_ADD).Text(), u"追加");
        EXPECT_EQ(d.Control(IDC_SEQUENCE_NAME).Text(), u"無題");
        EXPECT_EQ(Active(d).ColumnText(0), u"名前");
        EXPECT_EQ(Active(d).ColumnText(6), u"セカンダリー");
        EXPECT_EQ(My(d).ColumnText(1), u"名前");
        EXPECT_EQ(My(d).ColumnText(3), u"BRE");  // literal headers stay
    });
}

TEST_F(EditorViewTest, OkEndsWithIdOkAndReadOnlyOkPicksTheSelectedActiveSinger) {
    user.ClearSelection(IDC_ACTIVE_LIST).Click(kIdOk);
    EXPECT_EQ(dlg->DoModal(), kIdOk);
    EXPECT_EQ(dlg->pickedBank, -1);

    dlg->readOnly = true;
    user.ClearSelection(IDC_ACTIVE_LIST).Click(kIdOk);  // nothing picked: cancelled
    EXPECT_EQ(dlg->DoModal(), kIdCancel);
    EXPECT_EQ(dlg->pickedProgram, -1);
    // Beside the rows and in My: nothing.
    user.DoubleClickRow(IDC_ACTIVE_LIST, -1, 0)
        .DoubleClickRow(IDC_MY_LIST, 1, 0)
        .Check([](Dialog& d) { EXPECT_EQ(My(d).ItemText(1, 0), u""); })
        .Click(kIdCancel);
    EXPECT_EQ(dlg->DoModal(), kIdCancel);
    EXPECT_EQ(dlg->pickedBank, -1);
    user.SelectRow(IDC_ACTIVE_LIST, 2).Click(kIdOk);
    EXPECT_EQ(dlg->DoModal(), kIdOk);
    EXPECT_EQ((Pair{dlg->pickedBank, dlg->pickedProgram}), (Pair{0, 0}));  // Zed
    user.DoubleClickRow(IDC_ACTIVE_LIST, 3, 4);
    EXPECT_EQ(dlg->DoModal(), kIdOk);
    EXPECT_EQ((Pair{dlg->pickedBank, dlg->pickedProgram}), (Pair{2, 0}));  // Choir
}

}  // namespace
}  // namespace kora::dialogs::test
