#include "app/widgets/passages/distance_plot.h"

#include <QCategoryAxis>
#include <QKeyEvent>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

#include "app/handlers/passages/date_ticks.h"
#include "scan/presentation.h"
#include "text/calendar.h"

namespace vandrel {

namespace {

constexpr int kMostDateLabels = 6;
constexpr qreal kWheelZoom = 1.25;

QScatterSeries* passageMarks(const std::vector<TruePassage>& passages, PassageKind kind,
                             const EphemerisHeader& header, QColor colour,
                             QScatterSeries::MarkerShape shape) {
    auto* marks = new QScatterSeries;
    TruePassage named;
    named.kind = kind;
    marks->setName(QString::fromStdString(presentPassage(named, header).kind));
    marks->setColor(colour);
    marks->setBorderColor(colour);
    marks->setMarkerShape(shape);
    marks->setMarkerSize(9);
    for (const TruePassage& passage : passages) {
        if (passage.kind == kind) {
            marks->append(passage.julianDay, passage.au);
        }
    }
    return marks;
}

}  // namespace

DistancePlot::DistancePlot(QWidget* parent)
    : QChartView(parent), dates_(new QCategoryAxis), distances_(new QValueAxis) {
    setObjectName(QStringLiteral("passagesPlot"));
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::RectangleRubberBand);
    viewport()->setMouseTracking(true);  // the view's events arrive from its viewport
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(480, 260);
    chart()->setTheme(QChart::ChartThemeLight);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    dates_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    distances_->setLabelFormat(QStringLiteral("%.4f"));
    chart()->addAxis(dates_, Qt::AlignBottom);
    chart()->addAxis(distances_, Qt::AlignLeft);
    connect(dates_, &QValueAxis::rangeChanged, this, &DistancePlot::relabelDates);
}

void DistancePlot::clear() {
    chart()->removeAllSeries();
    relabelDates(0, 0);
    setAccessibleDescription(QString());
}

void DistancePlot::show(const std::vector<PlotPoint>& points, const std::vector<TruePassage>& marks,
                        const EphemerisHeader& header) {
    clear();
    timeScale_ = header.timeScale;
    auto* curve = new QLineSeries;
    curve->setName(QStringLiteral("distance"));
    QList<QPointF> values;
    values.reserve(static_cast<qsizetype>(points.size()));
    for (const PlotPoint& point : points) {
        values.append({point.julianDay, point.au});
    }
    curve->replace(values);
    for (QAbstractSeries* series : std::initializer_list<QAbstractSeries*>{
             curve,
             passageMarks(marks, PassageKind::Perihelion, header, QColor(0xB0, 0x20, 0x20),
                          QScatterSeries::MarkerShapeCircle),
             passageMarks(marks, PassageKind::Aphelion, header, QColor(0x20, 0x40, 0xB0),
                          QScatterSeries::MarkerShapeRectangle)}) {
        chart()->addSeries(series);
        series->attachAxis(dates_);
        series->attachAxis(distances_);
    }
    const std::string centre = header.fromSun() ? "the Sun" : header.centre;
    distances_->setTitleText(
        QStringLiteral("distance from %1 (AU)").arg(QString::fromStdString(centre)));
    dates_->setTitleText(QString::fromStdString(header.timeScale));
    if (!points.empty()) {
        const auto [least, most] =
            std::minmax_element(points.begin(), points.end(),
                                [](const PlotPoint& a, const PlotPoint& b) { return a.au < b.au; });
        const qreal margin = std::max((most->au - least->au) * 0.05, most->au * 1e-9);
        distances_->setRange(least->au - margin, most->au + margin);
        const qreal first = points.front().julianDay;
        const qreal last = points.back().julianDay;
        dates_->setRange(first, last > first ? last : first + 1);
        relabelDates(dates_->min(), dates_->max());
    }
    setAccessibleDescription(
        QStringLiteral("%1 plotted points from %2 to %3; %4 passages marked")
            .arg(points.size())
            .arg(points.empty()
                     ? QString()
                     : QString::fromStdString(instantText(points.front().julianDay, timeScale_)))
            .arg(points.empty()
                     ? QString()
                     : QString::fromStdString(instantText(points.back().julianDay, timeScale_)))
            .arg(marks.size()));
}

// The category axis is the one axis of Qt Charts whose labels are ours:
// the dates of the file's own calendar, made again for each new span.
void DistancePlot::relabelDates(qreal first, qreal last) {
    if (relabelling_) {
        return;
    }
    relabelling_ = true;
    for (const QString& label : dates_->categoriesLabels()) {
        dates_->remove(label);
    }
    dates_->setStartValue(first);
    for (const DateTick& tick : dateTicks(first, last, kMostDateLabels)) {
        dates_->append(QString::fromStdString(tick.label), tick.julianDay);
    }
    dates_->setRange(first, last);
    relabelling_ = false;
}

void DistancePlot::zoomAround(QPointF centre, qreal factor) {
    QRectF area = chart()->plotArea();
    const QPointF from = centre - area.topLeft();
    area.setSize(area.size() / factor);
    area.moveTopLeft(centre - from / factor);
    chart()->zoomIn(area);
}

void DistancePlot::wheelEvent(QWheelEvent* event) {
    const qreal factor = event->angleDelta().y() > 0 ? kWheelZoom : 1 / kWheelZoom;
    zoomAround(event->position(), factor);
    event->accept();
}

void DistancePlot::mouseDoubleClickEvent(QMouseEvent* event) {
    chart()->zoomReset();
    event->accept();
}

void DistancePlot::mouseMoveEvent(QMouseEvent* event) {
    QChartView::mouseMoveEvent(event);
    if (chart()->series().isEmpty() || !chart()->plotArea().contains(event->position())) {
        emit pointerMoved(QString());
        return;
    }
    const QPointF value = chart()->mapToValue(event->position());
    emit pointerMoved(QStringLiteral("%1, %2 AU")
                          .arg(QString::fromStdString(instantText(value.x(), timeScale_)))
                          .arg(value.y(), 0, 'f', 6));
}

void DistancePlot::keyPressEvent(QKeyEvent* event) {
    const QPointF centre = chart()->plotArea().center();
    const qreal step = chart()->plotArea().width() / 10;
    switch (event->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            zoomAround(centre, kWheelZoom);
            break;
        case Qt::Key_Minus:
            zoomAround(centre, 1 / kWheelZoom);
            break;
        case Qt::Key_0:
            chart()->zoomReset();
            break;
        case Qt::Key_Left:
            chart()->scroll(-step, 0);
            break;
        case Qt::Key_Right:
            chart()->scroll(step, 0);
            break;
        default:
            QChartView::keyPressEvent(event);
            return;
    }
    event->accept();
}

}  // namespace vandrel
