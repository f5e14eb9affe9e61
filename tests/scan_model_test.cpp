#include "tests/scan_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

namespace vandrel {
namespace {

constexpr double kKmPerAu = 149597870.7;

// Tables in every form the scanner meets: plain or CSV, AU or km, with or
// without range rates, with stray lines, in orbits short enough to hold
// passages; and the settings to scan them with.
class TableGenerator {
  public:
    explicit TableGenerator(unsigned seed) : random_(seed) {}

    std::string table(ScanSettings& settings) {
        const bool csv = chance(30);
        const char* units = pickOf({"AU-D", "KM-S", "KM-D", "furlongs", ""});
        std::string text = "*******" + end();
        text += chance(70) ? "Target body name: Earth (399)    {source: DE441}" + end() : "";
        text += pickOf({"Center body name: Sun (10)   {source: DE441}\n",
                        "Center body name: Earth (399)\n", ""});
        text += *units != '\0' ? "Output units    : " + std::string(units) + end() : "";
        text +=
            chance(50) ? "Output format   : " + std::string(pickOf({"3", "2", "1"})) + end() : "";
        const bool positionsOnly = chance(25);  // output formats 1 and 2
        text += csv ? (positionsOnly ? pickOf({"JDTDB, Calendar Date (TDB), X, Y, Z, VX, VY, VZ,\n",
                                               "JDTDB, Calendar Date (TDB), X, Y, Z,\n"})
                                     : pickOf({"JDTDB, Calendar Date (TDB), X, LT, RG, RR,\n",
                                               "JDUT, Calendar Date (UT), X, LT, RG, XX,\n"}))
                    : "";
        text += chance(95) ? "$$SOE" + end() : "";
        const int count = pick(14);
        const int firstDay = pick(400);
        const double period = 3 + pick(20);
        const double phase = pick(100) / 10.0;
        const double scale = std::string(units).starts_with("KM") ? kKmPerAu : 1;
        const double rateScale = std::string(units) == "KM-S" ? scale / 86400 : scale;
        const bool rates = chance(70);
        for (int i = 0; i < count; ++i) {
            const double t = firstDay + i + (chance(10) ? 0.5 : 0);
            const double angle = 2 * M_PI * (t - phase) / period;
            const double rg = (1 - 0.3 * std::cos(angle)) * scale;
            const double rr = 0.3 * std::sin(angle) * 2 * M_PI / period * rateScale;
            const std::string date = chance(3) ? "2021-Feb-29 00:00" : dateText(firstDay + i);
            char line[256];
            // A position and velocity of that range and rate.
            const double x = rg * std::cos(angle);
            const double y = rg * std::sin(angle);
            const double vx = rr * std::cos(angle);
            const double vy = rr * std::sin(angle);
            if (csv && positionsOnly) {
                std::snprintf(line, sizeof line,
                              "%.9f, A.D. %s:00.0000, %.15E, %.15E, 0.0E+00, %.15E, %.15E, 0.0,",
                              2458849.5 + t, date.c_str(), x, y, vx, vy);
                text += line + end();
            } else if (csv) {
                std::snprintf(line, sizeof line,
                              "%.9f, A.D. %s:00.0000, 1.0E+00, 5.0E-03, %.15E, %.15E,",
                              2458849.5 + t, date.c_str(), rg, rr);
                text += line + end();
            } else {
                std::snprintf(line, sizeof line, "%.9f = A.D. %s:00.0000 TDB", 2458849.5 + t,
                              date.c_str());
                text += line + end();
                if (positionsOnly || chance(20)) {
                    std::snprintf(line, sizeof line, " X =%22.15E Y =%22.15E Z =%22.15E", x, y,
                                  0.0);
                    text += line + end();
                    if (rates) {
                        std::snprintf(line, sizeof line, " VX=%22.15E VY=%22.15E VZ=%22.15E", vx,
                                      vy, 0.0);
                        text += line + end();
                    }
                }
                if (!positionsOnly) {
                    std::snprintf(line, sizeof line, " LT=%22.15E RG=%22.15E %s=%22.15E", 5.7e-3,
                                  rg, rates ? "RR" : "XX", rr);
                    text += line + end();
                }
            }
            if (chance(8)) {
                text += pickOf({"", "junk, \"quoted, text\"", "$$SOE", " ",
                                "2458849.5 = B.C. 2020-Jan-09 00:00:00.0000 TDB",
                                " LT= 5.680996067794166E-03 RG= -3.00000000000000E+00 "
                                "RR=-1.730156260918764E-07 ",
                                " LT= 5.68099606779416E-03 RG= 3.000000000000000E+00 "
                                "RR=-1.730156260918764E-07"}) +
                        end();
            }
        }
        text += chance(85) ? "$$EOE" + end() + "trailer" + end() : "";
        settings = {};
        settings.trackMinimum = chance(80);
        settings.trackMaximum = chance(80);
        settings.startFilterOn = chance(30);
        settings.startDateText =
            chance(5) ? "2020-Foo-01" : dateText(firstDay + pick(count + 2)).substr(0, 11);
        settings.endStopOn = chance(30);
        settings.endDateText = chance(10) ? "" : dateText(firstDay + pick(count + 2)).substr(0, 11);
        return text;
    }

    // One to three edits with the characters that matter to the reader.
    std::string mutated(std::string text) {
        static const std::string kCharacters("\",\r\n \t09-+.eE$=A:\xff\0", 20);
        for (int edits = 1 + pick(3); edits > 0 && !text.empty(); --edits) {
            const std::size_t at = pick(static_cast<int>(text.size()));
            const char c = kCharacters[pick(static_cast<int>(kCharacters.size()))];
            switch (pick(4)) {
                case 0:
                    text[at] = c;
                    break;
                case 1:
                    text.insert(at, 1, c);
                    break;
                case 2:
                    text.erase(at, 1);
                    break;
                default:
                    text.insert(at, text.substr(at, pick(160)));
                    break;
            }
        }
        return text;
    }

  private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool chance(int percent) { return pick(100) < percent; }
    const char* pickOf(std::initializer_list<const char*> texts) {
        return texts.begin()[pick(static_cast<int>(texts.size()))];
    }
    std::string end() { return pickOf({"\n", "\n", "\r\n", "\r"}); }

    // "2020-Mar-05 00:00" for a day counted from 2020-Jan-01.
    static std::string dateText(int day) {
        static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        int year = 2020;
        int month = 0;
        for (;;) {
            const int length = month == 1 ? (year % 4 == 0 ? 29 : 28)
                               : (month == 3 || month == 5 || month == 8 || month == 10) ? 30
                                                                                         : 31;
            if (day < length) {
                break;
            }
            day -= length;
            year += month == 11 ? 1 : 0;
            month = (month + 1) % 12;
        }
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%s-%02d 00:00", year, kMonths[month], day + 1);
        return text;
    }

    std::mt19937 random_;
};

// CR and control bytes made visible, for the message of a failure.
std::string visible(const std::string& input) {
    std::string text;
    for (const char c : input) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
        text += c == '\n' || (c >= ' ' && c < 127) ? std::string(1, c) : escaped;
    }
    return text;
}

TEST(ScanModel, ScannerAgreesOnGeneratedAndMutatedTables) {
    TableGenerator generator(2026);
    int inputs = 0;
    for (int i = 0; i < 8000; ++i) {
        ScanSettings settings;
        const std::string table = generator.table(settings);
        const std::int32_t mostRecords = i % 50 == 0 ? 3 : 1000;
        for (int variant = 0; variant < 4; ++variant) {
            const std::string input = variant == 0 ? table : generator.mutated(table);
            ++inputs;
            const std::string difference =
                testing::differenceFromModel(input, settings, mostRecords);
            ASSERT_EQ(difference, "") << "input " << inputs << ":\n" << visible(input);
        }
    }
    EXPECT_EQ(inputs, 32000);
}

// Inputs on which the two once parted.
TEST(ScanModel, ScannerAgreesWhereTheFuzzerFoundADifference) {
    ScanSettings settings;
    settings.trackMinimum = true;
    settings.trackMaximum = true;
    const std::string csv = "JDTDB, Calendar Date (TDB), RG, RR,\n$$SOE\n";
    const std::string longRange =  // 9.83 only when read past its 48th character
        "2458849.5, A.D. 2020-Jan-01 00:00:00.0000, 9.8" + std::string(50, '\t') + "3, 1.0E-05,\n";
    const std::string next = "2458850.5, A.D. 2020-Jan-02 00:00:00.0000, 9.81, 1.0E-05,\n";
    EXPECT_EQ(testing::differenceFromModel(csv + longRange + next + "$$EOE\n", settings, 1000), "");
    const std::string falling = "2458849.5, A.D. 2020-Jan-01 00:00:00.0000, 9.8E-01, -1.3E-05,\n";
    const std::string flat =  // a rate that reads as 0: a perihelion ends here
        "2458850.5, A.D. 2020-Jan-02 00:00:00.0000, 9.7E-01, -1.3E-0500,\n";
    EXPECT_EQ(testing::differenceFromModel(csv + falling + flat + "$$EOE\n", settings, 1000), "");
    // A long header value is cut after its leading blanks are trimmed.
    const std::string longUnits = "Output units    : AU-" + std::string(100, '\x0f') + "D\n";
    EXPECT_EQ(testing::differenceFromModel(longUnits + "$$SOE\n$$EOE\n", settings, 1000), "");
    // Empty lines where the range is the first column: no content, so no failure.
    const std::string rangeFirst = "RG, Calendar Date (UT), JDUT,\n$$SOE\n\r\r\r$$EOE\n";
    EXPECT_EQ(testing::differenceFromModel(rangeFirst, settings, 1000), "");
}

}  // namespace
}  // namespace vandrel
