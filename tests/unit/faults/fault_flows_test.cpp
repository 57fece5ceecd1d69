// Every flow with a failure injected at each call into the voice database
// and the sequence manager in turn, as a failed call and as an exception.
// Each run must give the status that the failed call's step calls for, a
// store that is wholly the My list the dialog was closed on or wholly as it
// was, and a sequence that is the Active list the dialog was closed on or
// as loaded. The positions come from a clean run; inside a run of calls that
// find an empty pair (16384 per scan) only the first and the last are
// injected, the ones between being the same case.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>

#include "api/dbm_binding.h"
#include "dialogs/singer_editor_dlg.h"
#include "faulty_world.h"
#include "kora4/kora4.h"
#include "logging_trak_manager.h"
#include "model/conversions.h"
#include "model/text_codec.h"
#include "res/singer_dlg_res.h"
#include "res/singer_editor_res.h"
#include "run_tool.h"
#include "standins/file_io.h"
#include "ui/headless/scripted_user.h"
#include "ui/win_values.h"
#include "vbank4/store.h"

namespace kora::faults {
namespace {

namespace fs = std::filesystem;
using namespace kora4;
using ui::Dialog;
using ui::headless::ScriptedUser;

// --- The world every run starts from ---

constexpr char16_t kAlpha[] = u"FAULTS0VOICE0001";
constexpr char16_t kBravo[] = u"FAULTS0VOICE0002";
constexpr char16_t kCarol[] = u"FAULTS0VOICE0003";

constexpr char kCatalog[] = R"({"format": "vbank4-catalog", "version": 1, "voices": [
  {"voiceId": "FAULTS0VOICE0001", "name": "Alpha", "bank": 0, "extra": "",
   "defaults": {"BRE": 1, "BRI": 2, "CLE": 3, "GEN": 4, "AUX": 0}},
  {"voiceId": "FAULTS0VOICE0002", "name": "Bravo", "bank": 0, "extra": "",
   "defaults": {"BRE": 5, "BRI": 6, "CLE": 7, "GEN": 8, "AUX": 0}},
  {"voiceId": "FAULTS0VOICE0003", "name": "Carol", "bank": 1, "extra": "",
   "defaults": {"BRE": -1, "BRI": -2, "CLE": -3, "GEN": -4, "AUX": 0}}],
  "xsynthGroups": [{"name": "Pair", "members": ["FAULTS0VOICE0001", "FAULTS0VOICE0002"]}]})";

// A singer with a partner, one without, and a duplicate of Solo.
constexpr char kSingerFile[] =
    "[general]\nversion=1\n[MySingerList]\ncount=3\n"
    "\"Tool One\"=FAULTS0VOICE0001,1,1,1,1,FAULTS0VOICE0002,2,2,2,2,2\n"
    "\"Tool Two\"=FAULTS0VOICE0003,0,0,0,0,,0,0,0,0,0\n"
    "\"Solo Again\"=FAULTS0VOICE0002,5,6,7,8,,0,0,0,0,0\n";
constexpr char kEarlierExport[] = "an earlier export";

vbank4::StoreState Store() {
    vbank4::StoreState store;
    store.voices[{0, 10}] = {
        u"Choir", kAlpha, u"Alpha", kBravo, {10, 11, 12, 13, 0}, {20, 21, 22, 23, 0, -5}};
    store.voices[{0, 11}] = {u"Solo", kBravo, u"Bravo", u"", {5, 6, 7, 8, 0}, {}};
    store.voices[{1, 10}] = {u"Deep", kCarol, u"Carol", u"", {-1, -2, -3, -4, 0}, {}};
    store.defaultVoice = vbank4::Pair{0, 10};
    return store;
}

// An added singer takes Bass's pair once Bass is deleted; Bass Two keeps
// Bravo in use, so that Bass may be deleted.
trak4::SequenceDocument Sequence() {
    trak4::SequenceDocument document;
    document.voices[{0, 0}] = {
        0, 0, kBravo, kAlpha, u"Bass", {5, 6, 7, 8, 0, 0}, {1, 2, 3, 4, 0, -3}};
    document.voices[{0, 20}] = {0, 20, kAlpha, u"", u"Lead", {1, 2, 3, 4, 0, 0}, {}};
    document.voices[{0, 21}] = {0, 21, kBravo, u"", u"Bass Two", {5, 6, 7, 8, 0, 0}, {}};
    document.voices[{1, 20}] = {1, 20, u"FAULTS0NOTINST09", u"", u"Ghost", {}, {}};  // not shown
    document.filePath = "song.seq";
    return document;
}

// --- Flows as data ---

// What the Singer Editor held when the user closed it.
struct AtClose {
    bool reached = false;
    std::vector<SingerEntry> mySingers, activeSingers;
    PairMap activeAtLoad;
};

// One user action, played when the dialog gets to it, so that it finds its
// row by name; a row that is not shown is not operated on.
using Op = std::function<void(ScriptedUser&, Dialog&, AtClose&)>;

std::optional<int> RowNamed(Dialog& d, int listId, std::u16string_view name) {
    const ui::ListView list = d.Control<ui::ListView>(listId);
    for (int row = 0; row < list.ItemCount(); ++row) {
        if (list.ItemText(row, listId == IDC_MY_LIST ? 1 : 0) == name) return row;
    }
    return std::nullopt;
}

using Then = std::function<void(ScriptedUser&)>;

Then InSingerDialog(std::u16string name, std::u16string primary = u"") {
    return [=](ScriptedUser& user) {
        user.ExpectDialog(IDD_SINGER).Type(IDC_SINGER_NAME, name);
        if (!primary.empty()) user.ChooseItem(IDC_PRIMARY_SINGER, primary);
        user.Type(IDC_PRIMARY_BRE, u"9").Click(ui::kIdOk).ExpectDialog(IDD_SINGER_EDITOR);
    };
}
const Then kConfirm = [](ScriptedUser& user) { user.AnswerMessageBox(ui::kIdYes); };

// Clicks `button` (0: double-clicks the row) on the row named `name`, then
// plays `then`.
Op OnRow(int listId, std::u16string name, int button, Then then = {}) {
    return [=](ScriptedUser& user, Dialog& d, AtClose&) {
        const auto row = RowNamed(d, listId, name);
        if (!row) return;
        if (button == 0) {
            user.DoubleClickRow(listId, *row, 0);
        } else {
            user.SelectRow(listId, *row).Click(button);
        }
        if (then) then(user);
    };
}

Op Click(int button, Then then) {
    return [=](ScriptedUser& user, Dialog&, AtClose&) {
        user.Click(button);
        then(user);
    };
}

Then ChooseFile(const fs::path& path) {
    return
        [=](ScriptedUser& user) { user.ChooseFile(path.u16string()).AnswerMessageBox(ui::kIdOk); };
}

Op Close(int button) {
    return [=](ScriptedUser& user, Dialog& d, AtClose& at) {
        const auto& editor = dynamic_cast<const dialogs::CSingerEditorDlg&>(d);
        at = {true, editor.mySingers, editor.activeSingers, editor.activeAtLoad};
        user.Click(button);
    };
}

enum class Kind { Editor, ReadOnly, Tool };
enum class StoreEnd { Before, Committed };
enum class SequenceEnd { AtLoad, Applied };

struct Expectation {
    uint32_t status = kOk;
    StoreEnd store = StoreEnd::Before;
    SequenceEnd sequence = SequenceEnd::AtLoad;
    bool asClean = false;  // store and sequence exactly as after the clean run
    bool shown = true;     // the dialog was shown
};

struct Flow {
    const char* name;
    Kind kind;
    std::vector<Op> ops;
    Expectation clean;
};

const Pair kPicked{0, 20};  // Lead

std::vector<Flow> Flows(const fs::path& folder) {
    const auto pick = [](ScriptedUser& user, Dialog& d, AtClose&) {
        if (const auto row = RowNamed(d, IDC_ACTIVE_LIST, u"Lead")) {
            user.DoubleClickRow(IDC_ACTIVE_LIST, *row, 0);
        } else {
            user.Click(ui::kIdCancel);
        }
    };
    return {
        {"OpenThenOk",
         Kind::Editor,
         {OnRow(IDC_ACTIVE_LIST, u"Lead", IDC_ACTIVE_EDIT, InSingerDialog(u"Lead Edited")),
          OnRow(IDC_ACTIVE_LIST, u"Bass", IDC_ACTIVE_DELETE, kConfirm),
          Click(IDC_ACTIVE_ADD, InSingerDialog(u"Aria", u"Bravo")),
          OnRow(IDC_ACTIVE_LIST, u"Aria", IDC_COPY_TO_MY),
          Click(IDC_MY_ADD, InSingerDialog(u"Mira", u"Alpha")),
          OnRow(IDC_MY_LIST, u"Solo", IDC_MY_EDIT, InSingerDialog(u"Solo Edited")),
          OnRow(IDC_MY_LIST, u"Choir", IDC_MY_DELETE, kConfirm),
          OnRow(IDC_MY_LIST, u"Deep", 0),  // the default
          Close(ui::kIdOk)},
         {kOk, StoreEnd::Committed, SequenceEnd::Applied}},
        {"OpenThenCancel",
         Kind::Editor,
         {Click(IDC_MY_ADD, InSingerDialog(u"Mira", u"Alpha")),
          OnRow(IDC_ACTIVE_LIST, u"Bass", IDC_ACTIVE_DELETE, kConfirm), Close(ui::kIdCancel)},
         {}},
        {"Import",
         Kind::Editor,
         {Click(IDC_IMPORT, ChooseFile(folder / "shared.dat")), Close(ui::kIdOk)},
         {kOk, StoreEnd::Committed, SequenceEnd::Applied}},
        {"Export",
         Kind::Editor,
         {Click(IDC_EXPORT, ChooseFile(folder / "mine.dat")), Close(ui::kIdCancel)},
         {}},
        {"ReadOnlyPick", Kind::ReadOnly, {pick}, {}},
        {"ToolImport", Kind::Tool, {}, {0, StoreEnd::Committed}},
    };
}

// --- What a failed call should lead to ---

std::size_t IndexOf(const std::vector<CallRecord>& calls, std::string_view entry) {
    const auto at = std::find_if(calls.begin(), calls.end(),
                                 [&](const CallRecord& c) { return c.entry == entry; });
    return static_cast<std::size_t>(at - calls.begin());
}

// Whether the call looked for a voice at a pair where the world holds none
// (the scans come before any change).
bool FindsNothing(const CallRecord& call) {
    static const trak4::SequenceDocument sequence = Sequence();
    static const vbank4::StoreState store = Store();
    const std::pair<int32_t, int32_t> pair{call.bank, call.program};
    return (call.entry == "vvoiceGetVVoice" && !sequence.voices.contains(pair)) ||
           (call.entry == "DBM_GetVirtualVoiceInfo" && !store.voices.contains(pair));
}

// The dialog starts with its title line; after the user's operations come
// the finishing steps (or the roll-back).
Expectation Expect(const Flow& flow, const std::vector<CallRecord>& calls, std::size_t i) {
    const CallRecord& call = calls[i];
    const std::string& entry = call.entry;
    if (flow.kind == Kind::Tool) {
        constexpr uint32_t kExitDatabase = 4;
        if (entry == "DBM_Delete") return {0, StoreEnd::Committed, {}, true};
        // The singers are stored when only the registry fails.
        return {kExitDatabase,
                entry == "DBM_UpdateUserRegistory" ? StoreEnd::Committed : StoreEnd::Before};
    }
    const std::size_t dialogStart = IndexOf(calls, "fileGetCurrentFilePath");
    const std::size_t finishStart = std::min(IndexOf(calls, "vvoiceInitializeUpdateContext"),
                                             IndexOf(calls, "DBM_RollBackEditor"));
    if (i < dialogStart && entry.starts_with("DBM_")) {
        return {kDatabaseFailed, StoreEnd::Before, SequenceEnd::AtLoad, false, false};
    }
    if (i < dialogStart && !FindsNothing(call)) {
        // A voice the sequence did not hand out is not shown, and its pair
        // counts as free: an insert there meets it.
        if (flow.kind == Kind::ReadOnly && Pair{call.bank, call.program} == kPicked) {
            return {kPickCancelled};
        }
        const bool insertedThere = std::any_of(calls.begin(), calls.end(), [&](const auto& c) {
            return c.entry == "vvoiceInsertVVoiceV4" && c.bank == call.bank &&
                   c.program == call.program;
        });
        if (insertedThere) return {kSequenceInsertRefused};
    }
    if (i < finishStart) return flow.clean;
    if (entry == "vvoiceInitializeUpdateContext" || entry == "vvoiceNotifyObserversOfUpdates") {
        Expectation same = flow.clean;
        same.asClean = true;
        return same;
    }
    if (entry == "vvoiceInsertVVoiceV4") return {kSequenceInsertRefused};
    if (entry == "vvoiceUpdateVVoiceV4") return {kSequenceUpdateRefused};
    if (entry == "vvoiceRemoveVVoice") {
        // A removal that makes room for an added singer counts as its insert.
        const CallRecord& next = calls[i + 1];
        const bool makesRoom = next.entry == "vvoiceInsertVVoiceV4" && next.bank == call.bank &&
                               next.program == call.program;
        return {makesRoom ? kSequenceInsertRefused : kSequenceRemoveRefused};
    }
    if (entry == "DBM_UpdateUserRegistory") return {kDatabaseFailed, StoreEnd::Committed};
    if (entry == "sysReplaceVVoiceLibTable") return {kLibraryTableRefused, StoreEnd::Committed};
    return {kDatabaseFailed};  // the commit or the roll-back
}

std::vector<std::size_t> Positions(const std::vector<CallRecord>& calls) {
    std::vector<bool> nothing;
    for (const CallRecord& call : calls) nothing.push_back(FindsNothing(call));
    const auto sameEmpty = [&](std::size_t a, std::size_t b) {
        return nothing[a] && nothing[b] && calls[a].entry == calls[b].entry;
    };
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        if (i == 0 || i + 1 == calls.size() || !sameEmpty(i - 1, i) || !sameEmpty(i, i + 1))
            positions.push_back(i);
    }
    return positions;
}

// --- Checking a run ---

// A singer as the user sees it and the store must hold it (no AUX, no
// display name of the voice), by pair.
using Shown = std::map<std::pair<int32_t, int32_t>, std::u16string>;

std::u16string ShownText(std::u16string_view name, std::u16string_view primaryId,
                         std::u16string_view secondaryId, const int32_t* p, const int32_t* s) {
    std::string numbers;
    for (const int32_t value : {p[0], p[1], p[2], p[3], s[0], s[1], s[2], s[3], s[5]})
        numbers += "," + std::to_string(value);
    return std::u16string(name) + u"|" + std::u16string(primaryId) + u"|" +
           std::u16string(secondaryId) + DecodeUtf8(numbers);
}

Shown ShownOf(const vbank4::StoreState& store) {
    Shown shown;
    for (const auto& [pair, v] : store.voices) {
        shown[pair] = ShownText(v.name, v.primaryVoiceId, v.secondaryVoiceId,
                                v.primaryParams.data(), v.secondaryParams.data());
    }
    return shown;
}

Shown ShownOf(const std::vector<SingerEntry>& singers) {
    Shown shown;
    for (const SingerEntry& e : singers) {
        shown[{e.bank, e.program}] = ShownText(e.name, e.primaryId, e.secondaryId,
                                               e.primaryParams.data(), e.secondaryParams.data());
    }
    return shown;
}

// The sequence after OK: the Active list as the user left it, the voices the
// editor never loaded as they were, the library table from My Singers.
trak4::SequenceDocument Applied(const AtClose& at) {
    trak4::SequenceDocument applied = Sequence();
    std::erase_if(applied.voices, [&](const auto& v) {
        return at.activeAtLoad.Test(v.first.first, v.first.second);
    });
    for (const SingerEntry& singer : at.activeSingers)
        applied.voices[{singer.bank, singer.program}] = test::SequenceVoiceOf(singer);
    for (const SingerEntry& singer : at.mySingers)
        applied.library.try_emplace({singer.bank, singer.program}, VVoiceLibFromSinger(singer));
    return applied;
}

struct Outcome {
    uint32_t status = 0;
    vbank4::StoreState store;
    trak4::SequenceDocument sequence;
    AtClose atClose;
    std::string exported;
    Pair picked{-1, -1};
};

bool SameStore(const vbank4::StoreState& a, const vbank4::StoreState& b) {
    return a.voices == b.voices && a.defaultVoice == b.defaultVoice;
}

// --- The engine ---

struct FlowCase {
    std::size_t flow;
    FaultMode mode;
};

class FaultInjection : public testing::TestWithParam<FlowCase> {
protected:
    void SetUp() override {
        fs::create_directories(folder_);
        ASSERT_EQ(setenv("VBANK4_HOME", folder_.c_str(), 1), 0);
        ASSERT_NE(forwarding_, nullptr);
        SetTarget(&database_);
        api::SetDbmLibraryPathForTesting(FORWARDING_VBANK4);
    }
    void TearDown() override {
        api::SetDbmLibraryPathForTesting({});
        SetTarget(nullptr);
        dlclose(forwarding_);
        unsetenv("VBANK4_HOME");
        fs::remove_all(folder_);
    }
    void SetTarget(DbmTarget* target) {
        reinterpret_cast<PFN_FakeDbm_SetTarget>(dlsym(forwarding_, "FakeDbm_SetTarget"))(target);
    }
    void Write(const char* name, std::string_view bytes) const {
        std::ofstream(folder_ / name, std::ios::binary | std::ios::trunc) << bytes;
    }

    Outcome Run(const Flow& flow, int failAt, bool record) {
        for (const char* stale : {"store.backup.json", "registry.json"})
            fs::remove(folder_ / stale);
        Write("catalog.json", kCatalog);
        Write("store.json", vbank4::SerializeStore(Store()));
        Write("shared.dat", kSingerFile);
        Write("mine.dat", kEarlierExport);

        Outcome outcome;
        FaultySequence sequence(plan_, Sequence());
        ScriptedUser user([](const std::string&) {});  // a run may leave the script astray
        PlayOps(user, std::make_shared<std::vector<Op>>(flow.ops), 0, outcome.atClose);
        if (flow.kind != Kind::Tool) {
            EXPECT_EQ(KORA_Init(), kOk);
        }
        plan_.Arm(failAt, GetParam().mode, record);
        if (flow.kind == Kind::Editor) {
            outcome.status = KORA_OpenDefDialog(1, &sequence, 0);
        } else if (flow.kind == Kind::ReadOnly) {
            outcome.status = KORA_OpenDefDialog_ReadOnly(1, &sequence, &outcome.picked.bank,
                                                         &outcome.picked.program);
        } else {
            std::ostringstream out;
            outcome.status = static_cast<uint32_t>(
                singers::RunTool({u"import", (folder_ / "shared.dat").u16string(), u"--library",
                                  DecodeUtf8(FORWARDING_VBANK4), u"--store", folder_.u16string()},
                                 out, out));
        }
        plan_.Disarm();
        if (flow.kind != Kind::Tool) KORA_Delete();
        outcome.store = vbank4::ParseStore(standins::ReadWholeFile(folder_ / "store.json").bytes);
        outcome.sequence = sequence.Document();
        outcome.exported = standins::ReadWholeFile(folder_ / "mine.dat").bytes;
        return outcome;
    }

    // Each operation is queued by the one before it, when the dialog gets there.
    static void PlayOps(ScriptedUser& user, std::shared_ptr<std::vector<Op>> ops, std::size_t i,
                        AtClose& at) {
        if (i == ops->size()) return;
        user.Check([&user, ops, i, &at](Dialog& d) {
            (*ops)[i](user, d, at);
            PlayOps(user, ops, i + 1, at);
        });
    }

    void Check(const Flow& flow, const Expectation& expected, const Outcome& run,
               const Outcome& clean) {
        EXPECT_EQ(run.status, expected.status);
        if (expected.store == StoreEnd::Before) {
            EXPECT_TRUE(SameStore(run.store, Store())) << "the store is not as it was";
        } else if (flow.kind == Kind::Tool) {
            EXPECT_TRUE(SameStore(run.store, clean.store)) << "the store is not the import's";
        } else {
            ASSERT_TRUE(run.atClose.reached);
            EXPECT_EQ(ShownOf(run.store), ShownOf(run.atClose.mySingers))
                << "the store is not the My list the dialog was closed on";
        }
        if (flow.kind != Kind::Tool && expected.sequence == SequenceEnd::AtLoad) {
            EXPECT_TRUE(trak4::SameContent(run.sequence, Sequence())) << "the sequence changed";
        } else if (flow.kind != Kind::Tool) {
            ASSERT_TRUE(run.atClose.reached);
            EXPECT_TRUE(trak4::SameContent(run.sequence, Applied(run.atClose)))
                << "the sequence is not the Active list the dialog was closed on";
        }
        if (expected.asClean) {
            EXPECT_TRUE(SameStore(run.store, clean.store));
            EXPECT_TRUE(trak4::SameContent(run.sequence, clean.sequence));
        }
        EXPECT_EQ(run.exported, expected.shown ? clean.exported : kEarlierExport);
        const bool picked = flow.kind == Kind::ReadOnly && run.status == kOk;
        EXPECT_EQ(run.picked, (picked ? kPicked : Pair{-1, -1}));
        EXPECT_TRUE(database_.unexpectedCalls.empty());
    }

    const fs::path folder_ =
        fs::temp_directory_path() /
        ("kora4-faults-" + std::to_string(getpid()) + "-" + std::to_string(GetParam().flow) + "-" +
         std::to_string(static_cast<int>(GetParam().mode)));
    void* forwarding_ = dlopen(FORWARDING_VBANK4, RTLD_NOW | RTLD_LOCAL);
    FaultPlan plan_;
    FaultyDatabase database_{plan_};
};

TEST_P(FaultInjection, EveryCallPosition) {
    const Flow flow = Flows(folder_)[GetParam().flow];
    const Outcome clean = Run(flow, 0, true);
    const std::vector<CallRecord> calls = plan_.Records();
    Check(flow, flow.clean, clean, clean);
    ASSERT_FALSE(HasFailure()) << "the clean run";
    ASSERT_TRUE(clean.atClose.reached || flow.kind != Kind::Editor);

    const std::vector<std::size_t> positions = Positions(calls);
    for (const std::size_t i : positions) {
        SCOPED_TRACE("call " + std::to_string(i + 1) + " " + calls[i].entry + "(" +
                     std::to_string(calls[i].bank) + "," + std::to_string(calls[i].program) + ")");
        Check(flow, Expect(flow, calls, i), Run(flow, static_cast<int>(i + 1), false), clean);
        if (HasFailure()) break;  // the first failing position is the one to look at
    }
    std::cout << "[ positions ] " << flow.name
              << (GetParam().mode == FaultMode::Throw ? " throw: " : " fail: ") << positions.size()
              << " positions of " << calls.size() << " calls"
              << (HasFailure() ? "" : ", all passing") << "\n";
}

std::vector<FlowCase> AllCases() {
    std::vector<FlowCase> cases;
    for (std::size_t flow = 0; flow < Flows({}).size(); ++flow) {
        for (const FaultMode mode : {FaultMode::Fail, FaultMode::Throw})
            cases.push_back({flow, mode});
    }
    return cases;
}

std::string CaseName(const testing::TestParamInfo<FlowCase>& c) {
    return std::string(Flows({})[c.param.flow].name) +
           (c.param.mode == FaultMode::Throw ? "Throw" : "Fail");
}

INSTANTIATE_TEST_SUITE_P(Flows, FaultInjection, testing::ValuesIn(AllCases()), CaseName);

}  // namespace
}  // namespace kora::faults
