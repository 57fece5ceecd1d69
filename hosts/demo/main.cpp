// The demo host: a sequence editor in miniature. It opens a copy of the
// sample sequence with a copy of the sample voice database, loads kora4.dll
// as a host would, runs the Singer Editor on the sequence, reports the
// status and what the dialog changed, and saves the sequence when it changed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "api/dynamic_library.h"
#include "capture.h"
#include "demo_options.h"
#include "demo_workspace.h"
#include "kora4/kora4.h"
#include "standins/utf.h"
#include "status_text.h"
#include "text_file_module.h"
#include "trak4/sequence_document.h"
#include "trak4/trak_manager.h"

namespace fs = std::filesystem;
using namespace kora::demo;
using kora::hosts::TextFileModule;

namespace {

fs::path ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return fs::path(path).parent_path();
}

std::string Utf8(const fs::path& path) { return standins::Utf16ToUtf8(path.u16string()); }

void Report(const char* call, uint32_t status) {
    std::printf("%s: %s (%s)\n", call, StatusHex(status).c_str(), StatusMeaning(status).c_str());
}

// The file's bytes; empty when it cannot be read (a store not written yet).
std::string FileBytes(const fs::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

const trak4::SequenceVoice* VoiceAt(const trak4::SequenceDocument& document, int32_t bank,
                                    int32_t program) {
    const auto found = document.voices.find({bank, program});
    return found == document.voices.end() ? nullptr : &found->second;
}

int RunDemo(const DemoOptions& options) {
    const fs::path folder = ExecutableFolder();
    std::string error;
    const std::optional<Workspace> workspace = PrepareWorkspace(
        folder / "demo-data", options.work.value_or(folder / "demo-work"), options.reset, &error);
    if (!workspace) {
        std::fprintf(stderr, "kora4_demo: %s\n", error.c_str());
        return 2;
    }
    // The voice database library reads its folder from the environment.
    _wputenv_s(L"VBANK4_HOME", workspace->database.c_str());
    std::printf("sequence: %s\nvoice database: %s\n", Utf8(workspace->sequence).c_str(),
                Utf8(workspace->database).c_str());

    std::optional<TextFileModule> texts;
    if (options.translation) {
        texts = TextFileModule::Load(*options.translation, &error);
        if (!texts) {
            std::fprintf(stderr, "kora4_demo: %s: %s\n", Utf8(*options.translation).c_str(),
                         error.c_str());
            return 2;
        }
    }

    trak4::TrakManager sequence(trak4::LoadSequence(workspace->sequence));
    // What the dialog changed is told by comparing, not by the status: a
    // cancelled dialog answers 0 as well. My Singers reach the store file
    // only when the module commits them.
    const trak4::SequenceDocument loaded = sequence.Document();
    const fs::path store = workspace->database / "store.json";
    const std::string storeBefore = FileBytes(store);

    // Loaded from beside the demo, as a host loads its modules.
    const auto module = kora::api::DynamicLibrary::Open(folder / "kora4.dll");
    if (!module.IsLoaded()) {
        std::fprintf(stderr, "kora4_demo: cannot load kora4.dll from %s\n", Utf8(folder).c_str());
        return 2;
    }
    const auto init = module.Function<PFN_KORA_Init>("KORA_Init");
    const auto del = module.Function<PFN_KORA_Delete>("KORA_Delete");
    const auto setTexts = module.Function<PFN_KORA_SetLumiM17NModule>("KORA_SetLumiM17NModule");
    const auto open = module.Function<PFN_KORA_OpenDefDialog>("KORA_OpenDefDialog");
    const auto pick =
        module.Function<PFN_KORA_OpenDefDialog_ReadOnly>("KORA_OpenDefDialog_ReadOnly");
    if (!init || !del || !setTexts || !open || !pick) {
        std::fprintf(stderr, "kora4_demo: kora4.dll lacks an export\n");
        return 2;
    }

    const uint32_t initStatus = init();
    Report("KORA_Init", initStatus);
    uint32_t status = initStatus;
    if (initStatus == kora4::kOk) {
        if (texts) Report("KORA_SetLumiM17NModule", setTexts(&*texts));
        std::unique_ptr<DialogCapture> capture;
        if (options.screenshot) {
            capture = std::make_unique<DialogCapture>(*options.screenshot);
        }
        // Any non-zero value serves as the host handle.
        const uint32_t hostHandle = 1;
        if (options.readOnly) {
            int32_t bank = -1;
            int32_t program = -1;
            status = pick(hostHandle, &sequence, &bank, &program);
            Report("KORA_OpenDefDialog_ReadOnly", status);
            if (status == kora4::kOk) {
                const trak4::SequenceVoice* voice = VoiceAt(sequence.Document(), bank, program);
                std::printf("picked: bank %d, program %d%s%s\n", bank, program, voice ? ", " : "",
                            voice ? standins::Utf16ToUtf8(voice->name).c_str() : "");
            }
        } else {
            // Ask for the first Active singer of bank 0 to be selected.
            status = open(hostHandle, &sequence, 0);
            Report("KORA_OpenDefDialog", status);
        }
        if (capture) {
            if (capture->Saved()) {
                std::printf("screenshot: %s\n", Utf8(*options.screenshot).c_str());
            } else {
                std::fprintf(stderr, "kora4_demo: no screenshot taken\n");
                if (status == kora4::kOk) status = kora4::kOtherFailure;
            }
        }
    }
    Report("KORA_Delete", del());

    trak4::SequenceDocument document = sequence.Document();
    const bool sequenceChanged = !trak4::SameContent(loaded, document);
    const bool storeChanged = FileBytes(store) != storeBefore;
    if (sequenceChanged && status == kora4::kOk) {
        trak4::SaveSequence(document, workspace->sequence);
        std::printf("saved: %s (%zu virtual voices, %zu library records)\n",
                    Utf8(workspace->sequence).c_str(), document.voices.size(),
                    document.library.size());
    } else if (sequenceChanged) {
        std::printf("not saved: the sequence changed, but the module reported a failure\n");
    }
    if (storeChanged) {
        std::printf("My Singers committed to the voice database: %s\n", Utf8(store).c_str());
    }
    if (!sequenceChanged && !storeChanged) std::printf("nothing changed: nothing saved\n");
    // A pick the user cancelled is the user's choice, not a failure.
    return status == kora4::kOk || status == kora4::kPickCancelled ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::u16string> args;
    for (int i = 1; i < argc; ++i) {
        args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    }
    std::string error;
    const std::optional<DemoOptions> options = ParseDemoOptions(args, &error);
    if (!options || options->help) {
        if (!options) std::fprintf(stderr, "kora4_demo: %s\n", error.c_str());
        std::fputs(kDemoUsage, options ? stdout : stderr);
        return options ? 0 : 2;
    }
    try {
        return RunDemo(*options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kora4_demo: %s\n", e.what());
        return 2;
    }
}
