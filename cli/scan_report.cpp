#include "cli/scan_report.h"

#include <vector>

#include "cli/json_text.h"
#include "scan/presentation.h"
#include "text/number_text.h"

namespace vandrel {

namespace {

struct ShownExtreme {
    const char* plainLabel;
    const char* jsonKey;
    Extreme which;
    const DistanceExtreme& record;
    const TrueExtreme& truth;
};

std::vector<ShownExtreme> shownExtremes(const ScanResult& result, ReportedExtremes shown) {
    std::vector<ShownExtreme> extremes;
    if (shown.least) {
        extremes.push_back(
            {"least    ", "minimum", Extreme::Least, result.minimum, result.truePerihelion});
    }
    if (shown.most) {
        extremes.push_back(
            {"most     ", "maximum", Extreme::Most, result.maximum, result.trueAphelion});
    }
    return extremes;
}

// The refined passage's keys, shared by an extreme's "true" and --passages.
std::string jsonPassageKeys(const PassageTexts& texts, const TruePassage& passage) {
    return "\"jd\":" + texts.julianDay + ",\"time\":" + jsonString(texts.time) +
           ",\"au\":" + jsonString(texts.au) + ",\"km\":" + jsonString(texts.km) +
           ",\"between\":[" + NumberToText(passage.itemBefore) + "," +
           NumberToText(passage.itemAfter) + "]";
}

std::string jsonExtreme(const ShownExtreme& extreme, std::string_view timeScale) {
    const ExtremeTexts texts = presentExtreme(extreme.record, extreme.which);
    std::string json = ",\"";
    json += extreme.jsonKey;
    json += "\":{\"item\":" + texts.item;
    json += ",\"dateText\":" + jsonString(texts.dateText);
    json += ",\"au\":" + jsonString(texts.au);
    json += ",\"km\":" + jsonString(texts.km);
    json += ",\"summary\":" + jsonString(texts.summary);
    json += ",\"true\":";
    if (const auto& passage = extreme.truth.passage) {
        json += "{" + jsonPassageKeys(presentPassage(*passage, timeScale), *passage) + "}";
    } else {
        json += "null";
    }
    json += "}";
    return json;
}

}  // namespace

std::string plainReport(std::string_view file, const ScanResult& result, ReportedExtremes shown) {
    std::string report(file);
    report += "\n  records  " + NumberToText(result.datedCount) + "\n";
    for (const ShownExtreme& extreme : shownExtremes(result, shown)) {
        const ExtremeTexts texts = presentExtreme(extreme.record, extreme.which);
        report += "  ";
        report += extreme.plainLabel;
        report += "item " + texts.item + "   " + texts.dateText + "   " + texts.au + " AU   " +
                  texts.km + " km\n";
        report += "         " + texts.summary + "\n";
        const std::string truth = trueLine(extreme.truth, extreme.which, result.header.timeScale);
        if (!truth.empty()) {
            report += "         " + truth + "\n";
        }
    }
    return report;
}

std::string jsonReport(std::string_view file, const ScanResult& result, ReportedExtremes shown) {
    std::string report =
        "{" + jsonFileKeys(file) + ",\"datedCount\":" + NumberToText(result.datedCount);
    std::vector<std::string> warnings;
    for (const ScanWarning& warning : result.warnings) {
        warnings.push_back(warning.message);
    }
    for (const ShownExtreme& extreme : shownExtremes(result, shown)) {
        report += jsonExtreme(extreme, result.header.timeScale);
        if (const std::string_view missing = missingPassage(extreme.truth, extreme.which);
            !missing.empty()) {
            warnings.emplace_back(missing);
        }
    }
    const EphemerisHeader& header = result.header;
    for (const auto& [key, value] : {std::pair{"target", &header.target},
                                     {"center", &header.centre},
                                     {"units", &header.units}}) {
        if (!value->empty()) {
            report += ",\"" + std::string(key) + "\":" + jsonString(*value);
        }
    }
    if (!warnings.empty()) {
        std::string separator = ",\"warnings\":[";
        for (const std::string& warning : warnings) {
            report += separator + jsonString(warning);
            separator = ",";
        }
        report += "]";
    }
    report += "}\n";
    return report;
}

std::string plainPassage(std::string_view file, const TruePassage& passage,
                         std::string_view timeScale) {
    const PassageTexts texts = presentPassage(passage, timeScale);
    return std::string(file) + "  " + texts.kind + "  " + texts.time + "  " + texts.au + " AU  " +
           texts.km + " km  " + texts.between + "\n";
}

std::string jsonPassage(std::string_view file, const TruePassage& passage,
                        std::string_view timeScale) {
    const PassageTexts texts = presentPassage(passage, timeScale);
    return "{" + jsonFileKeys(file) + ",\"passage\":" + jsonString(texts.kind) + "," +
           jsonPassageKeys(texts, passage) + "}\n";
}

}  // namespace vandrel
