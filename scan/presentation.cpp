#include "scan/presentation.h"

#include <cmath>

#include "scan/passage_texts.h"
#include "scan/scan_messages.h"
#include "scan/time_scales.h"
#include "text/calendar.h"
#include "text/number_text.h"
#include "text/text_slice.h"

namespace vandrel {

std::string summaryLine(std::string_view kmText, std::string_view dateText, Extreme which) {
    const double wholeKm = std::floor(TextToNumber(kmText) + 0.5);
    const std::string_view literal =
        which == Extreme::Least ? "  km    min    on    " : "  km    max    on    ";
    return NumberToSignedText(wholeKm) + std::string(literal) +
           std::string(TextFirst(dateText, dateLength(dateText)));
}

ExtremeTexts presentExtreme(const DistanceExtreme& extreme, Extreme which) {
    ExtremeTexts texts{NumberToText(extreme.item),
                       extreme.dateText,
                       NumberToText(extreme.au),
                       NumberToText(extreme.km),
                       {}};
    texts.summary = summaryLine(texts.km, texts.dateText, which);
    return texts;
}

namespace {

std::string kindWord(PassageKind kind, bool fromSun) {
    if (kind == PassageKind::Perihelion) {
        return fromSun ? "perihelion" : "pericentre";
    }
    return fromSun ? "aphelion" : "apocentre";
}

}  // namespace

PassageTexts presentPassage(const TruePassage& passage, const EphemerisHeader& header) {
    const bool fromSun = header.fromSun();
    PassageTexts texts;
    texts.kind = kindWord(passage.kind, fromSun);
    texts.kindLabel = fromSun ? texts.kind : texts.kind + " (from " + header.centre + ")";
    texts.centre = fromSun ? std::string() : header.centre;
    texts.time = instantText(passage.julianDay, header.timeScale);
    texts.utc = utcText(passage.julianDay, header.timeScale);
    if (passage.uncertainty && passage.uncertainty->seconds >= 0.5) {
        texts.uncertainty = "± " + messages::durationText(passage.uncertainty->seconds);
    }
    texts.instant = texts.time;
    if (!texts.uncertainty.empty()) {
        texts.instant += " " + texts.uncertainty;
    }
    if (!texts.utc.empty()) {
        const std::size_t day = dateLength(texts.utc);
        const bool sameDay = texts.utc.compare(0, day, texts.time, 0, day) == 0;
        texts.instant += " (" + (sameDay ? texts.utc.substr(day + 1) : texts.utc) + ")";
    }
    texts.julianDay = julianDayText(passage.julianDay);
    texts.au = auText(passage.au);
    texts.km = kmText(passage.au);
    texts.between = "between items " + NumberToText(passage.itemBefore) + " and " +
                    NumberToText(passage.itemAfter);
    return texts;
}

std::string missingPassage(const TrueExtreme& extreme, Extreme which,
                           const EphemerisHeader& header) {
    if (extreme.passage || extreme.endWithoutPassage == SpanEnd::None) {
        return {};
    }
    if (extreme.orbit == OrbitBound::Open) {
        return std::string(messages::kOpenOrbit);
    }
    const PassageKind kind =
        which == Extreme::Least ? PassageKind::Perihelion : PassageKind::Aphelion;
    // A perihelion lies beyond that end on any orbit; an aphelion only on a
    // closed one.
    const bool closedOnly = which == Extreme::Most && extreme.orbit == OrbitBound::Unknown;
    return messages::noPassage(kindWord(kind, header.fromSun()), which == Extreme::Least,
                               extreme.endWithoutPassage == SpanEnd::First, closedOnly);
}

std::string trueLine(const TrueExtreme& extreme, Extreme which, const EphemerisHeader& header) {
    if (!extreme.passage) {
        return missingPassage(extreme, which, header);
    }
    const PassageTexts texts = presentPassage(*extreme.passage, header);
    const std::string named = texts.centre.empty() ? "" : texts.kindLabel + "  ";
    return "true  " + named + texts.instant + "  " + texts.au + " AU  " + texts.km + " km  " +
           texts.between;
}

std::string trueTip(const TrueExtreme& extreme, Extreme which, const EphemerisHeader& header) {
    if (!extreme.passage) {
        return missingPassage(extreme, which, header);
    }
    const PassageTexts texts = presentPassage(*extreme.passage, header);
    std::string opening;
    if (texts.centre.empty()) {
        opening = which == Extreme::Least ? "True perihelion: " : "True aphelion: ";
    } else {
        opening =
            (which == Extreme::Least ? "Closest to " : "Farthest from ") + texts.centre + ": ";
    }
    return opening + texts.instant + ", " + texts.au + " AU, " + texts.km + " km (" +
           texts.between + ")";
}

}  // namespace vandrel
