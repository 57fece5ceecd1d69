// libFuzzer target: the vbank4 store reader (the document and its commit
// lines) on arbitrary bytes. Besides the sanitizers, it traps when a property
// that must hold for every store does not.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "standins/json_fields.h"
#include "vbank4/store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    vbank4::StoreState state;
    vbank4::StoreLayout layout;
    try {
        state = vbank4::ParseStore(bytes, &layout);
    } catch (const standins::FormatError&) {
        return 0;
    }
    const auto require = [](bool condition) {
        if (!condition) __builtin_trap();
    };
    require(layout.documentEnd <= layout.validEnd && layout.validEnd <= size);
    // A line cut short is no part of the store; written anew, it reads the same.
    require(vbank4::ParseStore(bytes.substr(0, layout.validEnd)) == state);
    require(vbank4::ParseStore(vbank4::SerializeStore(state)) == state);
    return 0;
}
