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

// A line that is neither blank nor a comment, trimmed at both ends.
struct SignificantLine {
    int lineNumber = 0;  // physical line in the file, from 1
    std::u16string text;
};

// Stage 1: splits at LF (a CR before it is white space), trims, and drops
// blank lines and lines that start with ";".
std::vector<SignificantLine> SignificantLines(std::u16string_view text);

// The value of a key line "key = value": the key must match exactly and the
// value be a whole decimal integer. Values beyond 32 bits saturate.
std::optional<int32_t> ParseKeyValue(std::u16string_view line, std::u16string_view expectedKey);

// A whole decimal integer (optional sign, ASCII digits, nothing else);
// saturates at the 32-bit limits.
std::optional<int32_t> ParseWholeDecimal(std::u16string_view text);

// The fields of a singer line: field 0 is the quoted name. A broken line
// keeps the fields found before the fault and sets *broken.
std::vector<std::u16string> SplitSingerLine(std::u16string_view line, bool* broken = nullptr);

enum class VoiceSet { Primary, Secondary };

// Overwrites BRE, BRI, CLE, GEN (and VOL for the secondary set) with the
// fields that exist and hold a whole number in -127..127; AUX is never read.
void ParseVoiceParameters(const std::vector<std::u16string>& fields, VoiceSet which,
                          AxVVoiceParam& params);

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
};

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
