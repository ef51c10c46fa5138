#pragma once
// The real file system through the wide API; paths are UTF-8.
#include "core/platform/IFileSystem.h"

namespace qx::win32 {

class cWin32FileSystem final : public IFileSystem {
public:
    std::unique_ptr<IAppendFile> OpenAppend(const std::string& path) override;
    bool ReadFile(const std::string& path, std::string& bytes) override;
    bool WriteFile(const std::string& path, const std::string& bytes) override;
    bool NormalFileExists(const std::string& path) override;
    bool PathExists(const std::string& path) override;
    bool IsDirectory(const std::string& path) override;
    bool CreateDirectory(const std::string& path) override;
    bool DeleteFile(const std::string& path) override;
    bool MoveFile(const std::string& from, const std::string& to) override;
    bool ReplaceFile(const std::string& from, const std::string& to) override;
    bool GetFileLength(const std::string& path, std::uint64_t& length) override;
    std::string GetCurrentDirectory() override;
    std::string LastErrorDescription() override { return lastError_; }

private:
    std::string lastError_;
};

} // namespace qx::win32
