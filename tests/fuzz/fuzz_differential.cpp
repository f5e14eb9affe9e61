#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_input.h"
#include "tests/scan_model.h"

// Any bytes as an ephemeris file, scanned by the scanner and by the model,
// which must agree.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const vandrel::fuzzing::FuzzInput input = vandrel::fuzzing::fuzzInput(data, size);
    // A low record limit now and then, so that its failure is compared too.
    const std::int32_t mostRecords = (input.flags & 32) != 0 ? 3 : 1000;
    const std::string difference =
        vandrel::testing::differenceFromModel(input.text, input.settings, mostRecords);
    if (!difference.empty()) {
        std::fprintf(stderr, "%s", difference.c_str());
        __builtin_trap();
    }
    return 0;
}
