#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <random>
#include <string_view>
#include <vector>

#include "text/byte_source.h"

namespace vandrel::testing {

// Gives a text in pieces of 1 to `mostPiece` bytes, sizes drawn from `seed`,
// as a pipe may, so that a reader refills its buffer in the middle of items.
class PieceSource final : public ByteSource {
  public:
    PieceSource(std::string_view text, unsigned seed, std::size_t mostPiece)
        : text_(text), random_(seed), mostPiece_(mostPiece) {}

    std::size_t read(char* into, std::size_t size) override {
        const std::size_t piece = 1 + random_() % mostPiece_;
        const std::size_t count = std::min({size, piece, text_.size() - position_});
        std::copy_n(text_.data() + position_, count, into);
        position_ += count;
        return count;
    }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::mt19937 random_;
    std::size_t mostPiece_;
};

// The same pieces, lent rather than copied, as a source that reads ahead
// lends its blocks: each in memory of its own, freed when it is handed back,
// and with no more room before it than the reader may need (it holds fewer
// unread bytes than it was lent), so that the sanitizers catch a reader that
// reads a block after handing it back, or writes before its room.
class LendingPieceSource final : public ByteSource {
  public:
    LendingPieceSource(std::string_view text, unsigned seed, std::size_t mostPiece)
        : pieces_(text, seed, mostPiece), mostPiece_(mostPiece) {}

    std::size_t read(char*, std::size_t) override { return 0; }  // a reader borrows
    bool lends() const override { return true; }
    LentBlock lend() override {
        const std::size_t room = std::min(kLentRoom, lentSoFar_);
        Block& block = blocks_.emplace_back();
        block.bytes = std::make_unique_for_overwrite<char[]>(room + mostPiece_);
        block.data = block.bytes.get() + room;
        const std::size_t size = pieces_.read(block.data, mostPiece_);
        lentSoFar_ += size;
        return {block.data, size};
    }
    void handBack(const LentBlock& lent) override {
        std::erase_if(blocks_, [&](const Block& block) { return block.data == lent.data; });
    }
    // Blocks lent and not handed back: the reader holds one at most.
    std::size_t held() const { return blocks_.size(); }

  private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        char* data = nullptr;
    };
    PieceSource pieces_;
    std::size_t mostPiece_;
    std::size_t lentSoFar_ = 0;
    std::vector<Block> blocks_;
};

}  // namespace vandrel::testing
