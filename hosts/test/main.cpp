// The test host: loads the module (or the toolkit probe) by name and runs
// one scenario against it, printing a line per check.
//
//   kora4_test_host.exe <scenario> [--shots <folder>]
#include <cstdio>
#include <cwchar>
#include <map>

#include "probe_api.h"
#include "scenarios.h"

using namespace kora::testhost;

namespace {

Checks* current = nullptr;

void Toolkit(Checks& checks, const std::wstring& shots) {
    Library probe(L"kora4_toolkit_probe.dll");
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
        {L"singer-editor", SingerEditor},
        {L"singer-editor-add", SingerEditorAdd},
        {L"singer-files", SingerFiles},
    };
    std::wstring shots = L".";
    std::wstring name;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--shots") == 0 && i + 1 < argc)
            shots = argv[++i];
        else
            name = argv[i];
    }
    auto scenario = scenarios.find(name);
    if (scenario == scenarios.end()) {
        std::printf("usage: kora4_test_host <scenario> [--shots <folder>]\n");
        return 2;
    }
    Checks checks;
    scenario->second(checks, shots);
    std::printf("%s: %d checks, %d failed\n", Narrow(name).c_str(), checks.count, checks.failures);
    return checks.failures == 0 && checks.count > 0 ? 0 : 1;
}
