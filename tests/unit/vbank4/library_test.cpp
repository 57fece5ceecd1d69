// The built libvbank4.so, loaded by name and bound in the module's order.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <memory>

#include "kora4/vbank4.h"
#include "temp_folder.h"

namespace {

TEST(SharedLibrary, ExportsAllTwentyNineEntryPointsAndWorksThroughThem) {
    testing_support::TempFolder home;
    std::filesystem::copy_file(std::filesystem::path(VBANK4_SAMPLE_DIR) / "catalog.json",
                               home / "catalog.json");
    ::setenv("VBANK4_HOME", home.path().c_str(), 1);
    const std::string path = std::string(VBANK4_BIN_DIR) + "/" + kDbmLibraryName;
    const std::unique_ptr<void, int (*)(void*)> library(
        ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL), ::dlclose);
    ASSERT_NE(library, nullptr) << ::dlerror();
    for (const char* name : kDbmEntryPointNames) {
        EXPECT_NE(::dlsym(library.get(), name), nullptr) << name;
    }
    // Nothing of the library's inside is visible.
    EXPECT_EQ(::dlsym(library.get(),
                      "_ZN6vbank48Database4OpenERKNSt10filesystem7__cxx114pathERSt10unique_ptrIS0_"
                      "St14default_deleteIS0_EE"),
              nullptr);
#define BIND(name) const auto name = reinterpret_cast<PFN_##name>(::dlsym(library.get(), #name))
    BIND(DBM_Init);
    BIND(DBM_Delete);
    BIND(DBM_GetAllVoice);
    BIND(DBM_GetXSynthData);
    BIND(DBM_GetLibraryVersion);
#undef BIND
    ASSERT_EQ(DBM_Init(), 0);
    DbmVoiceList* list = nullptr;
    ASSERT_EQ(DBM_GetAllVoice(&list), 0);
    EXPECT_EQ(list->count, 12);
    XSynthGroupList xsynth;
    ASSERT_EQ(DBM_GetXSynthData(&xsynth), 0);  // a vector filled across the boundary
    EXPECT_EQ(xsynth.size(), 4u);
    EXPECT_NE(DBM_GetLibraryVersion(nullptr, nullptr), 0);
    EXPECT_EQ(DBM_Delete(), 0);
}

}  // namespace
