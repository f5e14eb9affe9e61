#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vandrel {

enum class OptionId { Least, Most, Start, End, Sun, Passages, Json, Help, Version };

// What an option takes after it: nothing, a date, or a Horizons table.
enum class OptionValue { None, Date, Table };

// One option of vandrel-scan. This table is the one place that names them:
// the parser, --help (and so the man page) and the shells' completions are
// all made from it.
struct ScanOption {
    OptionId id;
    std::string_view name;  // "start" for --start
    char shortName;         // 'h' for -h; 0 for none
    OptionValue value;
    std::string_view valueName;  // "DATE", "SUNFILE"
    std::string_view help;       // one line, in lower case
    std::string_view moreHelp;   // a second line under it in --help, or empty
    bool endsTheCommand;         // --help and --version: nothing else is done
};

inline constexpr std::array<ScanOption, 9> kScanOptions{{
    {OptionId::Least, "least", 0, OptionValue::None, "",
     "show only the least distance (perihelion)", "", false},
    {OptionId::Most, "most", 0, OptionValue::None, "", "show only the greatest distance (aphelion)",
     "", false},
    {OptionId::Start, "start", 0, OptionValue::Date, "DATE",
     "skip records dated before DATE, written like 1900-Jan-01", "", false},
    {OptionId::End, "end", 0, OptionValue::Date, "DATE",
     "stop at the first record whose date is DATE", "", false},
    {OptionId::Sun, "sun", 0, OptionValue::Table, "SUNFILE",
     "take the distances from the Sun's vector table SUNFILE, of the",
     "same centre and instants as FILE (a barycentric FILE, say)", false},
    {OptionId::Passages, "passages", 0, OptionValue::None, "",
     "list every perihelion and aphelion passage, as found", "", false},
    {OptionId::Json, "json", 0, OptionValue::None, "",
     "one JSON object per file (and per passage), one per line", "", false},
    {OptionId::Help, "help", 'h', OptionValue::None, "", "show this help", "", true},
    {OptionId::Version, "version", 'V', OptionValue::None, "", "show the version", "", true},
}};

// The option an argument names: "--start", "--start=DATE", "-h"; none for
// any other text.
const ScanOption* findOption(std::string_view argument);

// The options' lines of --help: "  -h, --help       show this help", the
// descriptions in one column two blanks or more after the longest option.
std::string optionsHelp();

// The completion scripts of bash, zsh and fish: the options of the table,
// nothing to offer after a date, and folders and .txt files for FILE and
// for a table's name.
std::string bashCompletion();
std::string zshCompletion();
std::string fishCompletion();

}  // namespace vandrel
