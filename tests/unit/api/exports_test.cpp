// The exports, the module context and the database binding, against
// purpose-made database libraries.
#include "kora4/kora4.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "api/dbm_binding.h"
#include "api/module_context.h"
#include "text_module_fake.h"
#include "trak4/trak_manager.h"

namespace kora::api {
namespace {

using namespace kora4;

// The tests' own handle on a fake library: keeps its call log readable.
class FakeLibrary {
public:
    explicit FakeLibrary(std::string path, int32_t initResult = 0)
        : path_(std::move(path)), handle_(dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        if (handle_ == nullptr) throw std::runtime_error("cannot load " + path_);
        Call("FakeDbm_Reset", initResult);
    }
    FakeLibrary(const FakeLibrary&) = delete;
    FakeLibrary& operator=(const FakeLibrary&) = delete;
    ~FakeLibrary() { Close(); }

    const std::string& Path() const { return path_; }
    std::string CallLog() const { return Call<const char*>("FakeDbm_CallLog"); }
    template <class R = void, class... Args>  // a FakeDbm_ function of the library
    R Call(const char* name, Args... args) const {
        return reinterpret_cast<R (*)(Args...)>(dlsym(handle_, name))(args...);
    }
    void Close() {  // so that only the module's handle keeps the library loaded
        if (handle_ != nullptr) dlclose(std::exchange(handle_, nullptr));
    }
    static bool IsLoaded(const std::string& path) {
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
        return handle != nullptr && dlclose(handle) == 0;
    }

private:
    std::string path_;
    void* handle_;
};

class ExportsTest : public testing::Test {
protected:
    void TearDown() override {
        if (ContextSlot() != nullptr) KORA_Delete();
        SetDbmLibraryPathForTesting({});
        ui::TextModuleSlot() = nullptr;
    }
    uint32_t OpenDialog() { return KORA_OpenDefDialog(1, &trak_, 0); }
    uint32_t OpenReadOnly() { return KORA_OpenDefDialog_ReadOnly(1, &trak_, &bank_, &program_); }

    trak4::TrakManager trak_;
    int32_t bank_ = -1, program_ = -1;
};

TEST_F(ExportsTest, InitAndDeleteForEveryDbmInitResultAndEveryBindingFailure) {
    constexpr auto kLoadFailed = static_cast<int32_t>(kBindLoadFailed);
    constexpr auto kMissing = static_cast<int32_t>(kBindEntryMissing);
    constexpr int kAll = kDbmEntryPointCount;
    const char* const kLoaded = "DBM_Init;DBM_GetAllVoice;DBM_GetAllVoice;DBM_Delete;";
    struct Case {
        const char* path;
        int32_t initResult;
        uint32_t initStatus;
        int32_t contextStatus;
        uint32_t deleteStatus;
        int bound;        // entry points bound before the look-up stopped
        const char* log;  // the library's calls after KORA_Delete; null: not loaded
    };
    // DBM_Delete is called also after a failed DBM_Init, but not without
    // DBM_Init: the look-up stopped before it.
    // clang-format off
    const Case cases[] = {
        {FAKE_VBANK4, -4, kNotInitialized, -4, kDeleteFailed, kAll, "DBM_Init;DBM_Delete;"},
        {FAKE_VBANK4, -3, kDbmInitFailedMinus3, -3, kDeleteFailed, kAll, "DBM_Init;DBM_Delete;"},
        {FAKE_VBANK4, -2, kDbmInitFailedMinus2, -2, kDeleteFailed, kAll, "DBM_Init;DBM_Delete;"},
        {FAKE_VBANK4, -1, kDbmInitFailedMinus1, -1, kDeleteFailed, kAll, "DBM_Init;DBM_Delete;"},
        {FAKE_VBANK4, 0, kOk, 1, kOk, kAll, kLoaded},
        {FAKE_VBANK4, 1, kOk, 1, kOk, kAll, kLoaded},
        {FAKE_VBANK4, 2, kOtherFailure, 2, kOk, kAll, "DBM_Init;DBM_Delete;"},
        {FAKE_VBANK4, -5, kOtherFailure, -5, kDeleteFailed, kAll, "DBM_Init;DBM_Delete;"},
        {NO_SUCH_LIBRARY, 0, kOtherFailure, kLoadFailed, kDeleteFailed, 0, nullptr},
        {FAKE_VBANK4_WITHOUT_INIT, 0, kOtherFailure, kMissing, kDeleteFailed, 0, ""},
        {FAKE_VBANK4_WITHOUT_UPDATE_REGISTORY, 0, kOtherFailure, kMissing, kDeleteFailed, 14,
         "DBM_Delete;"},
        {FAKE_VBANK4_WITHOUT_LIBRARY_VERSION, 0, kOtherFailure, kMissing, kDeleteFailed, 28,
         "DBM_Delete;"}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " " + std::to_string(c.initResult));
        std::optional<FakeLibrary> fake;
        if (c.log) fake.emplace(c.path, c.initResult);
        SetDbmLibraryPathForTesting(c.path);
        EXPECT_EQ(KORA_Init(), c.initStatus);
        EXPECT_EQ(KORA_Init(), c.initStatus);  // a second call answers as the first, binds nothing
        ASSERT_NE(ContextSlot(), nullptr);     // kept whatever the result
        const bool initialized = c.initStatus == kOk;
        EXPECT_EQ(ContextSlot()->initialized, initialized);
        EXPECT_EQ(ContextSlot()->status, c.contextStatus);
        const DbmBinding& binding = ContextSlot()->binding;
        EXPECT_EQ(binding.IsLoaded(), c.log != nullptr);
        for (int i = 0; i < kAll; ++i)
            EXPECT_EQ(binding.IsBound(static_cast<DbmEntry>(i)), i < c.bound) << i;
        if (fake) {
            EXPECT_EQ(fake->CallLog(), c.bound == kAll ? "DBM_Init;" : "");
        }

        // Only an initialized module gets as far as loading the (missing) voice list.
        const uint32_t dialog = initialized ? kVoiceListInconsistent : kNotInitialized;
        EXPECT_EQ(OpenDialog(), dialog);
        EXPECT_EQ(OpenReadOnly(), dialog);
        EXPECT_EQ(std::pair(bank_, program_), std::pair(-1, -1));

        EXPECT_EQ(KORA_Delete(), c.deleteStatus);
        EXPECT_EQ(ContextSlot(), nullptr);
        if (!fake) continue;
        EXPECT_EQ(fake->CallLog(), c.log);
        fake->Close();  // only the module's handle is left, and it went on every path
        EXPECT_FALSE(FakeLibrary::IsLoaded(c.path));
    }
}

TEST_F(ExportsTest, DialogArgumentsAreCheckedBeforeTheContext) {
    int32_t bank = 0;
    int32_t program = 0;
    for (bool withFailedContext : {false, true}) {
        if (withFailedContext) {
            SetDbmLibraryPathForTesting(NO_SUCH_LIBRARY);
            ASSERT_EQ(KORA_Init(), kOtherFailure);
        }
        SCOPED_TRACE(withFailedContext ? "failed context" : "no context");
        EXPECT_EQ(KORA_OpenDefDialog(0, nullptr, 0), kNoHostHandle);
        EXPECT_EQ(KORA_OpenDefDialog(0, &trak_, 0), kNoHostHandle);
        EXPECT_EQ(KORA_OpenDefDialog(1, nullptr, 0), kNoTrakManager);
        EXPECT_EQ(KORA_OpenDefDialog(1, &trak_, 0), kNotInitialized);
        EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(0, nullptr, nullptr, nullptr), kNoHostHandle);
        EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(1, nullptr, nullptr, nullptr), kNoTrakManager);
        EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(1, &trak_, nullptr, &program), kNoBankPointer);
        EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(1, &trak_, &bank, nullptr), kNoProgramPointer);
        EXPECT_EQ(KORA_OpenDefDialog_ReadOnly(1, &trak_, &bank, &program), kNotInitialized);
    }
    EXPECT_EQ(std::pair(bank, program), std::pair(0, 0));
}

TEST_F(ExportsTest, NoExceptionLeavesInitOrDeleteAndInitAfterDeleteBindsAfresh) {
    FakeLibrary fake(FAKE_VBANK4);
    SetDbmLibraryPathForTesting(fake.Path());
    fake.Call("FakeDbm_SetThrowing", 1, 0);
    EXPECT_EQ(KORA_Init(), kOtherFailure);
    EXPECT_EQ(ContextSlot(), nullptr);
    fake.Call("FakeDbm_SetThrowing", 0, 1);
    ASSERT_EQ(KORA_Init(), kOk);
    EXPECT_EQ(KORA_Delete(), kOk);  // a DBM_Delete that throws is one whose result is ignored
    EXPECT_EQ(ContextSlot(), nullptr);
    fake.Call("FakeDbm_SetThrowing", 0, 0);

    const ui::test::MapTextModule text({});
    ASSERT_EQ(KORA_SetLumiM17NModule(&text), kOk);  // also without a context
    EXPECT_EQ(ui::TextModuleSlot(), &text);
    ASSERT_EQ(KORA_Init(), kOk);
    EXPECT_EQ(ContextSlot()->textModule, nullptr);  // a new context starts without one
    EXPECT_EQ(KORA_SetLumiM17NModule(&text), kOk);
    EXPECT_EQ(ContextSlot()->textModule, &text);
    EXPECT_EQ(KORA_Delete(), kOk);
    EXPECT_EQ(ui::TextModuleSlot(), nullptr);  // the host may free it after shutdown
    EXPECT_EQ(KORA_Delete(), kDeleteFailed);   // nothing left
    EXPECT_EQ(fake.CallLog(), "DBM_Init;DBM_Init;DBM_Delete;DBM_Init;DBM_Delete;");
    fake.Close();
    EXPECT_FALSE(FakeLibrary::IsLoaded(FAKE_VBANK4));
}

TEST_F(ExportsTest, DatabaseCallsNeedAnInitializedContextAndTheEntryPoint) {
    EXPECT_EQ(CallDbm<DbmEntry::GetEditor>(nullptr), std::nullopt);
    FakeLibrary fake(FAKE_VBANK4, -2);
    SetDbmLibraryPathForTesting(fake.Path());
    ASSERT_EQ(KORA_Init(), kDbmInitFailedMinus2);
    int32_t bank = -1, program = -1;
    EXPECT_EQ(ContextSlot()->GetDefaultVirtualVoice(&bank, &program),
              static_cast<int32_t>(kContextNotInitialized));
    EXPECT_FALSE(DbmSucceeded(CallDbm<DbmEntry::BackupAllVirtualVoice>(ContextSlot().get())));
    EXPECT_EQ(fake.CallLog(), "DBM_Init;");  // the library was not called

    ModuleContext unbound{DbmBinding{}};
    unbound.initialized = true;
    EXPECT_EQ(CallDbm<DbmEntry::GetEditor>(&unbound), std::nullopt);
    EXPECT_EQ(unbound.GetDefaultVirtualVoice(&bank, &program), -1);  // 0xFFFFFFFF
    EXPECT_EQ(std::pair(bank, program), std::pair(-1, -1));

    ASSERT_EQ(KORA_Delete(), kDeleteFailed);
    FakeLibrary succeeding(FAKE_VBANK4);  // the same library, now with a DBM_Init that succeeds
    ASSERT_EQ(KORA_Init(), kOk);
    EXPECT_EQ(CallDbm<DbmEntry::GetEditor>(ContextSlot().get()), 77u);
    EXPECT_TRUE(DbmSucceeded(CallDbm<DbmEntry::CommitEditor>(ContextSlot().get(), 77u)));
    succeeding.Call("FakeDbm_SetDefaultVirtualVoice", 12, 34, 0);
    EXPECT_EQ(ContextSlot()->GetDefaultVirtualVoice(&bank, &program), 0);
    EXPECT_EQ(std::pair(bank, program), std::pair(12, 34));
    succeeding.Call("FakeDbm_SetDefaultVirtualVoice", 1, 2,
                    kDbmNoVirtualVoice);  // the library's own result
    EXPECT_EQ(ContextSlot()->GetDefaultVirtualVoice(&bank, &program), kDbmNoVirtualVoice);
    EXPECT_EQ(ContextSlot()->GetDefaultVirtualVoice(nullptr, &program), -1);
    EXPECT_EQ(ContextSlot()->GetDefaultVirtualVoice(&bank, nullptr), -1);
    EXPECT_EQ(succeeding.CallLog(),
              "DBM_Init;DBM_GetEditor;DBM_CommitEditor;"
              "DBM_GetDefaultVirtualVoice;DBM_GetDefaultVirtualVoice;");
}

TEST(DbmBinding, TheLibraryGoesWithTheBindingAndNotWithAMovedFromOne) {
    {
        DbmBinding first = DbmBinding::Bind(FAKE_VBANK4);
        DbmBinding second = std::move(first);
        EXPECT_FALSE(first.IsLoaded());  // NOLINT(bugprone-use-after-move)
        EXPECT_EQ(first.Call<DbmEntry::GetEditor>(), std::nullopt);
        EXPECT_EQ(second.Status(), 1);
        EXPECT_EQ(second.Call<DbmEntry::GetEditor>(), 77u);
        first = std::move(second);
        EXPECT_TRUE(FakeLibrary::IsLoaded(FAKE_VBANK4));
        EXPECT_TRUE(first.ReleaseLibrary());
        EXPECT_FALSE(FakeLibrary::IsLoaded(FAKE_VBANK4));
        EXPECT_EQ(first.Call<DbmEntry::GetEditor>(), std::nullopt);
        first = DbmBinding::Bind(FAKE_VBANK4);
    }
    EXPECT_FALSE(FakeLibrary::IsLoaded(FAKE_VBANK4));
}

}  // namespace
}  // namespace kora::api
