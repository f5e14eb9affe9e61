#pragma once

#include <vector>

#include "scan/scan_records.h"

namespace vandrel::testing {

// Keeps every passage a scan reports, in order.
class PassageRecorder final : public ScanObserver {
  public:
    void newPassage(const TruePassage& passage, const EphemerisHeader&) override {
        passages.push_back(passage);
    }
    std::vector<TruePassage> passages;
};

}  // namespace vandrel::testing
