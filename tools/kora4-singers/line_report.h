// What became of each significant line of a singer file, one line of text
// each: FILE:LINE: fate.
#pragma once

#include <ostream>
#include <string>

#include "file/singer_file_reader.h"
#include "file/singer_import.h"

namespace kora::singers {

// Every significant line up to the one that rejects the file (which is
// reported with its reason); singer lines that the import did not reach
// are reported as such.
void PrintLineFates(std::ostream& out, const std::string& fileLabel,
                    const SingerFileContent& content, const ImportOutcome& outcome);

// A text of the file made fit for one line of a report: UTF-8, control
// characters shown as "?", long texts shortened.
std::string Printable(std::u16string_view text);

}  // namespace kora::singers
