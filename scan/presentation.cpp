#include "scan/presentation.h"

#include <cmath>

#include "scan/passage_texts.h"
#include "scan/scan_messages.h"
#include "text/number_text.h"
#include "text/text_slice.h"

namespace vandrel {

std::string summaryLine(std::string_view kmText, std::string_view dateText, Extreme which) {
    const double wholeKm = std::floor(TextToNumber(kmText) + 0.5);
    const std::string_view literal =
        which == Extreme::Least ? "  km    min    on    " : "  km    max    on    ";
    return NumberToSignedText(wholeKm) + std::string(literal) +
           std::string(TextFirst(dateText, 11));
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

PassageTexts presentPassage(const TruePassage& passage, std::string_view timeScale) {
    return {passage.kind == PassageKind::Perihelion ? "perihelion" : "aphelion",
            passageTimeText(passage.julianDay, timeScale),
            julianDayText(passage.julianDay),
            auText(passage.au),
            kmText(passage.au),
            "between items " + NumberToText(passage.itemBefore) + " and " +
                NumberToText(passage.itemAfter)};
}

std::string_view missingPassage(const TrueExtreme& extreme, Extreme which) {
    if (extreme.passage || extreme.endWithoutPassage == SpanEnd::None) {
        return {};
    }
    return messages::noPassage(which == Extreme::Least,
                               extreme.endWithoutPassage == SpanEnd::First);
}

std::string trueLine(const TrueExtreme& extreme, Extreme which, std::string_view timeScale) {
    if (!extreme.passage) {
        return std::string(missingPassage(extreme, which));
    }
    const PassageTexts texts = presentPassage(*extreme.passage, timeScale);
    return "true  " + texts.time + "  " + texts.au + " AU  " + texts.km + " km  " + texts.between;
}

std::string trueTip(const TrueExtreme& extreme, Extreme which, std::string_view timeScale) {
    if (!extreme.passage) {
        return std::string(missingPassage(extreme, which));
    }
    const PassageTexts texts = presentPassage(*extreme.passage, timeScale);
    return std::string(which == Extreme::Least ? "True perihelion: " : "True aphelion: ") +
           texts.time + ", " + texts.au + " AU, " + texts.km + " km (" + texts.between + ")";
}

}  // namespace vandrel
