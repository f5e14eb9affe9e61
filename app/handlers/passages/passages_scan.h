#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "app/handlers/passages/plot_points.h"
#include "scan/scan_records.h"

namespace vandrel {

// Shared between a scan on another thread and the window that waits for it.
struct ScanProgress {
    std::atomic<std::uint64_t> bytesRead{0};
    std::atomic<bool> cancelRequested{false};
};

// What the passages window shows of one file.
struct PassagesScan {
    ScanOutcome outcome;  // the result or failure, as "sort" gets it
    std::vector<TruePassage> passages;
    PlotPoints plot;
    bool cancelled = false;
};

// Scans the file of the settings for every record and passage, telling
// `progress` how far it has read, and stopping soon after a cancel is asked.
PassagesScan scanForPassages(const ScanSettings& settings, ScanProgress& progress);

}  // namespace vandrel
