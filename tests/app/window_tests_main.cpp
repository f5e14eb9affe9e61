// Runs one window test class, named on the command line, or all of them.

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <functional>
#include <map>

#include "command_line_test.h"
#include "date_range_file_test.h"
#include "form_vandrel_test.h"
#include "keyboard_test.h"
#include "links_test.h"
#include "passages_test.h"
#include "picker_test.h"
#include "results_test.h"
#include "save_failure_test.h"
#include "theme_test.h"

namespace {

template <typename TestClass>
int run(const QStringList& arguments) {
    TestClass test;
    return QTest::qExec(&test, arguments);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::map<QString, std::function<int(const QStringList&)>> classes = {
        {"FormVandrelTest", run<FormVandrelTest>},
        {"PickerTest", run<PickerTest>},
        {"DateRangeFileTest", run<DateRangeFileTest>},
        {"ResultsTest", run<ResultsTest>},
        {"LinksTest", run<LinksTest>},
        {"CommandLineTest", run<CommandLineTest>},
        {"KeyboardTest", run<KeyboardTest>},
        {"ThemeTest", run<ThemeTest>},
        {"SaveFailureTest", run<SaveFailureTest>},
        {"PassagesTest", run<PassagesTest>},
    };
    QStringList arguments = QApplication::arguments();
    const QString chosen = arguments.size() > 1 ? arguments.takeAt(1) : QString();
    if (!chosen.isEmpty() && classes.count(chosen) == 0) {
        std::fprintf(stderr, "no test class %s\n", qPrintable(chosen));
        return 2;
    }
    int failures = 0;
    for (const auto& [name, runClass] : classes) {
        if (chosen.isEmpty() || chosen == name) {
            failures += runClass(arguments);
        }
    }
    return failures == 0 ? 0 : 1;
}
