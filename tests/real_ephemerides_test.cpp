// Real Horizons files saved by other people, kept beside the project in
// ../shared/ephemerides (see its PROVENANCE.md); read from there, never copied.

#include <gtest/gtest.h>

#include "scan/ephemeris_scanner.h"
#include "tests/test_files.h"
#include "tests/test_rows.h"

namespace vandrel {
namespace {

struct RealFile {
    const char* name;
    std::int32_t records;
    bool hasDistances;
    bool endMarker;
};

class RealEphemerides : public ::testing::TestWithParam<RealFile> {
  protected:
    void SetUp() override {
        folder_ = testing::sharedEphemerides();
        if (folder_.empty()) {
            GTEST_SKIP()
                << "../shared/ephemerides is absent: the real Horizons files are not tested";
        }
    }
    std::filesystem::path folder_;
};

TEST_P(RealEphemerides, CountTheirRecordsAndTakeExtremesFromRealDates) {
    const auto path = folder_ / GetParam().name;
    ScanSettings settings;
    settings.filePath = path.string();
    settings.trackMinimum = true;
    settings.trackMaximum = true;
    ScanObserver observer;
    const ScanOutcome outcome = EphemerisScanner().scan(settings, observer);
    ASSERT_TRUE(std::holds_alternative<ScanResult>(outcome))
        << std::get<ScanFailure>(outcome).message;
    const auto& result = std::get<ScanResult>(outcome);
    EXPECT_EQ(result.datedCount, GetParam().records);
    EXPECT_EQ(result.endMarkerMissing, !GetParam().endMarker);

    const std::string text = testing::readWholeFile(path);
    for (const DistanceExtreme* extreme : {&result.minimum, &result.maximum}) {
        if (!GetParam().hasDistances) {
            EXPECT_EQ(extreme->item, 0);
            EXPECT_EQ(extreme->dateText, "");
            continue;
        }
        EXPECT_GE(extreme->item, 1);
        EXPECT_LE(extreme->item, GetParam().records);
        ASSERT_EQ(extreme->dateText.size(), 25u);
        EXPECT_NE(text.find("= A.D. " + extreme->dateText), std::string::npos) << extreme->dateText;
    }
    if (GetParam().hasDistances) {
        EXPECT_LT(result.minimum.au, result.maximum.au);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, RealEphemerides,
    ::testing::Values(RealFile{"vectors-earth-ssb-1d-2020-2030-crlf.txt", 3654, true, false},
                      RealFile{"vectors-mercury-ssb-1d-2020-2030-crlf.txt", 3654, true, true},
                      RealFile{"vectors-pluto-ssb-1d-2020-2030-crlf.txt", 3654, true, true},
                      RealFile{"vectors-sun-wrt-ssb-1d-2020-2030-crlf.txt", 3654, true, true},
                      RealFile{"vectors-earth-ssb-1d-2020oct-31rec-crlf.txt", 31, true, true},
                      RealFile{"vectors-jupiter-ssb-1d-2017oct-31rec-lf.txt", 31, true, true},
                      RealFile{"vectors-pluto-ssb-1d-2017oct-31rec-lf.txt", 31, true, true},
                      RealFile{"vectors-kms-spitzer-ssb-1h-2017.txt", 8761, true, true},
                      RealFile{"vectors-no-lt-rg-rr-earth-sun-30d-2018-cr-only.txt", 134, false,
                               true},
                      RealFile{"vectors-csv-earth-sun-au-1d-2010-2020.txt", 0, false, true},
                      RealFile{"observer-halley-geocentric-1d-2023.txt", 0, false, true}),
    [](const auto& info) {
        std::string name = info.param.name;
        name = name.substr(0, name.find(".txt"));
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST_F(RealEphemerides, EndStopAndStartFilterWorkOnARealFile) {
    ScanSettings settings;
    settings.filePath = (folder_ / "vectors-jupiter-ssb-1d-2017oct-31rec-lf.txt").string();
    settings.trackMaximum = true;
    settings.startFilterOn = true;
    settings.startDateText = "2017-Oct-20";
    settings.endStopOn = true;
    settings.endDateText = "2017-Oct-29";
    ScanObserver observer;
    const auto result = std::get<ScanResult>(EphemerisScanner().scan(settings, observer));
    EXPECT_EQ(result.datedCount, 10);
    EXPECT_EQ(result.maximum.dateText.substr(0, 11), "2017-Oct-20");
}

}  // namespace
}  // namespace vandrel
