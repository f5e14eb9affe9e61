#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "scan/scan_records.h"

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
    // A record's texts are held whole, as far as the scan reads an item, so
    // that a distance reads here as it does for the extremes.
    static constexpr std::size_t kMostCharacters = 128;

    void setScale(DistanceScale scale) { scale_ = scale; }

    // Each record let through, in order; the passage it closes, if any.
    std::optional<TruePassage> take(const RecordPoint& point);

    // After the last record: the true extremes of the span.
    void finish(TrueExtreme& perihelion, TrueExtreme& aphelion);

  private:
    // A text of at most N characters, held in place.
    template <std::size_t N>
    struct HeldText {
        char text[N];
        std::size_t length = 0;
        void assign(std::string_view from);
        std::string_view view() const { return {text, length}; }
    };

    struct HeldRecord {
        std::int32_t item = 0;
        HeldText<kMostCharacters> instant;
        HeldText<25> date;
        HeldText<kMostCharacters> range;
        HeldText<kMostCharacters> rate;
        bool hasRate = false;
        int rateSign = 0;
    };

    std::optional<TruePassage> betweenRates(const HeldRecord& earlier,
                                            const HeldRecord& later) const;
    std::optional<TruePassage> acrossThree(const HeldRecord& before, const HeldRecord& middle,
                                           const HeldRecord& after) const;
    double auOf(const HeldRecord& record) const;
    void keep(const TruePassage& passage);

    DistanceScale scale_;
    HeldRecord records_[3];
    std::size_t newest_ = 0;
    std::size_t held_ = 0;  // how many of records_ belong to the span, up to 3
    double firstAu_ = 0;
    std::optional<TruePassage> least_;
    std::optional<TruePassage> greatest_;
};

}  // namespace vandrel
