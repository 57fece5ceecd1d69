#include "trak4/sequence_document.h"

#include <algorithm>

#include "standins/file_io.h"
#include "standins/json_fields.h"

namespace trak4 {
namespace {

using standins::FormatError;
using standins::Json;

constexpr const char* kFormat = "trak4-sequence";
constexpr int kVersion = 1;
// A sequence may carry names longer than a database record holds.
constexpr std::size_t kMaxText = 4096;

void ReadParams(const Json& item, const char* key, AxVVoiceParam& out) {
    int32_t values[6];
    standins::ParamsMember(item, key, values, 6);
    out = {values[0], values[1], values[2], values[3], values[4], values[5]};
}

Json ParamsJson(const AxVVoiceParam& p) {
    const int32_t values[6] = {p.BRE, p.BRI, p.CLE, p.GEN, p.AUX, p.VOL};
    return standins::ParamsJson(values, 6);
}

// Both lists share one record shape.
template <class Record>
Record ReadRecord(const Json& item) {
    Record record;
    record.bank = standins::IntMember(item, "bank", 0, 127);
    record.program = standins::IntMember(item, "program", 0, 127);
    record.name = standins::TextMember(item, "name", kMaxText);
    record.primaryId = standins::TextMember(item, "primaryVoiceId", kMaxText);
    if (record.primaryId.empty()) throw FormatError("a voice has no primary voiceId");
    record.secondaryId = standins::TextMember(item, "secondaryVoiceId", kMaxText);
    ReadParams(item, "primary", record.primary);
    ReadParams(item, "secondary", record.secondary);
    return record;
}

template <class Record>
Json RecordJson(const Record& record) {
    return {{"bank", record.bank},
            {"program", record.program},
            {"name", standins::TextJson(record.name)},
            {"primaryVoiceId", standins::TextJson(record.primaryId)},
            {"secondaryVoiceId", standins::TextJson(record.secondaryId)},
            {"primary", ParamsJson(record.primary)},
            {"secondary", ParamsJson(record.secondary)}};
}

template <class Record, class Map>
void AddRecord(const Json& item, std::string_view key, Map& out) {
    Record record = ReadRecord<Record>(item);
    const AxVVoiceLibKey pair{record.bank, record.program};
    if (!out.emplace(pair, std::move(record)).second) {
        throw FormatError(std::string(key) + ": two records share a pair");
    }
}

}  // namespace

bool SameParams(const AxVVoiceParam& a, const AxVVoiceParam& b) {
    return a.BRE == b.BRE && a.BRI == b.BRI && a.CLE == b.CLE && a.GEN == b.GEN && a.AUX == b.AUX &&
           a.VOL == b.VOL;
}

bool SameVoice(const SequenceVoice& a, const SequenceVoice& b) {
    return a.bank == b.bank && a.program == b.program && a.primaryId == b.primaryId &&
           a.secondaryId == b.secondaryId && a.name == b.name && SameParams(a.primary, b.primary) &&
           SameParams(a.secondary, b.secondary);
}

bool SameLib(const AxVVoiceLib& a, const AxVVoiceLib& b) {
    return a.bank == b.bank && a.program == b.program && a.primaryId == b.primaryId &&
           a.secondaryId == b.secondaryId && a.name == b.name && SameParams(a.primary, b.primary) &&
           SameParams(a.secondary, b.secondary);
}

bool SameLibTable(const AxVVoiceLibTable& a, const AxVVoiceLibTable& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const auto& x, const auto& y) {
        return x.first == y.first && SameLib(x.second, y.second);
    });
}

bool SameContent(const SequenceDocument& a, const SequenceDocument& b) {
    const bool sameVoices =
        std::equal(a.voices.begin(), a.voices.end(), b.voices.begin(), b.voices.end(),
                   [](const auto& x, const auto& y) {
                       return x.first == y.first && SameVoice(x.second, y.second);
                   });
    return sameVoices && SameLibTable(a.library, b.library);
}

SequenceDocument ParseSequence(std::string_view json) {
    SequenceDocument sequence;
    const standins::StreamedArrays lists{
        {"virtualVoices", "library"}, [&](std::string_view key, const Json& item) {
            if (key == "library") {
                AddRecord<AxVVoiceLib>(item, key, sequence.library);
            } else {
                AddRecord<SequenceVoice>(item, key, sequence.voices);
            }
        }};
    const Json document = standins::ParseJson(json, lists);
    standins::ExpectFormat(document, kFormat, kVersion);
    standins::ArrayMember(document, "virtualVoices");
    standins::ArrayMember(document, "library");
    return sequence;
}

std::string SerializeSequence(const SequenceDocument& document) {
    Json voices = Json::array();
    for (const auto& entry : document.voices) voices.push_back(RecordJson(entry.second));
    Json library = Json::array();
    for (const auto& entry : document.library) library.push_back(RecordJson(entry.second));
    return standins::DumpJson({{"format", kFormat},
                               {"version", kVersion},
                               {"virtualVoices", voices},
                               {"library", library}});
}

SequenceDocument LoadSequence(const std::filesystem::path& path) {
    const standins::ReadResult file = standins::ReadWholeFile(path);
    if (file.status == standins::ReadStatus::kTooLarge) {
        throw FormatError(path.string() + " is larger than " +
                          std::to_string(standins::kMaxFileBytes >> 20) +
                          " MiB, more than any sequence holds");
    }
    if (file.status != standins::ReadStatus::kOk) {
        throw standins::FileError("cannot read " + path.string());
    }
    SequenceDocument document = ParseSequence(file.bytes);
    document.filePath = path;
    return document;
}

void SaveSequence(SequenceDocument& document, const std::filesystem::path& path) {
    if (!standins::WriteFileAtomically(path, SerializeSequence(document))) {
        throw standins::FileError("cannot write " + path.string());
    }
    document.filePath = path;
}

}  // namespace trak4
