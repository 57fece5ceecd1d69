// Import of a My Singer information file into My Singers, without windows:
// the caller supplies the installed voices, the cross-synthesis partners,
// the current My Singers and the database creation through an interface,
// and shows the message that the outcome names.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "kora4/trak4.h"
#include "kora4/vbank4.h"
#include "model/records.h"
#include "singer_file_reader.h"

namespace kora {

class ImportEnvironment {
public:
    // The first installed voice whose voiceId equals the given one exactly
    // (case-sensitive), or null.
    virtual const InstalledVoice* FindInstalledVoice(std::u16string_view voiceId) const = 0;
    // Every voice that shares a cross-synthesis group with the given one,
    // without the voice itself.
    virtual std::set<std::u16string> CollectXSynthPartners(std::u16string_view voiceId) const = 0;
    // My Singers as they stand, singers taken from this file included.
    virtual const std::vector<SingerEntry>& MySingers() const = 0;
    // Creates the singer in the database (which writes the program into the
    // record) and appends it to My Singers as an added entry whose parameter
    // sets are the ones given (the record's AUX values are 0, the entry's are
    // the voices' defaults); false when the database refuses.
    virtual bool CreateAndInsert(DBM_VVOICE_INFO& record, const AxVVoiceParam& primary,
                                 const AxVVoiceParam& secondary) = 0;

protected:
    ~ImportEnvironment() = default;
};

// True when some entry has the same voices and the same BRE, BRI, CLE, GEN
// of both sets and secondary VOL; names, pairs, states and AUX are ignored.
bool IsDuplicateMySinger(const std::vector<SingerEntry>& mySingers, std::u16string_view primaryId,
                         const AxVVoiceParam& primary, std::u16string_view secondaryId,
                         const AxVVoiceParam& secondary);

// What became of one singer line.
enum class LineFate {
    Taken,
    FewerThanTwoFields,   // passed over
    EmptyName,            // passed over
    PrimaryNotInstalled,  // passed over
    Duplicate,            // passed over
    NameTooLong,          // passed over: the name does not fit the record's field
    NameHasNull,          // passed over: the record's field would cut the name
    TextTooLong,          // passed over: a voiceId or voice name does not fit
    RefusedByDatabase,    // the import stopped here
};

// Whether a secondary singer named by the line was kept.
enum class SecondaryFate { None, Kept, NotInstalled, NotPartner };

const char* DescribeLineFate(LineFate fate);
const char* DescribeSecondaryFate(SecondaryFate fate);

struct ImportedLine {
    int lineNumber = 0;
    LineFate fate = LineFate::Taken;
    SecondaryFate secondary = SecondaryFate::None;
};

enum class ImportEnding {
    Finished,         // every line walked: message 33
    StructuralFault,  // the file is rejected at a line: message 35
    DatabaseRefused,  // a creation failed: message 7, and not 35
    FileUnreadable,   // the file could not be opened or read: message 35
};

struct ImportOutcome {
    ImportEnding ending = ImportEnding::Finished;
    std::vector<ImportedLine> lines;  // every singer line handled, in file order
    std::optional<ReadFault> fault;   // for StructuralFault
    int taken = 0;
};

// The string-table id of the message that ends an import.
int ImportMessageId(ImportEnding ending);

// Takes the singer lines of a read file into My Singers.
ImportOutcome ImportSingers(const SingerFileContent& content, ImportEnvironment& environment);

// Reads the file at path, then ImportSingers.
ImportOutcome ImportSingerFile(const std::u16string& path, ImportEnvironment& environment);

}  // namespace kora
