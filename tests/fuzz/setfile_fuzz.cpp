// Feeds arbitrary bytes to the kill-set file reader. Besides never reading
// outside the data (the sanitizers watch that), whatever it accepts must
// survive a save and a reload unchanged.
#include "core/sets/cSetFile.h"
#include "core/util/cCodePage1252.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using qx::cSetFile;
    qx::cCodePage1252 codec;
    qx::SetFileHeader header, again;
    std::vector<qx::SetFileEntry> entries, reread;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto result = cSetFile::Read(bytes, codec, header, entries);
    if (entries.size() > static_cast<std::size_t>(header.Count < 0 ? 0 : header.Count)) std::abort();
    if (result != cSetFile::ReadResult::Ok) return 0;
    // One pass through the codec settles texts with bytes that have no
    // character in the code page; after that the round trip is exact.
    std::string first, second;
    if (cSetFile::Write(header.SavedDate, entries, codec, first) != cSetFile::WriteResult::Ok ||
        cSetFile::Read(first, codec, again, reread) != cSetFile::ReadResult::Ok || reread.size() != entries.size() ||
        cSetFile::Write(again.SavedDate, reread, codec, second) != cSetFile::WriteResult::Ok || second != first)
        std::abort();
    return 0;
}
