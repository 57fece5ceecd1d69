#include "singer_file_reader.h"

#include <algorithm>
#include <limits>

#include "model/records.h"
#include "model/text_codec.h"

namespace kora {
namespace {

constexpr std::u16string_view kGeneralHeader = u"[general]";
constexpr std::u16string_view kListHeader = u"[MySingerList]";
constexpr std::u16string_view kVersionKey = u"version";
constexpr std::u16string_view kCountKey = u"count";

// Keeps the fields a singer line is read for; the others are only counted,
// so a line of a million commas costs no more than one of twelve.
class FieldList {
public:
    explicit FieldList(std::vector<std::u16string>& kept) : kept_(kept) {}
    bool Keeps() const { return kept_.size() < kSingerLineFieldLimit; }
    void Add(std::u16string field) {
        if (Keeps()) kept_.push_back(std::move(field));
    }

private:
    std::vector<std::u16string>& kept_;
};

// Reads a quoted field at the start of rest (which begins with a quotation
// mark). Returns false when the line is broken.
bool ReadQuotedField(std::u16string_view& rest, FieldList& fields) {
    rest.remove_prefix(1);
    const bool keep = fields.Keeps();
    std::u16string text;
    for (;;) {
        const auto quote = rest.find(u'"');
        if (quote == std::u16string_view::npos || quote == 0) break;
        const std::u16string_view piece = rest.substr(0, quote);
        rest.remove_prefix(quote + 1);
        if (rest.empty()) return false;
        if (keep) {
            // The writer escapes a quotation mark as backslash + quotation mark.
            text += piece.substr(0, piece.size() - 1);
            text += piece.back() == u'\\' ? u'"' : piece.back();
        }
        if (rest.front() == u'"') rest.remove_prefix(1);
    }
    if (rest.empty() || rest.front() != u'=') return false;
    rest.remove_prefix(1);
    fields.Add(std::move(text));
    return true;
}

void ReadPlainField(std::u16string_view& rest, FieldList& fields) {
    const auto comma = rest.find(u',');
    if (comma != std::u16string_view::npos) {
        if (fields.Keeps()) fields.Add(std::u16string(rest.substr(0, comma)));
        rest.remove_prefix(comma + 1);
    } else if (!rest.empty()) {
        if (fields.Keeps()) fields.Add(std::u16string(rest));
        rest = {};
    }
}

std::optional<int32_t> ParseParameter(const std::u16string& field) {
    const auto value = ParseWholeDecimal(TrimWhiteSpace(field));
    if (!value || *value < -kParamLimit || *value > kParamLimit) return std::nullopt;
    return value;
}

}  // namespace

std::vector<SignificantLine> SignificantLines(std::u16string_view text) {
    std::vector<SignificantLine> lines;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto end = text.find(u'\n');
        const auto physical = text.substr(0, end);
        text = end == std::u16string_view::npos ? std::u16string_view{} : text.substr(end + 1);
        // The walk rejects the file at a line beyond a limit; nothing after
        // it is read.
        if (physical.size() > kSingerLineUnitLimit) {
            lines.push_back({lineNumber, {}, ReadFaultReason::LineTooLong});
            break;
        }
        const auto trimmed = TrimWhiteSpace(physical);
        if (trimmed.empty() || trimmed.front() == u';') continue;
        if (lines.size() == kSingerFileLineLimit) {
            lines.push_back({lineNumber, {}, ReadFaultReason::TooManyLines});
            break;
        }
        lines.push_back({lineNumber, std::u16string(trimmed), std::nullopt});
    }
    return lines;
}

std::optional<int32_t> ParseWholeDecimal(std::u16string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        magnitude = std::min<int64_t>(magnitude * 10 + (c - u'0'), kLimit);
    }
    if (negative) return static_cast<int32_t>(-magnitude);
    return static_cast<int32_t>(std::min<int64_t>(magnitude, kLimit - 1));
}

std::optional<int32_t> ParseKeyValue(std::u16string_view line, std::u16string_view expectedKey) {
    const auto equals = line.find(u'=');
    if (equals == std::u16string_view::npos) return std::nullopt;
    const auto key = TrimWhiteSpace(line.substr(0, equals));
    if (key.empty() || key != expectedKey) return std::nullopt;
    return ParseWholeDecimal(TrimWhiteSpace(line.substr(equals + 1)));
}

std::vector<std::u16string> SplitSingerLine(std::u16string_view line, bool* broken) {
    std::vector<std::u16string> fields;
    if (broken) *broken = false;
    if (line.empty() || line.front() != u'"') return fields;
    FieldList list(fields);
    std::u16string_view rest = line;
    while (!rest.empty()) {
        if (rest.front() == u'"' && !ReadQuotedField(rest, list)) {
            if (broken) *broken = true;
            return fields;
        }
        // The field right after a quoted one is plain even when it starts
        // with a quotation mark.
        ReadPlainField(rest, list);
    }
    return fields;
}

void ParseVoiceParameters(const std::vector<std::u16string>& fields, VoiceSet which,
                          AxVVoiceParam& params) {
    const bool primary = which == VoiceSet::Primary;
    const std::size_t first = primary ? 2 : 7;
    int32_t* targets[] = {&params.BRE, &params.BRI, &params.CLE, &params.GEN, &params.VOL};
    const std::size_t count = primary ? 4 : 5;
    for (std::size_t k = 0; k < count && first + k < fields.size(); ++k) {
        if (const auto value = ParseParameter(fields[first + k])) *targets[k] = *value;
    }
}

const char* DescribeReadFault(ReadFaultReason reason) {
    switch (reason) {
        case ReadFaultReason::GeneralRepeated:
            return "a second [general] section";
        case ReadFaultReason::VersionLineMissing:
            return "[general] without a version line";
        case ReadFaultReason::VersionLineInvalid:
            return "no valid version line after [general]";
        case ReadFaultReason::ListBeforeGeneral:
            return "[MySingerList] before [general]";
        case ReadFaultReason::UnsupportedVersion:
            return "version is not 1";
        case ReadFaultReason::ListRepeated:
            return "a second [MySingerList] section";
        case ReadFaultReason::CountLineMissing:
            return "[MySingerList] without a count line";
        case ReadFaultReason::CountLineInvalid:
            return "no valid count line after [MySingerList]";
        case ReadFaultReason::LineBeforeGeneral:
            return "a line before [general]";
        case ReadFaultReason::LineBeforeCount:
            return "a line before the count line";
        case ReadFaultReason::CountBelowOne:
            return "a singer line after a count below 1";
        case ReadFaultReason::LineTooLong:
            return "a line longer than 1,048,576 characters";
        case ReadFaultReason::TooManyLines:
            return "more than 262,144 significant lines";
    }
    return "unknown fault";
}

SingerFileContent WalkSingerFile(std::vector<SignificantLine> lines) {
    SingerFileContent content;
    content.significantLines = std::move(lines);
    const auto& all = content.significantLines;
    auto reject = [&](const SignificantLine& at, ReadFaultReason reason) {
        content.fault = ReadFault{at.lineNumber, reason};
    };
    // Reads the key line after a section header; false when it rejects.
    auto readKeyLine = [&](std::size_t header, std::u16string_view key, int32_t& value,
                           ReadFaultReason missing, ReadFaultReason invalid) {
        if (header + 1 >= all.size()) {
            reject(all[header], missing);
            return false;
        }
        const auto parsed = ParseKeyValue(all[header + 1].text, key);
        if (!parsed) {
            reject(all[header + 1], all[header + 1].beyondLimit.value_or(invalid));
            return false;
        }
        value = *parsed;
        return true;
    };

    // The rules test the values; these only pick the reason that is reported.
    bool versionRead = false;
    bool countRead = false;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const SignificantLine& line = all[i];
        if (line.beyondLimit) {
            reject(line, *line.beyondLimit);
            break;
        }
        if (line.text == kGeneralHeader) {
            if (content.version != -1) {
                reject(line, ReadFaultReason::GeneralRepeated);
                break;
            }
            if (!readKeyLine(i, kVersionKey, content.version, ReadFaultReason::VersionLineMissing,
                             ReadFaultReason::VersionLineInvalid)) {
                break;
            }
            versionRead = true;
            ++i;
        } else if (line.text == kListHeader) {
            if (content.version != 1) {
                reject(line, versionRead ? ReadFaultReason::UnsupportedVersion
                                         : ReadFaultReason::ListBeforeGeneral);
                break;
            }
            if (content.count != -1) {
                reject(line, ReadFaultReason::ListRepeated);
                break;
            }
            if (!readKeyLine(i, kCountKey, content.count, ReadFaultReason::CountLineMissing,
                             ReadFaultReason::CountLineInvalid)) {
                break;
            }
            countRead = true;
            ++i;
        } else {
            if (content.version != 1) {
                reject(line, versionRead ? ReadFaultReason::UnsupportedVersion
                                         : ReadFaultReason::LineBeforeGeneral);
                break;
            }
            if (content.count < 1) {
                reject(line, countRead ? ReadFaultReason::CountBelowOne
                                       : ReadFaultReason::LineBeforeCount);
                break;
            }
            SingerLine singer;
            singer.lineNumber = line.lineNumber;
            singer.fields = SplitSingerLine(line.text, &singer.broken);
            content.singerLines.push_back(std::move(singer));
        }
    }
    return content;
}

SingerFileContent ReadSingerFile(std::span<const uint8_t> bytes) {
    // The decoded text goes before the walk splits the lines into fields.
    std::vector<SignificantLine> lines = SignificantLines(DecodeFileText(bytes));
    return WalkSingerFile(std::move(lines));
}

}  // namespace kora
