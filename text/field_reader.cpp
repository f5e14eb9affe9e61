#include "text/field_reader.h"

#include <algorithm>
#include <cstring>

#include "text/delimiter_search.h"

namespace vandrel {

using detail::findQuote;
using detail::isBlank;

FieldReader::FieldReader(ByteSource& source, std::size_t keep)
    : source_(source),
      keep_(std::min(keep, kBlockSize)),
      buffer_(source.lends() ? 0 : kBlockSize),
      data_(buffer_.data()),
      borrowing_(source.lends()),
      itemEnds_(kBlockSize / 64),
      mapItemEnds_(detail::widestItemEndMapping()) {
    longItem_.reserve(keep_);
}

FieldReader::~FieldReader() {
    if (lent_.data != nullptr) {
        source_.handBack(lent_);
    }
}

// Moves the unread bytes to the front of the buffer and appends what the
// source gives, and maps the item ends anew. False when nothing could be
// added.
bool FieldReader::fill() {
    if (borrowing_) {
        return borrow();
    }
    const bool moved = position_ > 0;
    if (moved) {
        std::memmove(data_, data_ + position_, end_ - position_);
        end_ -= position_;
        position_ = 0;
    }
    bool added = false;
    if (!sourceEnded_ && end_ < buffer_.size()) {
        const std::size_t count = source_.read(data_ + end_, buffer_.size() - end_);
        sourceEnded_ = count == 0;
        end_ += count;
        added = count > 0;
    }
    if (moved || added) {
        mapItemEnds_(data_, end_, itemEnds_.data());
    }
    return added;
}

// The same from a source that lends its blocks: the next block, with the
// unread bytes (fewer than a block: a longer item is read as a long one)
// copied into the room before it; the block before is handed back.
bool FieldReader::borrow() {
    const std::size_t unread = end_ - position_;
    if (sourceEnded_) {
        if (position_ == 0) {
            return false;
        }
        data_ += position_;
    } else {
        const LentBlock next = source_.lend();
        if (unread > 0) {
            std::memcpy(next.data - unread, data_ + position_, unread);
        }
        if (lent_.data != nullptr) {
            source_.handBack(lent_);
        }
        lent_ = next;
        sourceEnded_ = next.size == 0;
        data_ = next.data - unread;
    }
    end_ = unread + (sourceEnded_ ? 0 : lent_.size);
    position_ = 0;
    if (itemEnds_.size() < (end_ + 63) / 64) {
        itemEnds_.resize((end_ + 63) / 64);
    }
    mapItemEnds_(data_, end_, itemEnds_.data());
    return end_ > unread;
}

// The first comma, CR or LF at or after `from`, which lies before the end of
// the buffer's bytes, or that end.
// The line end after an item and the tail of a quoted item are passed at the
// start of the next call, so that passing them never moves the bytes of the
// item that was just delivered.
void FieldReader::settlePending() {
    if (pending_ == Pending::RestOfQuotedItem) {
        pending_ = Pending::Nothing;
        for (;;) {
            if (position_ == end_ && !fill()) {
                return;
            }
            const char* const end = data_ + end_;
            const char* const stop = findItemEnd(data_ + position_);
            if (stop != end) {
                position_ = static_cast<std::size_t>(stop - data_) + 1;
                atLineStart_ = *stop != ',';
                if (*stop == '\r') {
                    pending_ = Pending::LineFeedAfterCr;
                }
                break;
            }
            position_ = end_;
        }
    }
    if (pending_ == Pending::LineFeedAfterCr) {
        pending_ = Pending::Nothing;
        if ((position_ < end_ || fill()) && data_[position_] == '\n') {
            ++position_;
        }
    }
}

bool FieldReader::nextAfterPending(Field& field) {
    settlePending();
    field.startsLine = atLineStart_;
    bool skippedBlanks = false;
    for (;;) {
        while (position_ < end_ && isBlank(data_[position_])) {
            ++position_;
            skippedBlanks = true;
        }
        if (position_ < end_) {
            break;
        }
        if (!fill()) {
            if (!skippedBlanks) {
                return false;
            }
            deliver(field, {}, 0);
            return true;
        }
    }
    if (data_[position_] == '"') {
        ++position_;
        readItem<true>(field);
    } else {
        readItem<false>(field);
    }
    return true;
}

template <bool Quoted>
void FieldReader::readItem(Field& field) {
    for (;;) {
        const char* const begin = data_ + position_;
        const char* const end = data_ + end_;
        const char* const stop = Quoted ? findQuote(begin, end) : findItemEnd(begin);
        if (stop != end) {
            std::string_view text(begin, static_cast<std::size_t>(stop - begin));
            if (!Quoted) {
                text = trimTrailingBlanks(text);
            }
            position_ = static_cast<std::size_t>(stop - data_) + 1;
            passDelimiter<Quoted>(*stop);
            deliver(field, text, text.size());
            return;
        }
        if (end_ - position_ >= kBlockSize) {
            readLongItem<Quoted>(field);
            return;
        }
        if (!fill()) {
            // The input ends inside the item: the item ends with it.
            std::string_view text(data_ + position_, end_ - position_);
            if (!Quoted) {
                text = trimTrailingBlanks(text);
            }
            position_ = end_;
            deliver(field, text, text.size());
            return;
        }
    }
}

// An item that fills the whole buffer: keep its first characters, count the
// rest as it streams past.
template <bool Quoted>
void FieldReader::readLongItem(Field& field) {
    longItem_.clear();
    std::uint64_t length = 0;
    std::uint64_t trailingBlanks = 0;
    for (;;) {
        const char* const begin = data_ + position_;
        const char* const end = data_ + end_;
        const char* const stop = Quoted ? findQuote(begin, end) : findItemEnd(begin);
        const std::string_view chunk(begin, static_cast<std::size_t>(stop - begin));
        if (longItem_.size() < keep_) {
            longItem_.append(chunk.substr(0, keep_ - longItem_.size()));
        }
        if (!Quoted) {
            const std::size_t chunkTrailing = chunk.size() - trimTrailingBlanks(chunk).size();
            trailingBlanks =
                chunkTrailing == chunk.size() ? trailingBlanks + chunkTrailing : chunkTrailing;
        }
        length += chunk.size();
        if (stop != end) {
            position_ = static_cast<std::size_t>(stop - data_) + 1;
            passDelimiter<Quoted>(*stop);
            break;
        }
        position_ = end_;
        if (!fill()) {
            break;
        }
    }
    length -= trailingBlanks;
    deliver(field, longItem_, length);
}

}  // namespace vandrel
