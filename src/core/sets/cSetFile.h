#pragma once
// The kill-set file (.qxs): a header record followed by Count entry records,
// little-endian and packed. Booleans are 16-bit (-1 true, 0 false; any
// non-zero reads as true); strings are a 16-bit unsigned byte count and that
// many bytes of ANSI text. Reserved fields are written as zero or empty and
// skipped on reading, except that an entry whose title or path the ANSI code
// page cannot hold keeps its exact texts in its reserved string ("UTF-8", then
// the title and the path as UTF-8 strings), which this reader prefers.
// Anything after the last entry is ignored.
#include "core/platform/ITextCodec.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

struct SetFileHeader {
    std::int16_t Version = 0;
    double SavedDate = 0; // OLE Automation date
    std::int16_t Count = 0;
};

// The stored part of a kill-set entry; texts are UTF-8 in memory.
struct SetFileEntry {
    bool Selected = false;
    bool ForceClose = false;
    bool WinVisible = false;
    bool StopOnError = false;
    bool IgnoreTitle = false;
    std::int32_t CloseWait = 0;
    std::string Title;
    std::string ExePath;

    bool operator==(const SetFileEntry&) const = default;
};

class cSetFile {
public:
    static constexpr std::int16_t kFileVersion = 1;
    static constexpr std::size_t kMaxEntries = 32767;

    enum class ReadResult {
        Ok,
        InvalidFile, // shorter than a Version, or a Version other than 1
        Truncated    // the data ends inside the header or before Count entries
    };
    // Reads header and entries. A negative Count is an empty set. On
    // Truncated, entries holds every entry that was complete before the end.
    static ReadResult Read(std::string_view bytes, ITextCodec& codec, SetFileHeader& header,
                           std::vector<SetFileEntry>& entries);

    enum class WriteResult {
        Ok,
        TooManyEntries, // more than kMaxEntries: Count would not fit in 16 bits
        TextTooLong     // a text, or an entry's exact texts together, beyond 65535 bytes
    };
    // Builds the whole file: Version 1, the given date, Count = entries.size().
    static WriteResult Write(double savedDate, const std::vector<SetFileEntry>& entries, ITextCodec& codec,
                             std::string& bytes);
};

} // namespace qx
