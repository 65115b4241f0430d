#include "core/AppPaths.h"

namespace {
size_t LastSeparator(std::string_view path) {
    return path.find_last_of("\\/:");
}
}  // namespace

std::string ExtractFilePath(std::string_view path) {
    const size_t sep = LastSeparator(path);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    const size_t sep = LastSeparator(path);
    const size_t dot = path.find_last_of('.');
    const bool hasExt = dot != std::string_view::npos && (sep == std::string_view::npos || dot > sep);
    std::string result(hasExt ? path.substr(0, dot) : path);
    result += ext;
    return result;
}

std::string ExeFolder() {
    return ExtractFilePath(ExePath());
}

std::string ProgramIniFileName() {
    return ChangeFileExt(ExePath(), ".ini");
}
