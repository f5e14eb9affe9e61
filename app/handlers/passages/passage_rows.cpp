#include "app/handlers/passages/passage_rows.h"

#include "scan/presentation.h"

namespace vandrel {

namespace {

std::string csvItem(const std::string& item) {
    if (item.find_first_of(",\"\r\n") == std::string::npos) {
        return item;
    }
    std::string quoted = "\"";
    for (const char c : item) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

template <typename Item>
std::string joinedRows(const PassageRow& titles, const std::vector<PassageRow>& rows,
                       const char* between, const char* lineEnd, Item item) {
    std::string text;
    const auto addLine = [&](const PassageRow& row) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            if (column > 0) {
                text += between;
            }
            text.append(item(row[column]));
        }
        text += lineEnd;
    };
    addLine(titles);
    for (const PassageRow& row : rows) {
        addLine(row);
    }
    return text;
}

}  // namespace

PassageRow passageColumnTitles(const EphemerisHeader& header) {
    const std::string scale = header.timeScale.empty() ? "" : " (" + header.timeScale + ")";
    return {"Passage", "Instant" + scale, "UTC", "AU", "km", "Uncertainty", "Records"};
}

PassageRow passageRow(const TruePassage& passage, const EphemerisHeader& header) {
    const PassageTexts texts = presentPassage(passage, header);
    std::string uncertainty = texts.uncertainty;
    if (!passage.uncertainty) {
        uncertainty = "unknown";
    } else if (uncertainty.empty()) {
        uncertainty = "< 1 s";
    }
    return {texts.kindLabel, texts.time, texts.utc, texts.au, texts.km, uncertainty, texts.between};
}

std::string tabSeparatedRows(const PassageRow& titles, const std::vector<PassageRow>& rows) {
    return joinedRows(titles, rows, "\t", "\n", [](const std::string& item) { return item; });
}

std::string commaSeparatedRows(const PassageRow& titles, const std::vector<PassageRow>& rows) {
    return joinedRows(titles, rows, ",", "\r\n", csvItem);
}

}  // namespace vandrel
