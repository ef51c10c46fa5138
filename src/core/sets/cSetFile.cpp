#include "core/sets/cSetFile.h"

#include <bit>
#include <limits>

namespace qx {

namespace {

constexpr std::size_t kEntryReserved = 8;
constexpr std::size_t kHeaderReserved = 4;
constexpr std::size_t kMaxText = std::numeric_limits<std::uint16_t>::max();
// Opens an entry's reserved string when it carries the exact texts: a reader
// that follows the format skips the whole string, and an older file's empty
// one never starts with it.
constexpr std::string_view kExactTextTag = "UTF-8";

// Reads fields front to back and never past the end: once a field does not
// fit, every later read fails too.
class cByteReader {
public:
    explicit cByteReader(std::string_view data) : data_(data) {}

    bool Skip(std::size_t n) {
        if (n > data_.size() - pos_) return false;
        pos_ += n;
        return true;
    }
    bool U16(std::uint16_t& v) {
        std::uint64_t raw = 0;
        if (!Little(2, raw)) return false;
        v = static_cast<std::uint16_t>(raw);
        return true;
    }
    bool I16(std::int16_t& v) {
        std::uint16_t raw = 0;
        if (!U16(raw)) return false;
        v = static_cast<std::int16_t>(raw);
        return true;
    }
    bool I32(std::int32_t& v) {
        std::uint64_t raw = 0;
        if (!Little(4, raw)) return false;
        v = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw));
        return true;
    }
    bool Double(double& v) {
        std::uint64_t raw = 0;
        if (!Little(8, raw)) return false;
        v = std::bit_cast<double>(raw);
        return true;
    }
    bool Bool(bool& v) {
        std::uint16_t raw = 0;
        if (!U16(raw)) return false;
        v = raw != 0;
        return true;
    }
    bool String(std::string_view& v) {
        std::uint16_t length = 0;
        if (!U16(length) || length > data_.size() - pos_) return false;
        v = data_.substr(pos_, length);
        pos_ += length;
        return true;
    }
    bool SkipString() {
        std::string_view ignored;
        return String(ignored);
    }
    bool Tag(std::string_view tag) {
        if (data_.substr(pos_, tag.size()) != tag) return false;
        pos_ += tag.size();
        return true;
    }
    bool AtEnd() const { return pos_ == data_.size(); }

private:
    bool Little(std::size_t n, std::uint64_t& v) {
        if (n > data_.size() - pos_) return false;
        v = 0;
        for (std::size_t i = 0; i < n; ++i)
            v |= std::uint64_t{static_cast<unsigned char>(data_[pos_ + i])} << (8 * i);
        pos_ += n;
        return true;
    }

    std::string_view data_;
    std::size_t pos_ = 0;
};

class cByteWriter {
public:
    explicit cByteWriter(std::string& out) : out_(out) {}
    void Little(std::uint64_t v, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) out_ += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    void I16(std::int16_t v) { Little(static_cast<std::uint16_t>(v), 2); }
    void I32(std::int32_t v) { Little(static_cast<std::uint32_t>(v), 4); }
    void Double(double v) { Little(std::bit_cast<std::uint64_t>(v), 8); }
    void Bool(bool v) { I16(v ? -1 : 0); }
    void Zeros(std::size_t n) { out_.append(n, '\0'); }
    // The caller has checked that the text fits the 16-bit count.
    void String(const std::string& ansi) {
        Little(ansi.size(), 2);
        out_ += ansi;
    }

private:
    std::string& out_;
};

// The ANSI code page of the saving system may lack characters of a title or
// path, and the loading system may have another one; such an entry keeps its
// exact UTF-8 texts in its reserved string as well.
bool NeedsExactText(ITextCodec& codec, const std::string& text) { return codec.FromAnsi(codec.ToAnsi(text)) != text; }

bool ReadExactText(std::string_view reserved, std::string& title, std::string& exePath) {
    cByteReader in(reserved);
    std::string_view t, p;
    if (!(in.Tag(kExactTextTag) && in.String(t) && in.String(p) && in.AtEnd())) return false;
    title = t;
    exePath = p;
    return true;
}

bool ReadEntry(cByteReader& in, ITextCodec& codec, SetFileEntry& e) {
    std::string_view title, exePath, reserved;
    if (!(in.Bool(e.Selected) && in.Bool(e.ForceClose) && in.Bool(e.WinVisible) && in.Bool(e.StopOnError) &&
          in.Bool(e.IgnoreTitle) && in.I32(e.CloseWait) && in.Skip(kEntryReserved) && in.String(title) &&
          in.String(exePath) && in.String(reserved)))
        return false;
    if (ReadExactText(reserved, e.Title, e.ExePath)) return true;
    e.Title = codec.FromAnsi(std::string(title));
    e.ExePath = codec.FromAnsi(std::string(exePath));
    return true;
}

} // namespace

cSetFile::ReadResult cSetFile::Read(std::string_view bytes, ITextCodec& codec, SetFileHeader& header,
                                    std::vector<SetFileEntry>& entries) {
    entries.clear();
    header = {};
    cByteReader in(bytes);
    if (!in.I16(header.Version) || header.Version != kFileVersion) return ReadResult::InvalidFile;
    if (!(in.Double(header.SavedDate) && in.I16(header.Count) && in.Skip(kHeaderReserved) && in.SkipString() &&
          in.SkipString()))
        return ReadResult::Truncated;
    for (std::int16_t i = 0; i < header.Count; ++i) {
        SetFileEntry e;
        if (!ReadEntry(in, codec, e)) return ReadResult::Truncated;
        entries.push_back(std::move(e));
    }
    return ReadResult::Ok;
}

cSetFile::WriteResult cSetFile::Write(double savedDate, const std::vector<SetFileEntry>& entries, ITextCodec& codec,
                                      std::string& bytes) {
    if (entries.size() > kMaxEntries) return WriteResult::TooManyEntries;
    std::string out;
    cByteWriter w(out);
    w.I16(kFileVersion);
    w.Double(savedDate);
    w.I16(static_cast<std::int16_t>(entries.size()));
    w.Zeros(kHeaderReserved);
    w.String({});
    w.String({});
    for (const SetFileEntry& e : entries) {
        const std::string title = codec.ToAnsi(e.Title);
        const std::string exePath = codec.ToAnsi(e.ExePath);
        std::string exact;
        if (NeedsExactText(codec, e.Title) || NeedsExactText(codec, e.ExePath)) {
            exact = kExactTextTag;
            cByteWriter x(exact);
            x.String(e.Title);
            x.String(e.ExePath);
        }
        // The exact texts hold both in one string: longer than either alone.
        if (title.size() > kMaxText || exePath.size() > kMaxText || exact.size() > kMaxText)
            return WriteResult::TextTooLong;
        w.Bool(e.Selected);
        w.Bool(e.ForceClose);
        w.Bool(e.WinVisible);
        w.Bool(e.StopOnError);
        w.Bool(e.IgnoreTitle);
        w.I32(e.CloseWait);
        w.Zeros(kEntryReserved);
        w.String(title);
        w.String(exePath);
        w.String(exact);
    }
    bytes = std::move(out);
    return WriteResult::Ok;
}

} // namespace qx
