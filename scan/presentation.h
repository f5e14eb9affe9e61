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

// The texts that show a refined passage.
struct PassageTexts {
    std::string kind;       // "perihelion" or "aphelion"
    std::string time;       // "2020-Jan-05 07:47:54 TDB"
    std::string julianDay;  // "2458853.824931"
    std::string au;         // "0.983243565"
    std::string km;         // "147091144"
    std::string between;    // "between items 4 and 5"
};

PassageTexts presentPassage(const TruePassage& passage, std::string_view timeScale);

// Why the span has no true perihelion (Least) or aphelion (Most): one of the
// four sentences that say at which end its least or greatest distance lies.
// Empty when it has one, or when no record was let through.
std::string_view missingPassage(const TrueExtreme& extreme, Extreme which);

// One line under an extreme: "true  2020-Jan-05 07:47:54 TDB  0.983243565 AU
// 147091144 km  between items 4 and 5", or the sentence of a span without it.
std::string trueLine(const TrueExtreme& extreme, Extreme which, std::string_view timeScale);

// The same for the window: "True perihelion: 2020-Jan-05 07:47:54 TDB,
// 0.983243565 AU, 147091144 km (between items 4 and 5)", or the sentence.
std::string trueTip(const TrueExtreme& extreme, Extreme which, std::string_view timeScale);

}  // namespace vandrel
