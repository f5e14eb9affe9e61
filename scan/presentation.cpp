#include "scan/presentation.h"

#include <cmath>

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

}  // namespace vandrel
