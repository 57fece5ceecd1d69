// Reader of the My Singer information file: bytes in, singer lines or the
// fault that rejects the file out. Pure functions; nothing else is touched.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kora4/trak4.h"

namespace kora {

// Far beyond any real singer file (16,384 singers take a few MB in as many
// lines, and the longest line the writer can make about a thousand units):
// a larger file is not read, and a longer line, or one significant line too
// many, rejects the file where it stands. With at most twelve fields kept
// per line, reading any file stays within a few hundred MB.
inline constexpr std::size_t kSingerFileByteLimit = 64u << 20;  // 64 MiB
inline constexpr std::size_t kSingerLineUnitLimit = 1u << 20;   // UTF-16 units
inline constexpr std::size_t kSingerFileLineLimit = 1u << 18;   // significant lines
// The fields a singer line is read for; any after them are read past unkept.
inline constexpr std::size_t kSingerLineFieldLimit = 12;

// Why a file is rejected.
enum class ReadFaultReason {
    GeneralRepeated,     // a second "[general]"
    VersionLineMissing,  // "[general]" is the last significant line
    VersionLineInvalid,  // the line after "[general]" is no "version" key line
    ListBeforeGeneral,   // "[MySingerList]" before the version was read
    UnsupportedVersion,  // version is not 1 at "[MySingerList]" or a singer line
    ListRepeated,        // a second "[MySingerList]"
    CountLineMissing,    // "[MySingerList]" is the last significant line
    CountLineInvalid,    // the line after "[MySingerList]" is no "count" key line
    LineBeforeGeneral,   // another line before "[general]"
    LineBeforeCount,     // another line between the version and the count
    CountBelowOne,       // a singer line after a count below 1
    LineTooLong,         // a line longer than kSingerLineUnitLimit
    TooManyLines,        // a significant line after kSingerFileLineLimit of them
};

// A line that is neither blank nor a comment, trimmed at both ends.
struct SignificantLine {
    int lineNumber = 0;  // physical line in the file, from 1
    std::u16string text;
    // LineTooLong or TooManyLines: the line beyond a limit, its text not kept.
    std::optional<ReadFaultReason> beyondLimit;
};

// Stage 1: splits at LF (a CR before it is white space), trims, and drops
// blank lines and lines that start with ";". The first line beyond a limit
// (longer than kSingerLineUnitLimit whatever it holds, or a significant line
// after kSingerFileLineLimit of them) is the last one taken.
std::vector<SignificantLine> SignificantLines(std::u16string_view text);

// The value of a key line "key = value": the key must match exactly and the
// value be a whole decimal integer. Values beyond 32 bits saturate.
std::optional<int32_t> ParseKeyValue(std::u16string_view line, std::u16string_view expectedKey);

// A whole decimal integer (optional sign, ASCII digits, nothing else);
// saturates at the 32-bit limits.
std::optional<int32_t> ParseWholeDecimal(std::u16string_view text);

// The fields of a singer line, the first kSingerLineFieldLimit of them:
// field 0 is the quoted name. A broken line keeps the fields found before
// the fault and sets *broken.
std::vector<std::u16string> SplitSingerLine(std::u16string_view line, bool* broken = nullptr);

enum class VoiceSet { Primary, Secondary };

// Overwrites BRE, BRI, CLE, GEN (and VOL for the secondary set) with the
// fields that exist and hold a whole number in -127..127; AUX is never read.
void ParseVoiceParameters(const std::vector<std::u16string>& fields, VoiceSet which,
                          AxVVoiceParam& params);

const char* DescribeReadFault(ReadFaultReason reason);

struct ReadFault {
    int lineNumber = 0;
    ReadFaultReason reason = ReadFaultReason::GeneralRepeated;
};

// A line of the singer list as the walk reached it.
struct SingerLine {
    int lineNumber = 0;
    std::vector<std::u16string> fields;
    bool broken = false;  // the quoted rule stopped early; fields holds what came before
};

struct SingerFileContent {
    std::vector<SignificantLine> significantLines;
    std::vector<SingerLine> singerLines;  // in file order, up to the fault
    std::optional<ReadFault> fault;       // set: the file is rejected at that line
    int32_t version = -1;
    int32_t count = -1;
};

// Stage 2 over significant lines.
SingerFileContent WalkSingerFile(std::vector<SignificantLine> lines);

// Both stages over a file's bytes (see DecodeFileText for encodings).
SingerFileContent ReadSingerFile(std::span<const uint8_t> bytes);

}  // namespace kora
