// kora4-scale-data <folder> <singers-per-list> [<my-singers>]
//
// Writes a voice database (<folder>/vbank4) and a sequence
// (<folder>/Demo Song.json) with that many Active and My singers, the
// layout of the demo host's working folder.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "scale_data/scale_data.h"

namespace {

constexpr const char* kUsage =
    "usage: kora4-scale-data <folder> <singers-per-list> [<my-singers>]\n"
    "  writes <folder>/vbank4 (catalog and store) and <folder>/Demo Song.json\n"
    "  with 0..16384 Active singers and as many My singers (or <my-singers>);\n"
    "  <folder>/vbank4 must be empty or missing\n";

bool ParseCount(const std::string& text, int& count) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != text.npos)
        return false;
    count = std::stoi(text);
    return count <= scaledata::kMaxSingers;
}

int Run(const std::filesystem::path& folder, const std::string& active, const std::string* my) {
    scaledata::Counts counts;
    if (!ParseCount(active, counts.active) || !ParseCount(my ? *my : active, counts.my)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    try {
        scaledata::Write(scaledata::DemoLayout(folder), counts);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kora4-scale-data: %s\n", e.what());
        return 1;
    }
    std::printf("%d Active and %d My singers in %s\n", counts.active, counts.my,
                folder.string().c_str());
    return 0;
}

std::string Narrow(const std::filesystem::path::value_type* text) {
    return std::filesystem::path(text).string();
}

}  // namespace

#if defined(_WIN32)
int wmain(int argc, wchar_t** argv) {
#else
int main(int argc, char** argv) {
#endif
    if (argc != 3 && argc != 4) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string my = argc == 4 ? Narrow(argv[3]) : std::string();
    return Run(argv[1], Narrow(argv[2]), argc == 4 ? &my : nullptr);
}
