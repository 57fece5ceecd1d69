// Runs the built vbank4.dll through its entry points on Windows (or Wine):
// loaded by name, bound in the module's order, a commit that lasts, a roll
// back that does not, all on a fresh copy of the sample catalog.
//   vbank4_smoke <folder holding the sample catalog.json> <scratch folder>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "api/dynamic_library.h"
#include "kora4/vbank4.h"

namespace {

int g_failures = 0;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::printf("FAILED: %s\n", what);
        ++g_failures;
    }
}

bool NameAt(PFN_DBM_GetVirtualVoiceInfo info, int32_t bank, int32_t program,
            const std::u16string& name) {
    DBM_VVOICE_INFO record{};
    return info(bank, program, &record) == 0 && name == record.name;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // The scratch folder is named by the caller, so that a run by hand never
    // leaves a database in whatever folder it started from.
    if (argc < 3) {
        std::printf("usage: vbank4_smoke <sample folder> <scratch folder>\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const fs::path home = argv[2];
    std::error_code ignored;
    fs::remove_all(home, ignored);
    fs::create_directories(home);
    fs::copy_file(fs::path(argv[1]) / L"catalog.json", home / L"catalog.json");
    const std::wstring variable = L"VBANK4_HOME=" + home.wstring();
    ::_wputenv(variable.c_str());

    const auto library = kora::api::DynamicLibrary::Open(kDbmLibraryName);
    Check(library.IsLoaded(), "LoadLibraryW(vbank4.dll)");
    if (!library.IsLoaded()) return 1;
    for (const char* name : kDbmEntryPointNames) {
        Check(library.Function<void (*)()>(name) != nullptr, name);
    }
    const auto init = library.Function<PFN_DBM_Init>("DBM_Init");
    const auto release = library.Function<PFN_DBM_Delete>("DBM_Delete");
    const auto allVoices = library.Function<PFN_DBM_GetAllVoice>("DBM_GetAllVoice");
    const auto getEditor = library.Function<PFN_DBM_GetEditor>("DBM_GetEditor");
    const auto create = library.Function<PFN_DBM_CreateVirtualVoice>("DBM_CreateVirtualVoice");
    const auto commit = library.Function<PFN_DBM_CommitEditor>("DBM_CommitEditor");
    const auto rollBack = library.Function<PFN_DBM_RollBackEditor>("DBM_RollBackEditor");
    const auto registry = library.Function<PFN_DBM_UpdateUserRegistory>("DBM_UpdateUserRegistory");
    const auto backup =
        library.Function<PFN_DBM_BackupAllVirtualVoice>("DBM_BackupAllVirtualVoice");
    const auto info = library.Function<PFN_DBM_GetVirtualVoiceInfo>("DBM_GetVirtualVoiceInfo");
    const auto groups = library.Function<PFN_DBM_GetXSynthData>("DBM_GetXSynthData");

    Check(init() == 0, "DBM_Init");
    DbmVoiceList* list = nullptr;
    Check(allVoices(&list) == 0 && list != nullptr && list->count == 12, "12 installed voices");
    XSynthGroupList xsynth;
    Check(groups(&xsynth) == 0 && xsynth.size() == 4, "4 cross-synthesis groups");
    const uint32_t editor = getEditor();
    int32_t program = -1;
    Check(create(editor, 0, &program, u"VB4S00ELODIE0003", u"Kept") == 0 && program == 0,
          "create in an empty bank gets program 0");
    Check(commit(editor) == 0, "DBM_CommitEditor");
    Check(registry(editor) == 0, "DBM_UpdateUserRegistory");
    Check(create(editor, 0, &program, u"VB4S00ELODIE0003", u"Dropped") == 0 && program == 1,
          "second create gets program 1");
    Check(rollBack(editor) == 0, "DBM_RollBackEditor");
    Check(backup() == 0, "DBM_BackupAllVirtualVoice");
    Check(release() == 0, "DBM_Delete");

    Check(init() == 0, "DBM_Init again");
    Check(NameAt(info, 0, 0, u"Kept"), "the committed voice lasts");
    DBM_VVOICE_INFO record{};
    Check(info(0, 1, &record) == kDbmNoVirtualVoice, "the rolled back voice is gone");
    Check(release() == 0, "DBM_Delete again");
    for (const wchar_t* file : {L"store.json", L"store.backup.json", L"registry.json"}) {
        Check(fs::exists(home / file), "a file beside the catalog");
    }
    Check(!fs::exists(home / L"store.json.tmp"), "no temporary file left");

    std::printf(g_failures == 0 ? "vbank4 smoke: ok\n" : "vbank4 smoke: %d failures\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
