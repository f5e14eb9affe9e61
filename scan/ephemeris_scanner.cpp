#include "scan/ephemeris_scanner.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "scan/scan_messages.h"
#include "text/field_reader.h"
#include "text/number_text.h"
#include "text/parse_date.h"
#include "text/text_slice.h"

namespace vandrel {

namespace {

constexpr double kKmPerAu = 149597870.7;
constexpr std::string_view kStartMarker = "$$SOE";
constexpr std::string_view kEndMarker = "$$EOE";
constexpr std::string_view kDateTag = "= A.D.";   // characters 19 to 24
constexpr std::string_view kDistanceTag = "RG=";  // characters 27 to 29
constexpr std::uint64_t kDistanceFieldLength = 77;
constexpr std::size_t kDateTextLength = 25;  // characters 26 to 50 of a date field
// A date field's text ends at character 50 and a distance field has 77
// characters, so nothing past the 77th character of any field is ever read.
constexpr std::size_t kKeptCharacters = kDistanceFieldLength;

bool hasTagAt(const Field& field, std::size_t position, std::string_view tag) {
    return field.length >= position - 1 + tag.size() &&
           std::memcmp(field.text.data() + position - 1, tag.data(), tag.size()) == 0;
}

// The distance in km, cut to the 15 significant digits of its text form.
double kmValue(double au) {
    return TextToNumber(NumberToText(au * kKmPerAu));
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

class ScanRun {
  public:
    ScanRun(const ScanSettings& settings, ScanObserver& observer, std::optional<DayNumber> startDay,
            std::int32_t mostRecords)
        : settings_(settings),
          observer_(observer),
          startDay_(startDay),
          mostRecords_(mostRecords),
          endDateMatches_(settings.endStopOn && settings.endDateText.empty()) {}

    ScanOutcome run(ByteSource& input) {
        observer_.fileOpened();
        FieldReader reader(input, kKeptCharacters);
        Field field;
        while (reader.next(field)) {
            if (field.length == kStartMarker.size()) {
                if (field.text == kEndMarker) {
                    return result_;
                }
                started_ = started_ || field.text == kStartMarker;
            }
            if (!started_) {
                continue;
            }
            if (auto failure = take(field)) {
                return *failure;
            }
            if (endDateMatches_) {
                return result_;
            }
        }
        if (const std::string error = reader.error(); !error.empty()) {
            return ScanFailure{ScanFailureKind::ReadFailed, messages::readFailed(error)};
        }
        if (!started_) {
            return ScanFailure{ScanFailureKind::NoStartMarker,
                               std::string(messages::kNoStartMarker)};
        }
        result_.endMarkerMissing = true;
        return result_;
    }

  private:
    enum class Filter { NotYetSet, Off, OnOrAfterStart, BeforeStart };

    // One field after the start marker.
    std::optional<ScanFailure> take(const Field& field) {
        const bool isDate = hasTagAt(field, 19, kDateTag);
        if (isDate) {
            const std::string_view date = TextSlice(field.text, 26, kDateTextLength);
            std::copy(date.begin(), date.end(), currentDate_);
            currentDateLength_ = date.size();
            ++fileRecord_;
            const std::string_view day = TextFirst(currentDate(), 11);
            if (startDay_) {
                const auto recordDay = ParseDate(day);
                if (!recordDay) {
                    return ScanFailure{
                        ScanFailureKind::RecordDateNotUnderstood,
                        messages::recordDateNotUnderstood(fileRecord_, trimmed(day))};
                }
                filter_ = *recordDay >= *startDay_ ? Filter::OnOrAfterStart : Filter::BeforeStart;
            } else {
                filter_ = Filter::Off;
            }
            endDateMatches_ = settings_.endStopOn && TextEquals(day, settings_.endDateText);
        }
        if (filter_ == Filter::BeforeStart) {
            // Skipped whole: neither counted, nor read as a distance, nor
            // tested against the end date.
            endDateMatches_ = false;
            return std::nullopt;
        }
        if (isDate) {
            if (result_.datedCount == mostRecords_) {
                return ScanFailure{ScanFailureKind::TooManyRecords,
                                   std::string(messages::kTooManyRecords)};
            }
            ++result_.datedCount;
        }
        if (field.length == kDistanceFieldLength && hasTagAt(field, 27, kDistanceTag)) {
            return takeDistance(TextSlice(field.text, 31, 21));
        }
        return std::nullopt;
    }

    // Most distances change nothing: a quick estimate passes them over, and
    // only those that may matter get the full, correctly rounded conversion.
    bool cannotMatter(double estimate) const {
        const double tolerance = 1e-13 * std::fabs(estimate);
        if (!(std::fabs(estimate) < 1e300)) {
            return false;
        }
        if (settings_.trackMinimum &&
            (result_.datedCount == 1 || !(estimate > result_.minimum.au + tolerance))) {
            return false;
        }
        return !settings_.trackMaximum || estimate < result_.maximum.au - tolerance;
    }

    std::optional<ScanFailure> takeDistance(std::string_view distanceText) {
        if (double estimate = 0;
            approximateNumber(distanceText, estimate) && cannotMatter(estimate)) {
            return std::nullopt;
        }
        const double au = TextToNumber(distanceText);
        if (!std::isfinite(au * kKmPerAu)) {
            return ScanFailure{ScanFailureKind::DistanceOutOfRange,
                               messages::distanceOutOfRange(fileRecord_, trimmed(distanceText))};
        }
        // The minimum starts at 0, which no distance beats, so the first
        // record let through always supplies it.
        if (settings_.trackMinimum && (result_.datedCount == 1 || au < result_.minimum.au)) {
            replace(result_.minimum, au);
            observer_.newMinimum(result_.datedCount);
        }
        if (settings_.trackMaximum && au > result_.maximum.au) {
            replace(result_.maximum, au);
            observer_.newMaximum(result_.datedCount);
        }
        return std::nullopt;
    }

    void replace(DistanceExtreme& extreme, double au) const {
        extreme.au = au;
        extreme.km = kmValue(au);
        extreme.dateText = currentDate();
        extreme.item = result_.datedCount;
    }

    const ScanSettings& settings_;
    ScanObserver& observer_;
    const std::optional<DayNumber> startDay_;
    const std::int32_t mostRecords_;
    ScanResult result_;
    bool started_ = false;
    Filter filter_ = Filter::NotYetSet;
    std::string_view currentDate() const { return {currentDate_, currentDateLength_}; }

    char currentDate_[kDateTextLength] = {};
    std::size_t currentDateLength_ = 0;
    bool endDateMatches_;
    std::uint64_t fileRecord_ = 0;  // every date field after the start marker, for messages
};

// The start date is read once, before the file is touched.
std::optional<ScanFailure> readStartDay(const ScanSettings& settings,
                                        std::optional<DayNumber>& startDay) {
    if (!settings.startFilterOn) {
        return std::nullopt;
    }
    startDay = ParseDate(settings.startDateText);
    if (!startDay) {
        return ScanFailure{ScanFailureKind::StartDateNotUnderstood,
                           messages::startDateNotUnderstood(settings.startDateText)};
    }
    return std::nullopt;
}

}  // namespace

ScanOutcome EphemerisScanner::scan(const ScanSettings& settings, ScanObserver& observer) const {
    std::optional<DayNumber> startDay;
    if (auto failure = readStartDay(settings, startDay)) {
        return *failure;
    }
    std::string reason;
    const auto input = FileSource::open(settings.filePath, reason);
    if (!input) {
        return ScanFailure{ScanFailureKind::OpenFailed, reason};
    }
    return ScanRun(settings, observer, startDay, mostRecords_).run(*input);
}

ScanOutcome EphemerisScanner::scan(ByteSource& input, const ScanSettings& settings,
                                   ScanObserver& observer) const {
    std::optional<DayNumber> startDay;
    if (auto failure = readStartDay(settings, startDay)) {
        return *failure;
    }
    return ScanRun(settings, observer, startDay, mostRecords_).run(input);
}

}  // namespace vandrel
