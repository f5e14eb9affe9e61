#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "scan/record_fields.h"
#include "scan/scan_records.h"
#include "text/held_text.h"

namespace vandrel {

// One record let through, as the passages need it. The texts are valid only
// during the call that receives them.
struct RecordPoint {
    std::int32_t item = 0;
    std::string_view instantText;   // the Julian day that opens the record
    std::string_view dateText;      // its date and time, when the Julian day cannot be read
    std::string_view rangeText;     // RG, in the file's unit
    std::string_view rateText;      // RR, in the file's units; empty when the record has none
    const MeasuredRange* measured;  // a range and rate worked out, instead of the two texts
    const VectorTexts* velocity;    // of the first record only: VX, VY, VZ in the rate's units
};

// How the file's numbers become AU and AU/day.
struct DistanceScale {
    double auPerUnit = 1;
    double auPerDayPerRateUnit = 1;
};

// Told of each passage once it is final.
class PassageSink {
  public:
    virtual ~PassageSink() = default;
    virtual void passageFound(const TruePassage& passage) = 0;
    // Each record taken, in AU and days, when the finder was asked to tell
    // them; a record whose instant or distance cannot be read is not told.
    virtual void recordTaken(std::int32_t item, double julianDay, double au) {
        (void)item;
        (void)julianDay;
        (void)au;
    }
};

// Finds every perihelion and aphelion passage among consecutive records: by
// the sign change of the range rate, refined on the cubic through both
// ranges and rates; where a record has no rate, by three consecutive ranges,
// refined on their parabola. A second refinement through the nearer
// neighbouring record estimates each passage's error, so a passage nearer
// the later record is told once the record after it has been read. Keeps no
// more than the last four records, and reads their numbers in full only
// where a passage may lie.
class PassageFinder {
  public:
    explicit PassageFinder(PassageSink& sink) : sink_(sink) {}

    void setScale(DistanceScale scale) { scale_ = scale; }
    // Tells the sink of every record taken, which costs reading each in full.
    void tellRecords() { tellsRecords_ = true; }

    // Each record let through, in order.
    void take(const RecordPoint& point) {
        const HeldRecord& record = hold(point);
        // Most records: two rates of one sign, with no passage between them.
        if (count_ >= 3 && !pending_ && previous().hasRate && record.hasRate &&
            !ratesCross(previous().rateSign, record.rateSign)) {
            return;
        }
        examine();
    }

    // After the last record: the true extremes of the span. `aboutTheSun`
    // allows the test of an open orbit, which needs the Sun's mass, with the
    // velocity of the first record and `lastVelocity`, the last one's.
    void finish(TrueExtreme& perihelion, TrueExtreme& aphelion, bool aboutTheSun,
                const VectorTexts& lastVelocity);

    // The passages whose error may exceed a minute, and the most uncertain.
    std::uint64_t uncertainCount() const { return uncertainCount_; }
    const std::optional<TruePassage>& mostUncertain() const { return mostUncertain_; }

  private:
    struct HeldRecord {
        std::int32_t item = 0;
        // Held as far as the scan reads an item, so that a distance reads
        // here as it does for the extremes.
        HeldText<kKeptCharacters, kJulianDayWidth> instant;  // "2458849.500000000"
        HeldText<kLongestDateText, kDateTextLength> date;    // for an instant that is no number
        HeldText<kKeptCharacters, kRangeWidth> range;        // "9.836868025025924E-01"
        HeldText<kKeptCharacters, kSignedNumberWidth> rate;  // "-1.730156260918764E-07"
        std::optional<MeasuredRange> measured;               // instead of the two texts
        bool hasRate = false;
        int rateSign = 0;
    };

    // A record's numbers, in AU and days.
    struct Numbers {
        double julianDay = 0;
        double au = 0;
        double auPerDay = 0;
        bool hasRate = false;
    };

    // A passage that waits for the record after its pair (or three), the
    // neighbour nearer to it, before its error can be estimated.
    struct Pending {
        TruePassage passage;
        Numbers records[3];  // its pair (or three), in order
        bool fromRates = true;
        std::optional<Numbers> farNeighbour;  // the earlier neighbour, should no later one serve
    };

    // A perihelion lies between rates of signs - and 0 or +, an aphelion
    // between + and 0 or -.
    static bool ratesCross(int earlier, int later) {
        return (earlier < 0 && later >= 0) || (earlier > 0 && later <= 0);
    }

    // The record taken `back` records before the newest.
    HeldRecord& held(std::size_t back) { return records_[(count_ - 1 - back) % 4]; }
    const HeldRecord& previous() { return held(1); }

    const HeldRecord& hold(const RecordPoint& point);
    [[gnu::noinline]] void examine();  // kept out of the inline path
    [[gnu::noinline]] void tell(const HeldRecord& record);
    void examineRates();
    void examineThree();
    void settleOrWait(Pending& pending, bool earlierIsNearer);
    void settle(Pending& pending, const std::optional<Numbers>& neighbour);
    void emit(const TruePassage& passage);
    std::optional<Numbers> numbersOf(const HeldRecord& record) const;
    static bool canBePassage(const Numbers& record);
    double auOf(const HeldRecord& record) const;
    double rateOf(const HeldRecord& record) const;
    std::optional<double> energyOf(const VectorTexts& velocity, double au) const;
    std::optional<TruePassage> fallBack(PassageKind kind, const Numbers& earlier,
                                        const Numbers& later);

    PassageSink& sink_;
    DistanceScale scale_;
    bool tellsRecords_ = false;
    HeldRecord records_[4];
    std::uint64_t count_ = 0;  // records taken
    double firstAu_ = 0;
    std::optional<double> firstEnergy_;  // per unit mass, in AU^2/day^2
    std::optional<Pending> pending_;
    std::optional<TruePassage> least_;
    std::optional<TruePassage> greatest_;
    std::uint64_t uncertainCount_ = 0;
    std::optional<TruePassage> mostUncertain_;
};

}  // namespace vandrel
