#include "status_text.h"

#include <cstdio>

#include "kora4/kora4.h"

namespace kora::demo {

std::string StatusHex(uint32_t status) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(status));
    return text;
}

std::string StatusMeaning(uint32_t status) {
    using namespace kora4;
    switch (status) {
        case kOk:
            return "success";
        case kDbmInitFailedMinus2:
            return "the voice database could not read its catalog";
        case kDeleteFailed:
            return "the voice database library was not bound, or releasing it failed";
        case kNotInitialized:
            return "the module is not initialized (or the voice database store is damaged)";
        case kDbmInitFailedMinus3:
            return "the voice database's catalog is not valid";
        case kNoHostHandle:
            return "the host handle is zero";
        case kNoTrakManager:
            return "no sequence manager";
        case kNoBankPointer:
            return "no place for the picked bank";
        case kNoProgramPointer:
            return "no place for the picked program";
        case kPickEndedOtherwise:
            return "the read-only dialog ended neither by OK nor by Cancel";
        case kPickOutOfRange:
            return "no Active singer was picked";
        case kPickCancelled:
            return "the read-only dialog was cancelled";
        case kDbmInitFailedMinus1:
            return "the voice database has no data folder";
        case kDatabaseFailed:
            return "a voice database operation failed while loading or finishing";
        case kVoiceListInconsistent:
            return "the installed-voice list of the voice database is inconsistent";
        case kSequenceUpdateRefused:
            return "the sequence refused to update a virtual voice";
        case kSequenceInsertRefused:
            return "the sequence refused to insert a virtual voice";
        case kSequenceRemoveRefused:
            return "the sequence refused to remove a virtual voice";
        case kLibraryTableRefused:
            return "the sequence refused the new virtual-voice library table";
        case kOtherFailure:
            return "another failure (the voice database library could not be loaded, "
                   "a list was empty, or a singer was not found)";
        default:
            return "unknown status";
    }
}

}  // namespace kora::demo
