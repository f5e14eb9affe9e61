#include "links_test.h"

#include <QTest>

#include "app/handlers/links/browser_command.h"
#include "app/handlers/links/link_handlers.h"
#include "window_harness.h"

using vandrel::MessageIcon;
using vandrel::testing::FakeWindow;
using vandrel::testing::WindowHarness;

namespace {

const std::string kBrowser = "C:\\Program Files\\Internet Explorer\\iexplore.exe ";

}  // namespace

void LinksTest::buttonsStartTheBrowserOnTheirPages() {
    WindowHarness harness;
    FakeWindow& window = harness.startFake();
    vandrel::Command2_Click(window);
    vandrel::Command3_Click(window, 0);
    vandrel::Command3_Click(window, 1);
    vandrel::Command2_Click(window);
    // The page beside the program, where the build puts it, or where it is installed.
    const std::string page =
        "file://" + harness.desktop.applicationFolderPath + "/n-body/ephemeris-files.html";
    const std::string service = kBrowser + "https://ssd.jpl.nasa.gov/horizons.cgi#results";
    QCOMPARE(harness.desktop.startedPrograms,
             std::vector<std::string>({service, kBrowser + page, kBrowser + page, service}));
    QVERIFY(harness.desktop.messages.empty());
}

void LinksTest::installedPageIsUnderShare() {
    WindowHarness harness;
    const QString prefix = harness.workFolder() + QStringLiteral("/prefix");
    vandrel::testing::writeFile(
        prefix + QStringLiteral("/share/vandrel/n-body/ephemeris-files.html"), "x");
    harness.desktop.applicationFolderPath = (prefix + QStringLiteral("/bin")).toStdString();
    QCOMPARE(vandrel::validFilesPageAddress(harness.startFake()),
             "file://" + prefix.toStdString() + "/share/vandrel/n-body/ephemeris-files.html");
}

void LinksTest::failedStartSaysTheBrowserIsNeeded() {
    WindowHarness harness;
    FakeWindow& window = harness.startFake();
    harness.desktop.programStartSucceeds = false;
    vandrel::Command2_Click(window);
    vandrel::Command3_Click(window, 0);
    vandrel::Command3_Click(window, 1);
    QCOMPARE(harness.desktop.messages.size(), std::size_t{3});
    for (const vandrel::Message& message : harness.desktop.messages) {
        QCOMPARE(message.prompt,
                 std::string("This function requires internet explorer (iexplore.exe) "
                             "to be in the directory c:\\Program Files\\  "));
        QCOMPARE(message.title.value_or(""), std::string("Cannot find Browser:"));
        QVERIFY(message.icon == MessageIcon::Critical);
    }
    QCOMPARE(window.text(vandrel::Control::TXwait), std::string("Select txt file"));
}

void LinksTest::windowClicksReachTheBrowser() {
    WindowHarness harness;
    harness.start();
    harness.click("Command2");
    harness.click("Command3(0)");
    harness.click("Command3(1)");
    const auto& started = harness.desktop.startedPrograms;
    QCOMPARE(started.size(), std::size_t{3});
    QCOMPARE(started[0], kBrowser + "https://ssd.jpl.nasa.gov/horizons.cgi#results");
    QCOMPARE(started[1], started[2]);
    QCOMPARE(started[1], kBrowser + "file://" + harness.desktop.applicationFolderPath +
                             "/n-body/ephemeris-files.html");
    // Characters an address cannot hold are percent-encoded.
    QCOMPARE(harness.form().desktop().fileAddress("/opt/my tools/n-body/\xC3\xA9t\xC3\xA9#1.html"),
             std::string("file:///opt/my%20tools/n-body/%C3%A9t%C3%A9%231.html"));
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
