#pragma once
// Files of the fuzz targets that work on disk: a private folder made once per
// process (in memory under /dev/shm when there is one, as the program's saves
// flush every file) and removed with its content at exit; whole-file writes
// and reads.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace korva::fuzz {

// A plain character array: it outlives every static object, the exit
// handler included.
inline char g_folder[64] = {};

inline void RemoveFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(g_folder, ignored);
}

inline std::string Folder()
{
    if (g_folder[0] == '\0') {
        struct stat info {};
        const bool memory = ::stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode);
        std::strcpy(g_folder, memory ? "/dev/shm/korva-fuzz.XXXXXX" : "/tmp/korva-fuzz.XXXXXX");
        if (!::mkdtemp(g_folder))
            std::abort();
        std::atexit(RemoveFolder);
    }
    return g_folder;
}

inline void WriteFile(const std::string& path, const std::string& text)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        std::abort();
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
}

// The file's bytes; "" when it cannot be read.
inline std::string ReadFile(const std::string& path)
{
    std::string text;
    if (std::FILE* in = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
            text.append(buffer, got);
        std::fclose(in);
    }
    return text;
}

} // namespace korva::fuzz
