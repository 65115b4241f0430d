#pragma once
#include <string>
#include <string_view>

// The executable's own path (platform half).
std::string ExePath();
// Its folder with the trailing separator.
std::string ExeFolder();
// The path up to and including its last separator ("\" or "/"); empty when there is none.
std::string ExtractFilePath(std::string_view path);
// The path with its extension (from the last "." of the file name on) replaced by ext.
std::string ChangeFileExt(std::string_view path, std::string_view ext);
// The program's INI file: the executable's path with the extension ".ini".
std::string ProgramIniFileName();
