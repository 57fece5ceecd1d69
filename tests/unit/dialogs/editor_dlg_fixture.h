// The Singer Editor loaded from the editor tests' world, as the invocation
// leaves it before DoModal, with its handlers open and readers of rows.
//
// Installed voices: Anna and Bert (bank 0), Cleo (bank 2); groups Light
// (Anna, Bert) and Deep (Cleo, Anna).
// Active rows: 0 Alto (0,3) Anna, 1 alto (0,1) Bert+Anna, 2 Zed (0,0) Anna,
//              3 Choir (2,0) Cleo+Bert.
// My rows:     0 Alto (0,20) Anna, 1 alto (2) (0,21) Bert, 2 another (0,9)
//              Bert, 3 Mine (0,0) Anna+Cleo, the default, 4 Other (2,4) Cleo.
#pragma once

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "dialogs/singer_editor_dlg.h"
#include "editor/load_steps.h"
#include "editor_fixture.h"
#include "model/text_field.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "text_module_fake.h"
#include "ui/format_text.h"
#include "ui/headless/gtest_user.h"
#include "ui/win_values.h"

namespace kora::dialogs::test {

using kora::test::Calls;
using kora::test::kAnna;
using kora::test::kBert;
using kora::test::kCleo;
using kora::test::Names;
using kora::test::Singer;
using testing::ElementsAre;
using ui::Dialog;
using ui::kIdCancel;
using ui::kIdNo;
using ui::kIdOk;
using ui::kIdYes;
using ui::ListView;

class OpenEditor : public CSingerEditorDlg {
public:
    using CSingerEditorDlg::OnActiveAdd;
    using CSingerEditorDlg::OnActiveCopy;
    using CSingerEditorDlg::OnActiveDelete;
    using CSingerEditorDlg::OnActiveEdit;
    using CSingerEditorDlg::OnCopyToActive;
    using CSingerEditorDlg::OnCopyToMy;
    using CSingerEditorDlg::OnMyAdd;
    using CSingerEditorDlg::OnMyCopy;
    using CSingerEditorDlg::OnMyDelete;
    using CSingerEditorDlg::OnMyEdit;
    using CSingerEditorDlg::SetDefaultSinger;
};

inline std::vector<std::u16string> ColumnTexts(ListView list, int column) {
    std::vector<std::u16string> texts;
    for (int row = 0; row < list.ItemCount(); ++row) texts.push_back(list.ItemText(row, column));
    return texts;
}

class EditorDlgTest : public kora::test::EditorTest {
protected:
    void SetUp() override {
        kora::test::EditorTest::SetUp();
        database.defaultBank = 0;
        database.defaultProgram = 0;
        database.xsynthGroups = {{u"Light", {kAnna, kBert}}, {u"Deep", {kCleo, kAnna}}};
        database.AddVirtualVoice(Singer(0, 20, u"Alto", kAnna, u"", 100), u"Anna");
        database.AddVirtualVoice(Singer(0, 21, u"alto (2)", kBert, u"", 110), u"Bert");
        document.filePath = u"C:\\songs\\demo.seq";
        Load(document);
    }
    void TearDown() override { dlg.reset(); }

    void Load(const trak4::SequenceDocument& sequence) {
        trak = std::make_unique<kora::test::LoggingTrakManager>(log, sequence);
        dlg = std::make_unique<OpenEditor>();
        dlg->context = &bound->Context();
        dlg->trakManager = trak.get();
        ASSERT_EQ(editor::LoadInstalledVoices(*dlg), 0u);
        ASSERT_EQ(editor::LoadActiveSingers(*dlg), 0u);
        ASSERT_EQ(editor::LoadMySingers(*dlg), 0u);
        dlg->editorHandle = 77;
        log.Clear();
    }

    // Plays the script so far, then Cancel; DoModal's result.
    int Run() {
        user.Click(kIdCancel);
        return dlg->DoModal();
    }

    // The calls after the start-up's three queries.
    Calls Changes() const {
        const Calls& calls = log.Calls();
        return Calls(
            calls.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(3, calls.size())),
            calls.end());
    }

    std::vector<std::u16string> Messages() const {
        std::vector<std::u16string> texts;
        for (const auto& box : user.MessageBoxes()) texts.push_back(box.text);
        return texts;
    }
    std::vector<uint32_t> Styles() const {
        std::vector<uint32_t> styles;
        for (const auto& box : user.MessageBoxes()) styles.push_back(box.style);
        return styles;
    }

    static ListView Active(Dialog& d) { return d.Control<ListView>(IDC_ACTIVE_LIST); }
    static ListView My(Dialog& d) { return d.Control<ListView>(IDC_MY_LIST); }

    const DBM_VVOICE_INFO* Stored(int32_t bank, int32_t program) const {
        const auto found = database.VirtualVoices().find(Pair{bank, program});
        return found == database.VirtualVoices().end() ? nullptr : &found->second;
    }

    ui::headless::TestUser user;
    std::unique_ptr<OpenEditor> dlg;
};

}  // namespace kora::dialogs::test
