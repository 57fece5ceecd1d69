// A second process on the database named by VBANK4_HOME.
//   vbank4_probe dump: "<bank> <program> <name>" per virtual voice, then
//       "default <bank> <program>" (or "default none").
//   vbank4_probe commit-create <bank> <name> [partly-written|flushed|replaced|-] [count]:
//       creates `count` (1) virtual voices on Aurora, commits and writes the
//       registry, as the module's OK does; with a stage, dies there (exit 42,
//       no clean-up).
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "standins/file_io.h"
#include "standins/utf.h"
#include "vbank4/exports.h"

namespace {

standins::WriteStage g_dieAt = standins::WriteStage::kFlushed;

int Dump() {
    for (int32_t bank = 0; bank < 128; ++bank) {
        for (int32_t program = 0; program < 128; ++program) {
            DBM_VVOICE_INFO info{};
            if (DBM_GetVirtualVoiceInfo(bank, program, &info) != 0) continue;
            std::printf("%d %d %s\n", bank, program, standins::Utf16ToUtf8(info.name).c_str());
        }
    }
    int32_t bank = 0, program = 0;
    if (DBM_GetDefaultVirtualVoice(&bank, &program) == 0)
        std::printf("default %d %d\n", bank, program);
    else
        std::printf("default none\n");
    return 0;
}

int CommitCreate(int argc, char** argv) {
    if (argc < 4) return 2;
    if (argc >= 5 && std::string(argv[4]) != "-") {
        using standins::WriteStage;
        const std::string stage = argv[4];
        if (stage != "partly-written" && stage != "flushed" && stage != "replaced") return 2;
        g_dieAt = stage == "partly-written" ? WriteStage::kPartlyWritten
                  : stage == "flushed"      ? WriteStage::kFlushed
                                            : WriteStage::kReplaced;
        standins::SetWriteStageHook([](WriteStage at) {
            if (at == g_dieAt) ::_exit(42);
        });
    }
    const uint32_t editor = DBM_GetEditor();
    int32_t program = -1;
    const std::u16string name = standins::Utf8ToUtf16(argv[3]);
    for (int count = argc >= 6 ? std::atoi(argv[5]) : 1; count > 0; --count) {
        if (DBM_CreateVirtualVoice(editor, std::atoi(argv[2]), &program, u"VB4S00AURORA0001",
                                   name.c_str()) != 0)
            return 3;
    }
    return DBM_CommitEditor(editor) == 0 && DBM_UpdateUserRegistory(editor) == 0 ? 0 : 4;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const int32_t init = DBM_Init();
    if (init != 0) return 10 - init;
    const std::string command = argv[1];
    const int result = command == "dump"            ? Dump()
                       : command == "commit-create" ? CommitCreate(argc, argv)
                                                    : 2;
    DBM_Delete();
    return result;
}
