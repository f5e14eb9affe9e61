#include "command_line_test.h"

#include <QProcess>
#include <QTest>

namespace {

const QString kNoDisplay = QStringLiteral(
    "vandrel: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set); "
    "start it on a desktop, or scan files with vandrel-scan\n");

// The test's environment without a desktop, or with only the given X display.
QProcessEnvironment withoutDisplay(const QString& display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    if (!display.isEmpty()) {
        environment.insert(QStringLiteral("DISPLAY"), display);
    }
    return environment;
}

// What --help prints, which bad usage prints after its own line.
QString helpText() {
    QProcess program;
    program.start(QStringLiteral(VANDREL_PROGRAM), {QStringLiteral("--help")});
    program.waitForFinished(30000);
    return QString::fromLocal8Bit(program.readAllStandardOutput());
}

}  // namespace

void CommandLineTest::answersWithoutADisplay_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errors");
    const QString version = QStringLiteral("vandrel " VANDREL_VERSION "\n");
    QTest::newRow("version") << QStringList{"--version"} << "" << 0 << version << "";
    QTest::newRow("version among other words")
        << QStringList{"now", "--version"} << "" << 0 << version << "";
    QTest::newRow("no display") << QStringList{} << "" << 1 << "" << kNoDisplay;
    QTest::newRow("file, no display") << QStringList{"table.txt"} << "" << 1 << "" << kNoDisplay;
    QTest::newRow("path after --")
        << QStringList{"--", "-table.txt"} << "" << 1 << "" << kNoDisplay;
    // Bad usage ends the program before it looks for a display. Qt's own
    // options are not read either.
    const QString usage = helpText();
    QTest::newRow("unknown option") << QStringList{"--bogus"} << "" << 2 << ""
                                    << "vandrel: unknown option --bogus\n" + usage;
    QTest::newRow("Qt option") << QStringList{"-platform", "offscreen"} << "" << 2 << ""
                               << "vandrel: unknown option -platform\n" + usage;
    QTest::newRow("two paths") << QStringList{"a.txt", "b.txt"} << "" << 2 << ""
                               << "vandrel: one file or folder at most, not also b.txt\n" + usage;
    QTest::newRow("display that cannot be opened")
        << QStringList{} << ":4321" << 1 << ""
        << "vandrel: cannot open the display :4321 to show the window on; check that the "
           "desktop is running, or scan files with vandrel-scan\n";
}

void CommandLineTest::answersWithoutADisplay() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, errors);
    QProcess program;
    program.setProcessEnvironment(withoutDisplay(display));
    program.start(QStringLiteral(VANDREL_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()), errors);
    QCOMPARE(QString::fromLocal8Bit(program.readAllStandardOutput()), output);
    QCOMPARE(program.exitCode(), status);
}

void CommandLineTest::helpNeedsNoDisplay() {
    QProcess program;
    program.setProcessEnvironment(withoutDisplay(QString()));
    program.start(QStringLiteral(VANDREL_PROGRAM), {QStringLiteral("--help")});
    QVERIFY(program.waitForFinished(30000));
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(program.readAllStandardError(), QByteArray());
    const QStringList lines = QString::fromLocal8Bit(program.readAllStandardOutput()).split('\n');
    QCOMPARE(lines.front(), QStringLiteral("usage: vandrel [--help | --version] [FILE | FOLDER]"));
    QVERIFY(lines.contains(QStringLiteral("  --version  show the version")));
}
