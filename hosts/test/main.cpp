// The test host: runs one scenario against the module (or the toolkit
// probe), loaded by name, printing a line per check.
//
//   kora4_test_host.exe <toolkit|dialogs|singer-editor|singer-editor-add|singer-files|
//                        singer-editor-full-scale>
//                       [--shots <folder>]
#include <cstdio>
#include <cwchar>
#include <map>

#include "probe_api.h"
#include "scenarios.h"

using namespace kora::testhost;

namespace {

Checks* current = nullptr;

void Toolkit(Checks& checks, const std::wstring& shots) {
    const auto probe = Library::Open(L"kora4_toolkit_probe.dll");
    auto run = probe.Function<PFN_ProbeToolkit>("ProbeToolkit");
    if (!checks.Expect(run != nullptr, "kora4_toolkit_probe.dll loads, exports ProbeToolkit"))
        return;
    current = &checks;
    run([](int passed, const char* what) { current->Expect(passed != 0, what); }, shots.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::map<std::wstring, void (*)(Checks&, const std::wstring&)> scenarios = {
        {L"toolkit", Toolkit},
        {L"dialogs", Dialogs},
        {L"singer-editor", SingerEditor},
        {L"singer-editor-add", SingerEditorAdd},
        {L"singer-files", SingerFiles},
        {L"singer-editor-full-scale", SingerEditorFullScale}};
    const bool shotsGiven = argc == 4 && std::wcscmp(argv[2], L"--shots") == 0;
    const auto scenario = argc > 1 ? scenarios.find(argv[1]) : scenarios.end();
    if (scenario == scenarios.end() || (argc != 2 && !shotsGiven)) {
        std::printf("usage: kora4_test_host <scenario> [--shots <folder>]\n");
        return 2;
    }
    Checks checks;
    scenario->second(checks, shotsGiven ? argv[3] : L".");
    std::printf("%s: %d checks, %d failed\n", Narrow(argv[1]).c_str(), checks.count,
                checks.failures);
    return checks.failures == 0 && checks.count > 0 ? 0 : 1;
}
