#include "singer_export.h"

#include "file_io.h"

namespace kora {

int ExportMessageId(ExportResult result) { return result == ExportResult::Written ? 34 : 36; }

ExportResult WriteMySingers(const std::vector<SingerEntry>& mySingers, SingerFileSink& sink,
                            const ExportEnvironment& environment) {
    const auto hostPath = environment.HostExecutablePath();
    if (!hostPath) return ExportResult::NoHostPath;
    if (!sink.Write(FormatHostComment(FileStem(*hostPath)))) return ExportResult::WriteFailed;

    const auto modulePath = environment.ModulePath();
    if (!modulePath) return ExportResult::NoModuleInfo;
    const auto version = environment.ModuleVersion(*modulePath);
    if (!version) return ExportResult::NoModuleInfo;
    if (!sink.Write(FormatGeneratorComment(FileStem(*modulePath), *version))) {
        return ExportResult::WriteFailed;
    }

    if (!sink.Write(FormatGeneralSection()) || !sink.Write(FormatListHeader()) ||
        !sink.Write(FormatCountLine(static_cast<int32_t>(mySingers.size())))) {
        return ExportResult::WriteFailed;
    }
    for (const SingerEntry& entry : mySingers) {
        if (!sink.Write(FormatQuotedName(entry.name)) || !sink.Write(FormatPrimaryFields(entry)) ||
            !sink.Write(FormatSecondaryFields(entry))) {
            return ExportResult::WriteFailed;
        }
    }
    return ExportResult::Written;
}

ExportResult ExportSingerFile(const std::u16string& path, const std::vector<SingerEntry>& mySingers,
                              const ExportEnvironment& environment) {
    SingerFileWriter writer;
    if (!writer.Open(path))
        return writer.IsOpen() ? ExportResult::WriteFailed : ExportResult::CannotCreate;
    const ExportResult result = WriteMySingers(mySingers, writer, environment);
    // Only a whole file replaces the one at the path; the writer drops
    // anything less.
    if (result != ExportResult::Written) return result;
    return writer.Commit() ? ExportResult::Written : ExportResult::WriteFailed;
}

}  // namespace kora
