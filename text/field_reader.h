#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/byte_source.h"
#include "text/delimiter_search.h"

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
// characters.
class FieldReader {
  public:
    static constexpr std::size_t kBlockSize = std::size_t{256} * 1024;

    FieldReader(ByteSource& source, std::size_t keep);

    // Delivers the next item; false when no item is left.
    bool next(Field& field);

    // Why the input could not be read to its end; empty when it could.
    std::string error() const { return source_.error(); }

  private:
    // What the previous item left to pass before the next one begins.
    enum class Pending { Nothing, LineFeedAfterCr, RestOfQuotedItem };

    bool nextInBuffer(Field& field);
    bool fill();
    const char* findItemEnd(const char* from) const;
    void settlePending();
    template <bool Quoted>
    void passDelimiter(char delimiter);
    template <bool Quoted>
    void readItem(Field& field);
    template <bool Quoted>
    void readLongItem(Field& field);
    void deliver(Field& field, std::string_view text, std::uint64_t length);

    ByteSource& source_;
    std::size_t keep_;
    std::vector<char> buffer_;
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

}  // namespace vandrel
