#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "app/handlers/desktop_services.h"
#include "app/handlers/passages/passage_rows.h"
#include "app/handlers/passages/passages_scan.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace vandrel {

class DistancePlot;
class PassageTableModel;

// "passages + plot": the distance over time of a file's records with its
// passages marked, the table of every passage, and the file's warnings.
// The scan runs on a thread of its own; after half a second a progress bar
// and a Cancel button show.
class PassagesWindow final : public QWidget {
    Q_OBJECT
  public:
    PassagesWindow(DesktopServices& desktop, QWidget* parent);
    ~PassagesWindow() override;

    // Shows the window, and scans the settings' file into it.
    void scanAndShow(const ScanSettings& settings);

  protected:
    // A window closed while it scans stops the scan: nothing is left to show it.
    void closeEvent(QCloseEvent* event) override;

  private:
    void present(std::shared_ptr<PassagesScan> scan);
    void stopScan();
    void showProgress();
    void copySelectedRows();
    void saveTable();
    void savePlot();
    void save(const SaveQuestion& question,
              const std::function<std::string(const std::string&)>& bytesFor);

    DesktopServices& desktop_;
    DistancePlot* plot_;
    QLabel* readout_;
    QLabel* warnings_;
    QLabel* status_;
    QProgressBar* progressBar_;
    QPushButton* cancel_;
    QTableView* table_;
    PassageTableModel* model_;
    QTimer* progressTimer_;
    QElapsedTimer scanClock_;
    ScanSettings settings_;
    EphemerisHeader header_;
    std::uint64_t fileSize_ = 0;
    std::unique_ptr<ScanProgress> progress_;
    std::thread worker_;
    int scanNumber_ = 0;
};

}  // namespace vandrel
