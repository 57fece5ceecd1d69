#include "commands.h"

#include <functional>
#include <memory>
#include <system_error>

#include "file/file_io.h"
#include "file/singer_export.h"
#include "line_report.h"
#include "model/text_codec.h"
#include "platform.h"
#include "singer_environment.h"
#include "tool_error.h"
#include "voice_database.h"

namespace kora::singers {
namespace {

// What a command works on once the database is loaded.
struct LoadedDatabase {
    std::unique_ptr<VoiceDatabase> database;
    InstalledVoiceList voices;
    XSynthGroupList groups;
    std::vector<SingerEntry> mySingers;
};

LoadedDatabase OpenDatabase(const CommandLine& line, bool withGroups) {
    if (line.databaseFolder) SetDatabaseFolder(*line.databaseFolder);
    LoadedDatabase loaded;
    const std::filesystem::path library =
        line.library ? ToPath(*line.library) : DefaultLibraryPath();
    loaded.database = std::make_unique<VoiceDatabase>(library, PathText(library));
    loaded.voices = loaded.database->LoadInstalledVoices();
    if (withGroups) loaded.groups = loaded.database->LoadXSynthGroups();
    loaded.mySingers = loaded.database->LoadMySingers(loaded.voices);
    return loaded;
}

SingerFileContent ReadFile(const CommandLine& line) {
    const FileRead file = ReadFileBytes(line.file, kSingerFileByteLimit);
    if (file.error == FileReadError::TooLarge) {
        throw ToolError(kExitFile, EncodeUtf8(line.file) +
                                       " is larger than 64 MiB, far more than any singer file "
                                       "holds; it is not read");
    }
    if (file.error) throw ToolError(kExitFile, "cannot read " + EncodeUtf8(line.file));
    return ReadSingerFile(file.bytes);
}

std::string Rejection(const std::string& file, const ReadFault& fault) {
    return file + " is rejected at line " + std::to_string(fault.lineNumber) + ": " +
           DescribeReadFault(fault.reason);
}

int LastLineNumber(const ImportOutcome& outcome) {
    return outcome.lines.empty() ? 0 : outcome.lines.back().lineNumber;
}

// Runs the import rules without changing the database.
ImportOutcome DryRun(const SingerFileContent& content, const LoadedDatabase& loaded,
                     DryRunCreator& creator) {
    LoadedImportEnvironment environment(loaded.voices, loaded.groups, loaded.mySingers,
                                        std::ref(creator));
    return ImportSingers(content, environment);
}

// The versions of the module whose file code this tool carries.
class ToolExportEnvironment final : public ExportEnvironment {
public:
    std::optional<std::u16string> HostExecutablePath() const override { return ExecutablePath(); }
    std::optional<std::u16string> ModulePath() const override { return u"kora4"; }
    std::optional<ModuleFileVersion> ModuleVersion(const std::u16string&) const override {
        return ModuleFileVersion{KORA4_VERSION_MAJOR, KORA4_VERSION_MINOR, KORA4_VERSION_PATCH,
                                 KORA4_VERSION_TWEAK};
    }
};

}  // namespace

int RunCheck(const CommandLine& line, std::ostream& out, std::ostream& err) {
    const SingerFileContent content = ReadFile(line);
    const LoadedDatabase loaded = OpenDatabase(line, true);
    DryRunCreator creator(loaded.mySingers);
    const ImportOutcome outcome = DryRun(content, loaded, creator);

    const std::string file = EncodeUtf8(line.file);
    PrintLineFates(out, file, content, outcome);
    if (content.fault) {
        err << "kora4-singers: " << Rejection(file, *content.fault) << "\n";
        return kExitRejected;
    }
    if (outcome.ending == ImportEnding::DatabaseRefused) {
        err << "kora4-singers: bank " << creator.FullBank()
            << " has no free program: an import would stop at line " << LastLineNumber(outcome)
            << "\n";
        return kExitDatabase;
    }
    out << file << ": " << outcome.taken << " of " << content.singerLines.size()
        << " singer lines would be taken\n";
    return kExitOk;
}

int RunImport(const CommandLine& line, std::ostream& out, std::ostream& err) {
    const SingerFileContent content = ReadFile(line);
    LoadedDatabase loaded = OpenDatabase(line, true);
    const std::string file = EncodeUtf8(line.file);

    // A rejected file would be rolled back whole: show what became of its
    // lines without touching the store.
    if (content.fault) {
        DryRunCreator creator(loaded.mySingers);
        PrintLineFates(out, file, content, DryRun(content, loaded, creator));
        err << "kora4-singers: " << Rejection(file, *content.fault) << "; nothing imported\n";
        return kExitRejected;
    }

    VoiceDatabase& database = *loaded.database;
    database.BeginEdit();
    LoadedImportEnvironment environment(
        loaded.voices, loaded.groups, loaded.mySingers,
        [&database](DBM_VVOICE_INFO& record) { return database.CreateMySinger(record); });
    const ImportOutcome outcome = ImportSingers(content, environment);
    PrintLineFates(out, file, content, outcome);

    if (outcome.ending == ImportEnding::DatabaseRefused) {
        const bool rolledBack = database.RollBack();
        err << "kora4-singers: the voice database refused the singer at line "
            << LastLineNumber(outcome) << "; nothing imported"
            << (rolledBack ? "" : " (and the roll back failed; the edit is dropped on exit)")
            << "\n";
        return kExitDatabase;
    }
    if (outcome.taken == 0) {
        database.RollBack();
        out << file << ": nothing imported: every singer line was passed over\n";
        return kExitOk;
    }
    database.Commit();
    out << file << ": " << outcome.taken << " singer" << (outcome.taken == 1 ? "" : "s")
        << " imported into My Singers\n";
    return kExitOk;
}

int RunExport(const CommandLine& line, std::ostream& out, std::ostream&) {
    const std::string file = EncodeUtf8(line.file);
    std::error_code error;
    if (!line.force && std::filesystem::exists(ToPath(line.file), error)) {
        throw ToolError(kExitFile, file + " exists; use --force to replace it");
    }
    const LoadedDatabase loaded = OpenDatabase(line, false);
    if (loaded.mySingers.empty()) {
        out << "My Singers is empty: no file written\n";
        return kExitOk;
    }
    switch (ExportSingerFile(line.file, loaded.mySingers, ToolExportEnvironment())) {
        case ExportResult::Written:
            out << file << ": " << loaded.mySingers.size() << " singer"
                << (loaded.mySingers.size() == 1 ? "" : "s") << " exported\n";
            return kExitOk;
        case ExportResult::CannotCreate:
            throw ToolError(kExitFile, "cannot create " + file);
        case ExportResult::NoHostPath:
            throw ToolError(kExitFile, "the path of this program cannot be had; " + file +
                                           " is left as it was");
        case ExportResult::NoModuleInfo:
        case ExportResult::WriteFailed:
            break;
    }
    throw ToolError(kExitFile, "writing " + file + " failed; " + file + " is left as it was");
}

}  // namespace kora::singers
