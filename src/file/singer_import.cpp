#include "singer_import.h"

#include "file_io.h"
#include "model/conversions.h"
#include "model/text_field.h"

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

bool SameShownValues(const int32_t* stored, const AxVVoiceParam& params) {
    return stored[kBRE] == params.BRE && stored[kBRI] == params.BRI && stored[kCLE] == params.CLE &&
           stored[kGEN] == params.GEN;
}

// A null unit would end the text early in the record while the list kept it
// whole, so such a text is refused like one that does not fit.
bool HasNull(std::u16string_view text) { return text.find(u'\0') != std::u16string_view::npos; }

// Fills the record as the database takes a new singer: program 0 (the
// database chooses it) and both AUX values 0. Returns the fate of a text
// that does not fit (CopyToField would have to cut it), or Taken.
LineFate FillRecord(DBM_VVOICE_INFO& record, const InstalledVoice& voice,
                    const std::vector<std::u16string>& fields, const std::u16string& secondaryId,
                    const AxVVoiceParam& primary, const AxVVoiceParam& secondary) {
    const std::u16string& name = fields[0];
    if (HasNull(name)) return LineFate::NameHasNull;
    if (!CopyToField(record.name, name)) return LineFate::NameTooLong;
    if (HasNull(voice.name) || HasNull(fields[1]) || HasNull(secondaryId) ||
        !CopyToField(record.primaryName, voice.name) ||
        !CopyToField(record.primaryVoiceId, fields[1]) ||
        !CopyToField(record.secondaryVoiceId, secondaryId)) {
        return LineFate::TextTooLong;
    }
    record.bank = voice.bank;
    record.program = 0;
    SetShownValues(record.primaryParams, primary, false);
    SetShownValues(record.secondaryParams, secondary, true);
    return LineFate::Taken;
}

// Steps of one singer line up to the database; returns its fate.
ImportedLine ImportLine(const SingerLine& line, ImportEnvironment& environment) {
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

    if (IsDuplicateMySinger(environment.MySingers(), fields[1], primary, secondaryId, secondary)) {
        result.fate = LineFate::Duplicate;
        return result;
    }

    DBM_VVOICE_INFO record{};
    result.fate = FillRecord(record, *voice, fields, secondaryId, primary, secondary);
    if (result.fate != LineFate::Taken) return result;
    if (!environment.CreateAndInsert(record, primary, secondary)) {
        result.fate = LineFate::RefusedByDatabase;
    }
    return result;
}

}  // namespace

bool IsDuplicateMySinger(const std::vector<SingerEntry>& mySingers, std::u16string_view primaryId,
                         const AxVVoiceParam& primary, std::u16string_view secondaryId,
                         const AxVVoiceParam& secondary) {
    for (const SingerEntry& entry : mySingers) {
        if (SameShownValues(entry.primaryParams.data(), primary) &&
            SameShownValues(entry.secondaryParams.data(), secondary) &&
            entry.secondaryParams[kVOL] == secondary.VOL && entry.primaryId == primaryId &&
            entry.secondaryId == secondaryId) {
            return true;
        }
    }
    return false;
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
    for (const SingerLine& line : content.singerLines) {
        outcome.lines.push_back(ImportLine(line, environment));
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
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        ImportOutcome outcome;
        outcome.ending = ImportEnding::FileUnreadable;
        return outcome;
    }
    return ImportSingers(ReadSingerFile(*bytes), environment);
}

}  // namespace kora
