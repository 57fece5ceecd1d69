#include "kora4/kora4.h"

#include <gtest/gtest.h>

#include "api/dbm_binding.h"
#include "api/module_context.h"
#include "fake_library.h"
#include "kora4/m17n.h"
#include "kora4/trak4.h"
#include "ui/text_module_slot.h"

namespace kora::api {
namespace {

using namespace kora4;

class StubTrakManager final : public CAxTrakManagerIF {
public:
    IAxVVoice* vvoiceGetVVoice(int32_t, int32_t) const override { return nullptr; }
    int32_t vvoiceInsertVVoiceV4(int32_t, int32_t, const char16_t*, const char16_t*,
                                 const char16_t*, const AxVVoiceParam&,
                                 const AxVVoiceParam&) override {
        return 0;
    }
    int32_t vvoiceUpdateVVoiceV4(int32_t, int32_t, const char16_t*, const char16_t*,
                                 const AxVVoiceParam&, const AxVVoiceParam&) override {
        return 0;
    }
    int32_t vvoiceRemoveVVoice(int32_t, int32_t) override { return 0; }
    void vvoiceInitializeUpdateContext() override {}
    void vvoiceNotifyObserversOfUpdates() override {}
    int32_t sysReplaceVVoiceLibTable(const AxVVoiceLibTable&) override { return 0; }
    std::u16string fileGetCurrentFilePath() const override { return {}; }
};

class StubTextModule final : public LumiM17NModule {
public:
    uint32_t LanguageId() const override { return 1041; }
    const char16_t* Lookup(const char16_t*) const override { return nullptr; }
};

class ExportsTest : public testing::Test {
protected:
    void TearDown() override {
        if (ContextSlot() != nullptr) KORA_Delete();
        SetDbmLibraryPathForTesting({});
        ui::TextModuleSlot() = nullptr;
    }
    static void UseLibrary(const std::string& path) { SetDbmLibraryPathForTesting(path); }

    uint32_t OpenDialog() { return KORA_OpenDefDialog(1, &trak_, 0); }
    uint32_t OpenReadOnly() { return KORA_OpenDefDialog_ReadOnly(1, &trak_, &bank_, &program_); }

    StubTrakManager trak_;
    int32_t bank_ = -1;
    int32_t program_ = -1;
};

struct InitCase {
    int32_t initResult;
    uint32_t initStatus;
    uint32_t deleteStatus;
};

void PrintTo(const InitCase& c, std::ostream* os) { *os << "DBM_Init gives " << c.initResult; }

class InitDeleteMatrix : public ExportsTest, public testing::WithParamInterface<InitCase> {};

TEST_P(InitDeleteMatrix, StatusesCallsAndRelease) {
    const InitCase& c = GetParam();
    FakeLibrary fake(FAKE_VBANK4, c.initResult);
    UseLibrary(fake.Path());

    EXPECT_EQ(KORA_Init(), c.initStatus);
    ASSERT_NE(ContextSlot(), nullptr);  // kept whatever the result
    EXPECT_EQ(ContextSlot()->initialized, c.initStatus == kOk);
    EXPECT_EQ(ContextSlot()->status, c.initResult == 0 ? 1 : c.initResult);
    EXPECT_EQ(fake.CallLog(), "DBM_Init;");

    // Only an initialized module reaches the invocation. This library hands
    // out no installed-voice list, so loading stops there, before any
    // dialog.
    const bool initialized = c.initStatus == kOk;
    const uint32_t dialog = initialized ? kVoiceListInconsistent : kNotInitialized;
    EXPECT_EQ(OpenDialog(), dialog);
    EXPECT_EQ(OpenReadOnly(), dialog);
    EXPECT_EQ(bank_, -1);
    EXPECT_EQ(program_, -1);

    EXPECT_EQ(KORA_Delete(), c.deleteStatus);
    // DBM_Delete also after a failed init.
    EXPECT_EQ(fake.CallLog(), initialized ? "DBM_Init;DBM_GetAllVoice;DBM_GetAllVoice;DBM_Delete;"
                                          : "DBM_Init;DBM_Delete;");
    EXPECT_EQ(ContextSlot(), nullptr);
    // With the test's own handle gone, nothing keeps the library loaded:
    // KORA_Delete let go of it on every path.
    fake.Close();
    EXPECT_FALSE(FakeLibrary::IsLoaded(FAKE_VBANK4));
}

INSTANTIATE_TEST_SUITE_P(DbmInitResults, InitDeleteMatrix,
                         testing::Values(InitCase{-4, kNotInitialized, kDeleteFailed},
                                         InitCase{-3, kDbmInitFailedMinus3, kDeleteFailed},
                                         InitCase{-2, kDbmInitFailedMinus2, kDeleteFailed},
                                         InitCase{-1, kDbmInitFailedMinus1, kDeleteFailed},
                                         InitCase{0, kOk, kOk}, InitCase{1, kOk, kOk},
                                         InitCase{2, kOtherFailure, kOk},
                                         InitCase{-5, kOtherFailure, kDeleteFailed}),
                         [](const auto& p) {
                             const int32_t r = p.param.initResult;
                             return (r < 0 ? "Minus" : "Plus") + std::to_string(r < 0 ? -r : r);
                         });

TEST_F(ExportsTest, MissingLibrary) {
    UseLibrary(NO_SUCH_LIBRARY);
    EXPECT_EQ(KORA_Init(), kOtherFailure);
    ASSERT_NE(ContextSlot(), nullptr);
    EXPECT_EQ(ContextSlot()->status, static_cast<int32_t>(kBindLoadFailed));
    EXPECT_FALSE(ContextSlot()->initialized);
    EXPECT_EQ(OpenDialog(), kNotInitialized);
    EXPECT_EQ(OpenReadOnly(), kNotInitialized);
    EXPECT_EQ(KORA_Delete(), kDeleteFailed);
    EXPECT_EQ(ContextSlot(), nullptr);
}

struct MissingEntryCase {
    const char* label;
    const char* path;
    const char* logAfterDelete;
};

void PrintTo(const MissingEntryCase& c, std::ostream* os) { *os << "without DBM_" << c.label; }

class MissingEntry : public ExportsTest, public testing::WithParamInterface<MissingEntryCase> {};

TEST_P(MissingEntry, InitFailsAndDeleteCallsDbmDeleteOnlyIfFound) {
    FakeLibrary fake(GetParam().path);
    UseLibrary(fake.Path());
    EXPECT_EQ(KORA_Init(), kOtherFailure);
    EXPECT_EQ(ContextSlot()->status, static_cast<int32_t>(kBindEntryMissing));
    EXPECT_EQ(OpenDialog(), kNotInitialized);
    EXPECT_EQ(KORA_Delete(), kDeleteFailed);
    EXPECT_EQ(fake.CallLog(), GetParam().logAfterDelete);
    EXPECT_EQ(ContextSlot(), nullptr);
    fake.Close();
    EXPECT_FALSE(FakeLibrary::IsLoaded(GetParam().path));
}

// Without DBM_Init the look-up stops before DBM_Delete, so it is never
// called although the library has it.
INSTANTIATE_TEST_SUITE_P(
    FirstMiddleLast, MissingEntry,
    testing::Values(MissingEntryCase{"Init", FAKE_VBANK4_WITHOUT_INIT, ""},
                    MissingEntryCase{"UpdateUserRegistory", FAKE_VBANK4_WITHOUT_UPDATE_REGISTORY,
                                     "DBM_Delete;"},
                    MissingEntryCase{"GetLibraryVersion", FAKE_VBANK4_WITHOUT_LIBRARY_VERSION,
                                     "DBM_Delete;"}),
    [](const auto& p) { return std::string(p.param.label); });

TEST_F(ExportsTest, SecondInitBindsNothingAndAnswersAsTheFirst) {
    FakeLibrary fake(FAKE_VBANK4);
    UseLibrary(fake.Path());
    ASSERT_EQ(KORA_Init(), kOk);
    ModuleContext* first = ContextSlot();
    EXPECT_EQ(KORA_Init(), kOk);
    EXPECT_EQ(ContextSlot(), first);
    EXPECT_EQ(fake.CallLog(), "DBM_Init;");
    EXPECT_EQ(KORA_Delete(), kOk);
    EXPECT_EQ(KORA_Delete(), kDeleteFailed);  // nothing left
    EXPECT_EQ(fake.CallLog(), "DBM_Init;DBM_Delete;");
}

TEST_F(ExportsTest, SecondInitAfterAFailedOneRepeatsTheFailure) {
    FakeLibrary fake(FAKE_VBANK4, -3);
    UseLibrary(fake.Path());
    EXPECT_EQ(KORA_Init(), kDbmInitFailedMinus3);
    EXPECT_EQ(KORA_Init(), kDbmInitFailedMinus3);
    EXPECT_EQ(fake.CallLog(), "DBM_Init;");
    EXPECT_EQ(OpenDialog(), kNotInitialized);
}

TEST_F(ExportsTest, InitAgainAfterDeleteBindsAfresh) {
    FakeLibrary fake(FAKE_VBANK4);
    UseLibrary(fake.Path());
    ASSERT_EQ(KORA_Init(), kOk);
    ASSERT_EQ(KORA_Delete(), kOk);
    EXPECT_EQ(KORA_Init(), kOk);
    EXPECT_EQ(KORA_Delete(), kOk);
    EXPECT_EQ(fake.CallLog(), "DBM_Init;DBM_Delete;DBM_Init;DBM_Delete;");
}

TEST_F(ExportsTest, WithoutContextEveryExportAnswersSafely) {
    EXPECT_EQ(KORA_Delete(), kDeleteFailed);
    EXPECT_EQ(OpenDialog(), kNotInitialized);
    EXPECT_EQ(OpenReadOnly(), kNotInitialized);
    EXPECT_EQ(bank_, -1);
    EXPECT_EQ(program_, -1);
    StubTextModule text;
    EXPECT_EQ(KORA_SetLumiM17NModule(&text), kOk);
    EXPECT_EQ(ui::TextModuleSlot(), &text);
}

TEST_F(ExportsTest, DialogArgumentsAreCheckedBeforeTheContext) {
    int32_t bank = 0;
    int32_t program = 0;
    // With no context and with one that failed to initialize alike.
    for (bool withFailedContext : {false, true}) {
        if (withFailedContext) {
            UseLibrary(NO_SUCH_LIBRARY);
            ASSERT_EQ(KORA_Init(), kOtherFailure);
        }
        SCOPED_TRACE(withFailedContext ? "failed context" : "no context");
        EXPECT_EQ(KORA_OpenDefDialog(0, nullptr, 0), kNoHostHandle);
        EXPECT_EQ(KORA_OpenDefDialog(0, &trak_, 0), kNoHostHandle);
        EXPECT_EQ(KORA_OpenDefDialog(1, nullptr, 0), kNoTrakManager);
        EXPECT_EQ(KORA_OpenDefDialog(1, &trak_, 0), kNotInitialized);

        EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(0, nullptr, nullptr, nullptr), kNoHostHandle);
        EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(1, nullptr, nullptr, nullptr), kNoTrakManager);
        EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(1, &trak_, nullptr, nullptr), kNoBankPointer);
        EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(1, &trak_, nullptr, &program), kNoBankPointer);
        EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(1, &trak_, &bank, nullptr), kNoProgramPointer);
        EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(1, &trak_, &bank, &program), kNotInitialized);
    }
    EXPECT_EQ(bank, 0);
    EXPECT_EQ(program, 0);
}

TEST_F(ExportsTest, TextModuleGoesToTheSlotAndTheContextAndIsDroppedAtDelete) {
    FakeLibrary fake(FAKE_VBANK4);
    UseLibrary(fake.Path());
    StubTextModule text;
    ASSERT_EQ(KORA_SetLumiM17NModule(&text), kOk);
    ASSERT_EQ(KORA_Init(), kOk);
    EXPECT_EQ(ContextSlot()->textModule, nullptr);  // a new context starts without one

    EXPECT_EQ(KORA_SetLumiM17NModule(&text), kOk);
    EXPECT_EQ(ui::TextModuleSlot(), &text);
    EXPECT_EQ(ContextSlot()->textModule, &text);

    EXPECT_EQ(KORA_SetLumiM17NModule(nullptr), kOk);
    EXPECT_EQ(ui::TextModuleSlot(), nullptr);
    EXPECT_EQ(ContextSlot()->textModule, nullptr);

    ASSERT_EQ(KORA_SetLumiM17NModule(&text), kOk);
    ASSERT_EQ(KORA_Delete(), kOk);
    // The host may free its object once the module is shut down.
    EXPECT_EQ(ui::TextModuleSlot(), nullptr);
}

TEST_F(ExportsTest, NoExceptionLeavesInitOrDelete) {
    FakeLibrary fake(FAKE_VBANK4);
    UseLibrary(fake.Path());
    fake.SetThrowing(true, false);
    EXPECT_EQ(KORA_Init(), kOtherFailure);
    EXPECT_EQ(ContextSlot(), nullptr);

    fake.SetThrowing(false, true);
    ASSERT_EQ(KORA_Init(), kOk);
    EXPECT_EQ(KORA_Delete(), kDeleteFailed);
    EXPECT_EQ(ContextSlot(), nullptr);
    EXPECT_EQ(fake.CallLog(), "DBM_Init;DBM_Init;DBM_Delete;");
    fake.Close();
    EXPECT_FALSE(FakeLibrary::IsLoaded(FAKE_VBANK4));
}

TEST_F(ExportsTest, DefaultVirtualVoiceComesFromTheLibrary) {
    FakeLibrary fake(FAKE_VBANK4);
    UseLibrary(fake.Path());
    ASSERT_EQ(KORA_Init(), kOk);
    const ModuleContext& context = *ContextSlot();

    fake.SetDefaultVirtualVoice(12, 34, 0);
    int32_t bank = -1;
    int32_t program = -1;
    EXPECT_EQ(context.GetDefaultVirtualVoice(&bank, &program), 0);
    EXPECT_EQ(bank, 12);
    EXPECT_EQ(program, 34);

    fake.SetDefaultVirtualVoice(1, 2, kDbmNoVirtualVoice);  // the library's own result
    EXPECT_EQ(context.GetDefaultVirtualVoice(&bank, &program), kDbmNoVirtualVoice);

    EXPECT_EQ(context.GetDefaultVirtualVoice(nullptr, &program), -1);
    EXPECT_EQ(context.GetDefaultVirtualVoice(&bank, nullptr), -1);
    EXPECT_EQ(fake.CallLog(), "DBM_Init;DBM_GetDefaultVirtualVoice;DBM_GetDefaultVirtualVoice;");
}

TEST_F(ExportsTest, DefaultVirtualVoiceNeedsAnInitializedContextAndTheEntryPoint) {
    FakeLibrary fake(FAKE_VBANK4, -1);
    UseLibrary(fake.Path());
    ASSERT_EQ(KORA_Init(), kDbmInitFailedMinus1);
    int32_t bank = -1;
    int32_t program = -1;
    EXPECT_EQ(ContextSlot()->GetDefaultVirtualVoice(&bank, &program),
              static_cast<int32_t>(kContextNotInitialized));
    EXPECT_EQ(fake.CallLog(), "DBM_Init;");  // not called

    ModuleContext unbound{DbmBinding{}};
    unbound.initialized = true;
    EXPECT_EQ(unbound.GetDefaultVirtualVoice(&bank, &program), -1);  // 0xFFFFFFFF
    EXPECT_EQ(bank, -1);
    EXPECT_EQ(program, -1);
}

TEST_F(ExportsTest, GuardedCallNeedsContextInitializationAndEntryPoint) {
    EXPECT_EQ(CallDbm<DbmEntry::GetEditor>(nullptr), std::nullopt);

    FakeLibrary fake(FAKE_VBANK4, -2);
    UseLibrary(fake.Path());
    ASSERT_EQ(KORA_Init(), kDbmInitFailedMinus2);
    EXPECT_EQ(CallDbm<DbmEntry::GetEditor>(ContextSlot()), std::nullopt);
    EXPECT_FALSE(DbmSucceeded(CallDbm<DbmEntry::BackupAllVirtualVoice>(ContextSlot())));
    EXPECT_EQ(fake.CallLog(), "DBM_Init;");  // the library was not called

    ModuleContext unbound{DbmBinding{}};
    unbound.initialized = true;
    EXPECT_EQ(CallDbm<DbmEntry::GetEditor>(&unbound), std::nullopt);

    ASSERT_EQ(KORA_Delete(), kDeleteFailed);
    FakeLibrary succeeding(FAKE_VBANK4);  // the same library, now with a DBM_Init that succeeds
    ASSERT_EQ(KORA_Init(), kOk);
    EXPECT_EQ(CallDbm<DbmEntry::GetEditor>(ContextSlot()), 77u);
    EXPECT_TRUE(DbmSucceeded(CallDbm<DbmEntry::CommitEditor>(ContextSlot(), 77u)));
    EXPECT_FALSE(DbmSucceeded(CallDbm<DbmEntry::CommitEditor>(ContextSlot(), 5u)));
}

}  // namespace
}  // namespace kora::api
