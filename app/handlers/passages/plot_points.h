#pragma once

#include <cstddef>
#include <vector>

#include "scan/scan_records.h"

namespace vandrel {

struct PlotPoint {
    double julianDay = 0;
    double au = 0;
};

// The records of a scan reduced to what a plot can show: the records are
// taken in order into at most `columns` runs of equal length, and each run
// keeps its least and its greatest distance. When the runs are full, each
// two neighbours become one, so any number of records fits in constant
// memory and no perihelion or aphelion record is lost from the curve.
class PlotPoints {
  public:
    explicit PlotPoints(std::size_t columns = 2048);

    void add(const PlotPoint& point);

    // Each run's least and greatest, in the order of time; one point for a
    // run of one record.
    std::vector<PlotPoint> points() const;
    std::size_t recordCount() const { return recordCount_; }

  private:
    struct Run {
        PlotPoint least;
        PlotPoint greatest;
    };

    void mergeNeighbours();

    std::size_t mostRuns_;
    std::vector<Run> runs_;
    std::size_t recordsPerRun_ = 1;
    std::size_t inLastRun_ = 0;
    std::size_t recordCount_ = 0;
};

// The passages to mark on a plot: all of them up to `most` of each kind,
// and beyond that, of each run of consecutive passages of a kind, the one
// farthest out (the least perihelion, the greatest aphelion), so that a
// plot's marks stay few however many orbits a file spans.
std::vector<TruePassage> passagesToMark(const std::vector<TruePassage>& passages, std::size_t most);

}  // namespace vandrel
