#include "scan/header_reader.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "text/text_slice.h"

namespace vandrel {

namespace {

constexpr std::string_view kTargetLabel = "Target body name:";
constexpr std::string_view kCentreLabel = "Center body name:";
constexpr std::string_view kUnitsLabel = "Output units    :";
constexpr std::string_view kFormatLabel = "Output format   :";
constexpr std::string_view kSourceNote = "{source";
constexpr std::string_view kCalendarColumn = "Calendar Date (";

// Trimmed, and at most the header's limit of characters, so that memory
// stays constant.
std::string kept(std::string_view text) {
    return std::string(TextTrimmed(TextTrimmed(text).substr(0, EphemerisHeader::kMostCharacters)));
}

bool afterLabel(std::string_view line, std::string_view label, std::string_view& value) {
    if (!line.starts_with(label)) {
        return false;
    }
    value = line.substr(label.size());
    return true;
}

// "Earth (399)                     {source: DE431mx}" gives "Earth (399)".
std::string bodyName(std::string_view value) {
    return kept(value.substr(0, value.find(kSourceNote)));
}

int leadingNumber(std::string_view value) {
    value = TextTrimmed(value);
    int number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    return error == std::errc() ? number : 0;
}

}  // namespace

void HeaderReader::take(const Field& field) {
    if (field.startsLine) {
        finishLine();
        inObserverHeader_ = false;
        takeLabelledLine(field.text);
        // The legend: the lines of names after a line of the Julian day's name.
        if (inLegend_) {
            inLegend_ = legend_.addLine(field.text);
        }
        if (field.text == "JDTDB" || field.text == "JDUT" || field.text == "JDCT") {
            legend_ = {};
            inLegend_ = true;
        }
    } else {
        ++column_;
        inLegend_ = false;  // a line of CSV column names
        if (inObserverHeader_) {
            takeObserverColumn(field.text);
        }
    }
    takeColumnName(field.text);
}

// An observer table's column names in CSV form, one an item.
void HeaderReader::takeObserverColumn(std::string_view name) {
    observerColumns_.csv = true;
    if (name == "r") {
        observerColumns_.rangeColumn = column_;
    } else if (name == "rdot") {
        observerColumns_.rateColumn = column_;
    } else if (name == "1-way_down_LT") {
        observerColumns_.lightTimeColumn = column_;
    }
}

// " Date__(UT)__HR:MN      APmag  S-brt      r        rdot" (its first blank
// dropped by the reader, as the rows' are).
void HeaderReader::takeObserverHeader(std::string_view line) {
    header_.observer = true;
    inObserverHeader_ = true;
    observerColumns_ = {};
    for (std::size_t end = 0;;) {
        const std::string_view name = NextWord(line, end);
        if (name.empty()) {
            break;
        }
        if (name.data() == line.data()) {
            observerColumns_.dateWidth = end;
            const std::size_t open = name.find('(');
            const std::size_t close = name.find(')');
            if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
                header_.timeScale = kept(name.substr(open + 1, close - open - 1));
            }
        } else if (name == "r") {
            observerColumns_.rangeEnd = end;
        } else if (name == "rdot") {
            observerColumns_.rateEnd = end;
        } else if (name == "1-way_down_LT") {
            observerColumns_.lightTimeEnd = end;
        }
    }
}

std::string_view ObserverColumns::valueAt(std::string_view row, std::size_t end) {
    if (end == kNone || end == 0 || end > row.size() || row[end - 1] == ' ' ||
        row[end - 1] == '\t') {
        return {};
    }
    const std::size_t first = row.find_last_of(" \t", end - 1);
    const std::size_t start = first == std::string_view::npos ? 0 : first + 1;
    const std::size_t stop = std::min(row.find_first_of(" \t", end - 1), row.size());
    return row.substr(start, stop - start);
}

bool Legend::addLine(std::string_view line) {
    if (lines == kMostLines || line.empty()) {
        return false;
    }
    static constexpr std::pair<std::string_view, Name> kNames[] = {
        {"X", Name::X},   {"Y", Name::Y},   {"Z", Name::Z},   {"VX", Name::VX},
        {"VY", Name::VY}, {"VZ", Name::VZ}, {"RG", Name::RG}, {"RR", Name::RR}};
    std::size_t count = 0;
    for (std::size_t at = 0;;) {
        const std::string_view word = NextWord(line, at);
        if (word.empty()) {
            break;
        }
        for (const char c : word) {
            if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_')) {
                return false;  // a legend names quantities in capitals
            }
        }
        if (count == kMostNames) {
            return false;
        }
        Name name = Name::Other;
        for (const auto& [text, known] : kNames) {
            name = word == text ? known : name;
        }
        names[lines][count++] = name;
    }
    if (count == 0) {
        return false;
    }
    counts[lines] = count;
    text[lines] = std::string(TextTrimmed(line));
    ++lines;
    return true;
}

void HeaderReader::takeLabelledLine(std::string_view line) {
    if (line.starts_with("Date_") && line.find("HR:MN") != std::string_view::npos) {
        takeObserverHeader(line);
        return;
    }
    std::string_view value;
    if (afterLabel(line, kTargetLabel, value)) {
        header_.target = bodyName(value);
    } else if (afterLabel(line, kCentreLabel, value)) {
        header_.centre = bodyName(value);
    } else if (afterLabel(line, kUnitsLabel, value)) {
        header_.units = kept(value);
    } else if (afterLabel(line, kFormatLabel, value)) {
        header_.outputFormat = leadingNumber(value);
    }
}

void HeaderReader::takeColumnName(std::string_view name) {
    if (name == "JDTDB" || name == "JDUT" || name == "JDCT") {
        lineColumns_.julianDay = column_;
    } else if (name.starts_with(kCalendarColumn) && name.ends_with(")")) {
        lineColumns_.calendarDate = column_;
        lineTimeScale_ =
            kept(name.substr(kCalendarColumn.size(), name.size() - kCalendarColumn.size() - 1));
    } else if (name == "RG") {
        lineColumns_.range = column_;
    } else if (name == "RR") {
        lineColumns_.rangeRate = column_;
    } else if (name == "VX" || name == "VY" || name == "VZ") {
        lineColumns_.velocity[name[1] - 'X'] = column_;
    } else if (name == "X" || name == "Y" || name == "Z") {
        lineColumns_.position[name[0] - 'X'] = column_;
    }
}

// A line that names a Julian day, a calendar date and a range column (or X,
// Y and Z) is the line of column names of a file in CSV form.
void HeaderReader::finishLine() {
    if (lineColumns_.julianDay != CsvColumns::kNone &&
        lineColumns_.calendarDate != CsvColumns::kNone &&
        (lineColumns_.range != CsvColumns::kNone || lineColumns_.hasPosition())) {
        header_.csv = true;
        header_.timeScale = lineTimeScale_;
        columns_ = lineColumns_;
    }
    lineColumns_ = {};
    lineTimeScale_.clear();
    column_ = 0;
}

const EphemerisHeader& HeaderReader::finish() {
    finishLine();
    return header_;
}

}  // namespace vandrel
