#include "cli/scan_report.h"

#include <array>
#include <charconv>
#include <cmath>
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

// A JSON number with `digits` significant digits, as "5.1e-10" or "12.3".
std::string jsonNumber(double value, int digits) {
    std::array<char, 32> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::general, digits);
    return std::string(buffer.data(), result.ptr);
}

// The refined passage's keys, shared by an extreme's "true" and --passages.
std::string jsonPassageKeys(const PassageTexts& texts, const TruePassage& passage) {
    std::string keys = "\"jd\":" + texts.julianDay + ",\"time\":" + jsonString(texts.time) +
                       ",\"utc\":" + (texts.utc.empty() ? "null" : jsonString(texts.utc)) +
                       ",\"au\":" + jsonString(texts.au) + ",\"km\":" + jsonString(texts.km) +
                       ",\"between\":[" + NumberToText(passage.itemBefore) + "," +
                       NumberToText(passage.itemAfter) + "],\"uncertainty\":";
    if (const auto& uncertainty = passage.uncertainty) {
        // Seconds to the tenth, AU to two significant digits: an estimate.
        keys += "{\"seconds\":" + jsonNumber(std::round(uncertainty->seconds * 10) / 10, 15) +
                ",\"au\":" + jsonNumber(uncertainty->au, 2) + "}";
    } else {
        keys += "null";
    }
    if (!texts.centre.empty()) {
        keys += ",\"center\":" + jsonString(texts.centre);
    }
    return keys;
}

std::string jsonExtreme(const ShownExtreme& extreme, const EphemerisHeader& header) {
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
        json += "{" + jsonPassageKeys(presentPassage(*passage, header), *passage) + "}";
    } else {
        json += "null";
    }
    json += "}";
    return json;
}

}  // namespace

std::string plainReport(std::string_view file, const ScanResult& result, ReportedExtremes shown) {
    std::string report(file);
    report += "\n";
    // Right under the file's name, so that a copy of the output keeps them.
    for (const ScanWarning& warning : result.warnings) {
        report += "  warning  " + warning.message + "\n";
    }
    report += "  records  " + NumberToText(result.datedCount) + "\n";
    for (const ShownExtreme& extreme : shownExtremes(result, shown)) {
        const ExtremeTexts texts = presentExtreme(extreme.record, extreme.which);
        report += "  ";
        report += extreme.plainLabel;
        report += "item " + texts.item + "   " + texts.dateText + "   " + texts.au + " AU   " +
                  texts.km + " km\n";
        report += "         " + texts.summary + "\n";
        const std::string truth = trueLine(extreme.truth, extreme.which, result.header);
        if (!truth.empty()) {
            report += "         " + truth + "\n";
        }
    }
    return report;
}

std::string jsonReport(std::string_view file, const ScanResult& result, ReportedExtremes shown,
                       std::string_view sunFile) {
    std::string report =
        "{" + jsonFileKeys(file) + ",\"datedCount\":" + NumberToText(result.datedCount);
    std::vector<std::string> warnings;
    for (const ScanWarning& warning : result.warnings) {
        warnings.push_back(warning.message);
    }
    for (const ShownExtreme& extreme : shownExtremes(result, shown)) {
        report += jsonExtreme(extreme, result.header);
        if (std::string missing = missingPassage(extreme.truth, extreme.which, result.header);
            !missing.empty()) {
            warnings.push_back(std::move(missing));
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
    if (!sunFile.empty()) {
        report += ",\"sunFile\":" + jsonString(sunFile);
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
                         const EphemerisHeader& header) {
    const PassageTexts texts = presentPassage(passage, header);
    return std::string(file) + "  " + texts.kindLabel + "  " + texts.instant + "  " + texts.au +
           " AU  " + texts.km + " km  " + texts.between + "\n";
}

std::string jsonPassage(std::string_view file, const TruePassage& passage,
                        const EphemerisHeader& header) {
    const PassageTexts texts = presentPassage(passage, header);
    return "{" + jsonFileKeys(file) + ",\"passage\":" + jsonString(texts.kind) + "," +
           jsonPassageKeys(texts, passage) + "}\n";
}

}  // namespace vandrel
