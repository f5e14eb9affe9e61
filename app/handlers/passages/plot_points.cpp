#include "app/handlers/passages/plot_points.h"

#include <algorithm>

namespace vandrel {

PlotPoints::PlotPoints(std::size_t columns)
    : mostRuns_(columns < 2 ? 2 : columns & ~std::size_t{1}) {
    runs_.reserve(mostRuns_);
}

void PlotPoints::add(const PlotPoint& point) {
    ++recordCount_;
    if (runs_.empty() || inLastRun_ == recordsPerRun_) {
        if (runs_.size() == mostRuns_) {
            mergeNeighbours();
        }
        runs_.push_back({point, point});
        inLastRun_ = 1;
        return;
    }
    Run& run = runs_.back();
    if (point.au < run.least.au) {
        run.least = point;
    }
    if (point.au > run.greatest.au) {
        run.greatest = point;
    }
    ++inLastRun_;
}

// Called only when every run is full, so the merged runs are full too.
void PlotPoints::mergeNeighbours() {
    for (std::size_t to = 0; to < runs_.size() / 2; ++to) {
        const Run& first = runs_[2 * to];
        const Run& second = runs_[2 * to + 1];
        runs_[to] = {second.least.au < first.least.au ? second.least : first.least,
                     second.greatest.au > first.greatest.au ? second.greatest : first.greatest};
    }
    runs_.resize(runs_.size() / 2);
    recordsPerRun_ *= 2;
    inLastRun_ = recordsPerRun_;
}

std::vector<PlotPoint> PlotPoints::points() const {
    std::vector<PlotPoint> points;
    points.reserve(2 * runs_.size());
    for (const Run& run : runs_) {
        const bool leastFirst = run.least.julianDay <= run.greatest.julianDay;
        points.push_back(leastFirst ? run.least : run.greatest);
        if (run.least.julianDay != run.greatest.julianDay || run.least.au != run.greatest.au) {
            points.push_back(leastFirst ? run.greatest : run.least);
        }
    }
    return points;
}

std::vector<TruePassage> passagesToMark(const std::vector<TruePassage>& passages,
                                        std::size_t most) {
    std::vector<TruePassage> marked;
    for (const PassageKind kind : {PassageKind::Perihelion, PassageKind::Aphelion}) {
        std::vector<const TruePassage*> ofKind;
        for (const TruePassage& passage : passages) {
            if (passage.kind == kind) {
                ofKind.push_back(&passage);
            }
        }
        const std::size_t run = most == 0 ? ofKind.size() : (ofKind.size() + most - 1) / most;
        for (std::size_t first = 0; first < ofKind.size(); first += run) {
            const TruePassage* farthest = ofKind[first];
            for (std::size_t i = first; i < std::min(first + run, ofKind.size()); ++i) {
                const bool fartherOut = kind == PassageKind::Perihelion
                                            ? ofKind[i]->au < farthest->au
                                            : ofKind[i]->au > farthest->au;
                if (fartherOut) {
                    farthest = ofKind[i];
                }
            }
            marked.push_back(*farthest);
        }
    }
    return marked;
}

}  // namespace vandrel
