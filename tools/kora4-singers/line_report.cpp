#include "line_report.h"

#include <map>

#include "model/text_codec.h"

namespace kora::singers {
namespace {

constexpr std::size_t kShownUnits = 80;

std::string Describe(const ImportedLine& imported, const SingerLine& line) {
    std::string text = DescribeLineFate(imported.fate);
    if (line.broken) text += " (the quoted name is broken)";
    if (imported.secondary != SecondaryFate::None) {
        text += std::string(" (") + DescribeSecondaryFate(imported.secondary) + ")";
    }
    return text;
}

// The name for a line that has one, else the line as it stands.
std::string Shown(const SingerLine& line, const SignificantLine& significant) {
    if (line.fields.empty()) return Printable(significant.text);
    std::string shown(1, '"');
    shown += Printable(line.fields[0]);
    shown += '"';
    return shown;
}

// Section headers and the key line after each.
std::string DescribeStructure(const SignificantLine& line, std::u16string_view lastHeader,
                              const SingerFileContent& content) {
    if (line.text == u"[general]" || line.text == u"[MySingerList]") {
        return "section " + EncodeUtf8(line.text);
    }
    if (lastHeader == u"[general]") return "version " + std::to_string(content.version);
    return "count " + std::to_string(content.count);
}

}  // namespace

std::string Printable(std::u16string_view text) {
    std::u16string shown(text.substr(0, kShownUnits));
    // A surrogate pair is not cut in two.
    if (text.size() > kShownUnits && shown.back() >= 0xD800 && shown.back() <= 0xDBFF) {
        shown.pop_back();
    }
    for (char16_t& c : shown) {
        if (c < 0x20 || c == 0x7F) c = u'?';
    }
    std::string printable = EncodeUtf8(shown);
    if (text.size() > kShownUnits) printable += "...";
    return printable;
}

void PrintLineFates(std::ostream& out, const std::string& fileLabel,
                    const SingerFileContent& content, const ImportOutcome& outcome) {
    std::map<int, const SingerLine*> singerLines;
    for (const SingerLine& line : content.singerLines) singerLines[line.lineNumber] = &line;
    std::map<int, const ImportedLine*> fates;
    for (const ImportedLine& imported : outcome.lines) fates[imported.lineNumber] = &imported;

    std::u16string_view lastHeader;
    for (const SignificantLine& line : content.significantLines) {
        const std::string at = fileLabel + ":" + std::to_string(line.lineNumber) + ": ";
        if (content.fault && content.fault->lineNumber == line.lineNumber) {
            out << at << "rejected: " << DescribeReadFault(content.fault->reason) << "\n";
            return;
        }
        const auto singer = singerLines.find(line.lineNumber);
        if (singer == singerLines.end()) {
            out << at << DescribeStructure(line, lastHeader, content) << "\n";
            if (line.text.starts_with(u"[")) lastHeader = line.text;
            continue;
        }
        const auto fate = fates.find(line.lineNumber);
        const std::string shown = Shown(*singer->second, line);
        if (fate == fates.end()) {
            out << at << "not reached: the import stops before it: " << shown << "\n";
        } else {
            out << at << Describe(*fate->second, *singer->second) << ": " << shown << "\n";
        }
    }
}

}  // namespace kora::singers
