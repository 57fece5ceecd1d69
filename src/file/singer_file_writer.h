// The pieces of text that make up a My Singer information file, in the
// order the writer emits them, and the sink that takes them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/records.h"

namespace kora {

// Takes the formatted pieces one by one. "\n" in a piece is a line end;
// how it is encoded is the sink's business.
class SingerFileSink {
public:
    virtual bool Write(std::u16string_view piece) = 0;

protected:
    ~SingerFileSink() = default;
};

struct ModuleFileVersion {
    uint16_t major = 0;
    uint16_t minor = 0;
    uint16_t build = 0;
    uint16_t revision = 0;
};

// A path's file name without folder and extension ("C:\a\host.exe" -> "host").
std::u16string FileStem(std::u16string_view path);

std::u16string FormatHostComment(std::u16string_view hostName);
std::u16string FormatGeneratorComment(std::u16string_view moduleName, ModuleFileVersion version);
std::u16string FormatGeneralSection();  // two lines: header and version
std::u16string FormatListHeader();
std::u16string FormatCountLine(int32_t count);

// A name between quotation marks, each quotation mark in it escaped.
std::u16string FormatQuotedName(std::u16string_view name);
std::u16string FormatPrimaryFields(const SingerEntry& entry);
std::u16string FormatSecondaryFields(const SingerEntry& entry);

}  // namespace kora
