// The module's resources and texts: the templates and the string table as
// both toolkits get them from the one resource script, the reader's
// refusals, the host's replacements, formatting, and whole dialogs localized
// in the singer edit dialog's start-up order (localize, then its caption).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "probe_dialog.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/string_res.h"
#include "res/xsynth_group_res.h"
#include "text_module_fake.h"
#include "ui/format_text.h"
#include "ui/headless/gtest_user.h"
#include "ui/headless/resource_tables.h"
#include "ui/localize.h"
#include "ui/lumi_m17n_string.h"

namespace kora::ui {
namespace {

using headless::ControlTemplate;
using headless::DialogTemplate;
using headless::ModuleResources;
using headless::TestUser;
using test::MapTextModule;
using test::Probe;
using test::TextModuleScope;

constexpr uint32_t WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000, WS_BORDER = 0x00800000,
                   WS_TABSTOP = 0x00010000, WS_VSCROLL = 0x00200000;

// A kind of control: its class, and the style bits it must have under a mask.
struct Kind {
    const char* cls;
    uint32_t mask, style;
};
constexpr uint32_t kStaticMask = 0x1F | 0xC000;  // type and ellipsis bits
const Kind S{"static", kStaticMask, 0}, SW{"static", kStaticMask, 0xC000},
    SE{"static", kStaticMask, 0x4000}, B{"button", 0xF | WS_TABSTOP, WS_TABSTOP},
    DB{"button", 0xF | WS_TABSTOP, 1 | WS_TABSTOP}, G{"button", 0xF, 7},
    E{"edit", WS_TABSTOP | WS_BORDER, WS_TABSTOP | WS_BORDER},
    NE{"edit", WS_TABSTOP | WS_BORDER | 0x80, WS_TABSTOP | WS_BORDER | 0x80},  // auto-scrolls
    C{"combobox", 0x3 | 0x100 | WS_VSCROLL, 0x3 | 0x100 | WS_VSCROLL},  // sorted drop-down list
    L{"syslistview32", 0xFFFF | WS_BORDER | WS_TABSTOP, 0x108D | WS_BORDER | WS_TABSTOP},
    L2{"syslistview32", 0xFFFF | WS_BORDER, 0x8005 | WS_BORDER},  // no sort header, unsorted
    SP{"msctls_updown32", 0xFF, 0x36};

struct Row {
    int id;
    const Kind& kind;
    std::u16string text;
    int x, y, cx, cy;
};

void ExpectDialog(int id, std::u16string caption, std::u16string font, int cx, int cy,
                  const std::vector<Row>& rows) {
    SCOPED_TRACE("dialog " + std::to_string(id));
    const DialogTemplate& d = ModuleResources().dialogs.at(id);
    EXPECT_EQ(std::tie(d.caption, d.fontName, d.cx, d.cy), std::tie(caption, font, cx, cy));
    EXPECT_EQ(d.style & 0x80C80080u, 0x80C80080u);  // popup, caption, system menu, modal frame
    ASSERT_EQ(d.controls.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const ControlTemplate& c = d.controls[i];
        const Row& r = rows[i];
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(std::tie(c.id, c.text, c.x, c.y, c.cx, c.cy),
                  std::tie(r.id, r.text, r.x, r.y, r.cx, r.cy));
        std::string cls = c.className;
        for (char& ch : cls) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_EQ(cls, r.kind.cls);
        const uint32_t mask = r.kind.mask | WS_CHILD | WS_VISIBLE;
        EXPECT_EQ(c.style & mask, r.kind.style | WS_CHILD | WS_VISIBLE);
    }
}

// clang-format off
TEST(ResourceTables, Templates) {
    ExpectDialog(IDD_SINGER_EDITOR, u"Singer Editor", u"MS Shell Dlg", 563, 341, {
        {1002, SW, u"Active Singers", 7, 7, 120, 10}, {23083, SE, u"Untitled", 7, 18, 213, 10},
        {26000, L, u"", 7, 31, 549, 88}, {23041, B, u"Add", 7, 126, 50, 14},
        {23036, B, u"Copy", 61, 126, 50, 14}, {23044, B, u"Edit", 115, 126, 50, 14},
        {23037, B, u"Delete", 169, 126, 50, 14},
        {23024, B, u"^  Copy to Active Singer", 158, 153, 120, 16},
        {23023, B, u"v  Copy to My Singer", 284, 153, 120, 16},
        {1003, SE, u"My Singers", 7, 175, 120, 10}, {23002, L, u"", 7, 192, 549, 88},
        {23038, B, u"Add", 7, 287, 50, 14}, {23039, B, u"Copy", 61, 287, 50, 14},
        {23045, B, u"Edit", 115, 287, 50, 14}, {23040, B, u"Delete", 169, 287, 50, 14},
        {23117, B, u"Import", 452, 287, 50, 14}, {23118, B, u"Export", 506, 287, 50, 14},
        {1, DB, u"OK", 225, 320, 50, 14}, {2, B, u"Cancel", 287, 320, 50, 14}});
    ExpectDialog(IDD_SINGER, u"Edit", u"MS UI Gothic", 379, 246, {
        {23112, S, u"Name", 7, 7, 74, 8}, {23086, NE, u"", 84, 7, 106, 14},
        {23110, S, u"Primary Singer", 7, 33, 74, 8}, {23087, C, u"", 84, 31, 93, 175},
        {23113, G, u"Voice Parameters", 20, 58, 97, 133}, {-1, S, u"BRE", 35, 74, 14, 8},
        {23088, E, u"", 67, 71, 33, 14}, {23092, SP, u"", 102, 71, 10, 14},
        {-1, S, u"BRI", 35, 93, 12, 8}, {23089, E, u"", 67, 90, 33, 14},
        {23093, SP, u"", 102, 90, 10, 14}, {-1, S, u"CLE", 35, 112, 13, 8},
        {23090, E, u"", 67, 109, 33, 14}, {23094, SP, u"", 102, 109, 10, 14},
        {-1, S, u"GEN", 35, 131, 14, 8}, {23091, E, u"", 67, 128, 33, 14},
        {23095, SP, u"", 102, 128, 10, 14}, {23096, B, u"Reset", 42, 169, 50, 14},
        {23111, S, u"Secondary Singer", 202, 33, 74, 8}, {23097, C, u"", 279, 31, 93, 180},
        {23114, G, u"Voice Parameters", 215, 58, 97, 133}, {-1, S, u"BRE", 230, 74, 14, 8},
        {23098, E, u"", 262, 71, 33, 14}, {23102, SP, u"", 298, 71, 10, 14},
        {-1, S, u"BRI", 230, 93, 12, 8}, {23099, E, u"", 262, 90, 33, 14},
        {23103, SP, u"", 298, 90, 10, 14}, {-1, S, u"CLE", 230, 112, 13, 8},
        {23100, E, u"", 262, 109, 33, 14}, {23104, SP, u"", 298, 107, 10, 14},
        {-1, S, u"GEN", 230, 131, 14, 8}, {23101, E, u"", 262, 128, 33, 14},
        {23105, SP, u"", 298, 128, 10, 14}, {-1, S, u"VOL", 230, 150, 14, 8},
        {23108, E, u"", 262, 147, 33, 14}, {23109, SP, u"", 298, 147, 10, 14},
        {23106, B, u"Reset", 238, 169, 50, 14},
        {23107, B, u"Cross-Synthesis Group List", 7, 225, 96, 14}, {1, DB, u"OK", 265, 225, 50, 14},
        {2, B, u"Cancel", 322, 225, 50, 14}});
    ExpectDialog(IDD_XSYNTH_GROUP, u"Cross-Synthesis Group List", u"MS UI Gothic", 190, 288, {
        {23115, L2, u"", 7, 7, 176, 252}, {23116, B, u"Open Group List of Webs", 7, 267, 95, 14},
        {1, DB, u"OK", 133, 267, 50, 14}});
    EXPECT_EQ(ModuleResources().dialogs.size(), 3u);
}

TEST(ResourceTables, StringTableHoldsEveryTextExactly) {
    const std::map<uint32_t, std::u16string> expected = {
        {5, u"Enter a singer name."},
        {6, u"Failed to copy singer, or cannot copy any more singers!"},
        {7, u"Failed to add singer, or cannot add any more singers!"},
        {8, u"Cannot delete the singer!"}, {9, u"Failed to change voice parameters!"},
        {10, u"Failed to change singer name!"}, {11, u"Singer name is invalid."},
        {12, u"Do you really want to delete the singer? "}, {21, u"Copy of "},
        {25, u"Failed to edit file!"}, {29, u"Cannot add any more singers!"},
        {30, u"Cannot copy any more singers!"}, {31, u"Error occurred. (%d)"},
        {32, u"SingerEditor Setting File (*.dat)|*.dat|All Files (*.*)|*.*||"},
        {33, u"Finished importing my singer information file."},
        {34, u"Finished exporting my singer information file."},
        {35, u"Failed to read my singer information file!"},
        {36, u"Failed to write my singer information file!"},
        {37, u"A singer name can have at most 255 characters."},
        {23077, u"Name"}, {23078, u"Primary Singer"}, {23079, u"Secondary Singer"},
        {23080, u"Singer"}, {23084, u"Add"}, {23085, u"Edit"}};
    EXPECT_EQ(ModuleResources().strings, expected);
}
// clang-format on

TEST(ResourceScriptReader, RefusesWhatItDoesNotKnowWithFileAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"STRINGTABLE\nBEGIN\n UNKNOWN_ID \"x\"\nEND\n", "test.rc:3: unknown name UNKNOWN_ID"},
        {"1 MENU\n", "test.rc:1: unsupported resource statement"},
        {"#include \"missing.h\"\n", "test.rc:1: included file \"missing.h\" is not embedded"},
        {"#include \"ids.h\"\n", "ids.h:1: a header may hold directives only"},
        {"STRINGTABLE\nBEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n", "test.rc:5: string 1 defined twice"},
        {"STRINGTABLE\nBEGIN\n 1 \"open\nEND\n", "test.rc:3: unterminated string"},
        {"1 DIALOGEX 0, 0, 1, 1\nBEGIN\n LTEXT \"a\", 1, 0, 0, 1, 1\nEND\n",
         "test.rc:3: only CONTROL statements are read in a dialog"}};
    for (const auto& [script, message] : cases) {
        try {
            headless::ParseResourceScript(
                std::vector<res::ScriptFile>{{"test.rc", script}, {"ids.h", "int x;\n"}});
            ADD_FAILURE() << "no error for " << script;
        } catch (const headless::ResourceScriptError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
    EXPECT_THROW(headless::ParseResourceScript({}), headless::ResourceScriptError);
}

TEST(TranslateString, ReplacesOnlyOnAnExactSignedDecimalKey) {
    MapTextModule texts({{u"05", u"x"},
                         {u" 5", u"x"},
                         {u"5+", u"x"},
                         {u"6", u""},
                         {u"-1", u"-1"},
                         {u"4294967295", u"x"}});
    TextModuleScope scope(&texts);
    std::u16string text = u"kept";
    EXPECT_TRUE(TranslateString(&text, 5));
    EXPECT_EQ(text, u"kept");
    EXPECT_TRUE(TranslateString(&text, 0xFFFFFFFFu));
    EXPECT_EQ(text, u"-1");
    EXPECT_TRUE(TranslateString(&text, 6));  // an empty entry empties the text
    EXPECT_EQ(text, u"");
    EXPECT_FALSE(TranslateString(nullptr, 5));
    TextModuleScope none(nullptr);
    text = u"kept";
    EXPECT_TRUE(TranslateString(&text, 6));
    EXPECT_EQ(text, u"kept");
}

TEST(LoadString, GivesTheTableTextOrTheHostsEvenEmptyButNeverForAMissingId) {
    CLumiM17NString s;
    ASSERT_TRUE(s.LoadString(IDS_CONFIRM_DELETE));
    EXPECT_EQ(s, u"Do you really want to delete the singer? ");  // trailing blank kept
    MapTextModule texts({{u"23077", u"名前"}, {u"5", u""}, {u"4", u"not in the table"}});
    TextModuleScope scope(&texts);
    ASSERT_TRUE(s.LoadString(IDS_COLUMN_NAME));
    EXPECT_EQ(s, u"名前");
    ASSERT_TRUE(s.LoadString(IDS_ENTER_SINGER_NAME));
    EXPECT_EQ(s, u"");
    texts.lookups = 0;
    CLumiM17NString kept(u"before");
    EXPECT_FALSE(kept.LoadString(4));
    EXPECT_EQ(kept, u"before");
    EXPECT_EQ(texts.lookups, 0);
}

TEST(Format, FormatsTheTableTextOrTheHostsWhenItFitsCheckingEveryPlaceholder) {
    CLumiM17NString s(u"previous");
    s.Format(9999, 1);  // no such string
    EXPECT_EQ(s, u"");
    s.Format(IDS_ERROR_OCCURRED, -12345);
    EXPECT_EQ(s, u"Error occurred. (-12345)");
    const char16_t* const kOwn = u"Error occurred. (-7)";
    // A host's format is used when every conversion reads the int it is
    // given; anything that could read a missing or mistyped argument falls
    // back to the table's text.
    // clang-format off
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"エラー (%d) 100%%", u"エラー (-7) 100%"}, {u"Plain.", u"Plain."},
        {u"[%3d]", u"[ -7]"}, {u"[%-4i]", u"[-7  ]"}, {u"[%05d]", u"[-0007]"}, {u"[%+.3d]", u"[-007]"},
        {u"[%u]", u"[4294967289]"}, {u"[%x]", u"[fffffff9]"}, {u"[%#X]", u"[0XFFFFFFF9]"},
        {u"[%#o]", u"[037777777771]"}, {u"[%ld]", u"[-7]"}, {u"[%I32d]", u"[-7]"},
        {u"[%hd]", u"[-7]"}, {u"[%hhu]", u"[249]"},
        {u"Error %s", kOwn}, {u"Error %d %d", kOwn}, {u"Error %lld", kOwn}, {u"Error %I64d", kOwn},
        {u"Error %*d", kOwn}, {u"Error %.*d", kOwn}, {u"Error %f", kOwn}, {u"Error %c", kOwn},
        {u"Error %p", kOwn}, {u"Error %wd", kOwn}, {u"Error %2000d", kOwn}, {u"Error %", kOwn},
        {u"%n", kOwn}};
    // clang-format on
    for (const auto& [host, expected] : cases) {
        MapTextModule texts({{u"31", host}});
        TextModuleScope scope(&texts);
        s.Format(IDS_ERROR_OCCURRED, -7);
        EXPECT_EQ(s, expected) << std::string(host,
                                              host + std::char_traits<char16_t>::length(host));
    }
    // Sizes follow the argument: a 64-bit value needs ll, a narrow one is an int.
    EXPECT_EQ(FormatText(u"%s (%lld)", std::u16string(u"Alto"), int64_t{-9000000000}),
              u"Alto (-9000000000)");
    EXPECT_EQ(FormatText(u"%d", int64_t{1}), std::nullopt);
    EXPECT_EQ(FormatText(u"%d|%x", int16_t{-2}, uint8_t{255}), u"-2|ff");
    EXPECT_EQ(FormatText(u"%zu", size_t{3}), u"3");
    EXPECT_EQ(FormatText(u"[%-6.2s|%ls|%3s]", u"Alto", u"B", u"C"), u"[Al    |B|  C]");
    EXPECT_EQ(FormatText(u"%s", static_cast<const char16_t*>(nullptr)), u"");
    EXPECT_EQ(FormatText(u"%d", u"text"), std::nullopt);
    EXPECT_EQ(FormatText(u"%hs", u"text"), std::nullopt);
    EXPECT_EQ(FormatText(u"%.0d|%#x|%#.0o", 0, 0, 0), u"|0|0");
    EXPECT_EQ(FormatText(u"%d", INT32_MIN), u"-2147483648");
    EXPECT_EQ(DecimalText(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(DecimalText(INT64_MAX), u"9223372036854775807");
}

struct Seen {
    std::u16string caption;
    std::map<int, std::u16string> texts;  // by id; the -1 labels under -1, -2, ...
    int localizeResult = -1;
};

// Opens dialog 23000 the way the singer edit dialog starts: localize with the
// dialog's module, then set the caption from string 23084 ("Add").
Seen OpenSingerDialog(const LumiM17NModule* module) {
    TestUser user;
    TextModuleScope scope(module);
    Seen seen;
    Probe dlg(IDD_SINGER);
    dlg.onInit = [&](Probe& p) {
        if (module) seen.localizeResult = LocalizeDialog(module, &p, IDD_SINGER);
        CLumiM17NString caption;
        caption.LoadString(IDS_CAPTION_ADD);
        p.SetCaption(caption);
        return true;
    };
    user.Check([&](Dialog& d) {
            seen.caption = d.Caption();
            int unnamed = 0;
            d.ForEachChild([&](ChildWindow child) {
                seen.texts[child.Id() < 0 ? --unnamed : child.Id()] = child.Text();
                return true;
            });
        })
        .PressEscape();
    dlg.DoModal();
    return seen;
}

TEST(LocalizeDialog, HostTextsReplaceControlsButTheCaptionIsSetAfterwards) {
    MapTextModule empty({});
    const Seen plain = OpenSingerDialog(nullptr), unchanged = OpenSingerDialog(&empty);
    EXPECT_EQ(plain.texts.size(), 40u);
    EXPECT_EQ(unchanged.texts, plain.texts);  // no entries: the template texts stay
    EXPECT_EQ(std::tie(plain.caption, unchanged.caption), std::tuple(u"Add", u"Add"));
    EXPECT_EQ(unchanged.localizeResult, 1);
    EXPECT_GT(empty.lookups, 30);
    MapTextModule texts({{u"23000", u"歌手"},
                         {u"23107", u"クロスシンセシス グループ"},
                         {u"23112", u"名前"},
                         {u"23096", u""},  // empty: the Reset button keeps its text
                         {u"-1", u"never"},
                         {u"23084", u"追加"}});
    const Seen seen = OpenSingerDialog(&texts);
    EXPECT_EQ(seen.localizeResult, 1);
    EXPECT_EQ(seen.caption, u"追加");  // string 23084 through the host, not template 23000
    EXPECT_EQ(seen.texts.at(IDC_XSYNTH_GROUP_LIST), u"クロスシンセシス グループ");
    EXPECT_EQ(seen.texts.at(IDC_NAME_LABEL), u"名前");
    EXPECT_EQ(seen.texts.at(IDC_PRIMARY_RESET), u"Reset");
    for (int i = -1; i >= -9; --i) EXPECT_EQ(seen.texts.at(i), plain.texts.at(i)) << i;
}

TEST(LocalizeDialog, CaptionTakesEvenAnEmptyHostTextAndNullsChangeNothing) {
    MapTextModule texts({{u"101", u""}, {u"1003", u"マイ シンガー"}, {u"-1", u"x"}});
    EXPECT_EQ(LocalizeDialog(&texts, nullptr, IDD_SINGER_EDITOR), 0);
    LocalizeChildControl(&texts, ChildWindow());  // a null child is passed over
    EXPECT_EQ(texts.lookups, 0);
    TestUser user;
    Probe dlg(IDD_SINGER_EDITOR);
    dlg.onInit = [&](Probe& p) {
        EXPECT_EQ(LocalizeDialog(nullptr, &p, IDD_SINGER_EDITOR), 0);  // stops at the first child
        EXPECT_EQ(p.Caption(), u"Singer Editor");
        LocalizeDialog(&texts, &p, IDD_SINGER_EDITOR);
        return true;
    };
    user.Check([](Dialog& d) {
            EXPECT_EQ(d.Caption(), u"");
            EXPECT_EQ(d.Control(IDC_MY_LABEL).Text(), u"マイ シンガー");
            EXPECT_EQ(d.Control(IDC_ACTIVE_LABEL).Text(), u"Active Singers");
        })
        .PressEscape();
    dlg.DoModal();
}

}  // namespace
}  // namespace kora::ui
