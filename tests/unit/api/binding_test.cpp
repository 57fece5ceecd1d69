#include "api/dbm_binding.h"

#include <gtest/gtest.h>

#include "fake_library.h"

namespace kora::api {
namespace {

int BoundCount(const DbmBinding& binding) {
    int n = 0;
    for (int i = 0; i < kDbmEntryPointCount; ++i) n += binding.IsBound(static_cast<DbmEntry>(i));
    return n;
}

TEST(DbmBinding, ReleaseUnloadsTheLibraryAndForgetsItsEntryPoints) {
    const DbmBinding unbound;
    EXPECT_EQ(unbound.Call<DbmEntry::GetEditor>(), std::nullopt);

    FakeLibrary fake(FAKE_VBANK4);
    DbmBinding binding = DbmBinding::Bind(fake.Path());
    EXPECT_EQ(BoundCount(binding), kDbmEntryPointCount);
    fake.Close();
    ASSERT_TRUE(FakeLibrary::IsLoaded(FAKE_VBANK4));
    EXPECT_TRUE(binding.ReleaseLibrary());
    EXPECT_FALSE(FakeLibrary::IsLoaded(FAKE_VBANK4));
    EXPECT_FALSE(binding.IsLoaded());
    EXPECT_EQ(BoundCount(binding), 0);
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
        EXPECT_EQ(BoundCount(first), 0);
        EXPECT_EQ(first.Call<DbmEntry::GetEditor>(), std::nullopt);
        EXPECT_EQ(second.Status(), 1);
        EXPECT_EQ(second.Call<DbmEntry::GetEditor>(), 77u);
        EXPECT_TRUE(FakeLibrary::IsLoaded(FAKE_VBANK4));
    }
    EXPECT_FALSE(FakeLibrary::IsLoaded(FAKE_VBANK4));
}

}  // namespace
}  // namespace kora::api
