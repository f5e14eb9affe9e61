// Renders vandrel's window to a PNG file: as it looks right after start-up,
// or with --after-sort NAME, after NAME was picked in the file list, "sort"
// pressed and "fin ok" closed; or, with --passages NAME, the passages window
// after NAME was picked and "passages + plot" pressed. Message boxes are
// answered at once.
// VANDREL_SCREENSHOT_PALETTE=dark draws it as on a desktop with a dark theme.

#include <QApplication>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <cstdio>

#include "app/handlers/start_up.h"
#include "app/widgets/form_vandrel.h"
#include "app/widgets/qt_desktop.h"
#include "tools/dark_palette.h"

namespace {

// The desktop, with message boxes answered at once and no browser started.
class AnsweringDesktop final : public vandrel::QtDesktop {
  public:
    void showMessage(const vandrel::Message& message) override {
        std::printf("message box: %s\n", message.prompt.c_str());
    }
    bool startProgram(const std::string&) override { return false; }
    void endProgram() override {}
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vandrel"));
    const QString palette = qEnvironmentVariable("VANDREL_SCREENSHOT_PALETTE");
    if (palette == QStringLiteral("dark")) {
        QApplication::setPalette(vandrel::tools::darkDesktopPalette());
    } else if (!palette.isEmpty()) {
        std::fprintf(stderr,
                     "vandrel-screenshot: VANDREL_SCREENSHOT_PALETTE is \"dark\" or unset\n");
        return 2;
    }
    const QStringList arguments = QApplication::arguments();
    const bool afterSort = arguments.size() == 4 && arguments[2] == "--after-sort";
    const bool passages = arguments.size() == 4 && arguments[2] == "--passages";
    if (arguments.size() != 2 && !afterSort && !passages) {
        std::fprintf(
            stderr, "usage: vandrel-screenshot OUTPUT.png [--after-sort | --passages FILE-NAME]\n");
        return 2;
    }
    AnsweringDesktop desktop;
    vandrel::FormVandrel form(&desktop);
    vandrel::Form_Load(form);
    form.show();
    form.focusFirstControl();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "vandrel-screenshot: the window never showed\n");
        return 1;
    }

    // The lists fill as the toolkit's file-system model reads the folder; a
    // folder without text files stays empty, and the picture shows it so.
    auto* files = form.findChild<QListView*>(QStringLiteral("File1"));
    (void)QTest::qWaitFor([files] { return files->model()->rowCount(files->rootIndex()) > 0; },
                          2000);

    if (arguments.size() == 4) {
        const QModelIndexList found =
            files->model()->match(files->model()->index(0, 0, files->rootIndex()), Qt::DisplayRole,
                                  arguments[3], 1, Qt::MatchExactly);
        if (found.isEmpty()) {
            std::fprintf(stderr, "vandrel-screenshot: no %s in the file list\n",
                         qPrintable(arguments[3]));
            return 1;
        }
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                          files->visualRect(found.front()).center());
        QTest::mouseClick(form.findChild<QPushButton*>(afterSort ? QStringLiteral("CDsort")
                                                                 : QStringLiteral("CDpassages")),
                          Qt::LeftButton);
    }
    QWidget* shown = &form;
    if (passages) {
        shown = form.findChild<QWidget*>(QStringLiteral("PassagesWindow"));
        auto* table = shown->findChild<QTableView*>(QStringLiteral("passagesTable"));
        if (!QTest::qWaitFor([table] { return table->model()->rowCount() > 0; }, 20000)) {
            std::fprintf(stderr, "vandrel-screenshot: the passages window never filled\n");
            return 1;
        }
    }
    QTest::qWait(200);
    if (!shown->grab().save(arguments[1])) {
        std::fprintf(stderr, "vandrel-screenshot: cannot write %s\n", qPrintable(arguments[1]));
        return 1;
    }
    return 0;
}
