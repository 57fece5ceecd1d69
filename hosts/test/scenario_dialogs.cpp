#include <windows.h>

#include "library.h"
#include "probe_api.h"
#include "scenarios.h"

namespace kora::testhost {
namespace {

Checks* current = nullptr;

void Report(int passed, const char* what) { current->Expect(passed != 0, what); }

}  // namespace

void Dialogs(Checks& checks, const std::wstring& shots) {
    Library probe(L"kora4_dialogs_probe.dll");
    if (!checks.Expect(static_cast<bool>(probe), "kora4_dialogs_probe.dll loads by name")) return;
    auto run = probe.Function<PFN_ProbeToolkit>("ProbeDialogs");
    if (!checks.Expect(run != nullptr, "the probe exports ProbeDialogs")) return;
    current = &checks;
    run(Report, shots.c_str());
    current = nullptr;
}

}  // namespace kora::testhost
