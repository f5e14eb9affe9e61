#pragma once

#include <array>
#include <string>
#include <vector>

#include "scan/scan_records.h"

namespace vandrel {

// The passages as a table, one row each, in the texts that the summary and
// vandrel-scan show them in.
inline constexpr std::size_t kPassageColumns = 7;
using PassageRow = std::array<std::string, kPassageColumns>;

// "Passage", "Instant (TDB)", "UTC", "AU", "km", "Uncertainty", "Records".
PassageRow passageColumnTitles(const EphemerisHeader& header);

// Kind, instant in the file's time scale, UTC (empty where there is none),
// AU, km, uncertainty ("± 12 s", "< 1 s" or "unknown") and the two items it
// lies between ("between items 4 and 5").
PassageRow passageRow(const TruePassage& passage, const EphemerisHeader& header);

// The title row and then each row: items apart by a tab, lines by a line
// feed, as spreadsheets take pasted text.
std::string tabSeparatedRows(const PassageRow& titles, const std::vector<PassageRow>& rows);

// The same as comma-separated values: items quoted where they hold a comma,
// a quote or a line end, CR LF after each line.
std::string commaSeparatedRows(const PassageRow& titles, const std::vector<PassageRow>& rows);

}  // namespace vandrel
