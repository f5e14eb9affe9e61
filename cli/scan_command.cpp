#include "cli/scan_command.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "cli/scan_options.h"
#include "cli/scan_report.h"
#include "scan/ephemeris_scanner.h"
#include "scan/scan_messages.h"
#include "text/calendar.h"

namespace vandrel {

namespace {

constexpr std::string_view kUsage =
    "usage: vandrel-scan [--least | --most] [--start DATE] [--end DATE] [--sun SUNFILE] "
    "[--passages] [--json] FILE...\n";

constexpr std::string_view kAbout =
    "Finds the least and the greatest distance from the Sun in Horizons tables\n"
    "(vector tables by RG or by position, observer tables by r), with the\n"
    "record's date, item number, AU, km and summary, and the true perihelion\n"
    "and aphelion refined between records, how sure each is, and its UTC.\n";

constexpr std::string_view kMore =
    "Dates follow Horizons' calendar: Julian before 1582-Oct-15, Gregorian\n"
    "after; write a date before A.D. 1 as one argument, like 'B.C. 0500-Jan-01'.\n"
    "An option's value may follow it as the next argument or after =, as\n"
    "--start=1900-Jan-01.\n"
    "\n"
    "FILE may be - for standard input. Exit status: 0 all scanned, 1 a file\n"
    "could not be opened, 2 bad usage, 3 a file could not be scanned, 4 the\n"
    "results could not be written to standard output.\n";

struct Options {
    ScanSettings settings;
    bool json = false;
    bool passages = false;
    std::vector<std::string> files;
};

struct ParseOutcome {
    std::optional<Options> options;
    int status = kExitOk;  // when there are no options: what to exit with
};

// What is wrong with an option's value; empty when nothing is. `argument`
// is the option as it was written, "--start" or "--start=".
std::string valueFault(const ScanOption& option, const std::string& argument,
                       const std::optional<std::string>& value) {
    if (option.value == OptionValue::Table) {
        return value && !value->empty() ? ""
                                        : "--" + std::string(option.name) +
                                              " needs the Sun's vector table, such as sun.txt";
    }
    if (!value) {
        return argument + " needs a date, such as 1900-Jan-01";
    }
    if (value->empty()) {
        return argument + " needs a date, such as 1900-Jan-01, not an empty text";
    }
    if (!ParseDate(*value)) {
        return option.id == OptionId::Start ? messages::startDateNotUnderstood(*value)
                                            : messages::endDateNotUnderstood(*value);
    }
    return {};
}

ParseOutcome parseArguments(const std::vector<std::string>& arguments, std::ostream& out,
                            std::ostream& err) {
    Options options;
    bool least = false;
    bool most = false;
    const auto usageError = [&err](const std::string& problem) {
        err << "vandrel-scan: " << problem << "\n" << kUsage;
        return ParseOutcome{std::nullopt, kExitUsage};
    };
    bool onlyFiles = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (onlyFiles || argument == "-" || !argument.starts_with("-")) {
            options.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            onlyFiles = true;
            continue;
        }
        const ScanOption* option = findOption(argument);
        if (option == nullptr) {
            return usageError("unknown option " + argument);
        }
        const std::size_t equals = argument.find('=');
        std::optional<std::string> value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        }
        if (option->value == OptionValue::None) {
            if (value) {
                return usageError("--" + std::string(option->name) + " takes no value");
            }
        } else {
            if (!value && i + 1 < arguments.size()) {
                value = arguments[++i];
            }
            if (const std::string fault = valueFault(*option, argument, value); !fault.empty()) {
                return usageError(fault);
            }
        }
        switch (option->id) {
            case OptionId::Help:
                out << kUsage << "\n" << kAbout << "\nOptions:\n" << optionsHelp() << "\n" << kMore;
                return {std::nullopt, kExitOk};
            case OptionId::Version:
                out << "vandrel-scan " << VANDREL_VERSION << "\n";
                return {std::nullopt, kExitOk};
            case OptionId::Least:
                least = true;
                break;
            case OptionId::Most:
                most = true;
                break;
            case OptionId::Json:
                options.json = true;
                break;
            case OptionId::Passages:
                options.passages = true;
                break;
            case OptionId::Sun:
                options.settings.sunFilePath = *value;
                break;
            case OptionId::Start:
                options.settings.startFilterOn = true;
                options.settings.startDateText = *value;
                break;
            case OptionId::End:
                options.settings.endStopOn = true;
                options.settings.endDateText = *value;
                break;
        }
    }
    if (options.files.empty()) {
        return usageError("no file given");
    }
    if (std::count(options.files.begin(), options.files.end(), "-") > 1) {
        return usageError("- is given twice, but standard input can be read only once");
    }
    // Both extremes unless the user picked one (or both) of them.
    options.settings.trackMinimum = least || !most;
    options.settings.trackMaximum = most || !least;
    return {std::move(options), kExitOk};
}

// Writes each passage as soon as it is found, so that memory stays constant
// whatever their number.
class PassageWriter final : public ScanObserver {
  public:
    PassageWriter(const std::string& file, const Options& options, std::ostream& out,
                  std::ostream& err)
        : file_(file), options_(options), out_(out), err_(err) {}

    // The warnings that the header decides go out before any passage, so
    // that a reader who stops early has seen them.
    void recordsBegin(const EphemerisHeader& header,
                      const std::vector<ScanWarning>& warnings) override {
        (void)header;
        for (const ScanWarning& warning : warnings) {
            warnOf(warning);
        }
        warned_ = warnings.size();
        err_.flush();
    }

    void newPassage(const TruePassage& passage, const EphemerisHeader& header) override {
        if (options_.passages) {
            out_ << (options_.json ? jsonPassage(file_, passage, header)
                                   : plainPassage(file_, passage, header));
        }
    }

    // The warnings decided at the end of the scan.
    void warnOfTheRest(const std::vector<ScanWarning>& warnings) const {
        for (std::size_t i = warned_; i < warnings.size(); ++i) {
            warnOf(warnings[i]);
        }
    }

  private:
    void warnOf(const ScanWarning& warning) const {
        err_ << "vandrel-scan: " << file_ << ": " << warning.message << "\n";
    }

    const std::string& file_;
    const Options& options_;
    std::ostream& out_;
    std::ostream& err_;
    std::size_t warned_ = 0;
};

int scanOne(const std::string& file, const Options& options, std::FILE* standardInput,
            std::ostream& out, std::ostream& err) {
    const EphemerisScanner scanner;
    PassageWriter passageWriter(file, options, out, err);
    ScanSettings settings = options.settings;
    settings.filePath = file;
    ScanOutcome outcome;
    if (file == "-") {
        const auto input = FileSource::borrow(standardInput);
        outcome = scanner.scan(*input, settings, passageWriter);
    } else {
        outcome = scanner.scan(settings, passageWriter);
    }
    if (const auto* failure = std::get_if<ScanFailure>(&outcome)) {
        if (failure->kind == ScanFailureKind::OpenFailed) {
            err << "vandrel-scan: " << file << ": cannot open: " << failure->message << "\n";
            return kExitCannotOpen;
        }
        err << "vandrel-scan: " << file << ": " << failure->message << "\n";
        return kExitScanFailed;
    }
    const auto& result = std::get<ScanResult>(outcome);
    const ReportedExtremes shown{settings.trackMinimum, settings.trackMaximum};
    out << (options.json ? jsonReport(file, result, shown, settings.sunFilePath)
                         : plainReport(file, result, shown));
    passageWriter.warnOfTheRest(result.warnings);
    return kExitOk;
}

// Parses the arguments and scans every file; the caller tells whether what
// it wrote reached standard output.
int runScans(const std::vector<std::string>& arguments, std::FILE* standardInput, std::ostream& out,
             std::ostream& err) {
    const ParseOutcome parsed = parseArguments(arguments, out, err);
    if (!parsed.options) {
        return parsed.status;
    }
    int worst = kExitOk;
    for (const std::string& file : parsed.options->files) {
        worst = std::max(worst, scanOne(file, *parsed.options, standardInput, out, err));
        if (!out.flush()) {
            break;  // a full disk: the next results could not be written either
        }
    }
    return worst;
}

}  // namespace

int runScanCommand(const std::vector<std::string>& arguments, std::FILE* standardInput,
                   std::ostream& out, std::ostream& err) {
    const int status = runScans(arguments, standardInput, out, err);
    if (!out.flush()) {
        err << "vandrel-scan: cannot write the results to standard output\n";
        return kExitWriteFailed;
    }
    return status;
}

}  // namespace vandrel
