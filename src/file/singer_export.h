// Export of My Singers to a My Singer information file, without windows:
// the caller chooses the path and shows the message the result names.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/records.h"
#include "singer_file_writer.h"

namespace kora {

// What the comment lines are made of; each may be unavailable.
class ExportEnvironment {
public:
    virtual std::optional<std::u16string> HostExecutablePath() const = 0;
    virtual std::optional<std::u16string> ModulePath() const = 0;
    // The file version of the module at that path.
    virtual std::optional<ModuleFileVersion> ModuleVersion(
        const std::u16string& modulePath) const = 0;

protected:
    ~ExportEnvironment() = default;
};

// Every result but Written leaves the file at the path as it was.
enum class ExportResult {
    Written,       // message 34
    CannotCreate,  // the file could not be created
    NoHostPath,    // the host executable's path is not available
    NoModuleInfo,  // the module's path or version is not available
    WriteFailed,   // a write, the flush, the close or the replacing failed
};

// The string-table id of the message that ends an export.
int ExportMessageId(ExportResult result);

// Writes the pieces of the file in order, each as soon as it is formatted,
// and stops at the first that cannot be had or written (the sink keeps the
// pieces before it).
ExportResult WriteMySingers(const std::vector<SingerEntry>& mySingers, SingerFileSink& sink,
                            const ExportEnvironment& environment);

// Writes the file at path (UTF-8 with byte-order mark, CR LF) whole, or
// leaves what is there untouched.
ExportResult ExportSingerFile(const std::u16string& path, const std::vector<SingerEntry>& mySingers,
                              const ExportEnvironment& environment);

}  // namespace kora
