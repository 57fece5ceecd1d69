// The templates and the string table as both toolkits get them from the one
// resource script: every control of every table, and every string.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/string_res.h"
#include "res/xsynth_group_res.h"
#include "ui/headless/resource_tables.h"

namespace kora::ui::headless {
namespace {

constexpr uint32_t WS_CHILD = 0x40000000, WS_VISIBLE = 0x10000000, WS_BORDER = 0x00800000,
                   WS_TABSTOP = 0x00010000, WS_VSCROLL = 0x00200000, WS_POPUP = 0x80000000,
                   WS_CAPTION = 0x00C00000, WS_SYSMENU = 0x00080000, DS_MODALFRAME = 0x80;
constexpr uint32_t SS_WORDELLIPSIS = 0xC000, SS_ENDELLIPSIS = 0x4000, SS_TYPEMASK = 0x1F;
constexpr uint32_t BS_DEFPUSHBUTTON = 1, BS_GROUPBOX = 7, BS_TYPEMASK = 0xF;
constexpr uint32_t ES_AUTOHSCROLL = 0x80;
constexpr uint32_t CBS_DROPDOWNLIST = 3, CBS_SORT = 0x100;
constexpr uint32_t LVS_REPORT = 1, LVS_SINGLESEL = 4, LVS_SHOWSELALWAYS = 8, LVS_NOLABELWRAP = 0x80,
                   LVS_NOSORTHEADER = 0x8000, LVS_SORTMASK = 0x30;
constexpr uint32_t UDS_SETBUDDYINT = 2, UDS_ALIGNRIGHT = 4, UDS_AUTOBUDDY = 0x10,
                   UDS_ARROWKEYS = 0x20;

enum class Kind {
    Static,
    StaticWordEllipsis,
    StaticEndEllipsis,
    Button,
    DefButton,
    Group,
    Edit,
    NameEdit,
    Combo,
    List101,
    List23001,
    Spin
};

struct Row {
    int id;
    Kind kind;
    std::u16string text;
    int x, y, cx, cy;
};

void ExpectKind(const ControlTemplate& c, Kind kind) {
    SCOPED_TRACE("control " + std::to_string(c.id));
    EXPECT_EQ(c.style & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    auto cls = c.className;
    for (auto& ch : cls) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    switch (kind) {
        case Kind::Static:
        case Kind::StaticWordEllipsis:
        case Kind::StaticEndEllipsis:
            EXPECT_EQ(cls, "static");
            EXPECT_EQ(c.style & SS_TYPEMASK, 0u);  // left-aligned text
            EXPECT_EQ(c.style & SS_WORDELLIPSIS, kind == Kind::StaticWordEllipsis  ? SS_WORDELLIPSIS
                                                 : kind == Kind::StaticEndEllipsis ? SS_ENDELLIPSIS
                                                                                   : 0u);
            break;
        case Kind::Button:
        case Kind::DefButton:
            EXPECT_EQ(cls, "button");
            EXPECT_EQ(c.style & BS_TYPEMASK, kind == Kind::DefButton ? BS_DEFPUSHBUTTON : 0u);
            EXPECT_TRUE(c.style & WS_TABSTOP);
            break;
        case Kind::Group:
            EXPECT_EQ(cls, "button");
            EXPECT_EQ(c.style & BS_TYPEMASK, BS_GROUPBOX);
            break;
        case Kind::Edit:
        case Kind::NameEdit:
            EXPECT_EQ(cls, "edit");
            EXPECT_TRUE(c.style & WS_TABSTOP);
            EXPECT_TRUE(c.style & WS_BORDER);
            if (kind == Kind::NameEdit) {
                EXPECT_TRUE(c.style & ES_AUTOHSCROLL);
            }
            break;
        case Kind::Combo:
            EXPECT_EQ(cls, "combobox");
            EXPECT_EQ(c.style & 3, CBS_DROPDOWNLIST);
            EXPECT_TRUE(c.style & CBS_SORT);
            EXPECT_TRUE(c.style & WS_VSCROLL);
            break;
        case Kind::List101:
            EXPECT_EQ(cls, "syslistview32");
            EXPECT_EQ(c.style & 0xFFFF,
                      LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOLABELWRAP);
            EXPECT_EQ(c.style & (WS_BORDER | WS_TABSTOP), WS_BORDER | WS_TABSTOP);
            break;
        case Kind::List23001:
            EXPECT_EQ(cls, "syslistview32");
            EXPECT_EQ(c.style & 0xFFFF, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER);
            EXPECT_EQ(c.style & LVS_SORTMASK, 0u);
            EXPECT_TRUE(c.style & WS_BORDER);
            break;
        case Kind::Spin:
            EXPECT_EQ(cls, "msctls_updown32");
            EXPECT_EQ(c.style & 0xFF,
                      UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS);
            break;
    }
}

void ExpectDialog(int id, std::u16string caption, std::u16string font, int cx, int cy,
                  const std::vector<Row>& rows) {
    SCOPED_TRACE("dialog " + std::to_string(id));
    const auto& dialogs = ModuleResources().dialogs;
    auto found = dialogs.find(id);
    ASSERT_NE(found, dialogs.end());
    const DialogTemplate& d = found->second;
    EXPECT_EQ(d.caption, caption);
    EXPECT_EQ(d.fontName, font);
    EXPECT_EQ(d.cx, cx);
    EXPECT_EQ(d.cy, cy);
    EXPECT_EQ(d.style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
              WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    ASSERT_EQ(d.controls.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const ControlTemplate& c = d.controls[i];
        const Row& r = rows[i];
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(c.id, r.id);
        EXPECT_EQ(c.text, r.text);
        EXPECT_EQ(c.x, r.x);
        EXPECT_EQ(c.y, r.y);
        EXPECT_EQ(c.cx, r.cx);
        EXPECT_EQ(c.cy, r.cy);
        ExpectKind(c, r.kind);
    }
}

TEST(ResourceTables, SingerEditorTemplate) {
    ExpectDialog(IDD_SINGER_EDITOR, u"Singer Editor", u"MS Shell Dlg", 563, 341,
                 {
                     {1002, Kind::StaticWordEllipsis, u"Active Singers", 7, 7, 120, 10},
                     {23083, Kind::StaticEndEllipsis, u"Untitled", 7, 18, 213, 10},
                     {26000, Kind::List101, u"", 7, 31, 549, 88},
                     {23041, Kind::Button, u"Add", 7, 126, 50, 14},
                     {23036, Kind::Button, u"Copy", 61, 126, 50, 14},
                     {23044, Kind::Button, u"Edit", 115, 126, 50, 14},
                     {23037, Kind::Button, u"Delete", 169, 126, 50, 14},
                     {23024, Kind::Button, u"^  Copy to Active Singer", 158, 153, 120, 16},
                     {23023, Kind::Button, u"v  Copy to My Singer", 284, 153, 120, 16},
                     {1003, Kind::StaticEndEllipsis, u"My Singers", 7, 175, 120, 10},
                     {23002, Kind::List101, u"", 7, 192, 549, 88},
                     {23038, Kind::Button, u"Add", 7, 287, 50, 14},
                     {23039, Kind::Button, u"Copy", 61, 287, 50, 14},
                     {23045, Kind::Button, u"Edit", 115, 287, 50, 14},
                     {23040, Kind::Button, u"Delete", 169, 287, 50, 14},
                     {23117, Kind::Button, u"Import", 452, 287, 50, 14},
                     {23118, Kind::Button, u"Export", 506, 287, 50, 14},
                     {1, Kind::DefButton, u"OK", 225, 320, 50, 14},
                     {2, Kind::Button, u"Cancel", 287, 320, 50, 14},
                 });
}

TEST(ResourceTables, SingerEditTemplate) {
    ExpectDialog(IDD_SINGER, u"Edit", u"MS UI Gothic", 379, 246,
                 {
                     {23112, Kind::Static, u"Name", 7, 7, 74, 8},
                     {23086, Kind::NameEdit, u"", 84, 7, 106, 14},
                     {23110, Kind::Static, u"Primary Singer", 7, 33, 74, 8},
                     {23087, Kind::Combo, u"", 84, 31, 93, 175},
                     {23113, Kind::Group, u"Voice Parameters", 20, 58, 97, 133},
                     {-1, Kind::Static, u"BRE", 35, 74, 14, 8},
                     {23088, Kind::Edit, u"", 67, 71, 33, 14},
                     {23092, Kind::Spin, u"", 102, 71, 10, 14},
                     {-1, Kind::Static, u"BRI", 35, 93, 12, 8},
                     {23089, Kind::Edit, u"", 67, 90, 33, 14},
                     {23093, Kind::Spin, u"", 102, 90, 10, 14},
                     {-1, Kind::Static, u"CLE", 35, 112, 13, 8},
                     {23090, Kind::Edit, u"", 67, 109, 33, 14},
                     {23094, Kind::Spin, u"", 102, 109, 10, 14},
                     {-1, Kind::Static, u"GEN", 35, 131, 14, 8},
                     {23091, Kind::Edit, u"", 67, 128, 33, 14},
                     {23095, Kind::Spin, u"", 102, 128, 10, 14},
                     {23096, Kind::Button, u"Reset", 42, 169, 50, 14},
                     {23111, Kind::Static, u"Secondary Singer", 202, 33, 74, 8},
                     {23097, Kind::Combo, u"", 279, 31, 93, 180},
                     {23114, Kind::Group, u"Voice Parameters", 215, 58, 97, 133},
                     {-1, Kind::Static, u"BRE", 230, 74, 14, 8},
                     {23098, Kind::Edit, u"", 262, 71, 33, 14},
                     {23102, Kind::Spin, u"", 298, 71, 10, 14},
                     {-1, Kind::Static, u"BRI", 230, 93, 12, 8},
                     {23099, Kind::Edit, u"", 262, 90, 33, 14},
                     {23103, Kind::Spin, u"", 298, 90, 10, 14},
                     {-1, Kind::Static, u"CLE", 230, 112, 13, 8},
                     {23100, Kind::Edit, u"", 262, 109, 33, 14},
                     {23104, Kind::Spin, u"", 298, 107, 10, 14},
                     {-1, Kind::Static, u"GEN", 230, 131, 14, 8},
                     {23101, Kind::Edit, u"", 262, 128, 33, 14},
                     {23105, Kind::Spin, u"", 298, 128, 10, 14},
                     {-1, Kind::Static, u"VOL", 230, 150, 14, 8},
                     {23108, Kind::Edit, u"", 262, 147, 33, 14},
                     {23109, Kind::Spin, u"", 298, 147, 10, 14},
                     {23106, Kind::Button, u"Reset", 238, 169, 50, 14},
                     {23107, Kind::Button, u"Cross-Synthesis Group List", 7, 225, 96, 14},
                     {1, Kind::DefButton, u"OK", 265, 225, 50, 14},
                     {2, Kind::Button, u"Cancel", 322, 225, 50, 14},
                 });
}

TEST(ResourceTables, CrossSynthesisGroupTemplate) {
    ExpectDialog(IDD_XSYNTH_GROUP, u"Cross-Synthesis Group List", u"MS UI Gothic", 190, 288,
                 {
                     {23115, Kind::List23001, u"", 7, 7, 176, 252},
                     {23116, Kind::Button, u"Open Group List of Webs", 7, 267, 95, 14},
                     {1, Kind::DefButton, u"OK", 133, 267, 50, 14},
                 });
}

TEST(ResourceTables, IdHeadersNameTheTemplatesControls) {
    // The ids the dialog code uses are the ones the templates carry.
    const auto& dialogs = ModuleResources().dialogs;
    auto has = [&](int dialog, int control) {
        for (const auto& c : dialogs.at(dialog).controls)
            if (c.id == control) return true;
        return false;
    };
    EXPECT_TRUE(has(IDD_SINGER_EDITOR, IDC_ACTIVE_LIST));
    EXPECT_TRUE(has(IDD_SINGER_EDITOR, IDC_MY_LIST));
    EXPECT_TRUE(has(IDD_SINGER, IDC_SECONDARY_VOL_SPIN));
    EXPECT_TRUE(has(IDD_XSYNTH_GROUP, IDC_OPEN_GROUP_WEB));
    EXPECT_EQ(ModuleResources().defines.at("IDC_COPY_TO_ACTIVE"), 23024);
    EXPECT_EQ(dialogs.size(), 3u);
}

TEST(ResourceTables, StringTableHoldsEveryTextExactly) {
    const std::map<uint32_t, std::u16string> expected = {
        {5, u"Enter a singer name."},
        {6, u"Failed to copy singer, or cannot copy any more singers!"},
        {7, u"Failed to add singer, or cannot add any more singers!"},
        {8, u"Cannot delete the singer!"},
        {9, u"Failed to change voice parameters!"},
        {10, u"Failed to change singer name!"},
        {11, u"Singer name is invalid."},
        {12, u"Do you really want to delete the singer? "},
        {21, u"Copy of "},
        {25, u"Failed to edit file!"},
        {29, u"Cannot add any more singers!"},
        {30, u"Cannot copy any more singers!"},
        {31, u"Error occurred. (%d)"},
        {32, u"SingerEditor Setting File (*.dat)|*.dat|All Files (*.*)|*.*||"},
        {33, u"Finished importing my singer information file."},
        {34, u"Finished exporting my singer information file."},
        {35, u"Failed to read my singer information file!"},
        {36, u"Failed to write my singer information file!"},
        {23077, u"Name"},
        {23078, u"Primary Singer"},
        {23079, u"Secondary Singer"},
        {23080, u"Singer"},
        {23084, u"Add"},
        {23085, u"Edit"},
    };
    EXPECT_EQ(ModuleResources().strings, expected);
    EXPECT_EQ(IDS_FILE_FILTER, 32);
    EXPECT_EQ(IDS_CAPTION_EDIT, 23085);
}

// --- the reader itself ------------------------------------------------------

ResourceTables Read(std::string_view script, std::string_view header = "") {
    std::vector<res::ScriptFile> files = {{"test.rc", script}};
    if (!header.empty()) files.push_back({"ids.h", header});
    return ParseResourceScript(files);
}

TEST(ResourceScriptReader, ReadsDefinesExpressionsEscapesAndUtf8) {
    const ResourceTables t = Read(
        "#pragma code_page(65001)\n#include <windows.h>\n#include \"ids.h\"\n"
        "/* block */ STRINGTABLE\nBEGIN\n IDS_A \"say \"\"hi\"\"\"\n 0x10, \"日本語\"\nEND\n"
        "DLG DIALOGEX 0, 0, 10, 20\nSTYLE WS_POPUP | (WS_CAPTION)\nCAPTION \"C\"\n"
        "FONT 9, \"F\", 400, 0, 0x80\n{\n CONTROL \"t\", -1, \"Static\", SS_LEFT, 1, 2, 3, 4, "
        "0x20\n}\n",
        "#pragma once\n#define IDS_A 7\n#define DLG 300 // comment\n#define MACRO(x) x\n");
    EXPECT_EQ(t.strings.at(7), u"say \"hi\"");
    EXPECT_EQ(t.strings.at(16), u"日本語");
    const DialogTemplate& d = t.dialogs.at(300);
    EXPECT_EQ(d.style, 0x80C00000u);
    EXPECT_EQ(d.fontSize, 9);
    ASSERT_EQ(d.controls.size(), 1u);
    EXPECT_EQ(d.controls[0].id, -1);
    EXPECT_EQ(d.controls[0].exStyle, 0x20u);
}

TEST(ResourceScriptReader, RefusesWhatItDoesNotKnowWithFileAndLine) {
    auto message = [](std::string_view script, std::string_view header = "") {
        try {
            Read(script, header);
        } catch (const ResourceScriptError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message("STRINGTABLE\nBEGIN\n UNKNOWN_ID \"x\"\nEND\n"),
              "test.rc:3: unknown name UNKNOWN_ID");
    EXPECT_EQ(message("1 MENU\n"), "test.rc:1: unsupported resource statement");
    EXPECT_EQ(message("#include \"missing.h\"\n"),
              "test.rc:1: included file \"missing.h\" is not embedded");
    EXPECT_EQ(message("#include \"ids.h\"\n", "int x;\n"),
              "ids.h:1: a header may hold directives only");
    EXPECT_EQ(message("STRINGTABLE\nBEGIN\n 1 \"a\"\n 1 \"b\"\nEND\n"),
              "test.rc:5: string 1 defined twice");
    EXPECT_EQ(message("STRINGTABLE\nBEGIN\n 1 \"open\nEND\n"), "test.rc:3: unterminated string");
    EXPECT_EQ(message("1 DIALOGEX 0, 0, 1, 1\nBEGIN\n LTEXT \"a\", 1, 0, 0, 1, 1\nEND\n"),
              "test.rc:3: only CONTROL statements are read in a dialog");
    EXPECT_THROW(ParseResourceScript({}), ResourceScriptError);
}

}  // namespace
}  // namespace kora::ui::headless
