#include "assets/byte_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool WriteWholeFile(const std::string& path,
                    const std::vector<unsigned char>& bytes,
                    std::string& error) {
    // Written beside the target and renamed over it, so an interrupted run
    // never leaves a half-written picture or sound behind.
    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
