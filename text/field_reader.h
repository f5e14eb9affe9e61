#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/byte_source.h"
#include "text/item_characters.h"

namespace vandrel {

// One item as the reader delivers it. Only the first `keep` characters of an
// item are held (see FieldReader); `length` is always the whole item's length.
struct Field {
    std::string_view text;  // valid until the next call of FieldReader::next
    std::uint64_t length = 0;
    bool startsLine = true;  // the item is the first of its line
};

// Reads a text, one item per call, in the comma-separated form of the
// program's files:
// - blanks and tabs before an item are skipped;
// - an item that begins with a double quote runs to the next double quote,
//   across line ends if need be; the quotes are dropped, and whatever follows
//   the closing quote up to and including the next comma or line end is passed;
// - any other item runs to the next comma or line end, which is consumed,
//   and loses its trailing blanks and tabs;
// - CR LF, a lone LF and a lone CR each end a line; an empty line is one
//   empty item; bytes above 127 and NUL are kept as they are.
//
// Memory stays constant whatever the input: the reader holds one block of
// the input and, of an item longer than that block, only its first `keep`
// characters. From a source that lends its blocks, it reads them where they
// lie, with the unread bytes of the block before copied into the room ahead.
class FieldReader {
  public:
    static constexpr std::size_t kBlockSize = std::size_t{256} * 1024;
    // The unread bytes, fewer than a block, fit before a lent block.
    static_assert(kBlockSize <= kLentRoom);

    FieldReader(ByteSource& source, std::size_t keep);
    ~FieldReader();
    FieldReader(const FieldReader&) = delete;
    FieldReader& operator=(const FieldReader&) = delete;

    // Delivers the next item; false when no item is left. The common item,
    // unquoted and within the bytes at hand, is read inline: a scan calls
    // this for every item of a file, from more than one place.
    bool next(Field& field) {
        if (pending_ == Pending::Nothing && nextInBuffer(field)) {
            return true;
        }
        return nextAfterPending(field);
    }

    // Why the input could not be read to its end; empty when it could.
    std::string error() const { return source_.error(); }

  private:
    // What the previous item left to pass before the next one begins.
    enum class Pending { Nothing, LineFeedAfterCr, RestOfQuotedItem };

    bool nextInBuffer(Field& field);
    bool nextAfterPending(Field& field);
    bool fill();
    bool borrow();
    const char* findItemEnd(const char* from) const;
    static std::string_view trimTrailingBlanks(std::string_view text) {
        std::size_t size = text.size();
        while (size > 0 && detail::isBlank(text[size - 1])) {
            --size;
        }
        return text.substr(0, size);
    }
    void settlePending();
    template <bool Quoted>
    void passDelimiter(char delimiter);
    template <bool Quoted>
    void readItem(Field& field);
    template <bool Quoted>
    void readLongItem(Field& field);
    // `text` holds at least the kept characters of the item (a long item's
    // kept start, or the whole of a short one), so no bounds check is needed.
    void deliver(Field& field, std::string_view text, std::uint64_t length) {
        field.text = {text.data(),
                      static_cast<std::size_t>(std::min<std::uint64_t>(keep_, length))};
        field.length = length;
    }

    ByteSource& source_;
    std::size_t keep_;
    std::vector<char> buffer_;
    char* data_;            // the bytes at hand: the buffer's, or a lent block's
    LentBlock lent_;        // the block borrowed, where the source lends
    const bool borrowing_;  // the source lends its blocks
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    bool sourceEnded_ = false;
    Pending pending_ = Pending::Nothing;
    bool atLineStart_ = true;  // the next item is the first of its line
    std::string longItem_;
    // Where the buffer's items end, as bits, mapped whenever its bytes change.
    std::vector<std::uint64_t> itemEnds_;
    detail::ItemEndMapping mapItemEnds_;
};

// Most items: unquoted, and ending within the bytes at hand. Works on locals
// and changes nothing unless it delivers, so that next() can start over
// where it cannot.
inline bool FieldReader::nextInBuffer(Field& field) {
    const char* const data = data_;
    const char* const end = data + end_;
    const char* begin = data + position_;
    while (begin < end && detail::isBlank(*begin)) {
        ++begin;
    }
    if (begin == end || *begin == '"') {
        return false;
    }
    const char* const stop = findItemEnd(begin);
    if (stop == end) {
        return false;
    }
    const std::string_view text =
        trimTrailingBlanks({begin, static_cast<std::size_t>(stop - begin)});
    position_ = static_cast<std::size_t>(stop - data) + 1;
    field.startsLine = atLineStart_;
    passDelimiter<false>(*stop);
    deliver(field, text, text.size());
    return true;
}

inline const char* FieldReader::findItemEnd(const char* from) const {
    const auto position = static_cast<std::size_t>(from - data_);
    std::size_t word = position / 64;
    if (const std::uint64_t bits = itemEnds_[word] >> (position % 64); bits != 0) {
        return from + __builtin_ctzll(bits);
    }
    const std::size_t words = (end_ + 63) / 64;
    for (++word; word < words; ++word) {
        if (itemEnds_[word] != 0) {
            return data_ + word * 64 + __builtin_ctzll(itemEnds_[word]);
        }
    }
    return data_ + end_;
}

// Notes what the byte that ended an item leaves for the next call.
template <bool Quoted>
void FieldReader::passDelimiter(char delimiter) {
    if (Quoted) {
        pending_ = Pending::RestOfQuotedItem;
        return;
    }
    atLineStart_ = delimiter != ',';
    if (delimiter == '\r') {
        pending_ = Pending::LineFeedAfterCr;
    }
}

}  // namespace vandrel
