// The scenarios of the test host, one per command-line name.
#pragma once

#include "harness.h"
#include "kora4/kora4.h"

namespace kora::testhost {

// The Singer Editor of both dialog exports from kora4.dll's resources: OK,
// Cancel after a change, a read-only pick; the store and sequence after each.
void SingerEditor(Checks& checks, const std::wstring& shots);
// A singer added through the real edit dialog and the group list, then OK.
void SingerEditorAdd(Checks& checks, const std::wstring& shots);
// Export and Import through the platform's file dialogs.
void SingerFiles(Checks& checks, const std::wstring& shots);
void SingerEditorFullScale(Checks& checks, const std::wstring& shots);  // 16,384 per list
void Dialogs(Checks& checks, const std::wstring& shots);  // at the display's DPI, with screenshots

// kora4.dll loaded by name and initialised on a workspace's database.
struct Kora {
    explicit Kora(Checks& c) : checks(c) {
        ready = checks.Expect(init && del && open && pick, "kora4.dll loads, exports there") &&
                checks.Equal(init(), 0, "KORA_Init with the vbank4 stand-in");
    }
    ~Kora() {
        if (ready) checks.Equal(del(), 0, "KORA_Delete");
    }
    Checks& checks;
    Library library = Library::Open(L"kora4.dll");
    PFN_KORA_Init init = library.Function<PFN_KORA_Init>("KORA_Init");
    PFN_KORA_Delete del = library.Function<PFN_KORA_Delete>("KORA_Delete");
    PFN_KORA_OpenDefDialog open = library.Function<PFN_KORA_OpenDefDialog>("KORA_OpenDefDialog");
    PFN_KORA_OpenDefDialog_ReadOnly pick =
        library.Function<PFN_KORA_OpenDefDialog_ReadOnly>("KORA_OpenDefDialog_ReadOnly");
    bool ready = false;
};

}  // namespace kora::testhost
