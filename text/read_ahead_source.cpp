#include "text/read_ahead_source.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace vandrel {

std::unique_ptr<ByteSource> openReadAhead(const std::string& path, std::string& reason) {
    auto file = FileSource::open(path, reason);
    std::error_code ignored;
    if (!file || !std::filesystem::is_regular_file(path, ignored)) {
        return file;
    }
    return ReadAheadSource::over(std::move(file));
}

std::unique_ptr<ByteSource> ReadAheadSource::over(std::unique_ptr<ByteSource> source) {
    auto ahead = std::make_unique<ReadAheadSource>(std::move(source));
    if (!ahead->start()) {
        return std::move(ahead->source_);
    }
    return ahead;
}

ReadAheadSource::ReadAheadSource(std::unique_ptr<ByteSource> source) : source_(std::move(source)) {}

bool ReadAheadSource::start() {
    try {
        thread_ = std::thread(&ReadAheadSource::readAhead, this);
        return true;
    } catch (const std::system_error&) {
        return false;  // no thread to be had: the caller reads the source itself
    }
}

ReadAheadSource::~ReadAheadSource() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

// Fills the blocks in turn, each once it is handed back, until the source
// ends with a block of 0 bytes.
void ReadAheadSource::readAhead() {
    for (std::size_t next = 0;; next = (next + 1) % kBlocks) {
        Block& block = blocks_[next];
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || block.state == State::Free; });
            if (stopping_) {
                return;
            }
        }
        // A free block is the thread's alone until it is marked full.
        const std::size_t size = source_->read(block.data(), kBlockSize);
        {
            const std::lock_guard lock(mutex_);
            block.size = size;
            block.state = State::Full;
            if (size == 0) {
                error_ = source_->error();
            }
        }
        changed_.notify_all();
        if (size == 0) {
            return;
        }
    }
}

LentBlock ReadAheadSource::lend() {
    if (endLent_) {
        return {};
    }
    Block& block = blocks_[nextToLend_];
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return block.state == State::Full; });
        block.state = State::Lent;
    }
    nextToLend_ = (nextToLend_ + 1) % kBlocks;
    endLent_ = block.size == 0;
    return {block.data(), block.size};
}

void ReadAheadSource::handBack(const LentBlock& lent) {
    for (Block& block : blocks_) {
        if (block.data() == lent.data) {
            {
                const std::lock_guard lock(mutex_);
                block.state = State::Free;
            }
            changed_.notify_all();
        }
    }
}

// For a reader that does not borrow: the lent blocks, copied out.
std::size_t ReadAheadSource::read(char* into, std::size_t size) {
    if (copied_ == copying_.size) {
        if (copying_.data != nullptr) {
            handBack(copying_);
        }
        copying_ = lend();
        copied_ = 0;
    }
    const std::size_t count = std::min(size, copying_.size - copied_);
    if (count > 0) {
        std::memcpy(into, copying_.data + copied_, count);
        copied_ += count;
    }
    return count;
}

std::string ReadAheadSource::error() const {
    const std::lock_guard lock(mutex_);
    return error_;
}

}  // namespace vandrel
