// KORA_Init through the module's real binding, which loads the vbank4
// stand-in by its plain name: natively found through the library search path
// (the test puts the bin folder in LD_LIBRARY_PATH); on Windows kora4.dll is
// loaded by name and finds vbank4.dll beside the program. DBM_Init runs on a
// scratch copy of the sample database.
//   init_with_vbank4 <sample folder> <scratch folder> [--expect-not-found]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "api/dynamic_library.h"
#include "kora4/kora4.h"

namespace {

namespace fs = std::filesystem;

int g_failures = 0;

void Expect(uint32_t got, uint32_t expected, const char* what) {
    if (got != expected) {
        std::printf("FAILED: %s gave 0x%08X, expected 0x%08X\n", what, static_cast<unsigned>(got),
                    static_cast<unsigned>(expected));
        ++g_failures;
    }
}

void UseDatabaseFolder(const fs::path& folder) {
#if defined(_WIN32)
    const std::wstring assignment = L"VBANK4_HOME=" + folder.wstring();
    ::_wputenv(assignment.c_str());
#else
    ::setenv("VBANK4_HOME", folder.c_str(), 1);
#endif
}

struct Exports {
    PFN_KORA_Init init = nullptr;
    PFN_KORA_Delete release = nullptr;
};

}  // namespace

#if defined(_WIN32)
int wmain(int argc, wchar_t** argv) {
    const bool expectNotFound = argc > 3 && std::wstring(argv[3]) == L"--expect-not-found";
#else
int main(int argc, char** argv) {
    const bool expectNotFound = argc > 3 && std::string(argv[3]) == "--expect-not-found";
#endif
    if (argc < 3) {
        std::printf("usage: init_with_vbank4 <sample> <scratch> [--expect-not-found]\n");
        return 2;
    }
    const fs::path sample = argv[1];
    const fs::path scratch = fs::path(argv[2]) / "init-with-vbank4";
    fs::remove_all(scratch);
    fs::create_directories(scratch / "empty");
    fs::create_directories(scratch / "home");
    for (const char* name : {"catalog.json", "store.json"}) {
        fs::copy_file(sample / name, scratch / "home" / name);
    }

#if defined(_WIN32)
    const auto module = kora::api::DynamicLibrary::Open(L"kora4.dll");
    const Exports kora{reinterpret_cast<PFN_KORA_Init>(module.Symbol("KORA_Init")),
                       reinterpret_cast<PFN_KORA_Delete>(module.Symbol("KORA_Delete"))};
    if (kora.init == nullptr || kora.release == nullptr) {
        std::printf("FAILED: kora4.dll with KORA_Init and KORA_Delete not loaded\n");
        return 1;
    }
#else
    const Exports kora{&KORA_Init, &KORA_Delete};
#endif

    if (expectNotFound) {
        // Nothing else points the binding at the library: without the search
        // path it is not found.
        UseDatabaseFolder(scratch / "home");
        Expect(kora.init(), kora4::kOtherFailure, "KORA_Init without the library on the path");
        Expect(kora.release(), kora4::kDeleteFailed, "KORA_Delete after a failed load");
    } else {
        // DBM_Init's own answer comes through: the real library ran.
        UseDatabaseFolder(scratch / "empty");
        Expect(kora.init(), kora4::kDbmInitFailedMinus2, "KORA_Init on a folder without a catalog");
        Expect(kora.release(), kora4::kDeleteFailed, "KORA_Delete after DBM_Init failed");

        UseDatabaseFolder(scratch / "home");
        Expect(kora.init(), kora4::kOk, "KORA_Init on the sample database");
        Expect(kora.release(), kora4::kOk, "KORA_Delete");

        // A store nested far deeper than any real one is refused at once.
        fs::create_directories(scratch / "deep");
        fs::copy_file(sample / "catalog.json", scratch / "deep" / "catalog.json");
        std::ofstream(scratch / "deep" / "store.json", std::ios::binary)
            << "{\"zzz\": " << std::string(100000, '[') << std::string(100000, ']')
            << ", \"format\": \"vbank4-store\"}";
        UseDatabaseFolder(scratch / "deep");
        const auto start = std::chrono::steady_clock::now();
        Expect(kora.init(), kora4::kNotInitialized, "KORA_Init on a store nested 100,000 deep");
        const auto took = std::chrono::steady_clock::now() - start;
        std::printf("KORA_Init on a store nested 100,000 deep answered in %lld ms\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
        Expect(kora.release(), kora4::kDeleteFailed, "KORA_Delete after DBM_Init failed");
    }
    fs::remove_all(scratch);
    if (g_failures != 0) return 1;
    std::printf("kora4 init with vbank4: ok\n");
    return 0;
}
