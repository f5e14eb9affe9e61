#include "links_test.h"

#include <QTest>

#include "app/links/browser_command.h"
#include "window_harness.h"

using vandrel::MessageIcon;
using vandrel::testing::WindowHarness;

void LinksTest::serviceButtonStartsTheBrowserOnTheServicePage() {
    WindowHarness harness;
    harness.start();
    harness.click("Command2");
    QCOMPARE(harness.desktop.startedPrograms,
             std::vector<std::string>{"C:\\Program Files\\Internet Explorer\\iexplore.exe "
                                      "https://ssd.jpl.nasa.gov/horizons.cgi#results"});
    QVERIFY(harness.desktop.messages.empty());
}

void LinksTest::bothMakerButtonsStartTheSameCommandLine() {
    WindowHarness harness;
    harness.start();
    harness.click("Command3(0)");
    harness.click("Command3(1)");
    const auto& started = harness.desktop.startedPrograms;
    QCOMPARE(started.size(), std::size_t{2});
    QCOMPARE(started[0], started[1]);
    const std::string prefix = "C:\\Program Files\\Internet Explorer\\iexplore.exe file://";
    QCOMPARE(started[0].substr(0, prefix.size()), prefix);
    QVERIFY(started[0].ends_with("/app/n-body/ephemeris-files.html"));
}

void LinksTest::failedStartSaysTheBrowserIsNeeded() {
    WindowHarness harness;
    harness.start();
    harness.desktop.programStartSucceeds = false;
    for (const char* button : {"Command2", "Command3(0)", "Command3(1)"}) {
        harness.desktop.messages.clear();
        harness.click(button);
        QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
        const auto& message = harness.desktop.messages[0];
        QCOMPARE(message.prompt,
                 std::string("This function requires internet explorer (iexplore.exe) "
                             "to be in the directory c:\\Program Files\\  "));
        QCOMPARE(message.title.value_or(""), std::string("Cannot find Browser:"));
        QVERIFY(message.icon == MessageIcon::Critical);
    }
    QCOMPARE(harness.text("TXwait"), QStringLiteral("Select txt file"));
}

void LinksTest::everyClickStartsAnotherBrowser() {
    WindowHarness harness;
    harness.start();
    for (int i = 0; i < 3; ++i) {
        harness.click("Command2");
    }
    QCOMPARE(harness.desktop.startedPrograms.size(), std::size_t{3});
}

void LinksTest::commandLineSplitsAtTheProgramsEnd() {
    const auto command = vandrel::splitBrowserCommandLine(
        vandrel::browserCommandLine("https://ssd.jpl.nasa.gov/horizons.cgi#results"));
    QCOMPARE(command.program, std::string("C:\\Program Files\\Internet Explorer\\iexplore.exe"));
    QCOMPARE(command.address, std::string("https://ssd.jpl.nasa.gov/horizons.cgi#results"));
    const auto page = vandrel::splitBrowserCommandLine(
        vandrel::browserCommandLine("file:///opt/my%20tools/n-body/ephemeris-files.html"));
    QCOMPARE(page.address, std::string("file:///opt/my%20tools/n-body/ephemeris-files.html"));
}
