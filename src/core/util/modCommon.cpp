#include "core/util/modCommon.h"

namespace qx {

namespace {

std::string TrimBlanks(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

} // namespace

std::string GetFileName(const std::string& path, bool keepExtension) {
    const std::string trimmed = TrimBlanks(path);
    const auto slash = trimmed.rfind('\\');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    const auto dot = trimmed.find('.');
    if (keepExtension || dot == std::string::npos || dot < start) return trimmed.substr(start);
    return trimmed.substr(start, dot - start);
}

std::string GetFilePath(const std::string& path) {
    const std::string trimmed = TrimBlanks(path);
    const auto slash = trimmed.rfind('\\');
    return slash == std::string::npos ? std::string{} : trimmed.substr(0, slash);
}

} // namespace qx
