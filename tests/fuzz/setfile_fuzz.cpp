// Feeds arbitrary bytes to the kill-set file reader. Besides never reading
// outside the data (the sanitizers watch that), whatever it accepts must
// survive a save and a reload unchanged.
#include "core/sets/cSetFile.h"
#include "core/util/cCodePage1252.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qx::cCodePage1252 codec;
    qx::SetFileHeader header;
    std::vector<qx::SetFileEntry> entries;
    const auto result =
        qx::cSetFile::Read(std::string_view(reinterpret_cast<const char*>(data), size), codec, header, entries);
    if (result == qx::cSetFile::ReadResult::InvalidFile && !entries.empty()) std::abort();
    if (entries.size() > static_cast<std::size_t>(header.Count < 0 ? 0 : header.Count)) std::abort();
    if (result != qx::cSetFile::ReadResult::Ok) return 0;

    // One pass through the codec settles texts with bytes that have no
    // character in the code page; after that the round trip is exact.
    std::string first, second;
    if (qx::cSetFile::Write(header.SavedDate, entries, codec, first) != qx::cSetFile::WriteResult::Ok) std::abort();
    qx::SetFileHeader again;
    std::vector<qx::SetFileEntry> reread;
    if (qx::cSetFile::Read(first, codec, again, reread) != qx::cSetFile::ReadResult::Ok) std::abort();
    if (reread.size() != entries.size()) std::abort();
    if (qx::cSetFile::Write(again.SavedDate, reread, codec, second) != qx::cSetFile::WriteResult::Ok) std::abort();
    if (second != first) std::abort();
    return 0;
}
