#include "api/dbm_binding.h"

#include <gtest/gtest.h>

#include "fake_library.h"
#include "kora4/kora4.h"

namespace kora::api {
namespace {

int32_t Signed(uint32_t code) { return static_cast<int32_t>(code); }

DbmEntry EntryAt(int index) { return static_cast<DbmEntry>(index); }

int BoundPrefix(const DbmBinding& binding) {
    int n = 0;
    while (n < kDbmEntryPointCount && binding.IsBound(EntryAt(n))) ++n;
    for (int i = n; i < kDbmEntryPointCount; ++i) {
        EXPECT_FALSE(binding.IsBound(EntryAt(i))) << "entry " << i << " after a gap";
    }
    return n;
}

TEST(DbmBinding, MissingLibraryBindsNothing) {
    const DbmBinding binding = DbmBinding::Bind(NO_SUCH_LIBRARY);
    EXPECT_EQ(binding.Status(), Signed(kora4::kBindLoadFailed));
    EXPECT_FALSE(binding.IsLoaded());
    EXPECT_EQ(BoundPrefix(binding), 0);
}

struct MissingEntryCase {
    const char* label;
    const char* path;
    int missing;  // index in table order
};

void PrintTo(const MissingEntryCase& c, std::ostream* os) { *os << "without DBM_" << c.label; }

class DbmBindingMissingEntry : public testing::TestWithParam<MissingEntryCase> {};

TEST_P(DbmBindingMissingEntry, StopsAtTheFirstMissingEntryAndKeepsWhatItFound) {
    const FakeLibrary fake(GetParam().path);
    const DbmBinding binding = DbmBinding::Bind(fake.Path());
    EXPECT_EQ(binding.Status(), Signed(kora4::kBindEntryMissing));
    EXPECT_TRUE(binding.IsLoaded());
    // Everything before the gap is bound, nothing after it, although the
    // library has all the later entry points.
    EXPECT_EQ(BoundPrefix(binding), GetParam().missing);
    EXPECT_EQ(fake.CallLog(), "");  // DBM_Init is never called
}

INSTANTIATE_TEST_SUITE_P(FirstMiddleLast, DbmBindingMissingEntry,
                         testing::Values(MissingEntryCase{"Init", FAKE_VBANK4_WITHOUT_INIT, 0},
                                         MissingEntryCase{"UpdateUserRegistory",
                                                          FAKE_VBANK4_WITHOUT_UPDATE_REGISTORY, 14},
                                         MissingEntryCase{"GetLibraryVersion",
                                                          FAKE_VBANK4_WITHOUT_LIBRARY_VERSION, 28}),
                         [](const auto& p) { return std::string(p.param.label); });

TEST(DbmBinding, InitResultBecomesTheStatusWithZeroStoredAsOne) {
    const std::pair<int32_t, int32_t> cases[] = {{0, 1},   {1, 1},   {2, 2},   {-1, -1},
                                                 {-2, -2}, {-3, -3}, {-4, -4}, {-9, -9}};
    for (const auto& [result, status] : cases) {
        const FakeLibrary fake(FAKE_VBANK4, result);
        const DbmBinding binding = DbmBinding::Bind(fake.Path());
        EXPECT_EQ(binding.Status(), status) << result;
        EXPECT_EQ(BoundPrefix(binding), kDbmEntryPointCount);
        EXPECT_EQ(fake.CallLog(), "DBM_Init;");
    }
}

TEST(DbmBinding, CallsOnlyBoundEntryPoints) {
    const DbmBinding unbound;
    EXPECT_EQ(unbound.Call<DbmEntry::GetEditor>(), std::nullopt);

    const FakeLibrary fake(FAKE_VBANK4);
    const DbmBinding binding = DbmBinding::Bind(fake.Path());
    EXPECT_EQ(binding.Call<DbmEntry::GetEditor>(), 77u);
    EXPECT_EQ(binding.Call<DbmEntry::CommitEditor>(77u), 0);
    EXPECT_EQ(fake.CallLog(), "DBM_Init;DBM_GetEditor;DBM_CommitEditor;");
}

TEST(DbmBinding, ReleaseUnloadsTheLibraryAndForgetsItsEntryPoints) {
    FakeLibrary fake(FAKE_VBANK4);
    DbmBinding binding = DbmBinding::Bind(fake.Path());
    fake.Close();
    ASSERT_TRUE(FakeLibrary::IsLoaded(FAKE_VBANK4));

    EXPECT_TRUE(binding.ReleaseLibrary());
    EXPECT_FALSE(FakeLibrary::IsLoaded(FAKE_VBANK4));
    EXPECT_FALSE(binding.IsLoaded());
    EXPECT_EQ(BoundPrefix(binding), 0);
    EXPECT_EQ(binding.Call<DbmEntry::GetEditor>(), std::nullopt);
    EXPECT_TRUE(binding.ReleaseLibrary());  // nothing left to release
}

TEST(DbmBinding, LibraryGoesWithTheBindingAndNotWithAMovedFromOne) {
    FakeLibrary fake(FAKE_VBANK4);
    {
        DbmBinding first = DbmBinding::Bind(fake.Path());
        fake.Close();
        DbmBinding second = std::move(first);
        EXPECT_FALSE(first.IsLoaded());  // NOLINT(bugprone-use-after-move)
        EXPECT_EQ(BoundPrefix(first), 0);
        EXPECT_EQ(first.Call<DbmEntry::GetEditor>(), std::nullopt);
        EXPECT_EQ(second.Status(), 1);
        EXPECT_EQ(second.Call<DbmEntry::GetEditor>(), 77u);
        EXPECT_TRUE(FakeLibrary::IsLoaded(FAKE_VBANK4));
    }
    EXPECT_FALSE(FakeLibrary::IsLoaded(FAKE_VBANK4));
}

}  // namespace
}  // namespace kora::api
