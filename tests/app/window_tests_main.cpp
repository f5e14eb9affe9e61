// Runs one window test class, named on the command line, or all of them.

#include <QApplication>
#include <QTest>
#include <functional>
#include <map>

#include "date_range_file_test.h"
#include "form_vandrel_test.h"
#include "picker_test.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::map<QString, std::function<int(QStringList)>> classes = {
        {"FormVandrelTest",
         [](QStringList a) {
             FormVandrelTest t;
             return QTest::qExec(&t, a);
         }},
        {"PickerTest",
         [](QStringList a) {
             PickerTest t;
             return QTest::qExec(&t, a);
         }},
        {"DateRangeFileTest",
         [](QStringList a) {
             DateRangeFileTest t;
             return QTest::qExec(&t, a);
         }},
    };
    QStringList arguments = QApplication::arguments();
    const QString chosen = arguments.size() > 1 ? arguments.takeAt(1) : QString();
    int failures = 0;
    for (const auto& [name, run] : classes) {
        if (chosen.isEmpty() || chosen == name) {
            failures += run(arguments);
        }
    }
    return failures == 0 ? 0 : 1;
}
