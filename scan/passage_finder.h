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
    std::string_view instantText;  // the Julian day that opens the record
    std::string_view dateText;     // its date and time, when the Julian day cannot be read
    std::string_view rangeText;    // RG, in the file's unit
    std::string_view rateText;     // RR, in the file's units; empty when the record has none
};

// How the file's numbers become AU and AU/day.
struct DistanceScale {
    double auPerUnit = 1;
    double auPerDayPerRateUnit = 1;
};

// Finds every perihelion and aphelion passage among consecutive records: by
// the sign change of the range rate, refined on the cubic through both
// ranges and rates; where a record has no rate, by three consecutive ranges,
// refined on their parabola. Keeps no more than the last three records, and
// reads their numbers in full only where a passage may lie.
class PassageFinder {
  public:
    void setScale(DistanceScale scale) { scale_ = scale; }

    // Each record let through, in order. True when it closes a passage,
    // which passage() then gives.
    bool take(const RecordPoint& point) {
        const HeldRecord& record = hold(point);
        // Most records: two rates of one sign, with no passage between them.
        if (held_ == 3 && previous_->hasRate && record.hasRate &&
            !ratesCross(previous_->rateSign, record.rateSign)) {
            return false;
        }
        return closesPassage();
    }
    const TruePassage& passage() const { return passage_; }

    // After the last record: the true extremes of the span.
    void finish(TrueExtreme& perihelion, TrueExtreme& aphelion);

  private:
    struct HeldRecord {
        std::int32_t item = 0;
        // Held as far as the scan reads an item, so that a distance reads
        // here as it does for the extremes.
        HeldText<kKeptCharacters, 17> instant;  // "2458849.500000000"
        HeldText<25> date;                      // for an instant that is no number
        HeldText<kKeptCharacters, 21> range;    // "9.836868025025924E-01"
        HeldText<kKeptCharacters, 22> rate;     // "-1.730156260918764E-07"
        bool hasRate = false;
        int rateSign = 0;
    };

    // A perihelion lies between rates of signs - and 0 or +, an aphelion
    // between + and 0 or -.
    static bool ratesCross(int earlier, int later) {
        return (earlier < 0 && later >= 0) || (earlier > 0 && later <= 0);
    }

    const HeldRecord& hold(const RecordPoint& point);
    [[gnu::noinline]] bool closesPassage();  // kept out of the inline path
    std::optional<TruePassage> betweenRates(const HeldRecord& earlier,
                                            const HeldRecord& later) const;
    std::optional<TruePassage> acrossThree(const HeldRecord& before, const HeldRecord& middle,
                                           const HeldRecord& after) const;
    double auOf(const HeldRecord& record) const;
    void keep(const TruePassage& passage);

    DistanceScale scale_;
    HeldRecord records_[3];
    HeldRecord* newest_ = &records_[0];
    HeldRecord* previous_ = &records_[2];
    HeldRecord* beforePrevious_ = &records_[1];
    std::size_t held_ = 0;  // how many of records_ belong to the span, up to 3
    double firstAu_ = 0;
    TruePassage passage_;  // the last one found
    std::optional<TruePassage> least_;
    std::optional<TruePassage> greatest_;
};

}  // namespace vandrel
