// Runs the fuzz target once on every file given, or on every file in the
// folders given, so that builds without libFuzzer still replay the corpus.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

namespace {

int ReplayFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "cannot read " << path << '\n';
        return 1;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int failures = 0;
    int replayed = 0;
    for (int k = 1; k < argc; ++k) {
        const std::filesystem::path path(argv[k]);
        if (std::filesystem::is_directory(path)) {
            for (const auto& item : std::filesystem::recursive_directory_iterator(path)) {
                if (!item.is_regular_file()) continue;
                failures += ReplayFile(item.path());
                ++replayed;
            }
        } else {
            failures += ReplayFile(path);
            ++replayed;
        }
    }
    std::cout << "replayed " << replayed << " inputs\n";
    return failures == 0 && replayed > 0 ? 0 : 1;
}
