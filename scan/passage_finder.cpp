#include "scan/passage_finder.h"

#include <algorithm>

#include "text/number_text.h"
#include "text/parse_date.h"
#include "text/text_slice.h"

namespace vandrel {

namespace {

constexpr double kJulianDayOf1970 = 2440587.5;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text's first non-blank characters hold a number.
bool holdsNumber(std::string_view text) {
    if (!text.empty() && isDigit(text[0])) {
        return true;  // a Julian day as Horizons writes it
    }
    text = TextTrimmed(text);
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        text.remove_prefix(1);
    }
    if (!text.empty() && text[0] == '.') {
        text.remove_prefix(1);
    }
    return !text.empty() && isDigit(text[0]);
}

// The sign of a rate's value, as the refinement reads it: at once for a
// rate as Horizons writes it, and otherwise from its value, so that
// "-1.3E-500", which reads as 0, has none.
int signOf(std::string_view rate) {
    if (int sign = 0; horizonsNumberSign(rate, sign)) {
        return sign;
    }
    const double value = TextToNumber(rate);
    return (value > 0) - (value < 0);
}

// "2020-Jan-05 07:47:54.0000" as a Julian day, for a record whose Julian day
// cannot be read.
std::optional<double> instantFromDate(std::string_view date) {
    const auto day = ParseDate(TextFirst(date, 11));
    const std::string_view time = TextSlice(date, 13, 13);
    if (!day || time.size() < 8 || time[2] != ':' || time[5] != ':' || !isDigit(time[0]) ||
        !isDigit(time[1]) || !isDigit(time[3]) || !isDigit(time[4]) ||
        !holdsNumber(time.substr(6))) {
        return std::nullopt;
    }
    const double hours = (time[0] - '0') * 10 + (time[1] - '0');
    const double minutes = (time[3] - '0') * 10 + (time[4] - '0');
    const double seconds = TextToNumber(time.substr(6));
    return kJulianDayOf1970 + static_cast<double>(*day) +
           (hours * 3600 + minutes * 60 + seconds) / 86400;
}

}  // namespace

const PassageFinder::HeldRecord& PassageFinder::hold(const RecordPoint& point) {
    HeldRecord* const oldest = beforePrevious_;
    beforePrevious_ = previous_;
    previous_ = newest_;
    newest_ = oldest;
    HeldRecord& record = *newest_;
    record.item = point.item;
    record.instant.assign(point.instantText);
    record.date.assign(point.dateText);
    record.range.assign(point.rangeText);
    record.hasRate = !point.rateText.empty();
    if (record.hasRate) {
        record.rate.assign(point.rateText);
        record.rateSign = signOf(point.rateText);
    }
    held_ = std::min<std::size_t>(held_ + 1, 3);
    return record;
}

bool PassageFinder::closesPassage() {
    if (held_ == 1) {
        firstAu_ = auOf(*newest_);
        return false;
    }
    std::optional<TruePassage> passage;
    if (previous_->hasRate && newest_->hasRate) {
        passage = betweenRates(*previous_, *newest_);
    } else if (held_ == 3) {
        passage = acrossThree(*beforePrevious_, *previous_, *newest_);
    }
    if (!passage) {
        return false;
    }
    keep(*passage);
    passage_ = *passage;
    return true;
}

double PassageFinder::auOf(const HeldRecord& record) const {
    return TextToNumber(record.range.view()) * scale_.auPerUnit;
}

namespace {

template <typename Record>
std::optional<double> instantOf(const Record& record) {
    if (holdsNumber(record.instant.view())) {
        return TextToNumber(record.instant.view());
    }
    return instantFromDate(record.date.view());
}

}  // namespace

std::optional<TruePassage> PassageFinder::betweenRates(const HeldRecord& earlier,
                                                       const HeldRecord& later) const {
    if (!ratesCross(earlier.rateSign, later.rateSign)) {
        return std::nullopt;
    }
    const auto earlierInstant = instantOf(earlier);
    const auto laterInstant = instantOf(later);
    if (!earlierInstant || !laterInstant) {
        return std::nullopt;
    }
    const auto rate = [this](const HeldRecord& record) {
        return TextToNumber(record.rate.view()) * scale_.auPerDayPerRateUnit;
    };
    const auto refined = refineBetweenRecords({*earlierInstant, auOf(earlier), rate(earlier)},
                                              {*laterInstant, auOf(later), rate(later)});
    if (!refined) {
        return std::nullopt;
    }
    return TruePassage{refined->kind, refined->julianDay, refined->au, earlier.item, later.item};
}

std::optional<TruePassage> PassageFinder::acrossThree(const HeldRecord& before,
                                                      const HeldRecord& middle,
                                                      const HeldRecord& after) const {
    const double auBefore = auOf(before);
    const double auMiddle = auOf(middle);
    const double auAfter = auOf(after);
    const bool perihelion = auBefore > auMiddle && auMiddle <= auAfter;
    const bool aphelion = auBefore < auMiddle && auMiddle >= auAfter;
    if (!perihelion && !aphelion) {
        return std::nullopt;
    }
    const auto timeBefore = instantOf(before);
    const auto timeMiddle = instantOf(middle);
    const auto timeAfter = instantOf(after);
    if (!timeBefore || !timeMiddle || !timeAfter) {
        return std::nullopt;
    }
    const auto refined = refineAcrossThreeRecords({*timeBefore, auBefore}, {*timeMiddle, auMiddle},
                                                  {*timeAfter, auAfter});
    if (!refined) {
        return std::nullopt;
    }
    // The pair of records on either side of the refined instant.
    const bool beforeMiddle = refined->side == VertexSide::BeforeMiddle;
    return TruePassage{refined->kind, refined->time, refined->au,
                       beforeMiddle ? before.item : middle.item,
                       beforeMiddle ? middle.item : after.item};
}

// Equal distances keep the earlier passage.
void PassageFinder::keep(const TruePassage& passage) {
    if (passage.kind == PassageKind::Perihelion) {
        if (!least_ || passage.au < least_->au) {
            least_ = passage;
        }
    } else if (!greatest_ || passage.au > greatest_->au) {
        greatest_ = passage;
    }
}

void PassageFinder::finish(TrueExtreme& perihelion, TrueExtreme& aphelion) {
    perihelion = {least_, SpanEnd::None};
    aphelion = {greatest_, SpanEnd::None};
    if (held_ == 0) {
        return;
    }
    const double lastAu = auOf(*newest_);
    if (!least_) {
        perihelion.endWithoutPassage = firstAu_ <= lastAu ? SpanEnd::First : SpanEnd::Last;
    }
    if (!greatest_) {
        aphelion.endWithoutPassage = firstAu_ >= lastAu ? SpanEnd::First : SpanEnd::Last;
    }
}

}  // namespace vandrel
