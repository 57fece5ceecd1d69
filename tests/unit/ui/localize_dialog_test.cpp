// Whole dialogs localized through the host's text module: the singer edit
// dialog's start-up order (localize, then its own caption).
#include <gtest/gtest.h>

#include "probe_dialog.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "res/string_res.h"
#include "text_module_fake.h"
#include "ui/headless/gtest_user.h"
#include "ui/localize.h"
#include "ui/lumi_m17n_string.h"

namespace kora::ui {
namespace {

using headless::TestUser;
using test::MapTextModule;
using test::Probe;
using test::TextModuleScope;

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

TEST(LocalizeDialog, WithoutTextModuleOrEntriesTheTemplateTextsStay) {
    MapTextModule empty({});
    for (const LumiM17NModule* module : {static_cast<const LumiM17NModule*>(nullptr),
                                         static_cast<const LumiM17NModule*>(&empty)}) {
        const Seen seen = OpenSingerDialog(module);
        EXPECT_EQ(seen.localizeResult, module ? 1 : -1);
        EXPECT_EQ(seen.caption, u"Add");
        EXPECT_EQ(seen.texts.at(IDC_XSYNTH_GROUP_LIST), u"Cross-Synthesis Group List");
        EXPECT_EQ(seen.texts.at(IDC_NAME_LABEL), u"Name");
        EXPECT_EQ(seen.texts.size(), 40u);
    }
    EXPECT_GT(empty.lookups, 30);
}

TEST(LocalizeDialog, HostTextsReplaceControlsButTheCaptionIsSetAfterwards) {
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
    const std::u16string labels[] = {u"BRE", u"BRI", u"CLE", u"GEN", u"BRE",
                                     u"BRI", u"CLE", u"GEN", u"VOL"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(seen.texts.at(-1 - i), labels[i]) << i;
}

TEST(LocalizeDialog, CaptionTakesEvenAnEmptyHostTextAndNullsChangeNothing) {
    MapTextModule texts({{u"101", u""}, {u"1003", u"マイ シンガー"}, {u"-1", u"x"}});
    EXPECT_EQ(LocalizeDialog(&texts, nullptr, IDD_SINGER_EDITOR), 0);
    LocalizeChildControl(&texts, ChildWindow());  // a null child is passed over
    EXPECT_EQ(texts.lookups, 0);
    TestUser user;
    Probe dlg(IDD_SINGER_EDITOR);
    int withoutModule = -1;
    dlg.onInit = [&](Probe& p) {
        withoutModule = LocalizeDialog(nullptr, &p, IDD_SINGER_EDITOR);  // stops at the first child
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
    EXPECT_EQ(withoutModule, 0);
}

}  // namespace
}  // namespace kora::ui
