#include "text/byte_source.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace vandrel {

std::size_t MemorySource::read(char* into, std::size_t size) {
    const std::size_t count = std::min(size, data_.size() - position_);
    if (count == 0) {
        return 0;  // an empty view may have no data pointer at all
    }
    std::memcpy(into, data_.data() + position_, count);
    position_ += count;
    return count;
}

std::unique_ptr<FileSource> FileSource::open(const std::string& path, std::string& reason) {
    // The C library opens a folder for reading without complaint; reading it
    // fails later. Refuse it here, where the caller expects open failures.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        reason = std::strerror(EISDIR);
        return nullptr;
    }
    errno = 0;
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        reason = errno != 0 ? std::strerror(errno) : "cannot open the file";
        return nullptr;
    }
    std::setvbuf(stream, nullptr, _IONBF, 0);
    return std::unique_ptr<FileSource>(new FileSource(stream, true));
}

std::unique_ptr<FileSource> FileSource::borrow(std::FILE* stream) {
    return std::unique_ptr<FileSource>(new FileSource(stream, false));
}

FileSource::~FileSource() {
    if (owned_) {
        std::fclose(stream_);
    }
}

// What the file holds now, up to `size` bytes: from a pipe, as soon as some
// bytes arrive, where fread would wait for the whole block, so that a scan
// shows what it found, or stops at its end date, while the writer writes on.
std::size_t FileSource::read(char* into, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(fileno(stream_), into, size);
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        if (errno != EINTR) {
            error_ = std::strerror(errno);
            return 0;
        }
    }
}

}  // namespace vandrel
