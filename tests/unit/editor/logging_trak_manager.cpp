#include "logging_trak_manager.h"

#include "model/conversions.h"

namespace kora::test {
namespace {

std::string Call(const char* name, int32_t bank, int32_t program) {
    return std::string(name) + "(" + std::to_string(bank) + "," + std::to_string(program) + ")";
}

}  // namespace

LoggingTrakManager::LoggingTrakManager(CallLog& log, const trak4::SequenceDocument& document)
    : RecordingTrakManager(document), log_(log) {
    // The CallLog has them; the stand-in's record need not hold 16384 more.
    RecordLookups(false);
}

IAxVVoice* LoggingTrakManager::vvoiceGetVVoice(int32_t bank, int32_t program) const {
    log_.Add("vvoiceGetVVoice");
    return RecordingTrakManager::vvoiceGetVVoice(bank, program);
}

int32_t LoggingTrakManager::vvoiceInsertVVoiceV4(int32_t bank, int32_t program,
                                                 const char16_t* primaryId,
                                                 const char16_t* secondaryId, const char16_t* name,
                                                 const AxVVoiceParam& primary,
                                                 const AxVVoiceParam& secondary) {
    log_.Add(Call("vvoiceInsertVVoiceV4", bank, program));
    return RecordingTrakManager::vvoiceInsertVVoiceV4(bank, program, primaryId, secondaryId, name,
                                                      primary, secondary);
}

int32_t LoggingTrakManager::vvoiceUpdateVVoiceV4(int32_t bank, int32_t program,
                                                 const char16_t* name, const char16_t* secondaryId,
                                                 const AxVVoiceParam& primary,
                                                 const AxVVoiceParam& secondary) {
    log_.Add(Call("vvoiceUpdateVVoiceV4", bank, program));
    return RecordingTrakManager::vvoiceUpdateVVoiceV4(bank, program, name, secondaryId, primary,
                                                      secondary);
}

int32_t LoggingTrakManager::vvoiceRemoveVVoice(int32_t bank, int32_t program) {
    log_.Add(Call("vvoiceRemoveVVoice", bank, program));
    return RecordingTrakManager::vvoiceRemoveVVoice(bank, program);
}

void LoggingTrakManager::vvoiceInitializeUpdateContext() {
    log_.Add("vvoiceInitializeUpdateContext");
    RecordingTrakManager::vvoiceInitializeUpdateContext();
}

void LoggingTrakManager::vvoiceNotifyObserversOfUpdates() {
    log_.Add("vvoiceNotifyObserversOfUpdates");
    RecordingTrakManager::vvoiceNotifyObserversOfUpdates();
}

int32_t LoggingTrakManager::sysReplaceVVoiceLibTable(const AxVVoiceLibTable& table) {
    log_.Add("sysReplaceVVoiceLibTable(" + std::to_string(table.size()) + ")");
    return RecordingTrakManager::sysReplaceVVoiceLibTable(table);
}

std::u16string LoggingTrakManager::fileGetCurrentFilePath() const {
    log_.Add("fileGetCurrentFilePath");
    return RecordingTrakManager::fileGetCurrentFilePath();
}

trak4::SequenceVoice SequenceVoiceOf(const SingerEntry& singer) {
    const SingerParams params = ParamsOf(singer);
    return trak4::SequenceVoice{singer.bank, singer.program, singer.primaryId, singer.secondaryId,
                                singer.name, params.primary, params.secondary};
}

}  // namespace kora::test
