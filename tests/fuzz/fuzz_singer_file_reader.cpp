// libFuzzer target: the My Singer information file reader and the import
// rules on arbitrary bytes. Besides the sanitizers, it traps when a property
// that must hold for every input does not.
#include <cstddef>
#include <cstdint>
#include <span>

#include "file/singer_file_reader.h"
#include "file/singer_file_writer.h"
#include "file_test_support.h"

namespace {

using namespace kora;

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

bool Terminated(const char16_t (&field)[kDbmTextField]) {
    return std::find(std::begin(field), std::end(field), u'\0') != std::end(field);
}

void CheckContent(const SingerFileContent& content, std::size_t byteCount) {
    int previous = 0;
    for (const auto& line : content.significantLines) {
        Require(line.lineNumber > previous);
        Require(static_cast<std::size_t>(line.lineNumber) <= byteCount);
        Require(line.beyondLimit || (!line.text.empty() && line.text.front() != u';'));
        Require(TrimWhiteSpace(line.text).size() == line.text.size());
        previous = line.lineNumber;
    }
    previous = 0;
    for (const auto& line : content.singerLines) {
        Require(line.lineNumber > previous);
        previous = line.lineNumber;
        Require(!line.broken || line.fields.empty());
        Require(line.fields.size() <= kSingerLineFieldLimit);
    }
    if (content.fault) Require(content.fault->lineNumber > previous);
}

// Two installed partners and one loner, so that lines of the seed corpus
// reach the database step; the database fills up after 64 singers.
void CheckImport(const SingerFileContent& content) {
    test::FakeImportEnvironment env;
    env.voices = {{0, u"One", {}, u"0123456789ABCDEF"},
                  {1, u"Two", {}, u"FEDCBA9876543210"},
                  {2, u"Loner", {}, u"LONERLONERLONER1"}};
    env.groups = {{u"0123456789ABCDEF", u"FEDCBA9876543210"}};
    env.refuseAt = 65;
    const ImportOutcome outcome = ImportSingers(content, env);
    Require(outcome.lines.size() <= content.singerLines.size());
    Require(static_cast<std::size_t>(outcome.taken) == env.mySingers.size());
    for (const auto& record : env.created) {
        Require(Terminated(record.name) && Terminated(record.primaryName) &&
                Terminated(record.primaryVoiceId) && Terminated(record.secondaryVoiceId));
        Require(record.primaryParams[4] == 0 && record.secondaryParams[4] == 0);
    }
    for (const auto& singer : env.mySingers) {
        const auto& p = singer.primaryParams;
        const auto& q = singer.secondaryParams;
        for (const int32_t value : {p[0], p[1], p[2], p[3], q[0], q[1], q[2], q[3], q[5]}) {
            Require(value >= -127 && value <= 127);
        }
    }
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
    CheckImport(content);
    const std::u16string text = DecodeFileText(bytes);
    CheckNameRoundTrip(std::u16string_view(text).substr(0, 4096));
    return 0;
}
