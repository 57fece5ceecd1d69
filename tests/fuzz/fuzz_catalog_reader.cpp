// libFuzzer target: the vbank4 catalog reader on arbitrary bytes. What it
// accepts it writes back, and that reads as the same catalog.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "standins/json_fields.h"
#include "vbank4/catalog.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    vbank4::Catalog catalog;
    try {
        catalog = vbank4::ParseCatalog(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const standins::FormatError&) {
        return 0;
    }
    for (const vbank4::CatalogVoice& voice : catalog.voices) {
        if (voice.voiceId.size() != vbank4::kVoiceIdLength || voice.name.empty() ||
            catalog.Find(voice.voiceId) != &voice) {
            __builtin_trap();
        }
    }
    const std::string written = vbank4::SerializeCatalog(catalog);
    if (vbank4::SerializeCatalog(vbank4::ParseCatalog(written)) != written) __builtin_trap();
    return 0;
}
