#include "app/handlers/results/results_handlers.h"

#include <variant>

#include "app/handlers/picker/picker_handlers.h"
#include "scan/ephemeris_scanner.h"
#include "scan/presentation.h"
#include "text/number_text.h"

namespace vandrel {

namespace {

constexpr Colour kBlack = 0x000000;

// The boxes of one extreme, in the order they are written.
struct ResultBoxes {
    Control item;
    Control dateText;
    Control au;
    Control km;
    Control summary;
};

constexpr ResultBoxes kLeastBoxes{Control::tXco0, Control::TXdateMin, Control::TXminAU,
                                  Control::TXminKM, Control::TXperi};
constexpr ResultBoxes kMostBoxes{Control::tXco1, Control::TXdateMax, Control::TXmaxAU,
                                 Control::TXmaxKM, Control::TXaphe};

// Shows the scan's progress at once: "sort" disabled and black, "working",
// and each new extreme's item number as it is found.
class WindowScanObserver final : public ScanObserver {
  public:
    explicit WindowScanObserver(WindowOperations& window) : window_(window) {}

    void fileOpened() override {
        window_.setEnabled(Control::CDsort, false);
        window_.setBackground(Control::CDsort, kBlack);
        window_.repaintNow(Control::CDsort);
        window_.setText(Control::TXwait, "working");
        window_.repaintNow(Control::TXwait);
    }
    void newMinimum(std::int32_t item) override {
        window_.setText(Control::tXco0, NumberToText(item));
    }
    void newMaximum(std::int32_t item) override {
        window_.setText(Control::tXco1, NumberToText(item));
    }

  private:
    WindowOperations& window_;
};

ScanSettings settingsFromWindow(const WindowOperations& window) {
    ScanSettings settings;
    settings.filePath = selectedFilePath(window);
    settings.startFilterOn = window.checkValue(Control::ChStart) == 1;
    settings.startDateText = window.text(Control::TXstardate);
    settings.endStopOn = window.checkValue(Control::CHenday) == 1;
    settings.endDateText = window.text(Control::TXendate);
    settings.trackMinimum = window.isSelected(Control::OpSort0);
    settings.trackMaximum = window.isSelected(Control::OpSort1);
    return settings;
}

void restoreSortButton(WindowOperations& window) {
    window.setEnabled(Control::CDsort, true);
    window.setBackground(Control::CDsort, window.textColour(Control::TXfi));
}

// The true perihelion (or aphelion) rests on the row of boxes of its side.
void writeTrueExtreme(WindowOperations& window, const std::string& tip, const ResultBoxes& boxes) {
    for (const Control box : {boxes.item, boxes.dateText, boxes.au, boxes.km, boxes.summary}) {
        window.setToolTip(box, tip);
    }
}

void writeExtreme(WindowOperations& window, const DistanceExtreme& extreme, Extreme which,
                  const ResultBoxes& boxes) {
    const ExtremeTexts texts = presentExtreme(extreme, which);
    window.setText(boxes.item, texts.item);
    window.setText(boxes.dateText, texts.dateText);
    window.setText(boxes.au, texts.au);
    window.setText(boxes.km, texts.km);
    // The summary is made from what the boxes show now.
    window.setText(boxes.summary,
                   summaryLine(window.text(boxes.km), window.text(boxes.dateText), which));
}

void presentResult(WindowOperations& window, const ScanResult& result) {
    window.setVisible(Control::TXda, false);
    window.setText(Control::TXwait, "completed");
    if (!result.warnings.empty()) {
        std::string lines;
        for (const ScanWarning& warning : result.warnings) {
            lines += (lines.empty() ? "" : "\n") + warning.message;
        }
        window.desktop().showMessage({lines, MessageIcon::Warning, kApplicationTitle});
    }
    window.desktop().showMessage({"fin ok", MessageIcon::None, NumberToText(result.datedCount)});
    restoreSortButton(window);
    if (window.isSelected(Control::OpSort0)) {
        writeExtreme(window, result.minimum, Extreme::Least, kLeastBoxes);
        writeTrueExtreme(window, trueTip(result.truePerihelion, Extreme::Least, result.header),
                         kLeastBoxes);
    }
    if (window.isSelected(Control::OpSort1)) {
        writeExtreme(window, result.maximum, Extreme::Most, kMostBoxes);
        writeTrueExtreme(window, trueTip(result.trueAphelion, Extreme::Most, result.header),
                         kMostBoxes);
    }
}

}  // namespace

void CDsort_Click(WindowOperations& window) {
    // A scan that fails after it began leaves the window as it was before.
    const std::string statusBefore = window.text(Control::TXwait);
    const std::string leastItemBefore = window.text(Control::tXco0);
    const std::string mostItemBefore = window.text(Control::tXco1);

    window.setVisible(Control::TXda, true);
    const ScanSettings settings = settingsFromWindow(window);
    WindowScanObserver observer(window);
    const ScanOutcome outcome = EphemerisScanner().scan(settings, observer);

    if (const auto* result = std::get_if<ScanResult>(&outcome)) {
        presentResult(window, *result);
        return;
    }
    const auto& failure = std::get<ScanFailure>(outcome);
    window.desktop().showMessage(scanFailureMessage(failure));
    if (failure.kind == ScanFailureKind::OpenFailed) {
        return;
    }
    window.setVisible(Control::TXda, false);
    restoreSortButton(window);
    window.setText(Control::TXwait, statusBefore);
    window.setText(Control::tXco0, leastItemBefore);
    window.setText(Control::tXco1, mostItemBefore);
}

void CDpassages_Click(WindowOperations& window) {
    if (window.fileListSelection().empty()) {
        window.desktop().showMessage({"File not selected"});
        return;
    }
    ScanSettings settings = settingsFromWindow(window);
    settings.trackMinimum = true;
    settings.trackMaximum = true;
    window.showPassages(settings);
}

Message scanFailureMessage(const ScanFailure& failure) {
    if (failure.kind == ScanFailureKind::OpenFailed) {
        return {"File not selected"};
    }
    return {failure.message, MessageIcon::Critical, kApplicationTitle};
}

void Command5_Click(WindowOperations& window) {
    for (const Control box : {Control::TXperi, Control::TXaphe, Control::TXminKM, Control::TXmaxKM,
                              Control::TXminAU, Control::TXmaxAU, Control::TXdateMin,
                              Control::TXdateMax, Control::tXco0, Control::tXco1}) {
        window.setText(box, "");
        window.setToolTip(box, "");
    }
}

}  // namespace vandrel
