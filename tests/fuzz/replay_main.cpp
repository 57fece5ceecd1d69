// Runs the fuzz target once on every file in the folders given, so that
// builds without libFuzzer still replay the corpus.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    int replayed = 0;
    for (int k = 1; k < argc; ++k) {
        for (const auto& item : std::filesystem::recursive_directory_iterator(argv[k])) {
            if (!item.is_regular_file()) continue;
            std::ifstream in(item.path(), std::ios::binary);
            const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
            if (!in.good() && !in.eof()) return 1;
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::cout << "replayed " << replayed << " inputs\n";
    return replayed > 0 ? 0 : 1;
}
