#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace vandrel {

// Bytes that a source lends: `size` bytes at `data`, with kLentRoom bytes
// free before them that the borrower may write.
struct LentBlock {
    char* data = nullptr;
    std::size_t size = 0;
};
inline constexpr std::size_t kLentRoom = std::size_t{256} * 1024;

// Where a FieldReader takes its bytes from: a file, standard input or memory.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Fills up to `size` bytes and returns how many it gave; 0 means the data
    // ended or could not be read further (see error()).
    virtual std::size_t read(char* into, std::size_t size) = 0;
    // Why reading stopped before the end of the data; empty when it did not.
    virtual std::string error() const { return {}; }

    // A source that reads ahead lends the blocks it read, so that they are
    // not copied again: lend() gives the next one (of size 0 at the end),
    // which the borrower keeps until it hands it back. Only where lends().
    virtual bool lends() const { return false; }
    virtual LentBlock lend() { return {}; }
    virtual void handBack(const LentBlock& block) { (void)block; }
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::string_view data) : data_(data) {}
    std::size_t read(char* into, std::size_t size) override;

  private:
    std::string_view data_;
    std::size_t position_ = 0;
};

// Reads a file unbuffered in the caller's blocks, so a large block goes
// straight from the page cache into the reader's buffer; from a pipe, what
// has arrived.
class FileSource final : public ByteSource {
  public:
    // Opens `path` for reading. On failure returns null and sets `reason`
    // to the system's words ("No such file or directory"). A folder is no file.
    static std::unique_ptr<FileSource> open(const std::string& path, std::string& reason);
    // Reads an already open stream, such as standard input, without closing it.
    static std::unique_ptr<FileSource> borrow(std::FILE* stream);

    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t read(char* into, std::size_t size) override;
    std::string error() const override { return error_; }

  private:
    FileSource(std::FILE* stream, bool owned) : stream_(stream), owned_(owned) {}

    std::FILE* stream_;
    bool owned_;
    std::string error_;
};

}  // namespace vandrel
