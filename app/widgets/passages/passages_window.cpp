#include "app/widgets/passages/passages_window.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSvgGenerator>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "app/handlers/passages/plot_points.h"
#include "app/handlers/results/results_handlers.h"
#include "app/widgets/design_palette.h"
#include "app/widgets/passages/distance_plot.h"
#include "app/widgets/passages/passage_table_model.h"

namespace vandrel {

namespace {

constexpr int kProgressAfterMilliseconds = 500;
constexpr int kProgressEveryMilliseconds = 100;
// Marks of each kind on the plot, at most: a few to a pixel column.
constexpr std::size_t kMostMarks = 1024;
// The rows that the table's column widths are measured on.
constexpr int kRowsMeasured = 200;
constexpr const char* kPlotHint =
    "Point at the plot to read the date and distance there; the wheel, a dragged rectangle or "
    "+ and - zoom, the arrow keys move, a double-click or 0 shows the whole span.";

QString fileNameOf(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).fileName();
}

// The path beside the scanned file, named after it: "earth.txt" gives
// "earth-passages.csv".
std::string pathBeside(const std::string& scanned, const char* ending) {
    const QFileInfo file(QString::fromStdString(scanned));
    return (file.absolutePath() + QLatin1Char('/') + file.completeBaseName() +
            QString::fromLatin1(ending))
        .toStdString();
}

}  // namespace

PassagesWindow::PassagesWindow(DesktopServices& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window),
      desktop_(desktop),
      plot_(new DistancePlot(this)),
      readout_(new QLabel(this)),
      warnings_(new QLabel(this)),
      status_(new QLabel(this)),
      progressBar_(new QProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      table_(new QTableView(this)),
      model_(new PassageTableModel(this)),
      progressTimer_(new QTimer(this)) {
    setObjectName(QStringLiteral("PassagesWindow"));
    setPalette(designPalette());
    resize(900, 720);

    plot_->setAccessibleName(QStringLiteral("Distance over time, with the passages marked"));
    readout_->setObjectName(QStringLiteral("pointerReadout"));
    readout_->setAccessibleName(QStringLiteral("Date and distance under the pointer"));
    readout_->setWordWrap(true);
    warnings_->setObjectName(QStringLiteral("passagesWarnings"));
    warnings_->setAccessibleName(QStringLiteral("Warnings"));
    warnings_->setWordWrap(true);
    warnings_->setTextFormat(Qt::PlainText);
    warnings_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    status_->setObjectName(QStringLiteral("passagesStatus"));
    progressBar_->setObjectName(QStringLiteral("passagesProgress"));
    progressBar_->setAccessibleName(QStringLiteral("Scan progress"));
    progressBar_->setRange(0, 1000);
    cancel_->setObjectName(QStringLiteral("passagesCancel"));

    table_->setObjectName(QStringLiteral("passagesTable"));
    table_->setAccessibleName(QStringLiteral("Passages"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setResizeContentsPrecision(kRowsMeasured);
    auto* copy = new QAction(QStringLiteral("Copy"), table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(copy);
    connect(copy, &QAction::triggered, this, &PassagesWindow::copySelectedRows);

    auto* saveTable = new QPushButton(QStringLiteral("Save table as CSV…"), this);
    saveTable->setObjectName(QStringLiteral("saveTable"));
    auto* savePlot = new QPushButton(QStringLiteral("Save plot…"), this);
    savePlot->setObjectName(QStringLiteral("savePlot"));
    connect(saveTable, &QPushButton::clicked, this, &PassagesWindow::saveTable);
    connect(savePlot, &QPushButton::clicked, this, &PassagesWindow::savePlot);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (progress_) {
            progress_->cancelRequested = true;
        }
    });
    readout_->setText(QString::fromLatin1(kPlotHint));
    connect(plot_, &DistancePlot::pointerMoved, readout_, [this](const QString& readout) {
        readout_->setText(readout.isEmpty() ? QString::fromLatin1(kPlotHint) : readout);
    });
    connect(progressTimer_, &QTimer::timeout, this, &PassagesWindow::showProgress);
    progressTimer_->setInterval(kProgressEveryMilliseconds);
    auto* close = new QShortcut(QKeySequence::Cancel, this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(status_, 1);
    progressRow->addWidget(progressBar_, 1);
    progressRow->addWidget(cancel_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveTable);
    buttons->addWidget(savePlot);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(progressRow);
    layout->addWidget(plot_, 3);
    layout->addWidget(readout_);
    layout->addWidget(warnings_);
    layout->addWidget(table_, 2);
    layout->addLayout(buttons);
    progressBar_->hide();
    cancel_->hide();
}

PassagesWindow::~PassagesWindow() {
    stopScan();
}

void PassagesWindow::closeEvent(QCloseEvent* event) {
    stopScan();
    QWidget::closeEvent(event);
}

void PassagesWindow::stopScan() {
    if (progress_) {
        progress_->cancelRequested = true;
    }
    if (worker_.joinable()) {
        worker_.join();
    }
    progressTimer_->stop();
    progressBar_->hide();
    cancel_->hide();
}

void PassagesWindow::scanAndShow(const ScanSettings& settings) {
    stopScan();
    settings_ = settings;
    setWindowTitle(QStringLiteral("vandrel — %1").arg(fileNameOf(settings.filePath)));
    status_->setText(QStringLiteral("Scanning %1…").arg(fileNameOf(settings.filePath)));
    fileSize_ =
        static_cast<std::uint64_t>(QFileInfo(QString::fromStdString(settings.filePath)).size());
    progressBar_->setValue(0);
    progress_ = std::make_unique<ScanProgress>();
    const int number = ++scanNumber_;
    worker_ = std::thread([this, number, settings, progress = progress_.get()] {
        auto scan = std::make_shared<PassagesScan>(scanForPassages(settings, *progress));
        QMetaObject::invokeMethod(
            this,
            [this, number, scan] {
                if (number == scanNumber_) {
                    present(scan);
                }
            },
            Qt::QueuedConnection);
    });
    scanClock_.start();
    progressTimer_->start();
    show();
    raise();
    activateWindow();
}

void PassagesWindow::showProgress() {
    if (!progress_) {
        return;
    }
    const std::uint64_t read = std::min(progress_->bytesRead.load(), fileSize_);
    progressBar_->setValue(fileSize_ == 0 ? 0 : static_cast<int>(read * 1000 / fileSize_));
    if (scanClock_.elapsed() >= kProgressAfterMilliseconds) {
        progressBar_->show();
        cancel_->show();
    }
}

void PassagesWindow::present(std::shared_ptr<PassagesScan> scan) {
    stopScan();
    if (scan->cancelled) {
        status_->setText(QStringLiteral("Scan of %1 cancelled: nothing shown")
                             .arg(fileNameOf(settings_.filePath)));
        plot_->clear();
        model_->clear();
        warnings_->clear();
        return;
    }
    if (const auto* failure = std::get_if<ScanFailure>(&scan->outcome)) {
        hide();
        desktop_.showMessage(scanFailureMessage(*failure));
        return;
    }
    const auto& result = std::get<ScanResult>(scan->outcome);
    header_ = result.header;
    plot_->show(scan->plot.points(), passagesToMark(scan->passages, kMostMarks), header_);
    model_->show(std::move(scan->passages), header_);
    table_->resizeColumnsToContents();
    QStringList lines;
    for (const ScanWarning& warning : result.warnings) {
        lines << QString::fromStdString(warning.message);
    }
    warnings_->setText(lines.join(QLatin1Char('\n')));
    warnings_->setVisible(!lines.isEmpty());
    status_->setText(QStringLiteral("%1: %2 records, %3 passages")
                         .arg(fileNameOf(settings_.filePath))
                         .arg(result.datedCount)
                         .arg(model_->size()));
}

void PassagesWindow::copySelectedRows() {
    // The rows in the table's order, whatever order they were selected in.
    std::vector<std::size_t> order;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        order.push_back(static_cast<std::size_t>(index.row()));
    }
    if (order.empty()) {
        return;
    }
    std::sort(order.begin(), order.end());
    std::vector<PassageRow> selected;
    for (const std::size_t row : order) {
        selected.push_back(model_->row(row));
    }
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(tabSeparatedRows(model_->titles(), selected)));
}

void PassagesWindow::save(const SaveQuestion& question,
                          const std::function<std::string(const std::string&)>& bytesFor) {
    const auto path = desktop_.chooseSavePath(question);
    if (!path) {
        return;
    }
    if (const auto failure = desktop_.replaceWholeFile(*path, bytesFor(*path))) {
        desktop_.showMessage({"Cannot save " + *path + ": " + *failure +
                                  ". Choose another folder or free some space, and save again.",
                              MessageIcon::Critical, kApplicationTitle});
    }
}

void PassagesWindow::saveTable() {
    save({"Save table as CSV",
          pathBeside(settings_.filePath, "-passages.csv"),
          {"CSV files (*.csv)"}},
         [this](const std::string&) {
             std::vector<PassageRow> rows;
             rows.reserve(model_->size());
             for (std::size_t row = 0; row < model_->size(); ++row) {
                 rows.push_back(model_->row(row));
             }
             return commaSeparatedRows(model_->titles(), rows);
         });
}

void PassagesWindow::savePlot() {
    save({"Save plot",
          pathBeside(settings_.filePath, "-plot.png"),
          {"PNG image (*.png)", "SVG image (*.svg)"}},
         [this](const std::string& path) {
             QByteArray bytes;
             QBuffer buffer(&bytes);
             buffer.open(QIODevice::WriteOnly);
             if (QFileInfo(QString::fromStdString(path))
                     .suffix()
                     .compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
                 QSvgGenerator svg;
                 svg.setOutputDevice(&buffer);
                 svg.setSize(plot_->size());
                 svg.setViewBox(plot_->rect());
                 svg.setTitle(windowTitle());
                 QPainter painter(&svg);
                 plot_->render(&painter);
             } else {
                 plot_->grab().save(&buffer, "PNG");
             }
             return bytes.toStdString();
         });
}

}  // namespace vandrel
