#include "scan/passage_finder.h"

#include <algorithm>
#include <cmath>

#include "scan/horizons_numbers.h"
#include "text/calendar.h"
#include "text/item_characters.h"
#include "text/number_text.h"
#include "text/text_slice.h"

namespace vandrel {

namespace {

// The Sun's GM in AU^3/day^2 (IAU 2015 nominal value, in the units of the
// Horizons tables).
constexpr double kSunGm = 2.9591220828559115e-4;
constexpr double kSecondsPerDay = 86400;
// A passage whose estimated error exceeds this many seconds is uncertain.
constexpr double kUncertainSeconds = 60;

using detail::isDigit;

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

// A refinement that respects what the two records say: its instant lies
// between them, and its distance is positive and, for a perihelion, not
// above the smaller of theirs (for an aphelion, not below the greater).
bool withinRecords(PassageKind kind, double julianDay, double au, double earlierDay,
                   double earlierAu, double laterDay, double laterAu) {
    const bool inTime = julianDay >= earlierDay && julianDay <= laterDay;
    const bool inRange = kind == PassageKind::Perihelion ? au <= std::min(earlierAu, laterAu)
                                                         : au >= std::max(earlierAu, laterAu);
    return inTime && au > 0 && std::isfinite(au) && inRange;
}

}  // namespace

// A record that a passage can be at: a finite instant and a positive, finite
// distance.
bool PassageFinder::canBePassage(const Numbers& record) {
    return std::isfinite(record.julianDay) && record.au > 0 && std::isfinite(record.au);
}

const PassageFinder::HeldRecord& PassageFinder::hold(const RecordPoint& point) {
    ++count_;
    HeldRecord& record = held(0);
    record.item = point.item;
    record.instant.assign(point.instantText);
    record.date.assign(point.dateText);
    if (point.measured != nullptr) {
        record.measured = *point.measured;
        record.hasRate = point.measured->hasRate;
        record.rateSign = (point.measured->rate > 0) - (point.measured->rate < 0);
    } else {
        record.measured.reset();
        record.range.assign(point.rangeText);
        record.hasRate = !point.rateText.empty();
        if (record.hasRate) {
            record.rate.assign(point.rateText);
            record.rateSign = signOf(point.rateText);
        }
    }
    if (count_ == 1) {
        firstAu_ = auOf(record);
        firstEnergy_ = point.velocity ? energyOf(*point.velocity, firstAu_) : std::nullopt;
    }
    // Here, out of the inline path that passes most records over.
    if (tellsRecords_) [[unlikely]] {
        tell(record);
    }
    return record;
}

void PassageFinder::tell(const HeldRecord& record) {
    // Told records are drawn, not compared: the quick reading, within a
    // relative 1e-15, serves where it can, at a fraction of the full one's cost.
    double julianDay = 0;
    double range = 0;
    std::optional<Numbers> numbers;
    if (record.measured) {
        range = record.measured->range;
    }
    if (approximateNumber(record.instant.view(), julianDay) &&
        (record.measured || approximateNumber(record.range.view(), range))) {
        numbers = Numbers{julianDay, range * scale_.auPerUnit, 0, false};
    } else {
        numbers = numbersOf(record);
    }
    if (numbers && canBePassage(*numbers)) {
        sink_.recordTaken(record.item, numbers->julianDay, numbers->au);
    }
}

void PassageFinder::examine() {
    if (pending_) {
        Pending pending = *pending_;
        pending_.reset();
        settle(pending, numbersOf(held(0)));
    }
    if (count_ == 1) {
        return;
    }
    if (previous().hasRate && held(0).hasRate) {
        examineRates();
    } else if (count_ >= 3) {
        examineThree();
    }
}

void PassageFinder::examineRates() {
    const HeldRecord& earlier = held(1);
    const HeldRecord& later = held(0);
    // A first record whose rate is 0 is a passage itself, when the rate
    // after it fits.
    const bool atFirst = count_ == 2 && earlier.rateSign == 0 && later.rateSign != 0;
    if (!atFirst && !ratesCross(earlier.rateSign, later.rateSign)) {
        return;
    }
    const auto earlierNumbers = numbersOf(earlier);
    const auto laterNumbers = numbersOf(later);
    // A pair whose instants do not increase (a record's distance given twice,
    // a repeated or misplaced date) holds no passage.
    if (!earlierNumbers || !laterNumbers ||
        !(laterNumbers->julianDay > earlierNumbers->julianDay)) {
        return;
    }
    const PassageKind kind = (atFirst ? later.rateSign > 0 : earlier.rateSign < 0)
                                 ? PassageKind::Perihelion
                                 : PassageKind::Aphelion;
    // A record whose rate is exactly 0 where the rate turns is the passage.
    if (atFirst || later.rateSign == 0) {
        const Numbers& record = atFirst ? *earlierNumbers : *laterNumbers;
        if (canBePassage(record)) {
            emit({kind, record.julianDay, record.au, earlier.item, later.item,
                  PassageUncertainty{}});
        }
        return;
    }
    const auto refined = refineBetweenRecords(
        kind, {earlierNumbers->julianDay, earlierNumbers->au, earlierNumbers->auPerDay},
        {laterNumbers->julianDay, laterNumbers->au, laterNumbers->auPerDay});
    if (!refined || !withinRecords(kind, refined->julianDay, refined->au, earlierNumbers->julianDay,
                                   earlierNumbers->au, laterNumbers->julianDay, laterNumbers->au)) {
        if (const auto passage = fallBack(kind, *earlierNumbers, *laterNumbers)) {
            emit(*passage);
        }
        return;
    }
    const std::optional<Numbers> before =
        count_ >= 3 ? numbersOf(held(2)) : std::optional<Numbers>();
    Pending pending{{kind, refined->julianDay, refined->au, earlier.item, later.item, {}},
                    {*earlierNumbers, *laterNumbers, {}},
                    true,
                    before};
    settleOrWait(pending, refined->julianDay - earlierNumbers->julianDay <=
                              laterNumbers->julianDay - refined->julianDay);
}

void PassageFinder::examineThree() {
    const HeldRecord& before = held(2);
    const HeldRecord& middle = held(1);
    const HeldRecord& after = held(0);
    const double auBefore = auOf(before);
    const double auMiddle = auOf(middle);
    const double auAfter = auOf(after);
    const bool perihelion = auBefore > auMiddle && auMiddle <= auAfter;
    const bool aphelion = auBefore < auMiddle && auMiddle >= auAfter;
    if (!perihelion && !aphelion) {
        return;
    }
    const auto beforeNumbers = numbersOf(before);
    const auto middleNumbers = numbersOf(middle);
    const auto afterNumbers = numbersOf(after);
    if (!beforeNumbers || !middleNumbers || !afterNumbers) {
        return;
    }
    const auto refined = refineAcrossThreeRecords({beforeNumbers->julianDay, auBefore},
                                                  {middleNumbers->julianDay, auMiddle},
                                                  {afterNumbers->julianDay, auAfter});
    if (!refined) {
        return;
    }
    // The pair of records on either side of the refined instant.
    const bool beforeMiddle = refined->side == VertexSide::BeforeMiddle;
    const std::optional<Numbers> earlierNeighbour =
        count_ >= 4 ? numbersOf(held(3)) : std::optional<Numbers>();
    Pending pending{{refined->kind,
                     refined->time,
                     refined->au,
                     beforeMiddle ? before.item : middle.item,
                     beforeMiddle ? middle.item : after.item,
                     {}},
                    {*beforeNumbers, *middleNumbers, *afterNumbers},
                    false,
                    earlierNeighbour};
    settleOrWait(pending, beforeMiddle);
}

// The second refinement goes through the nearer neighbour where it can serve
// (it exists, and has a rate where the passage came from rates), else through
// the one on the other side: the earlier neighbour serves at once, the later
// one when its record comes.
void PassageFinder::settleOrWait(Pending& pending, bool earlierIsNearer) {
    const std::optional<Numbers> earlier = pending.farNeighbour;
    if (earlierIsNearer && earlier && (!pending.fromRates || earlier->hasRate)) {
        pending.farNeighbour.reset();
        settle(pending, earlier);
        return;
    }
    pending_ = pending;
}

// The second refinement with the neighbour, or else with the one on the
// other side; the passage is told either way.
void PassageFinder::settle(Pending& pending, const std::optional<Numbers>& neighbour) {
    const auto second = [&pending](const Numbers& other) -> std::optional<Passage> {
        const PassageKind kind = pending.passage.kind;
        const Numbers(&records)[3] = pending.records;
        if (pending.fromRates) {
            if (!other.hasRate) {
                return std::nullopt;
            }
            return refineOnQuintic(kind, {records[0].julianDay, records[0].au, records[0].auPerDay},
                                   {records[1].julianDay, records[1].au, records[1].auPerDay},
                                   {other.julianDay, other.au, other.auPerDay});
        }
        const RangePoint three[3] = {{records[0].julianDay, records[0].au},
                                     {records[1].julianDay, records[1].au},
                                     {records[2].julianDay, records[2].au}};
        return refineOnFourRanges(kind, three, {other.julianDay, other.au});
    };
    std::optional<Passage> estimate;
    if (neighbour) {
        estimate = second(*neighbour);
    }
    if (!estimate && pending.farNeighbour) {
        estimate = second(*pending.farNeighbour);
    }
    if (estimate) {
        pending.passage.uncertainty = PassageUncertainty{
            std::abs(estimate->julianDay - pending.passage.julianDay) * kSecondsPerDay,
            std::abs(estimate->au - pending.passage.au)};
    }
    emit(pending.passage);
}

// Where the cubic cannot be trusted: the parabola through the record before
// and the pair, and failing that the pair's record nearer the passage, with
// no estimate of the error.
std::optional<TruePassage> PassageFinder::fallBack(PassageKind kind, const Numbers& earlier,
                                                   const Numbers& later) {
    const std::int32_t earlierItem = held(1).item;
    const std::int32_t laterItem = held(0).item;
    if (count_ >= 3) {
        if (const auto before = numbersOf(held(2))) {
            const auto parabola = refineAcrossThreeRecords({before->julianDay, before->au},
                                                           {earlier.julianDay, earlier.au},
                                                           {later.julianDay, later.au});
            if (parabola && parabola->kind == kind &&
                withinRecords(kind, parabola->time, parabola->au, earlier.julianDay, earlier.au,
                              later.julianDay, later.au)) {
                return TruePassage{kind, parabola->time, parabola->au, earlierItem, laterItem, {}};
            }
        }
    }
    const bool earlierIsNearer = (kind == PassageKind::Perihelion) == (earlier.au <= later.au);
    const Numbers& nearer = earlierIsNearer ? earlier : later;
    if (!canBePassage(nearer)) {
        return std::nullopt;
    }
    return TruePassage{kind, nearer.julianDay, nearer.au, earlierItem, laterItem, {}};
}

// Equal distances keep the earlier passage.
void PassageFinder::emit(const TruePassage& passage) {
    if (passage.kind == PassageKind::Perihelion) {
        if (!least_ || passage.au < least_->au) {
            least_ = passage;
        }
    } else if (!greatest_ || passage.au > greatest_->au) {
        greatest_ = passage;
    }
    if (passage.uncertainty && passage.uncertainty->seconds > kUncertainSeconds) {
        ++uncertainCount_;
        if (!mostUncertain_ ||
            passage.uncertainty->seconds > mostUncertain_->uncertainty->seconds) {
            mostUncertain_ = passage;
        }
    }
    sink_.passageFound(passage);
}

double PassageFinder::auOf(const HeldRecord& record) const {
    return (record.measured ? record.measured->range : TextToNumber(record.range.view())) *
           scale_.auPerUnit;
}

double PassageFinder::rateOf(const HeldRecord& record) const {
    return (record.measured ? record.measured->rate : TextToNumber(record.rate.view())) *
           scale_.auPerDayPerRateUnit;
}

std::optional<PassageFinder::Numbers> PassageFinder::numbersOf(const HeldRecord& record) const {
    Numbers numbers;
    if (holdsNumber(record.instant.view())) {
        numbers.julianDay = TextToNumber(record.instant.view());
    } else if (const auto fromDate = julianDayOfDateText(record.date.view())) {
        numbers.julianDay = *fromDate;
    } else {
        return std::nullopt;
    }
    numbers.au = auOf(record);
    numbers.hasRate = record.hasRate;
    if (record.hasRate) {
        numbers.auPerDay = rateOf(record);
    }
    return numbers;
}

// v^2/2 - GM/r: below 0 the body is bound to the Sun.
std::optional<double> PassageFinder::energyOf(const VectorTexts& velocity, double au) const {
    double speedSquared = 0;
    for (const std::string_view component : {velocity.x, velocity.y, velocity.z}) {
        if (component.empty()) {
            return std::nullopt;
        }
        const double v = TextToNumber(component) * scale_.auPerDayPerRateUnit;
        speedSquared += v * v;
    }
    const double energy = speedSquared / 2 - kSunGm / au;
    if (!(au > 0) || !std::isfinite(energy)) {
        return std::nullopt;
    }
    return energy;
}

void PassageFinder::finish(TrueExtreme& perihelion, TrueExtreme& aphelion, bool aboutTheSun,
                           const VectorTexts& lastVelocity) {
    if (pending_) {
        Pending pending = *pending_;
        pending_.reset();
        settle(pending, std::nullopt);
    }
    perihelion = {least_, SpanEnd::None};
    aphelion = {greatest_, SpanEnd::None};
    if (count_ == 0) {
        return;
    }
    const double lastAu = auOf(held(0));
    if (!least_) {
        perihelion.endWithoutPassage = firstAu_ <= lastAu ? SpanEnd::First : SpanEnd::Last;
    }
    if (!greatest_) {
        aphelion.endWithoutPassage = firstAu_ >= lastAu ? SpanEnd::First : SpanEnd::Last;
        const std::optional<double> energy = aphelion.endWithoutPassage == SpanEnd::First
                                                 ? firstEnergy_
                                                 : energyOf(lastVelocity, lastAu);
        if (aboutTheSun && energy) {
            aphelion.orbit = *energy > 0 ? OrbitBound::Open : OrbitBound::Closed;
        }
    }
}

}  // namespace vandrel
