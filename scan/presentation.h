#pragma once

#include <string>
#include <string_view>

#include "scan/scan_records.h"

namespace vandrel {

enum class Extreme { Least, Most };

// The texts that show one extreme, in the window and on the command line alike.
struct ExtremeTexts {
    std::string item;
    std::string dateText;
    std::string au;
    std::string km;
    std::string summary;
};

// The one-line summary: the km text rounded to whole km, halves upwards, with
// a leading blank, then "  km    min    on    " (or "max") and the date
// without the time, as " 147157451  km    min    on    2020-Jan-01".
std::string summaryLine(std::string_view kmText, std::string_view dateText, Extreme which);

ExtremeTexts presentExtreme(const DistanceExtreme& extreme, Extreme which);

}  // namespace vandrel
