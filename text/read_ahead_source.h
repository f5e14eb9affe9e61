#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "text/byte_source.h"

namespace vandrel {

// Reads a file ahead on a thread of its own, into blocks that it lends to
// the reader, so that the system's copy of the next block into memory
// overlaps the work on this one, and no byte is copied twice. For files
// only: the thread may wait on its source, and closing waits for the thread.
//
// openReadAhead opens a path so: a file on disk read ahead, anything else
// (a pipe) as it comes, since a scan that stops early would wait for the
// thread, and the thread for the writer. Null, with `reason` set, where the
// path cannot be opened.
std::unique_ptr<ByteSource> openReadAhead(const std::string& path, std::string& reason);

class ReadAheadSource final : public ByteSource {
  public:
    // Reads `source` ahead, or, where no thread can be started, as it is.
    static std::unique_ptr<ByteSource> over(std::unique_ptr<ByteSource> source);

    explicit ReadAheadSource(std::unique_ptr<ByteSource> source);
    ~ReadAheadSource() override;
    ReadAheadSource(const ReadAheadSource&) = delete;
    ReadAheadSource& operator=(const ReadAheadSource&) = delete;

    std::size_t read(char* into, std::size_t size) override;
    std::string error() const override;
    bool lends() const override { return true; }
    LentBlock lend() override;
    void handBack(const LentBlock& block) override;

  private:
    // Of 1 to 8 MB, tried on 2 cores, 1 and 2 MB were the quickest.
    static constexpr std::size_t kBlockSize = std::size_t{2} * 1024 * 1024;
    static constexpr std::size_t kBlocks = 3;

    enum class State { Free, Full, Lent };
    struct Block {
        std::vector<char> bytes = std::vector<char>(kLentRoom + kBlockSize);
        std::size_t size = 0;
        State state = State::Free;
        char* data() { return bytes.data() + kLentRoom; }
    };

    bool start();
    void readAhead();

    std::unique_ptr<ByteSource> source_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    Block blocks_[kBlocks];
    std::size_t nextToLend_ = 0;
    bool endLent_ = false;
    bool stopping_ = false;
    std::string error_;  // the source's, once it ended
    // For read(): the block being copied out, and how much of it was.
    LentBlock copying_;
    std::size_t copied_ = 0;
    std::thread thread_;
};

}  // namespace vandrel
