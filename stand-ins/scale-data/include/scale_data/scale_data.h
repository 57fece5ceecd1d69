// Sample data at scale: a voice database and a sequence with as many
// singers as a user may keep (up to 16,384 in each list), for the
// benchmarks, the Wine timing and the demo.
//
// The catalog holds 128 installed voices, one per bank; the first 96 share
// cross-synthesis groups of four, the last 32 have no partner. Singer i of
// a list sits at bank i mod 128, program i div 128, on the voice of its
// bank, with every other program of a grouped voice carrying a partner as
// its secondary singer. So 1,024 singers fill programs 0..7 of every bank,
// and 16,384 fill every pair. Names are unique within a list and differ
// between the lists; so do the parameters.
//
// The My singers are created through the voice database's own entry points
// and the Active singers through the sequence manager, so the files come out
// in whatever format those write.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "kora4/trak4.h"

namespace scaledata {

inline constexpr int kMaxSingers = 128 * 128;

struct Layout {
    std::filesystem::path database;  // the vbank4 folder (VBANK4_HOME)
    std::filesystem::path sequence;  // the trak4 sequence document
};

// <folder>/vbank4 and <folder>/Demo Song.json: the demo host's working
// folder, so that `kora4_demo --work <folder>` opens it.
Layout DemoLayout(const std::filesystem::path& folder);

struct Counts {
    int active = 0;  // 0..kMaxSingers
    int my = 0;      // 0..kMaxSingers
};

// The pair and the voice of singer i.
int32_t BankOf(int index);
int32_t ProgramOf(int index);
// The 16-unit id of the voice installed in `bank`.
std::u16string VoiceIdOf(int32_t bank);

// Writes the catalog, creates the My singers in the database (the middle one
// becomes the default virtual voice) and saves a sequence holding the Active
// singers, with the My singers as its library table. The database folder must
// be empty or missing: a store of another run is never mixed in. Throws
// std::runtime_error saying what failed. Sets VBANK4_HOME for the process
// while it works and restores it afterwards.
void Write(const Layout& layout, Counts counts);

}  // namespace scaledata
