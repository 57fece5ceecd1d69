#include "singer_import.h"

#include <algorithm>
#include <array>
#include <functional>
#include <unordered_set>

#include "file_io.h"
#include "model/conversions.h"

namespace kora {
namespace {

AxVVoiceParam FromDefaults(const InstalledVoice& voice) {
    AxVVoiceParam params;
    params.BRE = voice.defaults[kBRE];
    params.BRI = voice.defaults[kBRI];
    params.CLE = voice.defaults[kCLE];
    params.GEN = voice.defaults[kGEN];
    params.AUX = voice.defaults[kAUX];
    return params;
}

// What IsDuplicateMySinger compares, and nothing else: both voices (an
// empty secondary one equals only another empty one), BRE, BRI, CLE and GEN
// of both sets and the secondary VOL, texts exactly.
struct DuplicateKey {
    std::u16string primaryId;
    std::u16string secondaryId;
    std::array<int32_t, 9> values{};
    bool operator==(const DuplicateKey&) const = default;
};

struct DuplicateKeyHash {
    std::size_t operator()(const DuplicateKey& key) const {
        std::size_t hash = std::hash<std::u16string>()(key.primaryId);
        const auto mix = [&hash](std::size_t value) {
            hash ^= value + 0x9E3779B97F4A7C15ull + (hash << 6) + (hash >> 2);
        };
        mix(std::hash<std::u16string>()(key.secondaryId));
        for (const int32_t value : key.values) mix(std::hash<int32_t>()(value));
        return hash;
    }
};

DuplicateKey KeyOf(std::u16string_view primaryId, const AxVVoiceParam& primary,
                   std::u16string_view secondaryId, const AxVVoiceParam& secondary) {
    return {std::u16string(primaryId),
            std::u16string(secondaryId),
            {primary.BRE, primary.BRI, primary.CLE, primary.GEN, secondary.BRE, secondary.BRI,
             secondary.CLE, secondary.GEN, secondary.VOL}};
}

DuplicateKey KeyOf(const SingerEntry& entry) {
    const auto& p = entry.primaryParams;
    const auto& s = entry.secondaryParams;
    return {entry.primaryId,
            entry.secondaryId,
            {p[kBRE], p[kBRI], p[kCLE], p[kGEN], s[kBRE], s[kBRI], s[kCLE], s[kGEN], s[kVOL]}};
}

// My Singers as one import compares its lines with them: the keys of the
// list as it stood when the import began, and of every singer taken since
// (CreateAndInsert appends an entry with the line's own voices and values).
// One lookup per line instead of a walk of the whole list.
class DuplicateIndex {
public:
    explicit DuplicateIndex(const std::vector<SingerEntry>& mySingers) {
        keys_.reserve(mySingers.size());
        for (const SingerEntry& entry : mySingers) keys_.insert(KeyOf(entry));
    }
    bool Contains(const DuplicateKey& key) const { return keys_.contains(key); }
    void Add(DuplicateKey key) { keys_.insert(std::move(key)); }

private:
    std::unordered_set<DuplicateKey, DuplicateKeyHash> keys_;
};

// Fills the record as the database takes a new singer: program 0 (the
// database chooses it) and both AUX values 0. A text the record cannot hold
// whole, a name included, refuses the line: the list would keep it whole.
LineFate FillRecord(DBM_VVOICE_INFO& record, const InstalledVoice& voice,
                    const std::vector<std::u16string>& fields, const std::u16string& secondaryId,
                    SingerParams params) {
    params.primary.AUX = 0;
    params.secondary.AUX = 0;
    const SingerRecordSource source{.bank = voice.bank,
                                    .program = 0,
                                    .name = fields[0],
                                    .primaryId = fields[1],
                                    .primaryName = voice.name,
                                    .secondaryId = secondaryId,
                                    .params = params};
    switch (FillDbmRecord(record, source, LongName::Refuse)) {
        case RecordFill::Filled:
            return LineFate::Taken;
        case RecordFill::NameTooLong:
            return LineFate::NameTooLong;
        case RecordFill::NameHasNull:
            return LineFate::NameHasNull;
        case RecordFill::TextTooLong:
            break;
    }
    return LineFate::TextTooLong;
}

// Steps of one singer line up to the database; returns its fate.
ImportedLine ImportLine(const SingerLine& line, ImportEnvironment& environment,
                        DuplicateIndex& duplicates) {
    ImportedLine result;
    result.lineNumber = line.lineNumber;
    const auto& fields = line.fields;
    if (fields.size() < 2) {
        result.fate = LineFate::FewerThanTwoFields;
        return result;
    }
    if (fields[0].empty()) {
        result.fate = LineFate::EmptyName;
        return result;
    }
    const InstalledVoice* voice = environment.FindInstalledVoice(fields[1]);
    if (!voice) {
        result.fate = LineFate::PrimaryNotInstalled;
        return result;
    }
    AxVVoiceParam primary = FromDefaults(*voice);

    std::u16string secondaryId = fields.size() >= 7 ? fields[6] : std::u16string();
    AxVVoiceParam secondary;
    if (!secondaryId.empty()) {
        if (const InstalledVoice* second = environment.FindInstalledVoice(secondaryId)) {
            secondary = FromDefaults(*second);
            const auto partners = environment.CollectXSynthPartners(fields[1]);
            result.secondary =
                partners.count(secondaryId) ? SecondaryFate::Kept : SecondaryFate::NotPartner;
        } else {
            result.secondary = SecondaryFate::NotInstalled;
        }
        if (result.secondary != SecondaryFate::Kept) secondaryId.clear();
    }

    ParseVoiceParameters(fields, VoiceSet::Primary, primary);
    if (!secondaryId.empty()) ParseVoiceParameters(fields, VoiceSet::Secondary, secondary);

    DuplicateKey key = KeyOf(fields[1], primary, secondaryId, secondary);
    if (duplicates.Contains(key)) {
        result.fate = LineFate::Duplicate;
        return result;
    }

    DBM_VVOICE_INFO record{};
    result.fate = FillRecord(record, *voice, fields, secondaryId, {primary, secondary});
    if (result.fate != LineFate::Taken) return result;
    if (!environment.CreateAndInsert(record, primary, secondary)) {
        result.fate = LineFate::RefusedByDatabase;
        return result;
    }
    duplicates.Add(std::move(key));
    return result;
}

}  // namespace

bool IsDuplicateMySinger(const std::vector<SingerEntry>& mySingers, std::u16string_view primaryId,
                         const AxVVoiceParam& primary, std::u16string_view secondaryId,
                         const AxVVoiceParam& secondary) {
    const DuplicateKey key = KeyOf(primaryId, primary, secondaryId, secondary);
    return std::any_of(mySingers.begin(), mySingers.end(),
                       [&key](const SingerEntry& entry) { return KeyOf(entry) == key; });
}

const char* DescribeLineFate(LineFate fate) {
    switch (fate) {
        case LineFate::Taken:
            return "taken";
        case LineFate::FewerThanTwoFields:
            return "passed over: fewer than two fields";
        case LineFate::EmptyName:
            return "passed over: empty name";
        case LineFate::PrimaryNotInstalled:
            return "passed over: primary voice not installed";
        case LineFate::Duplicate:
            return "passed over: duplicate of a My singer";
        case LineFate::NameTooLong:
            return "passed over: name longer than 259 characters";
        case LineFate::NameHasNull:
            return "passed over: name holds a null character";
        case LineFate::TextTooLong:
            return "passed over: voice text longer than 259 characters";
        case LineFate::RefusedByDatabase:
            return "refused by the database";
    }
    return "unknown";
}

const char* DescribeSecondaryFate(SecondaryFate fate) {
    switch (fate) {
        case SecondaryFate::None:
            return "no secondary singer";
        case SecondaryFate::Kept:
            return "secondary singer kept";
        case SecondaryFate::NotInstalled:
            return "secondary singer dropped: not installed";
        case SecondaryFate::NotPartner:
            return "secondary singer dropped: not a partner";
    }
    return "unknown";
}

int ImportMessageId(ImportEnding ending) {
    switch (ending) {
        case ImportEnding::Finished:
            return 33;
        case ImportEnding::DatabaseRefused:
            return 7;
        case ImportEnding::StructuralFault:
        case ImportEnding::FileUnreadable:
            return 35;
    }
    return 35;
}

ImportOutcome ImportSingers(const SingerFileContent& content, ImportEnvironment& environment) {
    ImportOutcome outcome;
    DuplicateIndex duplicates(environment.MySingers());
    for (const SingerLine& line : content.singerLines) {
        outcome.lines.push_back(ImportLine(line, environment, duplicates));
        const LineFate fate = outcome.lines.back().fate;
        if (fate == LineFate::RefusedByDatabase) {
            outcome.ending = ImportEnding::DatabaseRefused;
            return outcome;
        }
        if (fate == LineFate::Taken) ++outcome.taken;
    }
    if (content.fault) {
        outcome.ending = ImportEnding::StructuralFault;
        outcome.fault = content.fault;
    }
    return outcome;
}

ImportOutcome ImportSingerFile(const std::u16string& path, ImportEnvironment& environment) {
    const FileRead file = ReadFileBytes(path, kSingerFileByteLimit);
    if (file.error) {
        ImportOutcome outcome;
        outcome.ending = ImportEnding::FileUnreadable;
        return outcome;
    }
    return ImportSingers(ReadSingerFile(file.bytes), environment);
}

}  // namespace kora
