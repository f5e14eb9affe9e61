#include "tests/scan_model.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include "scan/ephemeris_scanner.h"
#include "scan/passage_refinement.h"
#include "scan/scan_messages.h"
#include "text/calendar.h"
#include "text/field_reader.h"
#include "text/number_text.h"
#include "text/text_slice.h"

// The model scans the plainest way, in stages over whole lists: the file's
// items, cut into header and body at the markers; the header's labelled
// lines and named columns; the body as one list of dates and distances in
// file order; then one walk over that list for the span, the extremes and
// the points, and the passages found among all the points at the end. It
// reads items with FieldReader and numbers and dates with the shared text
// rules, holds everything and takes no shortcut.
namespace vandrel::testing {

namespace {

constexpr double kKmPerAu = 149597870.7;
constexpr std::size_t kLongestItem = 128;  // a longer number is held cut; a range or rate fails
constexpr std::size_t kLongestLine = 1024;

struct Item {
    std::string text;
    std::uint64_t length;
    bool startsLine;
};
using Line = std::vector<Item>;

// Characters `from` (counted from 0) to `from + count`, as far as the text goes.
std::string part(const std::string& text, std::size_t from, std::size_t count) {
    return from < text.size() ? text.substr(from, count) : std::string();
}

std::string trimmed(std::string_view text) {
    return std::string(TextTrimmed(text));
}

// A header value: trimmed, cut to 80 characters, trimmed again.
std::string kept(std::string_view text) {
    return trimmed(trimmed(text).substr(0, EphemerisHeader::kMostCharacters));
}

std::vector<Line> linesOf(const std::vector<Item>& items) {
    std::vector<Line> lines;
    for (const Item& item : items) {
        if (item.startsLine || lines.empty()) {
            lines.emplace_back();
        }
        lines.back().push_back(item);
    }
    return lines;
}

// The header's labelled lines, and the columns of the last line that names
// a Julian day, a calendar date and a range or X, Y and Z.
struct Header {
    EphemerisHeader fields;
    std::map<std::string, std::size_t> columns;
};

Header readHeader(const std::vector<Line>& lines) {
    Header header;
    for (const Line& line : lines) {
        const std::string& first = line.front().text;
        const std::string value = part(first, 17, first.size());
        if (first.starts_with("Target body name:") || first.starts_with("Center body name:")) {
            (first[0] == 'T' ? header.fields.target : header.fields.centre) =
                kept(value.substr(0, value.find("{source")));
        } else if (first.starts_with("Output units    :")) {
            header.fields.units = kept(value);
        } else if (first.starts_with("Output format   :")) {
            const std::string number = trimmed(value);
            int format = 0;
            const auto read = std::from_chars(number.data(), number.data() + number.size(), format);
            header.fields.outputFormat = read.ec == std::errc() ? format : 0;
        }
        std::map<std::string, std::size_t> named;
        std::string timeScale;
        for (std::size_t column = 0; column < line.size(); ++column) {
            const std::string& name = line[column].text;
            if (name == "JDTDB" || name == "JDUT" || name == "JDCT") {
                named["JD"] = column;
            } else if (name.starts_with("Calendar Date (") && name.ends_with(")")) {
                named["date"] = column;
                timeScale = kept(name.substr(15, name.size() - 16));
            } else if (name == "RG" || name == "RR" || name == "X" || name == "Y" || name == "Z" ||
                       name == "VX" || name == "VY" || name == "VZ") {
                named[name] = column;
            }
        }
        const bool position = named.count("X") + named.count("Y") + named.count("Z") == 3;
        if (named.count("JD") && named.count("date") && (named.count("RG") || position)) {
            header.fields.csv = true;
            header.fields.timeScale = timeScale;
            header.columns = named;
        }
    }
    return header;
}

// A date or a distance of the body, in file order.
struct Entry {
    bool isDate = false;
    std::string date;       // "2020-Jan-01 00:00:00.0000" or "B.C. 0500-Jan-01 00:00:00.0000"
    std::string instant;    // the Julian day as written
    std::string timeScale;  // the word after a plain table's date: "TDB"
    std::string range;      // as written, for a message
    double distance = 0;
    std::optional<double> rate;
    bool tooLong = false;
};

// A distance read from its text, with its rate where the text is not empty.
Entry distanceRead(const std::string& range, const std::string& rate) {
    Entry entry;
    entry.range = range;
    entry.distance = TextToNumber(range);
    entry.rate = rate.empty() ? std::nullopt : std::optional(TextToNumber(rate));
    return entry;
}

Entry dateEntry(std::string date, std::string instant, std::string timeScale = {}) {
    return {true, std::move(date), std::move(instant), std::move(timeScale), {}, {}, false};
}

// The distance of a position from the centre, and with a whole velocity its
// rate r.v/|r|: numbers, written only for a message.
Entry distanceOfPosition(const std::string (&position)[3], const std::string (&velocity)[3]) {
    double p[3];
    double v[3];
    for (int axis = 0; axis < 3; ++axis) {
        p[axis] = TextToNumber(position[axis]);
        v[axis] = TextToNumber(velocity[axis]);
    }
    Entry entry;
    entry.distance = std::hypot(p[0], p[1], p[2]);
    char range[40];
    std::snprintf(range, sizeof range, "%.17g", entry.distance);
    entry.range = range;
    if (!velocity[0].empty() && !velocity[1].empty() && !velocity[2].empty() &&
        entry.distance > 0) {
        entry.rate = (p[0] * v[0] + p[1] * v[1] + p[2] * v[2]) / entry.distance;
    }
    return entry;
}

// The three numbers of a plain position or velocity line, 22 characters each.
void vectorOfLine(const std::string& line, std::string (&vector)[3]) {
    for (int axis = 0; axis < 3; ++axis) {
        vector[axis] = line.empty() ? "" : part(line, 3 + 26 * axis, 22);
    }
}

bool tagged(const std::string& text, const char* x, const char* y, const char* z) {
    return part(text, 0, 3) == x && part(text, 26, 3) == y && part(text, 52, 3) == z;
}

// A plain table: each line is one item. A record begins at its date line
// ("2458849.500000000 = A.D. 2020-Jan-01 00:00:00.0000 TDB", or "... =
// B.C. ..." wherever the Julian day ends), and its distance is on its
// 77-character "LT= RG= RR=" line (51 without "RR="). While no such line has
// been met, a table of output format 1 or 2 (or one that does not say) gives
// each record the distance of its "X = Y = Z =" line, rated by its "VX= VY=
// VZ=" line.
std::vector<Entry> plainEntries(const std::vector<Item>& body, int outputFormat) {
    std::vector<Entry> entries;
    bool positionsRead = outputFormat >= 0 && outputFormat <= 2;
    bool inRecord = false;
    std::string positionLine;
    std::string velocityLine;
    const auto endRecord = [&] {
        if (inRecord && positionsRead && !positionLine.empty()) {
            std::string position[3];
            std::string velocity[3];
            vectorOfLine(positionLine, position);
            vectorOfLine(velocityLine, velocity);
            entries.push_back(distanceOfPosition(position, velocity));
        }
        positionLine.clear();
        velocityLine.clear();
    };
    for (const Item& item : body) {
        const std::string& text = item.text;
        const bool whole = item.length == 77;
        const bool hasRange = (whole || item.length == 51) && part(text, 26, 3) == "RG=";
        const bool afterChrist = part(text, 18, 6) == "= A.D.";
        const std::size_t beforeChrist = afterChrist || whole || hasRange
                                             ? std::string::npos
                                             : text.substr(0, 32).find(" = B.C. ");
        positionsRead = positionsRead && !hasRange;
        if (afterChrist || (beforeChrist != std::string::npos && beforeChrist > 0)) {
            endRecord();
            inRecord = true;
            const std::size_t dateEnd = afterChrist ? 50 : beforeChrist + 33;
            const std::string rest = trimmed(part(text, dateEnd, text.size()));
            const std::string timeScale = rest.substr(0, rest.find_first_of(" \t"));
            entries.push_back(afterChrist
                                  ? dateEntry(part(text, 25, 25), text.substr(0, 17), timeScale)
                                  : dateEntry(part(text, beforeChrist + 3, 30),
                                              text.substr(0, beforeChrist), timeScale));
        } else if (whole && tagged(text, "VX=", "VY=", "VZ=")) {
            velocityLine = text;
        } else if (whole && tagged(text, "X =", "Y =", "Z =")) {
            positionLine = text;
        }
        if (hasRange) {
            entries.push_back(distanceRead(
                part(text, 30, 21), whole && part(text, 52, 3) == "RR=" ? part(text, 55, 22) : ""));
        }
    }
    endRecord();
    return entries;
}

// A table in CSV form: each line that holds a date, a range or a position
// is one record, its items placed by the columns the header names. Without
// an RG column, the range and rate are those of X, Y, Z and VX, VY, VZ.
std::vector<Entry> csvEntries(const std::vector<Line>& lines,
                              const std::map<std::string, std::size_t>& columns) {
    const auto named = [&](const std::string& name, std::size_t column) {
        const auto found = columns.find(name);
        return found != columns.end() && found->second == column;
    };
    const bool positionsRead = !columns.count("RG");
    std::vector<Entry> entries;
    for (const Line& line : lines) {
        // The first line may go on from the "$$SOE" item's.
        const std::size_t first = line.front().startsLine ? 0 : 1;
        Entry date = dateEntry("", "");
        std::string range;
        std::string rate;
        bool tooLong = false;
        bool hasDate = false;
        bool hasRange = false;
        int positionItems = 0;
        std::string position[3];
        std::string velocity[3];
        for (std::size_t i = 0; i < line.size(); ++i) {
            const std::size_t column = first + i;
            const std::string held = line[i].text.substr(0, kLongestItem);
            const bool cut = line[i].length > kLongestItem;
            if (named("date", column)) {
                hasDate = held.starts_with("A.D. ") || held.starts_with("B.C. ");
                date.date = held.starts_with("A.D. ") ? part(held, 5, 25) : held.substr(0, 30);
            } else if (named("RG", column)) {
                hasRange = true;
                range = held;
                tooLong = tooLong || cut;
            } else if (named("RR", column)) {
                rate = held;
                tooLong = tooLong || cut;
            } else if (named("JD", column)) {
                date.instant = held;
            }
            for (int axis = 0; axis < 3; ++axis) {
                const std::string x(1, static_cast<char>('X' + axis));
                if (named("V" + x, column)) {
                    velocity[axis] = held;
                } else if (positionsRead && named(x, column)) {
                    position[axis] = held;
                    ++positionItems;
                }
            }
        }
        if (hasDate) {
            entries.push_back(date);
        }
        if (hasRange || positionItems == 3) {
            entries.push_back(positionItems == 3 ? distanceOfPosition(position, velocity)
                                                 : distanceRead(range, rate));
            entries.back().tooLong = tooLong;
        }
    }
    return entries;
}

// A record's instant: its Julian day where that reads as a number (past
// blanks, a sign and a point, a digit), else that of its date and time.
double instantOf(const Entry& date) {
    const std::string day = trimmed(date.instant);
    std::size_t i = day.starts_with('+') || day.starts_with('-') ? 1 : 0;
    i += part(day, i, 1) == ".";
    if (i < day.size() && day[i] >= '0' && day[i] <= '9') {
        return TextToNumber(day);
    }
    return julianDayOfDateText(date.date).value_or(std::nan(""));
}

struct Point {  // a distance let through, after the first record let through
    std::int32_t item;
    double julianDay;  // NaN where neither the Julian day nor the date can be read
    double au;
    std::optional<double> rate;  // in the file's units
};

// Each pair of records with rates, or else each three records, may hold a
// passage. Its kind is told by the rates' written signs; a record whose
// rate is 0 where the rate turns, or at the first record, is the passage. A
// refinement outside what its two records allow gives way to the parabola
// with the record before, and then to the nearer record.
std::vector<TruePassage> passagesAmong(const std::vector<Point>& points, double auPerDayPerUnit) {
    const auto possible = [](double t, double a) {
        return std::isfinite(t) && a > 0 && std::isfinite(a);
    };
    const auto allowed = [](bool perihelion, double t, double a, const Point& p, const Point& q) {
        const bool inRange = perihelion ? a <= std::min(p.au, q.au) : a >= std::max(p.au, q.au);
        return t >= p.julianDay && t <= q.julianDay && a > 0 && std::isfinite(a) && inRange;
    };
    const auto sign = [](const Point& point) { return (*point.rate > 0) - (*point.rate < 0); };
    std::vector<TruePassage> passages;
    for (std::size_t n = 1; n < points.size(); ++n) {
        const Point& p = points[n - 1];
        const Point& q = points[n];
        const Point* before = n >= 2 ? &points[n - 2] : nullptr;
        if (!p.rate || !q.rate) {
            if (before == nullptr || std::isnan(before->julianDay) || std::isnan(p.julianDay) ||
                std::isnan(q.julianDay) ||
                !((before->au > p.au && p.au <= q.au) || (before->au < p.au && p.au >= q.au))) {
                continue;
            }
            if (const auto vertex = refineAcrossThreeRecords(
                    {before->julianDay, before->au}, {p.julianDay, p.au}, {q.julianDay, q.au})) {
                const bool early = vertex->side == VertexSide::BeforeMiddle;
                passages.push_back({vertex->kind,
                                    vertex->time,
                                    vertex->au,
                                    early ? before->item : p.item,
                                    early ? p.item : q.item,
                                    {}});
            }
            continue;
        }
        const int earlier = sign(p);
        const int later = sign(q);
        const bool atFirst = n == 1 && earlier == 0 && later != 0;
        const bool perihelion = atFirst ? later > 0 : earlier < 0 && later >= 0;
        const bool aphelion = atFirst ? later < 0 : earlier > 0 && later <= 0;
        if (!(perihelion || aphelion) || !(q.julianDay > p.julianDay)) {
            continue;
        }
        const PassageKind kind = perihelion ? PassageKind::Perihelion : PassageKind::Aphelion;
        TruePassage passage{kind, 0, 0, p.item, q.item, {}};
        const auto cubic =
            refineBetweenRecords(kind, {p.julianDay, p.au, *p.rate * auPerDayPerUnit},
                                 {q.julianDay, q.au, *q.rate * auPerDayPerUnit});
        const auto parabola =
            before != nullptr && !std::isnan(before->julianDay)
                ? refineAcrossThreeRecords({before->julianDay, before->au}, {p.julianDay, p.au},
                                           {q.julianDay, q.au})
                : std::nullopt;
        const Point& atRecord = atFirst || (later != 0 && perihelion == (p.au <= q.au)) ? p : q;
        if (atFirst || later == 0) {
            if (!possible(atRecord.julianDay, atRecord.au)) {
                continue;
            }
            passage.julianDay = atRecord.julianDay;
            passage.au = atRecord.au;
        } else if (cubic && allowed(perihelion, cubic->julianDay, cubic->au, p, q)) {
            passage.julianDay = cubic->julianDay;
            passage.au = cubic->au;
        } else if (parabola && parabola->kind == kind &&
                   allowed(perihelion, parabola->time, parabola->au, p, q)) {
            passage.julianDay = parabola->time;
            passage.au = parabola->au;
        } else if (possible(atRecord.julianDay, atRecord.au)) {
            passage.julianDay = atRecord.julianDay;
            passage.au = atRecord.au;
        } else {
            continue;
        }
        passages.push_back(passage);
    }
    return passages;
}

// The scan of the body's entries: the start filter and end stop on the
// dates, the record limit, the extremes as the file writes them (of equal
// distances the earlier stays; the first record let through always gives
// the least), then the passages and the warnings of the end.
class Walk {
  public:
    Walk(const ScanSettings& settings, std::int32_t mostRecords, ScanObserver& observer)
        : settings_(settings), mostRecords_(mostRecords), observer_(observer) {}

    ScanOutcome run(std::string_view input) {
        std::optional<DayNumber> startDay;
        if (settings_.startFilterOn && !(startDay = ParseDate(settings_.startDateText))) {
            return ScanFailure{ScanFailureKind::StartDateNotUnderstood,
                               messages::startDateNotUnderstood(settings_.startDateText)};
        }
        observer_.fileOpened();
        std::vector<Item> above;
        std::vector<Item> body;
        bool started = false;
        bool endMarkerMet = false;
        bool endMarkerFirst = false;
        MemorySource source(input);
        FieldReader reader(source, kLongestLine);
        for (Field field; !endMarkerMet && reader.next(field);) {
            const bool marker = field.length == 5;
            if (marker && field.text == "$$EOE") {
                endMarkerFirst = endMarkerFirst || !started;
                endMarkerMet = started;
            } else if (marker && field.text == "$$SOE" && !started) {
                started = true;
            } else {
                (started ? body : above)
                    .push_back({std::string(field.text), field.length, field.startsLine});
            }
        }
        if (!started) {
            return ScanFailure{ScanFailureKind::NoStartMarker,
                               std::string(messages::kNoStartMarker)};
        }
        const Header header = readHeader(linesOf(above));
        result_.header = header.fields;
        const std::string& centre = header.fields.centre;
        const std::string& units = header.fields.units;
        if (!centre.empty() && centre != "Sun (10)") {
            warn(ScanWarningKind::NotFromTheSun, messages::notFromTheSun(centre));
        }
        inKm_ = units == "KM-S" || units == "KM-D";
        if (!inKm_ && !units.empty() && units != "AU-D") {
            warn(ScanWarningKind::UnknownUnits, messages::unknownUnits(units));
        }
        if (endMarkerFirst) {
            warn(ScanWarningKind::EndBeforeStart, std::string(messages::kEndBeforeStart));
            return result_;
        }
        if (settings_.endStopOn && settings_.endDateText.empty()) {
            return result_;
        }
        const auto entries = header.fields.csv ? csvEntries(linesOf(body), header.columns)
                                               : plainEntries(body, header.fields.outputFormat);
        std::uint64_t dates = 0;
        std::uint64_t distances = 0;
        bool skipping = false;
        for (const Entry& entry : entries) {
            if (entry.isDate) {
                ++dates;
                if (result_.header.timeScale.empty()) {
                    result_.header.timeScale = entry.timeScale.substr(0, 80);
                }
                const std::string day =
                    entry.date.substr(0, entry.date.starts_with("B.C. ") ? 16 : 11);
                const auto recordDay = startDay ? ParseDate(day) : std::nullopt;
                if (startDay && !recordDay) {
                    return ScanFailure{ScanFailureKind::RecordDateNotUnderstood,
                                       messages::recordDateNotUnderstood(dates, trimmed(day))};
                }
                skipping = startDay && *recordDay < *startDay;
                if (skipping) {
                    continue;
                }
                if (result_.datedCount == mostRecords_) {
                    return ScanFailure{ScanFailureKind::TooManyRecords,
                                       std::string(messages::kTooManyRecords)};
                }
                ++result_.datedCount;
                date_ = entry;
                if (settings_.endStopOn && day == settings_.endDateText) {
                    return finished();
                }
                continue;
            }
            ++distances;
            if (skipping) {
                continue;
            }
            if (entry.tooLong) {
                return ScanFailure{ScanFailureKind::DistanceOutOfRange,
                                   messages::itemTooLong(dates, kLongestItem)};
            }
            const double written = entry.distance;
            if (!std::isfinite(written * kKmPerAu)) {
                return ScanFailure{ScanFailureKind::DistanceOutOfRange,
                                   messages::distanceOutOfRange(dates, trimmed(entry.range))};
            }
            takeDistance(written, entry.rate);
        }
        if (dates > 0 && distances == 0) {
            return ScanFailure{ScanFailureKind::NoDistances, std::string(messages::kNoDistances)};
        }
        const bool content =
            std::any_of(body.begin(), body.end(), [](const Item& item) { return item.length > 0; });
        if (dates == 0 && content) {
            return ScanFailure{ScanFailureKind::NoRecords, std::string(messages::kNoRecords)};
        }
        if (!endMarkerMet) {
            warn(ScanWarningKind::EndMarkerMissing, std::string(messages::kEndMarkerMissing));
        }
        if (startDay && dates > 0 && result_.datedCount == 0) {
            warn(ScanWarningKind::StartDateAfterEveryRecord,
                 messages::startDateAfterEveryRecord(settings_.startDateText));
        }
        if (settings_.endStopOn) {
            warn(ScanWarningKind::EndDateNeverMet,
                 messages::endDateNeverMet(settings_.endDateText));
        }
        return finished();
    }

  private:
    void warn(ScanWarningKind kind, std::string message) {
        result_.warnings.push_back({kind, std::move(message)});
    }

    void takeDistance(double written, std::optional<double> rate) {
        const std::int32_t item = result_.datedCount;
        if (item > 0) {
            // Passages are found in AU: km times the AU per km.
            points_.push_back({item, instantOf(date_), written * (inKm_ ? 1 / kKmPerAu : 1), rate});
        }
        const auto keep = [&](DistanceExtreme& extreme) {
            extreme.au = inKm_ ? written / kKmPerAu : written;
            extreme.km = inKm_ ? written : written * kKmPerAu;
            extreme.dateText = date_.date;
            extreme.item = item;
        };
        if (settings_.trackMinimum && (item == 1 || written < least_)) {
            least_ = written;
            keep(result_.minimum);
            observer_.newMinimum(item);
        }
        if (settings_.trackMaximum && written > most_) {
            most_ = written;
            keep(result_.maximum);
            observer_.newMaximum(item);
        }
    }

    // The true extremes: the deepest passage of each kind, or else the end
    // of the span where the extreme distance lies.
    ScanOutcome finished() {
        const std::string& units = result_.header.units;
        const double auPerDayPerUnit = units == "KM-S" ? 86400 / kKmPerAu
                                       : inKm_         ? 1 / kKmPerAu
                                                       : 1;
        for (const TruePassage& passage : passagesAmong(points_, auPerDayPerUnit)) {
            observer_.newPassage(passage, result_.header);
            const bool perihelion = passage.kind == PassageKind::Perihelion;
            auto& best = perihelion ? result_.truePerihelion.passage : result_.trueAphelion.passage;
            if (!best || (perihelion ? passage.au < best->au : passage.au > best->au)) {
                best = passage;
            }
        }
        if (!points_.empty()) {
            const double first = points_.front().au;
            const double last = points_.back().au;
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
    ScanResult result_;
    bool inKm_ = false;
    Entry date_;  // of the record last let through
    double least_ = 0;
    double most_ = 0;
    std::vector<Point> points_;
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
    const std::string expected = describe(Walk(settings, mostRecords, modelObserver).run(input));
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
