#include "tests/scan_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "scan/ephemeris_scanner.h"
#include "scan/passage_refinement.h"
#include "scan/scan_messages.h"
#include "text/calendar.h"
#include "text/field_reader.h"
#include "text/number_text.h"

// The model reads items with FieldReader and numbers and dates with the
// shared text rules; everything else it does by hand, one step at a time,
// keeping every record it lets through. It has no quick paths.
namespace vandrel::testing {

namespace {

constexpr double kKmPerAu = 149597870.7;
constexpr std::size_t kItemCharacters = 128;   // an item is held no further
constexpr std::size_t kLineCharacters = 1024;  // nor read further
constexpr std::size_t kHeaderCharacters = 80;
constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Characters `from` to `from + count - 1`, counted from 1.
std::string slice(const std::string& text, std::size_t from, std::size_t count) {
    std::string part;
    for (std::size_t i = from - 1; i < text.size() && i < from - 1 + count; ++i) {
        part += text[i];
    }
    return part;
}

std::string trim(const std::string& text) {
    std::size_t first = 0;
    std::size_t end = text.size();
    while (first < end && isBlank(text[first])) {
        ++first;
    }
    while (end > first && isBlank(text[end - 1])) {
        --end;
    }
    return text.substr(first, end - first);
}

// A header value: its trimmed text, cut to the header's limit, trimmed again.
std::string headerValue(const std::string& text) {
    return trim(trim(text).substr(0, kHeaderCharacters));
}

bool startsWith(const std::string& text, const std::string& start) {
    return slice(text, 1, start.size()) == start;
}

// "3", " -12x": the whole number that opens the text, or 0.
int leadingNumber(const std::string& text) {
    const std::string value = trim(text);
    std::size_t i = value.size() > 0 && value[0] == '-' ? 1 : 0;
    const bool negative = i == 1;
    long long number = 0;
    const std::size_t first = i;
    for (; i < value.size() && isDigit(value[i]); ++i) {
        number = number * 10 + (value[i] - '0');
        if (number > 2147483648LL) {
            return 0;
        }
    }
    number = negative ? -number : number;
    return i == first || number > 2147483647LL || number < -2147483648LL ? 0
                                                                         : static_cast<int>(number);
}

// Past blanks, a sign and a point, a digit.
bool readsAsNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
    }
    return i < text.size() && isDigit(text[i]);
}

struct Point {  // one distance let through after the first counted date
    std::int32_t item;
    std::string instant;
    std::string date;
    std::string range;
    std::string rate;
};

struct Record {  // what one date field, distance field or CSV line carries
    bool hasDate = false;
    std::string date;
    std::string instant;
    bool hasRange = false;
    bool tooLong = false;  // its range or rate item is longer than the scan keeps
    std::string range;
    std::string rate;
    std::string position[3];  // a CSV line's X, Y, Z, where no RG column is named
    int positionItems = 0;
    std::string velocity[3];
};

// |r| of a position and r.v/|r| with a velocity, each as a text that reads
// back as the same number; the rate is empty without a whole velocity.
void rangeOfPosition(const std::string (&position)[3], const std::string (&velocity)[3],
                     std::string& range, std::string& rate) {
    const double x = TextToNumber(position[0]);
    const double y = TextToNumber(position[1]);
    const double z = TextToNumber(position[2]);
    const double r = std::hypot(x, y, z);
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", r);
    range = text;
    rate.clear();
    if (!velocity[0].empty() && !velocity[1].empty() && !velocity[2].empty() && r > 0) {
        std::snprintf(text, sizeof text, "%.17g",
                      (x * TextToNumber(velocity[0]) + y * TextToNumber(velocity[1]) +
                       z * TextToNumber(velocity[2])) /
                          r);
        rate = text;
    }
}

class Model {
  public:
    Model(const ScanSettings& settings, std::int32_t mostRecords, ScanObserver& observer)
        : settings_(settings), mostRecords_(mostRecords), observer_(observer) {}

    ScanOutcome run(std::string_view input) {
        if (settings_.startFilterOn) {
            startDay_ = ParseDate(settings_.startDateText);
            if (!startDay_) {
                return ScanFailure{ScanFailureKind::StartDateNotUnderstood,
                                   messages::startDateNotUnderstood(settings_.startDateText)};
            }
        }
        observer_.fileOpened();
        MemorySource source(input);
        FieldReader reader(source, kLineCharacters);
        Field field;
        while (reader.next(field)) {
            const std::string text(field.text);
            if (text == "$$EOE" && field.length == 5) {
                if (!started_) {
                    endBeforeStart_ = true;
                    continue;
                }
                return endOfRecords(true);
            }
            if (!started_ && text == "$$SOE" && field.length == 5) {
                startRecords();
                if (endBeforeStart_) {
                    warn(ScanWarningKind::EndBeforeStart, std::string(messages::kEndBeforeStart));
                    return finished();
                }
                if (settings_.endStopOn && settings_.endDateText.empty()) {
                    return finished();
                }
                continue;
            }
            if (!started_) {
                headerItem(text, field.startsLine);
                continue;
            }
            if (field.length > 0) {
                contentMet_ = true;
            }
            const auto failure = result_.header.csv ? csvItem(text, field.startsLine, field.length)
                                                    : plainItem(text, field.length);
            if (failure) {
                return *failure;
            }
            if (stopped_) {
                return finished();
            }
        }
        if (!started_) {
            return ScanFailure{ScanFailureKind::NoStartMarker,
                               std::string(messages::kNoStartMarker)};
        }
        return endOfRecords(false);
    }

  private:
    struct Columns {
        std::size_t julianDay = kNoColumn, date = kNoColumn, range = kNoColumn, rate = kNoColumn;
        std::size_t position[3] = {kNoColumn, kNoColumn, kNoColumn};
        std::size_t velocity[3] = {kNoColumn, kNoColumn, kNoColumn};
    };

    void headerItem(const std::string& text, bool startsLine) {
        if (startsLine) {
            endHeaderLine();
            const std::string value = slice(text, 18, text.size());
            if (startsWith(text, "Target body name:") || startsWith(text, "Center body name:")) {
                std::string body;
                for (std::size_t i = 0; i < value.size() && !startsWith(value.substr(i), "{source");
                     ++i) {
                    body += value[i];
                }
                (text[0] == 'T' ? header_.target : header_.centre) = headerValue(body);
            } else if (startsWith(text, "Output units    :")) {
                header_.units = headerValue(value);
            } else if (startsWith(text, "Output format   :")) {
                header_.outputFormat = leadingNumber(value);
            }
        } else {
            ++column_;
        }
        if (text == "JDTDB" || text == "JDUT" || text == "JDCT") {
            lineColumns_.julianDay = column_;
        } else if (startsWith(text, "Calendar Date (") && text.size() >= 16 && text.back() == ')') {
            lineColumns_.date = column_;
            lineTimeScale_ = headerValue(text.substr(15, text.size() - 16));
        } else if (text == "RG") {
            lineColumns_.range = column_;
        } else if (text == "RR") {
            lineColumns_.rate = column_;
        } else if (text == "X" || text == "Y" || text == "Z") {
            lineColumns_.position[text[0] - 'X'] = column_;
        } else if (text == "VX" || text == "VY" || text == "VZ") {
            lineColumns_.velocity[text[1] - 'X'] = column_;
        }
    }

    void endHeaderLine() {
        const bool position = lineColumns_.position[0] != kNoColumn &&
                              lineColumns_.position[1] != kNoColumn &&
                              lineColumns_.position[2] != kNoColumn;
        if (lineColumns_.julianDay != kNoColumn && lineColumns_.date != kNoColumn &&
            (lineColumns_.range != kNoColumn || position)) {
            header_.csv = true;
            header_.timeScale = lineTimeScale_;
            columns_ = lineColumns_;
        }
        lineColumns_ = {};
        lineTimeScale_.clear();
        column_ = 0;
    }

    void startRecords() {
        started_ = true;
        endHeaderLine();
        result_.header = header_;
        const std::string& centre = header_.centre;
        if (!centre.empty() && centre != "Sun (10)") {
            warn(ScanWarningKind::NotFromTheSun, messages::notFromTheSun(centre));
        }
        const int format = header_.outputFormat;
        readsPositions_ = !header_.csv && (format == 0 || format == 1 || format == 2);
        const std::string& units = header_.units;
        if (units == "KM-S" || units == "KM-D") {
            inKm_ = true;
        } else if (!units.empty() && units != "AU-D") {
            warn(ScanWarningKind::UnknownUnits, messages::unknownUnits(units));
        }
    }

    void warn(ScanWarningKind kind, std::string message) {
        result_.warnings.push_back({kind, std::move(message)});
    }

    std::optional<ScanFailure> plainItem(const std::string& text, std::uint64_t length) {
        Record record;
        record.hasDate = slice(text, 19, 6) == "= A.D.";
        std::size_t dateEnd = 50;
        if (record.hasDate) {
            record.date = slice(text, 26, 25);
            record.instant = slice(text, 1, 17);
        } else if (const std::size_t tag = text.substr(0, 32).find(" = B.C. ");
                   tag != std::string::npos && tag > 0 && length != 77 &&
                   !(length == 51 && slice(text, 27, 3) == "RG=")) {
            record.hasDate = true;
            record.date = slice(text, tag + 4, 30);
            record.instant = text.substr(0, tag);
            dateEnd = tag + 33;
        }
        if (record.hasDate) {
            if (result_.header.timeScale.empty()) {
                std::size_t i = dateEnd;
                while (i < text.size() && isBlank(text[i])) {
                    ++i;
                }
                for (; i < text.size() && !isBlank(text[i]); ++i) {
                    result_.header.timeScale += text[i];
                }
                result_.header.timeScale = result_.header.timeScale.substr(0, kHeaderCharacters);
            }
        }
        // Without its rate, the line ends after the range.
        record.hasRange = (length == 77 || length == 51) && slice(text, 27, 3) == "RG=";
        if (record.hasRange) {
            record.range = slice(text, 31, 21);
            record.rate = slice(text, 53, 3) == "RR=" ? slice(text, 56, 22) : "";
            recordHasRange_ = true;
            readsPositions_ = false;
        }
        const bool vectorLine = length == 77 && !record.hasDate && !record.hasRange;
        if (vectorLine && slice(text, 1, 3) == "VX=" && slice(text, 27, 3) == "VY=" &&
            slice(text, 53, 3) == "VZ=") {
            velocityLine_ = text;
            velocityRecord_ = dateFieldsMet_;
        } else if (vectorLine && readsPositions_ && slice(text, 1, 3) == "X =" &&
                   slice(text, 27, 3) == "Y =" && slice(text, 53, 3) == "Z =") {
            positionLine_ = text;
            positionRecord_ = dateFieldsMet_;
        }
        if (record.hasDate) {
            if (const auto failure = rangeOfPositionLine()) {
                return failure;
            }
        }
        return takeRecord(record);
    }

    // A plain record without a range but with a position line: its range.
    std::optional<ScanFailure> rangeOfPositionLine() {
        const bool hasRange = recordHasRange_;
        recordHasRange_ = false;
        if (!readsPositions_ || hasRange || dateFieldsMet_ == 0 ||
            positionRecord_ != dateFieldsMet_) {
            return std::nullopt;
        }
        Record record;
        record.hasRange = true;
        std::string position[3];
        std::string velocity[3];
        for (int axis = 0; axis < 3; ++axis) {
            position[axis] = slice(positionLine_, 4 + 26 * axis, 22);
            if (velocityRecord_ == dateFieldsMet_) {
                velocity[axis] = slice(velocityLine_, 4 + 26 * axis, 22);
            }
        }
        rangeOfPosition(position, velocity, record.range, record.rate);
        return takeRecord(record);
    }

    // A CSV line is one record, taken when the next line begins.
    std::optional<ScanFailure> csvItem(const std::string& text, bool startsLine,
                                       std::uint64_t length) {
        if (startsLine) {
            if (line_.hasDate || line_.hasRange || line_.positionItems > 0) {
                const auto failure = takeLine();
                if (failure || stopped_) {
                    return failure;
                }
            }
            line_ = {};
            column_ = 0;
        } else {
            ++column_;
        }
        if (column_ == columns_.date && startsWith(text, "A.D. ")) {
            line_.hasDate = true;
            line_.date = slice(text, 6, 25);
        } else if (column_ == columns_.date && startsWith(text, "B.C. ")) {
            line_.hasDate = true;
            line_.date = slice(text, 1, 30);
        } else if (column_ == columns_.range) {
            line_.hasRange = true;
            line_.tooLong = line_.tooLong || length > kItemCharacters;
            line_.range = text;
        } else if (column_ == columns_.julianDay) {
            line_.instant = text;
        } else if (column_ == columns_.rate) {
            line_.tooLong = line_.tooLong || length > kItemCharacters;
            line_.rate = text;
        } else {
            for (int axis = 0; axis < 3; ++axis) {
                if (column_ == columns_.velocity[axis]) {
                    line_.velocity[axis] = text;
                }
                if (column_ == columns_.position[axis] && columns_.range == kNoColumn) {
                    line_.position[axis] = text;
                    ++line_.positionItems;
                }
            }
        }
        return std::nullopt;
    }

    std::optional<ScanFailure> takeLine() {
        if (line_.positionItems == 3) {
            line_.hasRange = true;
            rangeOfPosition(line_.position, line_.velocity, line_.range, line_.rate);
        }
        return takeRecord(line_);
    }

    std::optional<ScanFailure> takeRecord(const Record& record) {
        if (record.hasDate) {
            currentDate_ = record.date;
            currentInstant_ = record.instant;
            ++dateFieldsMet_;
            const std::string day =
                currentDate_.substr(0, startsWith(currentDate_, "B.C. ") ? 16 : 11);
            const auto recordDay = settings_.startFilterOn ? ParseDate(day) : std::nullopt;
            if (settings_.startFilterOn && !recordDay) {
                return ScanFailure{ScanFailureKind::RecordDateNotUnderstood,
                                   messages::recordDateNotUnderstood(dateFieldsMet_, trim(day))};
            }
            beforeStart_ = recordDay && *recordDay < *startDay_;
            if (!beforeStart_) {
                stopped_ = settings_.endStopOn && day == settings_.endDateText;
                if (result_.datedCount == mostRecords_) {
                    return ScanFailure{ScanFailureKind::TooManyRecords,
                                       std::string(messages::kTooManyRecords)};
                }
                ++result_.datedCount;
            }
        }
        if (!record.hasRange) {
            return std::nullopt;
        }
        ++distanceFieldsMet_;
        if (beforeStart_ || stopped_) {
            return std::nullopt;
        }
        if (record.tooLong) {
            return ScanFailure{ScanFailureKind::DistanceOutOfRange,
                               messages::itemTooLong(dateFieldsMet_, kItemCharacters)};
        }
        if (result_.datedCount > 0) {
            takePoint(
                {result_.datedCount, currentInstant_, currentDate_, record.range, record.rate});
        }
        const double x = TextToNumber(record.range);
        if (!std::isfinite(x * kKmPerAu)) {
            return ScanFailure{ScanFailureKind::DistanceOutOfRange,
                               messages::distanceOutOfRange(dateFieldsMet_, trim(record.range))};
        }
        if (settings_.trackMinimum && (result_.datedCount == 1 || x < leastWritten_)) {
            leastWritten_ = x;
            replace(result_.minimum, x);
            observer_.newMinimum(result_.datedCount);
        }
        if (settings_.trackMaximum && x > mostWritten_) {
            mostWritten_ = x;
            replace(result_.maximum, x);
            observer_.newMaximum(result_.datedCount);
        }
        return std::nullopt;
    }

    void replace(DistanceExtreme& extreme, double x) const {
        extreme.au = inKm_ ? x / kKmPerAu : x;
        extreme.km = TextToNumber(NumberToText(inKm_ ? x : x * kKmPerAu));
        extreme.dateText = currentDate_;
        extreme.item = result_.datedCount;
    }

    static bool allowed(PassageKind kind, double t, double value, double t0, double a0, double t1,
                        double a1) {
        const bool inRange =
            kind == PassageKind::Perihelion ? value <= std::min(a0, a1) : value >= std::max(a0, a1);
        return t >= t0 && t <= t1 && value > 0 && std::isfinite(value) && inRange;
    }

    double au(const Point& point) const {
        return TextToNumber(point.range) * (inKm_ ? 1 / kKmPerAu : 1);
    }

    double auPerDay(const Point& point) const {
        const double perUnit = header_.units == "KM-S" ? 86400 / kKmPerAu
                               : inKm_                 ? 1 / kKmPerAu
                                                       : 1;
        return TextToNumber(point.rate) * perUnit;
    }

    std::optional<double> instant(const Point& point) const {
        if (readsAsNumber(point.instant)) {
            return TextToNumber(point.instant);
        }
        return julianDayOfDateText(point.date);
    }

    static int writtenSign(const Point& point) {
        const double value = TextToNumber(point.rate);
        return (value > 0) - (value < 0);
    }

    // Each pair of records with rates, or else each three records, may
    // close a passage. Its kind is told by the rates' written signs; a
    // record whose rate is 0 where the rate turns, or at the first record,
    // is the passage. A refinement outside what its two records allow gives
    // way to the parabola with the record before, and then to the nearer
    // record.
    void takePoint(const Point& point) {
        points_.push_back(point);
        const std::size_t n = points_.size();
        if (n < 2) {
            return;
        }
        const Point& previous = points_[n - 2];
        std::optional<TruePassage> passage;
        if (!previous.rate.empty() && !point.rate.empty()) {
            const int earlierSign = writtenSign(previous);
            const int laterSign = writtenSign(point);
            const bool atFirst = n == 2 && earlierSign == 0 && laterSign != 0;
            const bool perihelion = atFirst ? laterSign > 0 : earlierSign < 0 && laterSign >= 0;
            const bool aphelion = atFirst ? laterSign < 0 : earlierSign > 0 && laterSign <= 0;
            const auto t0 = instant(previous);
            const auto t1 = instant(point);
            if ((perihelion || aphelion) && t0 && t1 && *t1 > *t0) {
                const PassageKind kind =
                    perihelion ? PassageKind::Perihelion : PassageKind::Aphelion;
                const double a0 = au(previous);
                const double a1 = au(point);
                const auto refined = refineBetweenRecords(kind, {*t0, a0, auPerDay(previous)},
                                                          {*t1, a1, auPerDay(point)});
                // A passage at a record needs a finite instant and a positive distance.
                const auto possible = [](double t, double a) {
                    return std::isfinite(t) && a > 0 && std::isfinite(a);
                };
                if (atFirst || laterSign == 0) {
                    if (possible(atFirst ? *t0 : *t1, atFirst ? a0 : a1)) {
                        passage = TruePassage{kind,          atFirst ? *t0 : *t1, atFirst ? a0 : a1,
                                              previous.item, point.item,          {}};
                    }
                } else if (refined &&
                           allowed(kind, refined->julianDay, refined->au, *t0, a0, *t1, a1)) {
                    passage = TruePassage{kind,          refined->julianDay, refined->au,
                                          previous.item, point.item,         {}};
                } else {
                    const auto parabola = n >= 3 && instant(points_[n - 3])
                                              ? refineAcrossThreeRecords(
                                                    {*instant(points_[n - 3]), au(points_[n - 3])},
                                                    {*t0, a0}, {*t1, a1})
                                              : std::nullopt;
                    const bool nearEarlier = perihelion == (a0 <= a1);
                    if (parabola && parabola->kind == kind &&
                        allowed(kind, parabola->time, parabola->au, *t0, a0, *t1, a1)) {
                        passage = TruePassage{kind,          parabola->time, parabola->au,
                                              previous.item, point.item,     {}};
                    } else if (possible(nearEarlier ? *t0 : *t1, nearEarlier ? a0 : a1)) {
                        passage = TruePassage{kind,
                                              nearEarlier ? *t0 : *t1,
                                              nearEarlier ? a0 : a1,
                                              previous.item,
                                              point.item,
                                              {}};
                    }
                }
            }
        } else if (n >= 3) {
            const Point& before = points_[n - 3];
            const double a = au(before);
            const double b = au(previous);
            const double c = au(point);
            const auto t0 = instant(before);
            const auto t1 = instant(previous);
            const auto t2 = instant(point);
            if (((a > b && b <= c) || (a < b && b >= c)) && t0 && t1 && t2) {
                if (const auto refined = refineAcrossThreeRecords({*t0, a}, {*t1, b}, {*t2, c})) {
                    const bool early = refined->side == VertexSide::BeforeMiddle;
                    passage = TruePassage{refined->kind,
                                          refined->time,
                                          refined->au,
                                          early ? before.item : previous.item,
                                          early ? previous.item : point.item,
                                          {}};
                }
            }
        }
        if (passage) {
            passages_.push_back(*passage);
            observer_.newPassage(*passage, result_.header);
        }
    }

    // At "$$EOE" or at the end of the input.
    ScanOutcome endOfRecords(bool endMarkerMet) {
        if (const auto failure = rangeOfPositionLine()) {
            return *failure;
        }
        if (result_.header.csv && (line_.hasDate || line_.hasRange || line_.positionItems > 0)) {
            if (const auto failure = takeLine()) {
                return *failure;
            }
            if (stopped_) {
                return finished();
            }
        }
        if (dateFieldsMet_ > 0 && distanceFieldsMet_ == 0) {
            return ScanFailure{ScanFailureKind::NoDistances, std::string(messages::kNoDistances)};
        }
        if (dateFieldsMet_ == 0 && contentMet_) {
            return ScanFailure{ScanFailureKind::NoRecords, std::string(messages::kNoRecords)};
        }
        if (!endMarkerMet) {
            warn(ScanWarningKind::EndMarkerMissing, std::string(messages::kEndMarkerMissing));
        }
        if (settings_.startFilterOn && dateFieldsMet_ > 0 && result_.datedCount == 0) {
            warn(ScanWarningKind::StartDateAfterEveryRecord,
                 messages::startDateAfterEveryRecord(settings_.startDateText));
        }
        if (settings_.endStopOn) {
            warn(ScanWarningKind::EndDateNeverMet,
                 messages::endDateNeverMet(settings_.endDateText));
        }
        return finished();
    }

    // The true extremes: the deepest passage of each kind, or the end of the
    // span where the extreme distance lies.
    ScanOutcome finished() {
        for (const TruePassage& passage : passages_) {
            const bool perihelion = passage.kind == PassageKind::Perihelion;
            auto& best = perihelion ? result_.truePerihelion.passage : result_.trueAphelion.passage;
            if (!best || (perihelion ? passage.au < best->au : passage.au > best->au)) {
                best = passage;
            }
        }
        if (!points_.empty()) {
            const double first = au(points_.front());
            const double last = au(points_.back());
            if (!result_.truePerihelion.passage) {
                result_.truePerihelion.endWithoutPassage =
                    first <= last ? SpanEnd::First : SpanEnd::Last;
            }
            if (!result_.trueAphelion.passage) {
                result_.trueAphelion.endWithoutPassage =
                    first >= last ? SpanEnd::First : SpanEnd::Last;
            }
        }
        return result_;
    }

    const ScanSettings& settings_;
    const std::int32_t mostRecords_;
    ScanObserver& observer_;
    std::optional<DayNumber> startDay_;
    ScanResult result_;
    EphemerisHeader header_;
    Columns columns_;
    Columns lineColumns_;
    std::string lineTimeScale_;
    std::size_t column_ = 0;
    bool started_ = false;
    bool inKm_ = false;
    bool stopped_ = false;
    bool contentMet_ = false;
    bool beforeStart_ = false;  // the latest date is before the start date
    bool endBeforeStart_ = false;
    bool readsPositions_ = false;  // a plain table that has shown no range
    bool recordHasRange_ = false;
    std::string positionLine_;
    std::uint64_t positionRecord_ = 0;
    std::string velocityLine_;
    std::uint64_t velocityRecord_ = 0;
    std::string currentDate_;
    std::string currentInstant_;
    std::uint64_t dateFieldsMet_ = 0;
    std::uint64_t distanceFieldsMet_ = 0;
    double leastWritten_ = 0;  // the extremes as the file writes them
    double mostWritten_ = 0;
    Record line_;
    std::vector<Point> points_;
    std::vector<TruePassage> passages_;
};

std::string describe(const TruePassage& passage) {
    char text[200];
    std::snprintf(text, sizeof text, "passage %d %.17g %.17g between %d %d",
                  static_cast<int>(passage.kind), passage.julianDay, passage.au, passage.itemBefore,
                  passage.itemAfter);
    return text;
}

// What the observer is told, one line each.
class RecordingObserver final : public ScanObserver {
  public:
    void fileOpened() override { events += "opened\n"; }
    void newMinimum(std::int32_t item) override { events += "min " + std::to_string(item) + "\n"; }
    void newMaximum(std::int32_t item) override { events += "max " + std::to_string(item) + "\n"; }
    // Passages apart: a passage may wait for the record after it.
    void newPassage(const TruePassage& passage, const EphemerisHeader&) override {
        passages += describe(passage) + "\n";
    }
    std::string events;
    std::string passages;
};

std::string describe(const DistanceExtreme& e) {
    char text[200];
    std::snprintf(text, sizeof text, "item %d [%s] %.17g AU %.17g km", e.item, e.dateText.c_str(),
                  e.au, e.km);
    return text;
}

std::string describe(const TrueExtreme& truth) {
    return truth.passage
               ? describe(*truth.passage)
               : "no passage, end " + std::to_string(static_cast<int>(truth.endWithoutPassage));
}

// Every field of an outcome, one per line.
std::string describe(const ScanOutcome& outcome) {
    if (const auto* failure = std::get_if<ScanFailure>(&outcome)) {
        return "failure " + std::to_string(static_cast<int>(failure->kind)) + ": " +
               failure->message + "\n";
    }
    const auto& r = std::get<ScanResult>(outcome);
    const EphemerisHeader& h = r.header;
    std::string text = "datedCount " + std::to_string(r.datedCount) + "\nminimum " +
                       describe(r.minimum) + "\nmaximum " + describe(r.maximum) + "\nheader [" +
                       h.target + "] [" + h.centre + "] [" + h.units + "] " +
                       std::to_string(h.outputFormat) + " [" + h.timeScale + "] " +
                       (h.csv ? "csv" : "plain") + "\nperihelion " + describe(r.truePerihelion) +
                       "\naphelion " + describe(r.trueAphelion) + "\n";
    for (const ScanWarning& warning : r.warnings) {
        if (warning.kind == ScanWarningKind::UncertainPassages) {
            continue;  // the error estimates are tested on orbits of their own
        }
        text += "warning " + std::to_string(static_cast<int>(warning.kind)) + ": " +
                warning.message + "\n";
    }
    return text;
}

// Forms the model does not cover, and their own tests pin: an observer
// table's column names ("Date__(UT)__HR:MN ..."), and a legend, which begins
// with a line of the Julian day's name alone. Found loosely: some inputs
// are passed over that need not be.
bool outsideTheModel(std::string_view input) {
    if (input.find("Date_") != std::string_view::npos) {
        return true;
    }
    for (const std::string_view name : {"JDTDB", "JDUT", "JDCT"}) {
        for (std::size_t at = input.find(name); at != std::string_view::npos;
             at = input.find(name, at + 1)) {
            const std::size_t end = at + name.size();
            if (end == input.size() || input[end] == '\r' || input[end] == '\n' ||
                input[end] == ' ' || input[end] == '\t') {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

std::string differenceFromModel(std::string_view input, const ScanSettings& settings,
                                std::int32_t mostRecords) {
    if (outsideTheModel(input)) {
        return {};
    }
    RecordingObserver scannerObserver;
    MemorySource source(input);
    const std::string scanned =
        describe(EphemerisScanner(mostRecords).scan(source, settings, scannerObserver));
    RecordingObserver modelObserver;
    const std::string expected = describe(Model(settings, mostRecords, modelObserver).run(input));
    // A scan that fails says no more of the passages that wait for a record.
    const bool failed = scanned.starts_with("failure");
    const std::string scannerSays =
        scanned + scannerObserver.events + (failed ? "" : scannerObserver.passages);
    const std::string modelSays =
        expected + modelObserver.events + (failed ? "" : modelObserver.passages);
    if (scannerSays == modelSays) {
        return {};
    }
    return "scanner:\n" + scannerSays + "model:\n" + modelSays;
}

}  // namespace vandrel::testing
