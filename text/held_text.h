#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace vandrel {

// A copy of at most N characters of a text, held in place so that memory
// stays fixed. A text of the usual length is copied at that fixed length,
// which costs next to nothing; hot loops hold their texts this way.
template <std::size_t N, std::size_t Usual = N>
class HeldText {
    static_assert(Usual <= N && Usual > 0);

  public:
    // Inlined wherever it is used: the scan holds a few texts of every record.
    [[gnu::always_inline]] void assign(std::string_view from) {
        if (from.size() == Usual) {
            std::memcpy(text_, from.data(), Usual);
            length_ = Usual;
            return;
        }
        // A positive number of a CSV item has lost the blank before it.
        if (from.size() + 1 == Usual) {
            std::memcpy(text_, from.data(), Usual - 1);
            length_ = Usual - 1;
            return;
        }
        // An empty view may have no data at all, which memcpy must never see.
        length_ = std::min(from.size(), N);
        if (length_ > 0) {
            std::memcpy(text_, from.data(), length_);
        }
    }
    void clear() { length_ = 0; }
    std::string_view view() const { return {text_, length_}; }

  private:
    char text_[N];
    std::size_t length_ = 0;
};

}  // namespace vandrel
