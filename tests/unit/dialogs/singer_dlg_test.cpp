// The singer edit dialog through the scripted user: start-up in Add and
// Edit mode, the two combo boxes and their enabling, the Reset buttons,
// leaving a parameter field, every check of OK, and what comes back.
#include "dialogs/singer_dlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <span>

#include "dialog_fixtures.h"
#include "dialogs/singer_name_check.h"
#include "res/singer_dlg_res.h"
#include "res/xsynth_group_res.h"
#include "text_module_fake.h"
#include "ui/format_text.h"
#include "ui/headless/gtest_user.h"

namespace kora::dialogs {
namespace {

using test::FakeEditor;
using test::kAlto;
using test::kBass;
using test::kContralto;
using test::kSoprano;
using test::kTenor;
using ::testing::Each;
using ::testing::ElementsAre;
using ui::ComboBox;
using ui::Dialog;
using ui::kIdCancel;
using ui::kIdOk;
using ui::UpDown;
using ui::headless::TestUser;

constexpr int kPrimaryFields[] = {IDC_PRIMARY_BRE, IDC_PRIMARY_BRI, IDC_PRIMARY_CLE,
                                  IDC_PRIMARY_GEN};
constexpr int kSecondaryFields[] = {IDC_SECONDARY_BRE, IDC_SECONDARY_BRI, IDC_SECONDARY_CLE,
                                    IDC_SECONDARY_GEN, IDC_SECONDARY_VOL};
// Everything the secondary choice turns on and off.
constexpr int kSecondaryControls[] = {
    IDC_SECONDARY_BRE,      IDC_SECONDARY_BRI,      IDC_SECONDARY_CLE,      IDC_SECONDARY_GEN,
    IDC_SECONDARY_VOL,      IDC_SECONDARY_BRE_SPIN, IDC_SECONDARY_BRI_SPIN, IDC_SECONDARY_CLE_SPIN,
    IDC_SECONDARY_GEN_SPIN, IDC_SECONDARY_VOL_SPIN, IDC_SECONDARY_RESET};

std::vector<std::u16string> Texts(Dialog& d, std::span<const int> ids) {
    std::vector<std::u16string> texts;
    for (int id : ids) texts.push_back(d.Control(id).Text());
    return texts;
}

std::vector<bool> Enabled(Dialog& d, std::span<const int> ids) {
    std::vector<bool> states;
    for (int id : ids) states.push_back(d.Control(id).IsEnabled());
    return states;
}

// The combo box's item texts, or with `data` its item data as text.
std::vector<std::u16string> Items(Dialog& d, int comboId, bool data = false) {
    auto box = d.Control<ComboBox>(comboId);
    std::vector<std::u16string> items;
    for (int i = 0; i < box.Count(); ++i)
        items.push_back(data ? ui::DecimalText(box.ItemData(i)) : box.ItemText(i));
    return items;
}

std::u16string Chosen(Dialog& d, int comboId) { return d.Control(comboId).Text(); }

std::vector<int32_t> Values(const AxVVoiceParam& p) {
    return {p.BRE, p.BRI, p.CLE, p.GEN, p.AUX, p.VOL};
}

class SingerDlgTest : public ::testing::Test {
protected:
    TestUser user;
    FakeEditor editor;
    VoiceListCopy voices = test::SortedCopy(test::Catalog());
    CSingerDlg dlg{&editor};

    void SetUp() override { dlg.voiceList = &voices; }

    std::vector<std::u16string> Messages() const {
        std::vector<std::u16string> texts;
        for (const auto& box : user.MessageBoxes()) texts.push_back(box.text);
        return texts;
    }
};

TEST_F(SingerDlgTest, AddStartsOnTheFirstVoiceOfTheBoxWithItsDefaults) {
    user.Check([](Dialog& d) {
            EXPECT_EQ(d.Caption(), u"Add");
            EXPECT_EQ(d.Control<ui::Edit>(IDC_SINGER_NAME).LimitText(), 255);
            for (int spin : {IDC_PRIMARY_BRE_SPIN, IDC_PRIMARY_GEN_SPIN, IDC_SECONDARY_VOL_SPIN})
                EXPECT_EQ(d.Control<UpDown>(spin).Range32(), std::pair(-127, 127)) << spin;
            // Sorted by name; item data is the index in the display-ordered
            // copy (Alto, Contralto, Bass, Soprano, Tenor).
            EXPECT_THAT(Items(d, IDC_PRIMARY_SINGER),
                        ElementsAre(u"Alto", u"Bass", u"Contralto", u"Soprano", u"Tenor"));
            EXPECT_THAT(Items(d, IDC_PRIMARY_SINGER, true),
                        ElementsAre(u"0", u"2", u"1", u"3", u"4"));
            EXPECT_EQ(Chosen(d, IDC_PRIMARY_SINGER), u"Alto");
            EXPECT_TRUE(d.Control(IDC_PRIMARY_SINGER).IsEnabled());
            EXPECT_THAT(Texts(d, kPrimaryFields), ElementsAre(u"1", u"2", u"3", u"4"));

            EXPECT_THAT(Items(d, IDC_SECONDARY_SINGER), ElementsAre(u"-", u"Bass", u"Contralto"));
            EXPECT_THAT(Items(d, IDC_SECONDARY_SINGER, true), ElementsAre(u"-1", u"2", u"1"));
            EXPECT_EQ(Chosen(d, IDC_SECONDARY_SINGER), u"-");
            EXPECT_TRUE(d.Control(IDC_SECONDARY_SINGER).IsEnabled());
            EXPECT_THAT(Enabled(d, kSecondaryControls), Each(false));
            EXPECT_THAT(Texts(d, kSecondaryFields), Each(u"0"));
            EXPECT_EQ(d.FocusedControlId(), IDC_SINGER_NAME);
        })
        .Click(kIdCancel);
    EXPECT_EQ(dlg.DoModal(), kIdCancel);
    EXPECT_EQ(dlg.primaryBank, 0);
    EXPECT_EQ(dlg.name, u"");
}

TEST_F(SingerDlgTest, TheWantedPrimaryIsFoundWithoutRegardToCaseAndALaterMatchWins) {
    auto list = test::Catalog();
    list.push_back({5, u"Alto Late", {9, 9, 9, 9, 9}, test::Lower(kAlto)});
    const VoiceListCopy twice = test::SortedCopy(list);
    dlg.voiceList = &twice;
    dlg.primaryId = test::Lower(kContralto);
    user.Check([](Dialog& d) { EXPECT_EQ(Chosen(d, IDC_PRIMARY_SINGER), u"Contralto"); })
        .Click(kIdCancel);
    EXPECT_EQ(dlg.DoModal(), kIdCancel);

    CSingerDlg again(&editor);
    again.voiceList = &twice;
    again.primaryId = kAlto;  // "Alto" (bank 0) and "Alto Late" (bank 5, later) both match
    user.Check([](Dialog& d) { EXPECT_EQ(Chosen(d, IDC_PRIMARY_SINGER), u"Alto Late"); })
        .Click(kIdCancel);
    EXPECT_EQ(again.DoModal(), kIdCancel);
}

TEST_F(SingerDlgTest, LeavingAFieldKeepsOnlyWholeNumbersWithinRange) {
    // Typed, then what the field holds once left.
    const std::pair<const char16_t*, const char16_t*> bre[] = {
        {u"200", u"1"}, {u"-127", u"-127"}, {u"128", u"-127"}, {u"127", u"127"}};
    for (const auto& [typed, kept] : bre) {
        user.Type(IDC_PRIMARY_BRE, typed).Leave(IDC_PRIMARY_BRE).Check([kept](Dialog& d) {
            EXPECT_EQ(d.Control(IDC_PRIMARY_BRE).Text(), kept);
        });
    }
    user.Type(IDC_PRIMARY_GEN, u"four")
        .Leave(IDC_PRIMARY_GEN)
        .Check([](Dialog& d) {
            EXPECT_THAT(Texts(d, kPrimaryFields), ElementsAre(u"127", u"2", u"3", u"4"));
        })
        .ChooseItem(IDC_SECONDARY_SINGER, u"Bass")
        .Type(IDC_SECONDARY_VOL, u"-128")
        .Leave(IDC_SECONDARY_VOL)
        .Check([](Dialog& d) { EXPECT_EQ(d.Control(IDC_SECONDARY_VOL).Text(), u"0"); })
        .Type(IDC_SINGER_NAME, u"Alto")
        .Type(IDC_PRIMARY_CLE, u"300")
        // Typed and not left (Enter keeps the focus): counts at OK.
        .Type(IDC_SECONDARY_VOL, u"-60")
        .PressEnter();
    ASSERT_EQ(dlg.DoModal(), kIdOk);
    EXPECT_THAT(Values(dlg.primaryParams), ElementsAre(127, 2, 3, 4, 0, 0));
    EXPECT_THAT(Values(dlg.secondaryParams), ElementsAre(-10, -20, -30, -40, 0, -60));
}

TEST_F(SingerDlgTest, TheSecondaryChoiceTurnsItsControlsOnAndSetsDefaults) {
    user.ChooseItem(IDC_SECONDARY_SINGER, u"Bass")
        .Check([](Dialog& d) {
            EXPECT_THAT(Enabled(d, kSecondaryControls), Each(true));
            EXPECT_THAT(Texts(d, kSecondaryFields),
                        ElementsAre(u"-10", u"-20", u"-30", u"-40", u"0"));
        })
        .Type(IDC_SECONDARY_VOL, u"50")
        .Leave(IDC_SECONDARY_VOL)
        .ChooseItem(IDC_SECONDARY_SINGER, u"Contralto")
        .Check([](Dialog& d) {
            EXPECT_THAT(Texts(d, kSecondaryFields), ElementsAre(u"7", u"8", u"9", u"10", u"0"));
        })
        .Type(IDC_SECONDARY_BRE, u"99")
        .Leave(IDC_SECONDARY_BRE)
        .ChooseItem(IDC_SECONDARY_SINGER, u"-")
        .Check([](Dialog& d) {
            EXPECT_THAT(Enabled(d, kSecondaryControls), Each(false));
            EXPECT_THAT(Texts(d, kSecondaryFields), Each(u"0"));
            // The box, its label and the group box keep their state.
            EXPECT_TRUE(d.Control(IDC_SECONDARY_SINGER).IsEnabled());
            EXPECT_TRUE(d.Control(IDC_SECONDARY_LABEL).IsEnabled());
            EXPECT_TRUE(d.Control(IDC_SECONDARY_GROUP).IsEnabled());
        })
        .ChooseItem(IDC_SECONDARY_SINGER, u"Contralto")
        .Type(IDC_SINGER_NAME, u"Blend")
        .Click(kIdOk);
    ASSERT_EQ(dlg.DoModal(), kIdOk);
    EXPECT_EQ(dlg.primaryId, kAlto);
    EXPECT_EQ(dlg.secondaryId, kContralto);
    EXPECT_THAT(Values(dlg.secondaryParams), ElementsAre(7, 8, 9, 10, 0, 0));
}

TEST_F(SingerDlgTest, AnotherPrimaryKeepsASecondaryThatIsStillAPartner) {
    user.ChooseItem(IDC_SECONDARY_SINGER, u"Contralto")
        .Type(IDC_PRIMARY_BRE, u"50")
        .Leave(IDC_PRIMARY_BRE)
        .Type(IDC_SECONDARY_BRE, u"60")
        .Leave(IDC_SECONDARY_BRE)
        .ChooseItem(IDC_PRIMARY_SINGER, u"Soprano")  // partners: Contralto
        .Check([](Dialog& d) {
            EXPECT_THAT(Items(d, IDC_SECONDARY_SINGER), ElementsAre(u"-", u"Contralto"));
            EXPECT_EQ(Chosen(d, IDC_SECONDARY_SINGER), u"Contralto");
            EXPECT_THAT(Texts(d, kPrimaryFields), ElementsAre(u"20", u"21", u"22", u"23"));
            EXPECT_THAT(Texts(d, kSecondaryFields), ElementsAre(u"7", u"8", u"9", u"10", u"0"));
            EXPECT_THAT(Enabled(d, kSecondaryControls), Each(true));
        })
        .ChooseItem(IDC_PRIMARY_SINGER, u"Bass")  // partners: Alto, Contralto
        .Check([](Dialog& d) { EXPECT_EQ(Chosen(d, IDC_SECONDARY_SINGER), u"Contralto"); })
        .ChooseItem(IDC_PRIMARY_SINGER, u"Tenor")
        .Check([](Dialog& d) {
            EXPECT_EQ(Chosen(d, IDC_SECONDARY_SINGER), u"-");
            EXPECT_THAT(Texts(d, kSecondaryFields), Each(u"0"));
        })
        // The choice fell back to "-", so it is gone for the next primary.
        .ChooseItem(IDC_PRIMARY_SINGER, u"Alto")
        .Check([](Dialog& d) { EXPECT_EQ(Chosen(d, IDC_SECONDARY_SINGER), u"-"); })
        .ChooseItem(IDC_PRIMARY_SINGER,
                    u"Tenor")  // no partners: only the disabled dash
        .Check([](Dialog& d) {
            EXPECT_THAT(Items(d, IDC_SECONDARY_SINGER), ElementsAre(u"-"));
            EXPECT_FALSE(d.Control(IDC_SECONDARY_SINGER).IsEnabled());
            EXPECT_THAT(Enabled(d, kSecondaryControls), Each(false));
            EXPECT_THAT(Texts(d, kPrimaryFields), ElementsAre(u"-1", u"-2", u"-3", u"-4"));
        })
        .Type(IDC_SINGER_NAME, u"Solo")
        .Click(kIdOk);
    ASSERT_EQ(dlg.DoModal(), kIdOk);
    EXPECT_EQ(dlg.primaryBank, 3);
    EXPECT_EQ(dlg.primaryId, kTenor);
    EXPECT_EQ(dlg.secondaryId, u"");
}

TEST_F(SingerDlgTest, ResetButtonsBringBackTheDefaultsAndVolumeZero) {
    user.ChooseItem(IDC_SECONDARY_SINGER, u"Bass")
        .Type(IDC_PRIMARY_BRI, u"-90")
        .Leave(IDC_PRIMARY_BRI)
        .Type(IDC_SECONDARY_GEN, u"33")
        .Leave(IDC_SECONDARY_GEN)
        .Type(IDC_SECONDARY_VOL, u"44")
        .Leave(IDC_SECONDARY_VOL)
        .Click(IDC_PRIMARY_RESET)
        .Check([](Dialog& d) {
            EXPECT_THAT(Texts(d, kPrimaryFields), ElementsAre(u"1", u"2", u"3", u"4"));
            EXPECT_EQ(d.Control(IDC_SECONDARY_GEN).Text(), u"33");
        })
        .Click(IDC_SECONDARY_RESET)
        .Check([](Dialog& d) {
            EXPECT_THAT(Texts(d, kSecondaryFields),
                        ElementsAre(u"-10", u"-20", u"-30", u"-40", u"0"));
        })
        .Click(kIdCancel);
    EXPECT_EQ(dlg.DoModal(), kIdCancel);
    // Defaults are asked by the exact id.
    EXPECT_THAT(editor.defaultsAsked, Each(::testing::AnyOf(kAlto, kBass)));
}

TEST_F(SingerDlgTest, EveryNameCheckOfOkInItsOrder) {
    const std::u16string tooLong(259, u'x');
    dlg.editMode = true;
    dlg.name = tooLong;
    dlg.primaryId = kAlto;
    user.Check([&](Dialog& d) { EXPECT_EQ(d.Control(IDC_SINGER_NAME).Text(), tooLong); });
    for (const char16_t* name : {u"x", u"", u" \t\u3000 ", u"Al\tto"}) {
        if (*name != u'x') user.Type(IDC_SINGER_NAME, name);
        user.Click(kIdOk).AnswerMessageBox(kIdOk).Check([](Dialog& d) {
            EXPECT_TRUE(d.IsOpen());
            EXPECT_EQ(d.FocusedControlId(), IDC_SINGER_NAME);
        });
    }
    const std::u16string accepted = u" \u3000Alto \U0001F3B5, = (2)";
    user.Type(IDC_SINGER_NAME, accepted).Click(kIdOk);
    ASSERT_EQ(dlg.DoModal(), kIdOk);
    EXPECT_THAT(Messages(), ElementsAre(u"A singer name can have at most 255 characters.",
                                        u"Enter a singer name.", u"Singer name is invalid.",
                                        u"Singer name is invalid."));
    for (const auto& box : user.MessageBoxes()) {
        EXPECT_EQ(box.style, 0u);
        EXPECT_EQ(box.dialogId, IDD_SINGER);
    }
    EXPECT_EQ(dlg.name, accepted);  // untrimmed
    EXPECT_EQ(dlg.Name(), accepted);
}

TEST_F(SingerDlgTest, TypingIsCutToTheLimitAndThenAccepted) {
    user.Type(IDC_SINGER_NAME, std::u16string(300, u'y')).Click(kIdOk);
    ASSERT_EQ(dlg.DoModal(), kIdOk);
    EXPECT_EQ(dlg.name, std::u16string(255, u'y'));
    EXPECT_TRUE(user.MessageBoxes().empty());
}

TEST(SingerNameCheck, BlanksOnlyOrAControlUnitOutsideASurrogatePairAreInvalid) {
    using enum SingerNameVerdict;
    const std::pair<std::u16string, SingerNameVerdict> cases[] = {
        {u"", Empty},
        {u"\u3000", Invalid},
        {u"Alto\t", Invalid},
        {u"\tAlto", Invalid},
        {u"Alto\n", Invalid},
        {u"Al\u007Fto", Invalid},
        {u"Al\u0085to", Invalid},
        {{u'A', char16_t(0xD800), u'\x01'}, Invalid},  // a lone high surrogate hides nothing
        {{char16_t(0xD83C), u'\t'}, Invalid},
        {u" \u3000Alto \U0001F3B5, = (2)", Ok},
        {{char16_t(0xDC00), u'a'}, Ok},
        {{u'a', char16_t(0xD83C)}, Ok},  // at the very end: no partner to pass over
        {u"\u00A0", Ok},                 // neither trimmed nor a control unit
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(CheckSingerName(cases[i].first), cases[i].second) << "case " << i;
    EXPECT_TRUE(IsControlUnit(u'\u009F'));
    EXPECT_FALSE(IsControlUnit(u' '));
}

TEST_F(SingerDlgTest, WithoutAVoiceToChooseOkNeverCloses) {
    const VoiceListCopy empty;
    dlg.voiceList = &empty;
    user.Type(IDC_SINGER_NAME, u"Alto")
        .Click(kIdOk)
        .AnswerMessageBox(kIdOk)
        .PressEnter()
        .AnswerMessageBox(kIdOk)
        .PressEscape();
    EXPECT_EQ(dlg.DoModal(), kIdCancel);
    EXPECT_THAT(Messages(), ElementsAre(u"Error occurred. (0)", u"Error occurred. (0)"));
    EXPECT_EQ(user.MessageBoxes()[1].style, 0u);
}

// Edit mode on a stored singer: what the dialog shows, and what OK gives back
// (AUX and the primary VOL are 0 whatever came in).
struct EditCase {
    const char* label;
    std::u16string primary, secondary;  // as stored
    AxVVoiceParam primaryIn, secondaryIn;
    std::u16string shownPrimary, shownSecondary;
    std::vector<std::u16string> primaryTexts, secondaryTexts;
    std::u16string primaryOut, secondaryOut;
    int32_t bank;
    std::vector<int32_t> primaryValues, secondaryValues;
};

TEST_F(SingerDlgTest, EditShowsTheStoredSingerFixesThePrimaryAndGivesBackItsValues) {
    // Stored: primary, secondary, their parameters. Shown: the voices, the
    // fields. Given back: the ids, the primary's bank, the values.
    // clang-format off
    const EditCase cases[] = {
        {"PartnerInAnotherCase", kBass, test::Lower(kContralto),
         {11, 12, 13, 14, 99, 55}, {-5, -6, -7, -8, 98, 70},
         u"Bass", u"Contralto", {u"11", u"12", u"13", u"14"}, {u"-5", u"-6", u"-7", u"-8", u"70"},
         kBass, kContralto, 1, {11, 12, 13, 14, 0, 0}, {-5, -6, -7, -8, 0, 70}},
        {"SecondaryNoPartner", kAlto, kSoprano, {1, 1, 1, 1, 1, 1}, {5, 6, 7, 8, 9, 10},
         u"Alto", u"-", {u"1", u"1", u"1", u"1"}, {u"5", u"6", u"7", u"8", u"10"},
         kAlto, u"", 0, {1, 1, 1, 1, 0, 0}, {5, 6, 7, 8, 0, 10}},
        {"PrimaryNotInstalled", u"NOTINSTALLED0000", u"", {3, 3, 3, 3, 0, 0}, {},
         u"Alto", u"-", {u"3", u"3", u"3", u"3"}, {u"0", u"0", u"0", u"0", u"0"},
         kAlto, u"", 0, {3, 3, 3, 3, 0, 0}, {0, 0, 0, 0, 0, 0}},
    };
    // clang-format on
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.label);
        CSingerDlg edit(&editor);
        edit.voiceList = &voices;
        edit.editMode = true;
        edit.name = u"Old";
        edit.primaryId = c.primary;
        edit.secondaryId = c.secondary;
        edit.primaryParams = c.primaryIn;
        edit.secondaryParams = c.secondaryIn;
        user.Check([&c](Dialog& d) {
                EXPECT_EQ(d.Control(IDC_SINGER_NAME).Text(), u"Old");
                EXPECT_EQ(Chosen(d, IDC_PRIMARY_SINGER), c.shownPrimary);
                EXPECT_FALSE(d.Control(IDC_PRIMARY_SINGER).IsEnabled());
                EXPECT_EQ(Chosen(d, IDC_SECONDARY_SINGER), c.shownSecondary);
                EXPECT_THAT(Enabled(d, kSecondaryControls), Each(c.shownSecondary != u"-"));
                EXPECT_EQ(Texts(d, kPrimaryFields), c.primaryTexts);
                EXPECT_EQ(Texts(d, kSecondaryFields), c.secondaryTexts);
            })
            .Type(IDC_SINGER_NAME, u"New")
            .Click(kIdOk);
        ASSERT_EQ(edit.DoModal(), kIdOk);
        EXPECT_EQ(edit.Name(), u"New");
        EXPECT_EQ(edit.PrimaryId(), c.primaryOut);
        EXPECT_EQ(edit.SecondaryId(), c.secondaryOut);  // the list's spelling
        EXPECT_EQ(edit.primaryBank, c.bank);
        EXPECT_EQ(Values(edit.primaryParams), c.primaryValues);
        EXPECT_EQ(Values(edit.secondaryParams), c.secondaryValues);
    }
}

TEST_F(SingerDlgTest, TheHostsTextsReachTheDialogAndTheGroupList) {
    const ui::test::MapTextModule texts{
        {u"23107", u"Gruppen"}, {u"23116", u"Webseite"}, {u"37", u"Höchstens 255 Zeichen."}};
    const ui::test::TextModuleScope scope(&texts);
    dlg.m17nModule = &texts;
    dlg.editMode = true;
    dlg.name = std::u16string(256, u'x');
    dlg.primaryId = kAlto;
    user.Check([](Dialog& d) {
            EXPECT_EQ(d.Caption(), u"Edit");
            EXPECT_EQ(d.Control(IDC_XSYNTH_GROUP_LIST).Text(), u"Gruppen");
        })
        .Click(IDC_XSYNTH_GROUP_LIST)
        .ExpectDialog(IDD_XSYNTH_GROUP)
        .Check([](Dialog& d) {  // the module and the editor's groups are handed on
            EXPECT_EQ(d.Control(IDC_OPEN_GROUP_WEB).Text(), u"Webseite");
            EXPECT_EQ(d.Control<ui::ListView>(IDC_XSYNTH_LIST).ItemCount(), 5);
        })
        .Click(kIdOk)
        .Click(kIdOk)
        .AnswerMessageBox(kIdOk)
        .Click(kIdCancel);
    EXPECT_EQ(dlg.DoModal(), kIdCancel);
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].text, u"Höchstens 255 Zeichen.");
}

}  // namespace
}  // namespace kora::dialogs
