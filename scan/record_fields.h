#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "scan/header_reader.h"
#include "text/field_reader.h"
#include "text/held_text.h"

namespace vandrel {

// How much of an item the scan holds: enough for a header label and its
// value, and for the whole of any record's item.
inline constexpr std::size_t kKeptCharacters = 128;
// How much of a line the scan reads: enough for the columns of an observer
// table, which are found by their places in the line.
inline constexpr std::size_t kLineCharacters = 1024;

// The longest date text of a record: "B.C. " and "0500-Jan-01 00:00:00.0000".
inline constexpr std::size_t kLongestDateText = 30;

// A record's position or velocity, in the file's units; empty texts when it
// has none.
struct VectorTexts {
    std::string_view x, y, z;
};

// A number written as the shortest text that reads back as the same number,
// held in place: the scan's own numbers go the way of those it reads.
class ShortestNumberText {
  public:
    void write(double value);
    void clear() { length_ = 0; }
    std::string_view view() const { return {text_, length_}; }

  private:
    char text_[32];
    std::size_t length_ = 0;
};

// A distance worked out rather than read: it goes on as numbers, in the
// file's units, and is written as text only for a message.
struct MeasuredRange {
    double range = 0;
    double rate = 0;
    bool hasRate = false;
};

// The distance |r| of a position and, with a velocity, the range rate
// r.v/|r|, in the file's units: for a table without a range column.
class RangeFromPosition {
  public:
    // A position and velocity in numbers, such as the Sun's at a record.
    struct Origin {
        double position[3] = {0, 0, 0};
        double velocity[3] = {0, 0, 0};
    };

    // The vectors are taken from this origin, which the caller keeps up to
    // date, from now on: the Sun, for a table from another centre.
    void setOrigin(const Origin* origin) { origin_ = origin; }
    // The distance of the position, and with a whole velocity its rate; valid
    // until the next call.
    const MeasuredRange& compute(const VectorTexts& position, const VectorTexts& velocity);

  private:
    const Origin* origin_ = nullptr;
    MeasuredRange measured_;
};

// What the scan takes from the fields after "$$SOE". The texts are valid
// until the next field is read.
// (The flags stand together, so that the whole is 80 bytes, which the
// compiler clears with a few vector stores; at 88 it took a string
// instruction that cost the plain table a sixth of its time.)
struct RecordField {
    bool isDate = false;
    bool isDistance = false;
    // The distance or its rate was longer than the scan keeps: it cannot be read.
    bool cut = false;
    std::string_view dateText;      // the record's date and time, when isDate
    std::string_view instantText;   // its Julian day, when isDate
    std::string_view distanceText;  // the distance's number, when isDistance
    std::string_view rateText;      // the range rate's number; empty when there is none
    // A distance worked out from a position, instead of the two texts.
    const MeasuredRange* measured = nullptr;
};
static_assert(sizeof(RecordField) <= 80,
              "a larger RecordField is cleared by a slow string instruction");

// The record field of a distance worked out from a position.
inline RecordField measuredDistance(const MeasuredRange& measured) {
    RecordField field;
    field.isDistance = true;
    field.measured = &measured;
    return field;
}

// The three numbers of a plain table's position or velocity line.
VectorTexts plainVector(std::string_view line);

// The widths of the numbers of a plain table's fields, as Horizons writes
// them; the scan holds each record's numbers in as many characters.
inline constexpr std::size_t kJulianDayWidth = 17;     // "2458849.500000000", characters 1 to 17
inline constexpr std::size_t kRangeWidth = 21;         // "9.836868025025924E-01"
inline constexpr std::size_t kSignedNumberWidth = 22;  // "-1.730156260918764E-07": RR, X, VX, ...
inline constexpr std::size_t kDateTextLength = 25;     // characters 26 to 50 of a date field
inline constexpr std::size_t kPlainLineLength = 77;    // a distance, position or velocity line

namespace detail {

inline constexpr std::string_view kDateTag = "= A.D.";   // characters 19 to 24
inline constexpr std::string_view kDistanceTag = "RG=";  // characters 27 to 29
inline constexpr std::string_view kRateTag = "RR=";      // characters 53 to 55
inline constexpr std::uint64_t kDistanceFieldLength = kPlainLineLength;
inline constexpr std::uint64_t kDistanceWithoutRateLength = 51;
inline constexpr std::size_t kRangeStart = 30;  // characters 31 to 51 of a distance field
inline constexpr std::size_t kRateStart = 55;   // characters 56 to 77

inline bool hasTagAt(std::string_view text, std::size_t position, std::string_view tag) {
    return text.size() >= position - 1 + tag.size() &&
           std::memcmp(text.data() + position - 1, tag.data(), tag.size()) == 0;
}

// A three-character tag where the field's length shows it lies within: told
// character by character, since the compiler calls memcmp for three.
inline bool hasShortTagAt(std::string_view text, std::size_t position, std::string_view tag) {
    const char* const at = text.data() + position - 1;
    return at[0] == tag[0] && at[1] == tag[1] && at[2] == tag[2];
}

[[gnu::noinline]] void takeBeforeChristDate(std::string_view text, RecordField& kind);

}  // namespace detail

// A line of the plain table: "2459139.500000000 = A.D. 2020-Oct-17 00:00:00.0000 TDB"
// (or "= B.C. 0500-Jan-01 ...") is a date field; "LT= 5.738924308196282E-03
// RG= 9.936639412879141E-01 RR=..." of exactly 77 characters, or of 51
// without its rate, a distance field. The reader has dropped each line's
// leading blank. (A RecordField is kept small: one is made for every line;
// and this is inline, for every line of a table passes here, from the scan
// and from the Sun's file beside it. The slices are cut without the bounds
// checks of substr once the field's length is known.)
inline RecordField plainRecordField(const Field& field) {
    using namespace detail;
    const std::string_view text = field.text;
    RecordField kind;
    kind.isDate = hasTagAt(text, 19, kDateTag);
    if (kind.isDate) {
        // At least 24 characters: the date begins at 26, the Julian day ends at 17.
        const std::size_t dateStart = std::min<std::size_t>(25, text.size());
        kind.dateText = {text.data() + dateStart,
                         std::min(kDateTextLength, text.size() - dateStart)};
        kind.instantText = {text.data(), kJulianDayWidth};
    }
    if (field.length == kDistanceFieldLength) {
        if (hasShortTagAt(text, 27, kDistanceTag)) {
            // The field is whole and 77 characters long.
            kind.isDistance = true;
            kind.distanceText = {text.data() + kRangeStart, kRangeWidth};
            if (hasShortTagAt(text, 53, kRateTag)) {
                kind.rateText = {text.data() + kRateStart, kSignedNumberWidth};
            }
        }
    } else if (field.length == kDistanceWithoutRateLength &&
               hasShortTagAt(text, 27, kDistanceTag)) {
        kind.isDistance = true;
        kind.distanceText = {text.data() + kRangeStart, kRangeWidth};
    } else if (!kind.isDate) {
        takeBeforeChristDate(text, kind);
    }
    // One object returned on every path, so that it is built in place.
    return kind;
}

// "VX=... VY=... VZ=..." of 77 characters: a plain record's velocity line,
// which plainVector() cuts; "X =... Y =... Z =..." its position line.
bool isPlainVelocityLine(const Field& field);
bool isPlainPositionLine(const Field& field);

// The word after a plain date field's date and time: "TDB".
std::string_view plainTimeScale(std::string_view dateField);

// Gathers the items of one line of a file in CSV form, whose columns were
// named above "$$SOE", into one record: its calendar date ("A.D. " and the
// date/time text, or the whole of "B.C. ..."), Julian day, range, range rate
// and velocity; without a range column, the range and its rate of its
// position and velocity. Holds a fixed number of characters.
class CsvRecordLine {
  public:
    explicit CsvRecordLine(const CsvColumns& columns);

    // The next item of the current line (the first of a new line starts it).
    void take(const Field& field);
    bool empty() const { return !hasDate_ && !hasRange_ && positionItems_ == 0; }
    // The line's record; the line is emptied, and the texts stay valid until
    // the next call of take.
    RecordField takeRecord();
    // The line being read, or just taken, counted from 1.
    std::uint64_t line() const { return line_; }
    bool hasDate() const { return hasDate_; }
    // Its ranges are those of its positions, from the origin given.
    void measureFrom(const RangeFromPosition::Origin* origin) {
        readsPositions_ = columns_.hasPosition();
        fromPosition_.setOrigin(origin);
    }
    // The velocity of the line, counted from 1, is still held: it is the
    // current line or the one before, which are held in turn.
    bool holdsVelocityOf(std::uint64_t line) const { return line_ - line <= 1; }
    VectorTexts velocityOf(std::uint64_t line) const {
        const auto& velocity = velocity_[line & 1];
        return {velocity[0].view(), velocity[1].view(), velocity[2].view()};
    }

  private:
    void takeVector(const Field& field);

    const CsvColumns& columns_;
    bool readsPositions_;  // no range column (or the Sun's file given), but X, Y and Z
    // The columns of the vectors read lie from the first to the last of
    // these, so that every other item is passed by two comparisons.
    std::size_t firstVectorColumn_ = CsvColumns::kNone;
    std::size_t lastVectorColumn_ = 0;
    std::size_t column_ = 0;
    std::uint64_t line_ = 0;
    bool hasDate_ = false;
    bool hasRange_ = false;
    bool cut_ = false;  // the range or rate item is longer than the scan keeps
    int positionItems_ = 0;
    HeldText<kLongestDateText> date_;
    HeldText<kKeptCharacters, kJulianDayWidth> instant_;  // "2455197.500000000"
    HeldText<kKeptCharacters, kRangeWidth> range_;        // "9.833029493991273E-01"
    HeldText<kKeptCharacters, kSignedNumberWidth> rate_;  // "-1.331370071305297E-05"
    HeldText<kKeptCharacters, kSignedNumberWidth> velocity_[2]
                                                           [3];  // of lines of odd and even number
    HeldText<kKeptCharacters, kSignedNumberWidth> position_[3];
    RangeFromPosition fromPosition_;
};

}  // namespace vandrel
