// The built libvbank4.so, loaded by name and bound in the module's order.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "kora4/vbank4.h"
#include "temp_folder.h"

namespace {

class LoadedLibrary {
public:
    LoadedLibrary() {
        const std::string path = std::string(VBANK4_BIN_DIR) + "/" + kDbmLibraryName;
        handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    ~LoadedLibrary() {
        if (handle_ != nullptr) ::dlclose(handle_);
    }
    void* handle() const { return handle_; }
    template <class Fn>
    Fn Get(const char* name) const {
        return reinterpret_cast<Fn>(::dlsym(handle_, name));
    }

private:
    void* handle_ = nullptr;
};

TEST(SharedLibrary, ExportsAllTwentyNineEntryPointsAndWorksThroughThem) {
    testing_support::TempFolder home;
    std::filesystem::copy_file(std::filesystem::path(VBANK4_SAMPLE_DIR) / "catalog.json",
                               home / "catalog.json");
    ::setenv("VBANK4_HOME", home.path().c_str(), 1);

    LoadedLibrary library;
    ASSERT_NE(library.handle(), nullptr) << ::dlerror();
    for (const char* name : kDbmEntryPointNames) {
        EXPECT_NE(::dlsym(library.handle(), name), nullptr) << name;
    }
    // Nothing of the library's inside is visible.
    EXPECT_EQ(::dlsym(library.handle(),
                      "_ZN6vbank48Database4OpenERKNSt10filesystem7__cxx114pathERSt10unique_ptrIS0_"
                      "St14default_deleteIS0_EE"),
              nullptr);

    const auto init = library.Get<PFN_DBM_Init>("DBM_Init");
    const auto release = library.Get<PFN_DBM_Delete>("DBM_Delete");
    const auto allVoices = library.Get<PFN_DBM_GetAllVoice>("DBM_GetAllVoice");
    const auto getEditor = library.Get<PFN_DBM_GetEditor>("DBM_GetEditor");
    const auto create = library.Get<PFN_DBM_CreateVirtualVoice>("DBM_CreateVirtualVoice");
    const auto commit = library.Get<PFN_DBM_CommitEditor>("DBM_CommitEditor");
    const auto info = library.Get<PFN_DBM_GetVirtualVoiceInfo>("DBM_GetVirtualVoiceInfo");
    const auto groups = library.Get<PFN_DBM_GetXSynthData>("DBM_GetXSynthData");
    const auto version = library.Get<PFN_DBM_GetLibraryVersion>("DBM_GetLibraryVersion");

    ASSERT_EQ(init(), 0);
    DbmVoiceList* list = nullptr;
    ASSERT_EQ(allVoices(&list), 0);
    EXPECT_EQ(list->count, 12);
    XSynthGroupList xsynth;
    ASSERT_EQ(groups(&xsynth), 0);  // a vector filled across the boundary
    EXPECT_EQ(xsynth.size(), 4u);
    const uint32_t editor = getEditor();
    ASSERT_NE(editor, 0u);
    int32_t program = -1;
    ASSERT_EQ(create(editor, 1, &program, u"VB4S01HARUKA0007", u"Through the library"), 0);
    EXPECT_EQ(program, 0);
    ASSERT_EQ(commit(editor), 0);
    DBM_VVOICE_INFO record{};
    ASSERT_EQ(info(1, 0, &record), 0);
    EXPECT_EQ(std::u16string(record.name), u"Through the library");
    EXPECT_EQ(info(1, 1, &record), kDbmNoVirtualVoice);
    EXPECT_NE(version(nullptr, nullptr), 0);
    EXPECT_EQ(release(), 0);
    EXPECT_TRUE(std::filesystem::exists(home / "store.json"));
}

}  // namespace
