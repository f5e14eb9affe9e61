#pragma once

#include <QChartView>
#include <string>
#include <vector>

#include "app/handlers/passages/plot_points.h"
#include "scan/scan_records.h"

class QCategoryAxis;
class QValueAxis;

namespace vandrel {

// The distance over time with each passage marked at its refined instant
// and distance. The wheel, a dragged rectangle or + and - zoom, the arrow
// keys move, a double-click or 0 shows the whole span again; the pointer's
// date and distance are told by pointerMoved.
class DistancePlot final : public QChartView {
    Q_OBJECT
  public:
    explicit DistancePlot(QWidget* parent = nullptr);

    // The curve through `points`, and a mark at each of `marks`.
    void show(const std::vector<PlotPoint>& points, const std::vector<TruePassage>& marks,
              const EphemerisHeader& header);
    void clear();

  signals:
    // "2020-Mar-01 12:00:00 TDB, 0.991234 AU", or empty off the plot.
    void pointerMoved(const QString& readout);

  protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void relabelDates(qreal first, qreal last);
    void zoomAround(QPointF centre, qreal factor);

    QCategoryAxis* dates_;
    QValueAxis* distances_;
    std::string timeScale_;
    bool relabelling_ = false;
};

}  // namespace vandrel
