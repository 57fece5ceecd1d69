// The sequence document the trak4 stand-in manages: the virtual voices at
// their pairs, the virtual-voice library table and the file it lives in.
// Stored as JSON ("trak4-sequence", version 1).
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "kora4/trak4.h"

namespace trak4 {

struct SequenceVoice {
    int32_t bank = 0;
    int32_t program = 0;
    std::u16string primaryId;
    std::u16string secondaryId;  // empty: no secondary singer
    std::u16string name;
    AxVVoiceParam primary;
    AxVVoiceParam secondary;
};

struct SequenceDocument {
    std::map<AxVVoiceLibKey, SequenceVoice> voices;  // key equals the voice's pair
    AxVVoiceLibTable library;                        // key equals the record's pair
    std::filesystem::path filePath;  // where it was read from or saved; empty: never saved
};

bool SameParams(const AxVVoiceParam& a, const AxVVoiceParam& b);
bool SameVoice(const SequenceVoice& a, const SequenceVoice& b);
bool SameLib(const AxVVoiceLib& a, const AxVVoiceLib& b);
bool SameLibTable(const AxVVoiceLibTable& a, const AxVVoiceLibTable& b);
// Voices and library; the path is not compared.
bool SameContent(const SequenceDocument& a, const SequenceDocument& b);

// Throw standins::FormatError on content that is not a valid sequence and
// standins::FileError when the file cannot be read or written.
SequenceDocument ParseSequence(std::string_view json);
std::string SerializeSequence(const SequenceDocument& document);
SequenceDocument LoadSequence(const std::filesystem::path& path);
// Writes crash-safely and sets the document's filePath.
void SaveSequence(SequenceDocument& document, const std::filesystem::path& path);

}  // namespace trak4
