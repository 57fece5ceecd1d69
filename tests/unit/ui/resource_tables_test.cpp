// The templates and the string table as both toolkits get them from the one
// resource script, and the reader's refusals.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/xsynth_group_res.h"
#include "ui/headless/resource_tables.h"

namespace kora::ui::headless {
namespace {

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
    L{"syslistview32", 0xFFFF | WS_BORDER | WS_TABSTOP, 0x8D | WS_BORDER | WS_TABSTOP},
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
    EXPECT_EQ(d.caption, caption);
    EXPECT_EQ(d.fontName, font);
    EXPECT_EQ(std::pair(d.cx, d.cy), std::pair(cx, cy));
    EXPECT_EQ(d.style & 0x80C80080u, 0x80C80080u);  // popup, caption, system menu, modal frame
    ASSERT_EQ(d.controls.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const ControlTemplate& c = d.controls[i];
        const Row& r = rows[i];
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(c.id, r.id);
        EXPECT_EQ(c.text, r.text);
        EXPECT_EQ(std::tuple(c.x, c.y, c.cx, c.cy), std::tuple(r.x, r.y, r.cx, r.cy));
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
            ParseResourceScript(
                std::vector<res::ScriptFile>{{"test.rc", script}, {"ids.h", "int x;\n"}});
            ADD_FAILURE() << "no error for " << script;
        } catch (const ResourceScriptError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
    EXPECT_THROW(ParseResourceScript({}), ResourceScriptError);
}

}  // namespace
}  // namespace kora::ui::headless
