#pragma once
// What the fuzz targets share: stopping on a broken property, and handing the input over as a file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

// Stops the run with the reason; libFuzzer keeps the input that did it.
inline void Check(bool condition, const char* what = "a property does not hold") {
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

// A path of this process's own in the temporary folder, so that parallel fuzz jobs do not share files.
inline std::filesystem::path FuzzTempPath(const std::string& stem) {
    return std::filesystem::temp_directory_path() / (stem + "_" + std::to_string(getpid()));
}

// Writes the input into the file; false when the file cannot be written.
inline bool WriteInputFile(const std::string& file, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f)
        return false;
    const bool written = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && written;
}
