// libFuzzer target: the trak4 sequence document reader on arbitrary bytes.
// What it accepts it writes back, and that reads as the same sequence.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "standins/json_fields.h"
#include "trak4/sequence_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    trak4::SequenceDocument document;
    try {
        document =
            trak4::ParseSequence(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const standins::FormatError&) {
        return 0;
    }
    for (const auto& [pair, voice] : document.voices) {
        if (pair.first != voice.bank || pair.second != voice.program) __builtin_trap();
    }
    const trak4::SequenceDocument again = trak4::ParseSequence(trak4::SerializeSequence(document));
    if (!trak4::SameContent(again, document)) __builtin_trap();
    return 0;
}
