#pragma once

#include <algorithm>
#include <cstddef>
#include <random>
#include <string_view>

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

}  // namespace vandrel::testing
