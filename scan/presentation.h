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

// The texts that show a refined passage. Its kind and the words for it name
// the centre when the file's distances are not from the Sun.
struct PassageTexts {
    std::string kind;         // "perihelion" or "aphelion"; "pericentre" or "apocentre"
    std::string kindLabel;    // the kind, and "(from CENTRE)" after it for another centre
    std::string centre;       // the centre's name, when it is not the Sun
    std::string time;         // "2020-Jan-05 07:47:54 TDB"
    std::string utc;          // "2020-Jan-05 07:46:45 UTC", or empty where there is none
    std::string uncertainty;  // "± 12 s", or empty below a second or where it is unknown
    // The time with the uncertainty and UTC after it:
    // "2020-Jan-05 07:47:54 TDB ± 12 s (07:46:45 UTC)", with UTC's date
    // where it falls on another day.
    std::string instant;
    std::string julianDay;  // "2458853.824931"
    std::string au;         // "0.983243565"
    std::string km;         // "147091144"
    std::string between;    // "between items 4 and 5"
};

PassageTexts presentPassage(const TruePassage& passage, const EphemerisHeader& header);

// Why the span has no true perihelion (Least) or aphelion (Most): one of the
// sentences that say at which end its least or greatest distance lies, or
// that the body is on an open orbit. Empty when it has one, or when no
// record was let through.
std::string missingPassage(const TrueExtreme& extreme, Extreme which,
                           const EphemerisHeader& header);

// One line under an extreme: "true  2020-Jan-05 07:47:54 TDB (07:46:45 UTC)
// 0.983243565 AU  147091144 km  between items 4 and 5" (with the kind and its
// centre after "true" for another centre), or the sentence of a span
// without it.
std::string trueLine(const TrueExtreme& extreme, Extreme which, const EphemerisHeader& header);

// The same for the window: "True perihelion: 2020-Jan-05 07:47:54 TDB
// (07:46:45 UTC), 0.983243565 AU, 147091144 km (between items 4 and 5)", or
// "Closest to CENTRE: ..." for another centre; or the sentence.
std::string trueTip(const TrueExtreme& extreme, Extreme which, const EphemerisHeader& header);

}  // namespace vandrel
