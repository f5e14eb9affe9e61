#include "tools/generator/table_generator.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel::generator {

namespace {

constexpr double kLightAuPerDay = 173.1446326846693;
constexpr double kEarthYearDays = 365.256363004;
constexpr double kKmPerAu = 149597870.7;

constexpr std::string_view kUsage =
    "usage: vandrel-generate [options] OUTPUT\n"
    "  --records N         number of records (default 366)\n"
    "  --bytes N           instead: write records until the file holds N bytes\n"
    "  --step-hours H      time between records (default 24)\n"
    "  --step-cycle A,B,.. instead: steps of A, B, ... hours in turn, for unequal steps\n"
    "  --start-jd JD       Julian day of the first record (default 2458849.5, 2020-Jan-01)\n"
    "  --semi-major-axis A in AU (default 1.00000011)\n"
    "  --eccentricity E    (default 0.01671022); 1 and above with --perihelion-distance\n"
    "  --perihelion-distance Q  in AU, instead of --semi-major-axis: a hyperbola for E > 1\n"
    "  --perihelion-jd JD  Julian day of a perihelion passage (default 2458851.5)\n"
    "  --units U           AU-D (default), KM-S or KM-D, as Horizons' output units\n"
    "  --center NAME       the header's centre (default \"Sun (10)\"); the orbit stays "
    "heliocentric\n"
    "  --csv               one record per line in named columns, as CSV_FORMAT=YES\n"
    "  --format N          Horizons' output format: 1 position, 2 position and velocity,\n"
    "                      3 (default) both with LT, RG, RR; 4 position and LT, RG, RR;\n"
    "                      5 velocity; 6 LT, RG, RR\n"
    "  --no-rate           leave out RR: the RR column, or RR= after RG= on its line\n"
    "  --labels off        plain records of numbers only, placed by the legend\n"
    "  --observer          an observer table with r and rdot (quantity 19), seen from an\n"
    "                      Earth on a circular orbit, as Horizons' observer tables are\n"
    "  --light-time        with --observer: add the 1-way_down_LT column (quantity 21)\n"
    "  --sun-wobble R,P    the centre is a barycentre about which the Sun moves on a circle\n"
    "                      of R AU in P days: positions and ranges are from it\n"
    "  --sun-table         with --sun-wobble: the Sun's own table (target Sun (10))\n"
    "  --rate-zero-first   write the first record's RR as exactly 0\n"
    "  --crlf              end lines with CR LF (default LF)\n"
    "  --no-end-marker     leave out $$EOE and the trailer, as a cut-short file\n"
    "OUTPUT may be - for standard output.\n";

struct Settings {
    long long records = 366;
    long long bytes = 0;
    double stepHours = 24;
    std::vector<double> stepCycle;  // hours, in turn; empty for stepHours throughout
    double startJd = 2458849.5;
    double semiMajorAxis = 1.00000011;
    double eccentricity = 0.01671022;
    double perihelionDistance = 0;  // when set, the semi-major axis follows from it
    double perihelionJd = 2458851.5;
    std::string units = "AU-D";
    std::string center = "Sun (10)";
    bool csv = false;
    int format = 3;
    bool rate = true;
    bool labels = true;
    bool observer = false;
    double sunRadius = 0;  // the Sun's circle about the centre, in AU and days
    double sunPeriod = 1;
    bool sunTable = false;
    bool lightTime = false;
    bool rateZeroFirst = false;

    // Which of the three groups of numbers the output format holds.
    bool positions() const { return format != 5 && format != 6; }
    bool velocities() const { return format == 2 || format == 3 || format == 5; }
    bool ranges() const { return format == 3 || format == 4 || format == 6; }
    bool crlf = false;
    bool endMarker = true;
    std::string output;
};

// The lines of the table, to a file as they come, or to a text.
class Output {
  public:
    Output(std::FILE* file, bool crlf) : file_(file), lineEnd_(crlf ? "\r\n" : "\n") {}
    Output(std::string* text, bool crlf) : text_(text), lineEnd_(crlf ? "\r\n" : "\n") {}
    ~Output() { flush(); }

    void line(std::string_view text) {
        buffer_ += text;
        buffer_ += lineEnd_;
        if (buffer_.size() > (1 << 20)) {
            flush();
        }
    }
    void flush() {
        written_ += buffer_.size();
        if (text_ != nullptr) {
            *text_ += buffer_;
        } else if (!buffer_.empty() &&
                   std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) {
            std::perror("vandrel-generate: write");
            std::exit(1);
        }
        buffer_.clear();
    }
    unsigned long long written() const { return written_ + buffer_.size(); }

  private:
    std::FILE* file_ = nullptr;
    std::string* text_ = nullptr;
    std::string_view lineEnd_;
    std::string buffer_;
    unsigned long long written_ = 0;
};

// Calendar date and time of a Julian day, as Horizons prints it: the Julian
// calendar before 1582-Oct-15, and "B.C. " before A.D. 1, with the era.
std::string calendarText(double julianDay) {
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const double shifted = julianDay + 0.5;
    const auto day = static_cast<long long>(std::floor(shifted));
    long long seconds = std::llround((shifted - static_cast<double>(day)) * 86400.0);
    const long long wholeDay = day + seconds / 86400;
    seconds %= 86400;
    // Julian day number to calendar date (Richards' algorithm), with the
    // Gregorian correction from the reform on; shifted by 8000 Julian years
    // so that every division is of positive numbers.
    constexpr long long kShiftYears = 8000;
    constexpr long long kShiftDays = kShiftYears / 4 * 1461;
    const long long number = wholeDay + kShiftDays;
    const long long gregorian =
        wholeDay >= 2299161 ? (((4 * wholeDay + 274277) / 146097) * 3) / 4 - 38 : 0;
    const long long f = number + 1401 + gregorian;
    const long long e = 4 * f + 3;
    const long long h = 5 * ((e % 1461) / 4) + 2;
    const long long dayOfMonth = (h % 153) / 5 + 1;
    const long long month = (h / 153 + 2) % 12 + 1;
    const long long year = e / 1461 - 4716 + (14 - month) / 12 - kShiftYears;
    char text[64];
    std::snprintf(text, sizeof text, "%s %04lld-%s-%02lld %02lld:%02lld:%02lld.0000",
                  year < 1 ? "B.C." : "A.D.", year < 1 ? 1 - year : year, kMonths[month - 1],
                  dayOfMonth, seconds / 3600, (seconds / 60) % 60, seconds % 60);
    return text;
}

// `text` with blanks after it (or before it) up to `width` characters.
std::string padded(const std::string& text, std::size_t width, bool right = false) {
    const std::string blanks(text.size() < width ? width - text.size() : 0, ' ');
    return right ? blanks + text : text + blanks;
}

// The widths of an observer row's columns after its date and time: two flag
// columns, r, rdot and the light time.
constexpr int kRangeWidth = 16;
constexpr int kRateWidth = 11;
constexpr int kLightTimeWidth = 14;

std::string observerColumnNames(const Settings& settings) {
    if (settings.csv) {
        // Two flag columns without names after the date.
        return std::string(" Date__(UT)__HR:MN, , , r, rdot,") +
               (settings.lightTime ? " 1-way_down_LT," : "");
    }
    std::string names = " Date__(UT)__HR:MN   " + padded("r", kRangeWidth, true) + " " +
                        padded("rdot", kRateWidth, true);
    if (settings.lightTime) {
        names += " " + padded("1-way_down_LT", kLightTimeWidth, true);
    }
    return names;
}

// The columns of a CSV line, counted in X, Y, Z, VX, VY, VZ, LT, RG, RR.
std::vector<std::size_t> columnsOf(const Settings& settings) {
    std::vector<std::size_t> columns;
    for (std::size_t column = 0; column < 9; ++column) {
        const bool wanted = column < 3   ? settings.positions()
                            : column < 6 ? settings.velocities()
                                         : settings.ranges() && (settings.rate || column != 8);
        if (wanted) {
            columns.push_back(column);
        }
    }
    return columns;
}

void header(Output& out, const Settings& settings) {
    out.line("*******************************************************************************");
    out.line("Ephemeris / vandrel-generate: a Kepler orbit for tests and benchmarks");
    out.line("*******************************************************************************");
    out.line(settings.sunTable
                 ? "Target body name: Sun (10)                        {source: vandrel-generate}"
                 : "Target body name: Kepler test body                {source: vandrel-generate}");
    // An observer table's centre is the observer's place.
    const std::string center =
        settings.observer && settings.center == "Sun (10)" ? "Earth (399)" : settings.center;
    out.line(padded("Center body name: " + center, 50) + "{source: vandrel-generate}");
    out.line("Center-site name: BODY CENTER");
    out.line("*******************************************************************************");
    out.line("Start time      : " + calendarText(settings.startJd) + " TDB");
    out.line("Step-size       : " + std::to_string(std::lround(settings.stepHours * 60)) +
             " minutes");
    out.line("*******************************************************************************");
    out.line("Center geodetic : 0.00000000,0.00000000,0.0000000 {E-lon(deg),Lat(deg),Alt(km)}");
    out.line("Output units    : " + settings.units);
    out.line("Output type     : GEOMETRIC cartesian states");
    static constexpr const char* kFormatNames[] = {"",
                                                   "position only",
                                                   "position and velocity",
                                                   "position, velocity, LT, range, range-rate",
                                                   "position, LT, range, and range-rate",
                                                   "velocity only",
                                                   "LT, range, and range-rate"};
    out.line("Output format   : " + std::to_string(settings.format) + " (" +
             kFormatNames[settings.format] + ")");
    out.line("Reference frame : Ecliptic of J2000.0");
    out.line("*******************************************************************************");
    if (settings.observer) {
        out.line(observerColumnNames(settings));
        out.line(std::string(observerColumnNames(settings).size(), '*'));
    } else if (settings.csv) {
        std::string names = padded("JDTDB,", 18, true) + padded("Calendar Date (TDB),", 32, true);
        for (const std::size_t column : columnsOf(settings)) {
            static constexpr const char* kNames[] = {"X",  "Y",  "Z",  "VX", "VY",
                                                     "VZ", "LT", "RG", "RR"};
            names += padded(std::string(kNames[column]) + ",", 24, true);
        }
        out.line(names);
        out.line(std::string(names.size(), '*'));
    } else {
        out.line("JDTDB");
        if (settings.positions()) {
            out.line("   X     Y     Z");
        }
        if (settings.velocities()) {
            out.line("   VX    VY    VZ");
        }
        if (settings.ranges()) {
            out.line(settings.rate ? "   LT    RG    RR" : "   LT    RG");
        }
        out.line("*******************************************************************************");
    }
    out.line("$$SOE");
}

void trailer(Output& out) {
    out.line("$$EOE");
    out.line("*******************************************************************************");
    out.line("  Symbol meaning [1 au= 149597870.700 km, 1 day= 86400.0 s]:");
    out.line("    RG     Range; distance from coordinate center (au)");
    out.line("*******************************************************************************");
}

struct State {
    double x, y, vx, vy;
};

// Position and velocity in the orbit's plane, perihelion on the x axis.
State ellipse(double a, double e, double meanMotion, double sincePerihelion) {
    const double meanAnomaly = std::remainder(meanMotion * sincePerihelion, 2 * std::numbers::pi);
    // E - e sin E rises with E: halving the interval finds it on any orbit,
    // and Newton's method then polishes it.
    double low = -std::numbers::pi;
    double high = std::numbers::pi;
    for (int i = 0; i < 60; ++i) {
        const double middle = (low + high) / 2;
        (middle - e * std::sin(middle) < meanAnomaly ? low : high) = middle;
    }
    double eccentricAnomaly = (low + high) / 2;
    for (int i = 0; i < 4; ++i) {
        eccentricAnomaly -= (eccentricAnomaly - e * std::sin(eccentricAnomaly) - meanAnomaly) /
                            (1 - e * std::cos(eccentricAnomaly));
    }
    const double cosE = std::cos(eccentricAnomaly);
    const double sinE = std::sin(eccentricAnomaly);
    const double root = std::sqrt(1 - e * e);
    const double rate = a * meanMotion / (1 - e * cosE);
    return {a * (cosE - e), a * root * sinE, -rate * sinE, rate * root * cosE};
}

// The same on a hyperbola (e > 1) of semi-major axis -a.
State hyperbola(double a, double e, double meanMotion, double sincePerihelion) {
    const double meanAnomaly = meanMotion * sincePerihelion;
    double anomaly = std::asinh(meanAnomaly / e);
    for (int i = 0; i < 100; ++i) {
        anomaly -= (e * std::sinh(anomaly) - anomaly - meanAnomaly) / (e * std::cosh(anomaly) - 1);
    }
    const double root = std::sqrt(e * e - 1);
    const double rate = meanMotion / (e * std::cosh(anomaly) - 1);
    return {a * (e - std::cosh(anomaly)), a * root * std::sinh(anomaly),
            -a * std::sinh(anomaly) * rate, a * root * std::cosh(anomaly) * rate};
}

// The body's heliocentric state at a Julian day.
State stateAt(const Settings& settings, double julianDay) {
    const double e = settings.eccentricity;
    const double a = settings.perihelionDistance > 0 ? settings.perihelionDistance / std::abs(1 - e)
                                                     : settings.semiMajorAxis;
    const double meanMotion = 2 * std::numbers::pi / (kEarthYearDays * std::pow(a, 1.5));
    const double since = julianDay - settings.perihelionJd;
    return e > 1 ? hyperbola(a, e, meanMotion, since) : ellipse(a, e, meanMotion, since);
}

// A row of an observer table at the time the body is seen from an Earth on
// a circular orbit: r and rdot of the body as it was, the light time earlier.
void observerRow(Output& out, const Settings& settings, double julianDay) {
    const double earthAngle = 2 * std::numbers::pi * (julianDay - 2451545.0) / kEarthYearDays;
    double emitted = julianDay;
    double lightDays = 0;
    for (int i = 0; i < 5; ++i) {
        const State body = stateAt(settings, emitted);
        lightDays = std::hypot(body.x - std::cos(earthAngle), body.y - std::sin(earthAngle)) /
                    kLightAuPerDay;
        emitted = julianDay - lightDays;
    }
    const auto [x, y, vx, vy] = stateAt(settings, emitted);
    const double range = std::hypot(x, y);
    const double kmPerSecond = (x * vx + y * vy) / range * kKmPerAu / 86400;
    char line[256];
    const int used = std::snprintf(
        line, sizeof line, settings.csv ? " %.17s, , , %*.12f, %*.7f," : " %.17s   %*.12f %*.7f",
        calendarText(julianDay).c_str() + 5, settings.csv ? 0 : kRangeWidth, range,
        settings.csv ? 0 : kRateWidth, kmPerSecond);
    if (settings.lightTime) {
        // The CSV form's widths are 0: no padding.
        std::snprintf(line + used, sizeof line - static_cast<std::size_t>(used),
                      settings.csv ? " %*.6f," : " %*.6f", settings.csv ? 0 : kLightTimeWidth,
                      lightDays * 1440);
    }
    out.line(line);
}

void record(Output& out, const Settings& settings, double julianDay, bool first) {
    if (settings.observer) {
        observerRow(out, settings, julianDay);
        return;
    }
    // From the centre: the body's heliocentric state plus the Sun's, or the
    // Sun's alone in its own table.
    const double angle = 2 * std::numbers::pi * julianDay / settings.sunPeriod;
    const double sunSpeed = 2 * std::numbers::pi * settings.sunRadius / settings.sunPeriod;
    const State sun{settings.sunRadius * std::cos(angle), settings.sunRadius * std::sin(angle),
                    -sunSpeed * std::sin(angle), sunSpeed * std::cos(angle)};
    const State body = settings.sunTable ? State{0, 0, 0, 0} : stateAt(settings, julianDay);
    const double x = body.x + sun.x;
    const double y = body.y + sun.y;
    const double vx = body.vx + sun.vx;
    const double vy = body.vy + sun.vy;
    const double range = std::hypot(x, y);
    const double lightDays = range / kLightAuPerDay;
    const double rangeRate = first && settings.rateZeroFirst ? 0.0 : (x * vx + y * vy) / range;
    // Horizons' units: km and km/s (light time in s), or km and km/day.
    const bool km = settings.units == "KM-S" || settings.units == "KM-D";
    const double length = km ? kKmPerAu : 1;
    const double perTime = settings.units == "KM-S" ? 1.0 / 86400 : 1;
    const double values[] = {x * length,
                             y * length,
                             0.0,
                             vx * length * perTime,
                             vy * length * perTime,
                             0.0,
                             lightDays / perTime,
                             range * length,
                             rangeRate * length * perTime};
    char line[512];
    if (settings.csv) {
        int used = std::snprintf(line, sizeof line, "%.9f, %s,", julianDay,
                                 calendarText(julianDay).c_str());
        for (const std::size_t column : columnsOf(settings)) {
            used += std::snprintf(line + used, sizeof line - static_cast<std::size_t>(used),
                                  " %22.15E,", values[column]);
        }
        out.line(line);
        return;
    }
    std::snprintf(line, sizeof line, "%.9f = %s TDB ", julianDay, calendarText(julianDay).c_str());
    out.line(line);
    const char* const labelled[] = {
        " X =%22.15E Y =%22.15E Z =%22.15E", " VX=%22.15E VY=%22.15E VZ=%22.15E",
        settings.rate ? " LT=%22.15E RG=%22.15E RR=%22.15E" : " LT=%22.15E RG=%22.15E"};
    const char* const numbersOnly[] = {
        "  %22.15E %22.15E %22.15E", "  %22.15E %22.15E %22.15E",
        settings.rate ? "  %22.15E %22.15E %22.15E" : "  %22.15E %22.15E"};
    const auto& lines = settings.labels ? labelled : numbersOnly;
    const bool groups[] = {settings.positions(), settings.velocities(), settings.ranges()};
    for (std::size_t i = 0; i < 3; ++i) {
        if (groups[i]) {
            std::snprintf(line, sizeof line, lines[i], values[3 * i], values[3 * i + 1],
                          values[3 * i + 2]);
            out.line(line);
        }
    }
}

bool parseNumber(std::string_view text, double& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// "24,36,12" as hours, each above 0.
bool parseHours(std::string_view text, std::vector<double>& hours) {
    for (;;) {
        const std::size_t comma = text.find(',');
        double value = 0;
        if (!parseNumber(text.substr(0, comma), value) || !(value > 0)) {
            return false;
        }
        hours.push_back(value);
        if (comma == std::string_view::npos) {
            return true;
        }
        text.remove_prefix(comma + 1);
    }
}

bool parseArguments(const std::vector<std::string>& argv, Settings& settings) {
    const std::size_t argc = argv.size();
    for (std::size_t i = 0; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const auto number = [&](double& into) {
            return i + 1 < argc && parseNumber(argv[++i], into);
        };
        double value = 0;
        if (argument == "--records" && number(value)) {
            settings.records = static_cast<long long>(value);
        } else if (argument == "--bytes" && number(value)) {
            settings.bytes = static_cast<long long>(value);
        } else if (argument == "--step-hours" && number(settings.stepHours)) {
        } else if (argument == "--start-jd" && number(settings.startJd)) {
        } else if (argument == "--semi-major-axis" && number(settings.semiMajorAxis)) {
        } else if (argument == "--eccentricity" && number(settings.eccentricity)) {
        } else if (argument == "--perihelion-distance" && number(settings.perihelionDistance)) {
        } else if (argument == "--format" && number(value) && value >= 1 && value <= 6) {
            settings.format = static_cast<int>(value);
        } else if (argument == "--labels" && i + 1 < argc &&
                   (std::string_view(argv[i + 1]) == "off" ||
                    std::string_view(argv[i + 1]) == "on")) {
            settings.labels = std::string_view(argv[++i]) == "on";
        } else if (argument == "--sun-wobble" && i + 1 < argc) {
            std::vector<double> circle;
            if (!parseHours(argv[++i], circle) || circle.size() != 2) {
                return false;
            }
            settings.sunRadius = circle[0];
            settings.sunPeriod = circle[1];
        } else if (argument == "--sun-table") {
            settings.sunTable = true;
        } else if (argument == "--observer") {
            settings.observer = true;
        } else if (argument == "--light-time") {
            settings.lightTime = true;
        } else if (argument == "--rate-zero-first") {
            settings.rateZeroFirst = true;
        } else if (argument == "--perihelion-jd" && number(settings.perihelionJd)) {
        } else if (argument == "--units" && i + 1 < argc) {
            settings.units = argv[++i];
        } else if (argument == "--center" && i + 1 < argc) {
            settings.center = argv[++i];
        } else if (argument == "--csv") {
            settings.csv = true;
        } else if (argument == "--no-rate") {
            settings.rate = false;
        } else if (argument == "--step-cycle" && i + 1 < argc) {
            if (!parseHours(argv[++i], settings.stepCycle)) {
                return false;
            }
        } else if (argument == "--crlf") {
            settings.crlf = true;
        } else if (argument == "--no-end-marker") {
            settings.endMarker = false;
        } else if (!argument.starts_with("--") || argument == "-") {
            settings.output = argument;
        } else {
            return false;
        }
    }
    return !settings.output.empty();
}

void writeTable(const Settings& settings, Output& out) {
    header(out, settings);
    double julianDay = settings.startJd;
    for (long long index = 0;; ++index) {
        const bool done = settings.bytes > 0
                              ? out.written() >= static_cast<unsigned long long>(settings.bytes)
                              : index >= settings.records;
        if (done) {
            break;
        }
        record(out, settings, julianDay, index == 0);
        const double hours =
            settings.stepCycle.empty()
                ? settings.stepHours
                : settings.stepCycle[static_cast<std::size_t>(index) % settings.stepCycle.size()];
        julianDay = settings.stepCycle.empty()
                        ? settings.startJd + static_cast<double>(index + 1) * hours / 24
                        : julianDay + hours / 24;
    }
    if (settings.endMarker) {
        trailer(out);
    }
}

}  // namespace

std::string generateTable(const std::vector<std::string>& options) {
    Settings settings;
    std::vector<std::string> arguments = options;
    arguments.emplace_back("-");
    if (!parseArguments(arguments, settings)) {
        throw std::invalid_argument(std::string(kUsage));
    }
    std::string text;
    {
        Output out(&text, settings.crlf);
        writeTable(settings, out);
    }
    return text;
}

int runGenerator(int argc, char** argv) {
    Settings settings;
    if (!parseArguments(std::vector<std::string>(argv + 1, argv + argc), settings)) {
        std::cerr << kUsage;
        return 2;
    }
    std::FILE* file = settings.output == "-" ? stdout : std::fopen(settings.output.c_str(), "wb");
    if (file == nullptr) {
        std::perror(("vandrel-generate: " + settings.output).c_str());
        return 1;
    }
    {
        Output out(file, settings.crlf);
        writeTable(settings, out);
    }
    if (file != stdout && std::fclose(file) != 0) {
        std::perror("vandrel-generate: close");
        return 1;
    }
    return 0;
}

}  // namespace vandrel::generator
