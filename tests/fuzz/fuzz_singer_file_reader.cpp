// libFuzzer target: the My Singer information file reader and the import
// rules on arbitrary bytes. Besides the sanitizers, it checks properties that
// must hold for every input and traps when one does not.
#include <cstddef>
#include <cstdint>
#include <span>

#include "file/singer_file_reader.h"
#include "file/singer_file_writer.h"
#include "file/singer_import.h"
#include "model/text_codec.h"

namespace {

using namespace kora;

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

bool FieldIsTerminated(const char16_t (&field)[kDbmTextField]) {
    for (const char16_t c : field) {
        if (c == u'\0') return true;
    }
    return false;
}

// Two installed partners and one loner, so that lines of the seed corpus
// reach the database step.
class FuzzEnvironment final : public ImportEnvironment {
public:
    FuzzEnvironment() {
        voices_[0].voiceId = u"0123456789ABCDEF";
        voices_[0].name = u"One";
        voices_[1].voiceId = u"FEDCBA9876543210";
        voices_[1].name = u"Two";
        voices_[1].bank = 1;
        voices_[2].voiceId = u"LONERLONERLONER1";
        voices_[2].name = u"Loner";
        voices_[2].bank = 2;
    }
    const InstalledVoice* FindInstalledVoice(std::u16string_view voiceId) const override {
        for (const auto& voice : voices_) {
            if (voice.voiceId == voiceId) return &voice;
        }
        return nullptr;
    }
    std::set<std::u16string> CollectXSynthPartners(std::u16string_view voiceId) const override {
        if (voiceId == voices_[0].voiceId) return {voices_[1].voiceId};
        if (voiceId == voices_[1].voiceId) return {voices_[0].voiceId};
        return {};
    }
    const std::vector<SingerEntry>& MySingers() const override { return mySingers_; }
    bool CreateAndInsert(DBM_VVOICE_INFO& record, const AxVVoiceParam& primary,
                         const AxVVoiceParam& secondary) override {
        Require(FieldIsTerminated(record.name) && FieldIsTerminated(record.primaryName) &&
                FieldIsTerminated(record.primaryVoiceId) &&
                FieldIsTerminated(record.secondaryVoiceId));
        Require(record.primaryParams[4] == 0 && record.secondaryParams[4] == 0);
        for (const int32_t value :
             {primary.BRE, primary.BRI, primary.CLE, primary.GEN, secondary.BRE, secondary.BRI,
              secondary.CLE, secondary.GEN, secondary.VOL}) {
            Require(value >= -127 && value <= 127);
        }
        if (mySingers_.size() >= 64) return false;  // a database that fills up
        SingerEntry entry;
        entry.name = record.name;
        entry.primaryId = record.primaryVoiceId;
        entry.secondaryId = record.secondaryVoiceId;
        entry.primaryParams = {primary.BRE, primary.BRI, primary.CLE, primary.GEN, primary.AUX};
        entry.secondaryParams = {secondary.BRE, secondary.BRI, secondary.CLE,
                                 secondary.GEN, secondary.AUX, secondary.VOL};
        mySingers_.push_back(entry);
        return true;
    }

private:
    InstalledVoice voices_[3];
    std::vector<SingerEntry> mySingers_;
};

void CheckContent(const SingerFileContent& content, std::size_t byteCount) {
    int previous = 0;
    for (const auto& line : content.significantLines) {
        Require(line.lineNumber > previous);
        Require(static_cast<std::size_t>(line.lineNumber) <= byteCount);
        Require(!line.text.empty() && line.text.front() != u';');
        Require(TrimWhiteSpace(line.text).size() == line.text.size());
        previous = line.lineNumber;
    }
    previous = 0;
    for (const auto& line : content.singerLines) {
        Require(line.lineNumber > previous);
        previous = line.lineNumber;
        Require(!line.broken || line.fields.empty());
    }
    if (content.fault) Require(content.fault->lineNumber > previous);
}

// Any name the writer quotes reads back unchanged, except a trailing backslash.
void CheckNameRoundTrip(std::u16string_view name) {
    if (name.empty() || name.back() == u'\\') return;
    bool broken = true;
    const auto fields = SplitSingerLine(FormatQuotedName(name) + u"=ID", &broken);
    Require(!broken && fields.size() == 2 && fields[0] == name && fields[1] == u"ID");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const SingerFileContent content = ReadSingerFile(bytes);
    CheckContent(content, size);

    FuzzEnvironment environment;
    const ImportOutcome outcome = ImportSingers(content, environment);
    Require(outcome.lines.size() <= content.singerLines.size());
    Require(static_cast<std::size_t>(outcome.taken) == environment.MySingers().size());

    const std::u16string text = DecodeFileText(bytes);
    CheckNameRoundTrip(std::u16string_view(text).substr(0, 4096));
    return 0;
}
