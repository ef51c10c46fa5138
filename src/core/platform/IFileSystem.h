#pragma once
// File access for the core. Paths are UTF-8 with backslashes, as on Windows;
// file contents are raw bytes (text already in the system's ANSI code page).
#include <cstdint>
#include <memory>
#include <string>

namespace qx {

// A file opened for appending; closed when the object goes away.
class IAppendFile {
public:
    virtual ~IAppendFile() = default;
    virtual bool Write(const std::string& bytes) = 0;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // Opens for appending with write access, shared for reading and writing
    // with other programs; the file is created when missing. nullptr on failure.
    virtual std::unique_ptr<IAppendFile> OpenAppend(const std::string& path) = 0;
    // Whole-file access.
    virtual bool ReadFile(const std::string& path, std::string& bytes) = 0;
    virtual bool WriteFile(const std::string& path, const std::string& bytes) = 0;
    // An ordinary file is there (hidden and system files and folders are not).
    virtual bool NormalFileExists(const std::string& path) = 0;
    // Anything is there: file or folder, whatever its attributes.
    virtual bool PathExists(const std::string& path) = 0;
    virtual bool IsDirectory(const std::string& path) = 0;
    // Creates one folder level; fails when the parent is missing.
    virtual bool CreateDirectory(const std::string& path) = 0;
    virtual bool DeleteFile(const std::string& path) = 0;
    // Renames; fails when the new path exists.
    virtual bool MoveFile(const std::string& from, const std::string& to) = 0;
    // Replaces `to` with `from` in one step (creates `to` when missing).
    virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
    virtual bool GetFileLength(const std::string& path, std::uint64_t& length) = 0;
    // The process's current folder, against which relative paths resolve;
    // empty when the platform cannot tell.
    virtual std::string GetCurrentDirectory() { return {}; }
    // The platform's own words for why the last failed WriteFile failed
    // ("Access is denied"); empty when it has none.
    virtual std::string LastErrorDescription() { return {}; }
};

} // namespace qx
