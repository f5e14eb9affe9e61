#include "cli/scan_report.h"

#include "cli/json_text.h"
#include "scan/presentation.h"
#include "text/number_text.h"

namespace vandrel {

namespace {

std::string plainExtreme(std::string_view label, const ExtremeTexts& texts) {
    std::string line = "  ";
    line += label;
    line += "item " + texts.item + "   " + texts.dateText + "   " + texts.au + " AU   " + texts.km +
            " km\n";
    line += "         " + texts.summary + "\n";
    return line;
}

std::string jsonExtreme(std::string_view key, const ExtremeTexts& texts) {
    std::string json = ",\"";
    json += key;
    json += "\":{\"item\":" + texts.item;
    json += ",\"dateText\":" + jsonString(texts.dateText);
    json += ",\"au\":" + jsonString(texts.au);
    json += ",\"km\":" + jsonString(texts.km);
    json += ",\"summary\":" + jsonString(texts.summary);
    json += "}";
    return json;
}

}  // namespace

std::string plainReport(std::string_view file, const ScanResult& result, ReportedExtremes shown) {
    std::string report(file);
    report += "\n  records  " + NumberToText(result.datedCount) + "\n";
    if (shown.least) {
        report += plainExtreme("least    ", presentExtreme(result.minimum, Extreme::Least));
    }
    if (shown.most) {
        report += plainExtreme("most     ", presentExtreme(result.maximum, Extreme::Most));
    }
    return report;
}

std::string jsonReport(std::string_view file, const ScanResult& result, ReportedExtremes shown) {
    std::string report =
        "{\"file\":" + jsonString(file) + ",\"datedCount\":" + NumberToText(result.datedCount);
    if (shown.least) {
        report += jsonExtreme("minimum", presentExtreme(result.minimum, Extreme::Least));
    }
    if (shown.most) {
        report += jsonExtreme("maximum", presentExtreme(result.maximum, Extreme::Most));
    }
    const EphemerisHeader& header = result.header;
    for (const auto& [key, value] : {std::pair{"target", &header.target},
                                     {"center", &header.centre},
                                     {"units", &header.units}}) {
        if (!value->empty()) {
            report += ",\"" + std::string(key) + "\":" + jsonString(*value);
        }
    }
    if (!result.warnings.empty()) {
        std::string separator = ",\"warnings\":[";
        for (const ScanWarning& warning : result.warnings) {
            report += separator + jsonString(warning.message);
            separator = ",";
        }
        report += "]";
    }
    report += "}\n";
    return report;
}

}  // namespace vandrel
