#include "picker_test.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "app/handlers/path_join.h"
#include "app/handlers/picker/picker_handlers.h"
#include "app/widgets/folder_list.h"
#include "window_harness.h"

using vandrel::MessageIcon;
using vandrel::testing::FakeWindow;
using vandrel::testing::listed;
using vandrel::testing::WindowHarness;
using C = vandrel::Control;

namespace {

void makeFiles(const WindowHarness& harness) {
    for (const char* name : {"gamma.Txt", "alpha.TXT", "Beta.txt", "notes.md", "table.txt.bak"}) {
        harness.writeWorkFile(QString::fromLatin1(name), "x");
    }
    QDir(harness.workFolder()).mkpath(QStringLiteral("sub/deeper"));
    harness.writeWorkFile(QStringLiteral("sub/inner.txt"), "x");
}

// The folder list's lines below the path from the root to the working folder.
QStringList subfoldersListed(const WindowHarness& harness) {
    const int pathLines = harness.workFolder().split('/', Qt::SkipEmptyParts).size() + 1;
    QStringList names;
    for (const QString& line : listed(harness.find<QListView>("Dir1")).mid(pathLines)) {
        names << line.trimmed();
    }
    return names;
}

// The name chosen in the fake window's file list.
void choose(FakeWindow& window, const std::string& name) {
    window.selection = name;
    vandrel::File1_Click(window);
}

}  // namespace

void PickerTest::fileListShowsTextFilesOfAnyCaseSorted() {
    WindowHarness harness;
    makeFiles(harness);
    harness.start();
    QTRY_COMPARE(listed(harness.find<QListView>("File1")),
                 QStringList({"alpha.TXT", "Beta.txt", "gamma.Txt"}));
    QCOMPARE(harness.find<vandrel::FolderList>("Dir1")->path(), harness.workFolder());
}

void PickerTest::clickingANameShowsItsPathAndGotFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("status");
    QTest::newRow("upper-case ending") << "alpha.TXT"
                                       << "Got File";
    QTest::newRow("lower-case ending") << "Beta.txt"
                                       << "Got File";
    QTest::newRow("mixed-case ending") << "gamma.Txt"
                                       << "Select txt file";
}

void PickerTest::clickingANameShowsItsPathAndGotFile() {
    QFETCH(QString, name);
    QFETCH(QString, status);
    WindowHarness harness;
    FakeWindow& window = harness.startFake();
    window.folder = "/data";
    choose(window, name.toStdString());
    QCOMPARE(window.text(C::TXfi), "/data/" + name.toStdString());
    QCOMPARE(QString::fromStdString(window.text(C::TXwait)), status);
}

void PickerTest::gotFileReplacesCompleted() {
    WindowHarness harness;
    FakeWindow& window = harness.startFake();
    window.setText(C::TXwait, "completed");
    choose(window, "gamma.Txt");
    QCOMPARE(window.text(C::TXwait), std::string("completed"));
    choose(window, "Beta.txt");
    QCOMPARE(window.text(C::TXwait), std::string("Got File"));
    // The same name clicked again after a scan says "Got File" again.
    window.setText(C::TXwait, "completed");
    choose(window, "Beta.txt");
    QCOMPARE(window.text(C::TXwait), std::string("Got File"));
}

void PickerTest::openingAFolderMovesTheFileListOnly() {
    WindowHarness harness;
    makeFiles(harness);
    harness.start();
    harness.chooseFile(QStringLiteral("alpha.TXT"));
    const QString sub = harness.workFolder() + QStringLiteral("/sub");
    harness.openFolder(sub);
    QCOMPARE(harness.find<vandrel::FolderList>("Dir1")->path(), sub);
    QTRY_COMPARE(listed(harness.find<QListView>("File1")), QStringList({"inner.txt"}));
    QCOMPARE(harness.text("TXfi"), harness.workFolder() + QStringLiteral("/alpha.TXT"));
    QCOMPARE(harness.text("TXwait"), QStringLiteral("Got File"));
    // The folder list shows the path from the root down, then the subfolders.
    auto* folders = harness.find<QListView>("Dir1");
    QCOMPARE(listed(folders).front(), QStringLiteral("/"));
    QTRY_COMPARE(listed(folders).back().trimmed(), QStringLiteral("deeper"));
    // And back up again.
    harness.openFolder(harness.workFolder());
    QTRY_COMPARE(listed(harness.find<QListView>("File1")),
                 QStringList({"alpha.TXT", "Beta.txt", "gamma.Txt"}));
}

void PickerTest::hiddenButtonShowsThePathEvenWithoutSelection() {
    QCOMPARE(vandrel::joinPath("/work", ""), std::string("/work/"));
    WindowHarness harness;
    FakeWindow& window = harness.startFake();
    window.folder = "/data";
    vandrel::Command4_Click(window);
    window.selection = "Beta.txt";
    vandrel::Command4_Click(window);
    // A folder at the root gives two separators.
    window.folder = "/";
    vandrel::Command4_Click(window);
    QCOMPARE(harness.desktop.messages.size(), std::size_t{3});
    const char* const paths[] = {"/data/", "/data/Beta.txt", "//Beta.txt"};
    for (std::size_t index = 0; index < 3; ++index) {
        QCOMPARE(harness.desktop.messages[index].prompt, std::string(paths[index]));
        QVERIFY(harness.desktop.messages[index].icon == MessageIcon::None);
        QVERIFY(!harness.desktop.messages[index].title.has_value());
    }
}

void PickerTest::unreadableFolderIsReported() {
    WindowHarness harness;
    makeFiles(harness);
    harness.start();
    const QString sub = harness.workFolder() + QStringLiteral("/sub");
    QTRY_VERIFY(subfoldersListed(harness).contains(QStringLiteral("sub")));
    // Gone after it was listed, and opened before the list could follow.
    QDir(sub).removeRecursively();
    harness.openFolder(sub);
    QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
    QVERIFY(harness.desktop.messages[0].icon == MessageIcon::Critical);
    QVERIFY(QString::fromStdString(harness.desktop.messages[0].prompt)
                .startsWith("Cannot read the folder " + sub));
    QVERIFY(listed(harness.find<QListView>("File1")).isEmpty());
}

void PickerTest::listsFollowTheDisk() {
    WindowHarness harness;
    makeFiles(harness);
    harness.start();
    auto* files = harness.find<QListView>("File1");
    QTRY_COMPARE(subfoldersListed(harness), QStringList({"app", "sub"}));
    harness.chooseFile(QStringLiteral("gamma.Txt"));

    // Saved from the browser, and tidied up, while the window is open.
    harness.writeWorkFile(QStringLiteral("delta.TXT"), "x");
    harness.writeWorkFile(QStringLiteral("delta.html"), "x");
    QFile::remove(harness.workFolder() + QStringLiteral("/Beta.txt"));
    QDir(harness.workFolder()).mkdir(QStringLiteral("new"));
    QDir(harness.workFolder() + QStringLiteral("/sub")).removeRecursively();
    QTRY_COMPARE(listed(files), QStringList({"alpha.TXT", "delta.TXT", "gamma.Txt"}));
    QTRY_COMPARE(subfoldersListed(harness), QStringList({"app", "new"}));

    // The chosen name stays chosen, and no event ran meanwhile.
    QCOMPARE(harness.text("TXfi"), harness.workFolder() + QStringLiteral("/gamma.Txt"));
    harness.click("Command4");
    QCOMPARE(QString::fromStdString(harness.desktop.messages.back().prompt),
             harness.workFolder() + QStringLiteral("/gamma.Txt"));
    QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
}

namespace {

// The names that an assistive tool reads from the list, in order. The list's
// interface is built anew, as it is for a tool that is told of a change:
// Qt's offscreen platform, with no tool listening, tells no one.
QStringList accessibleNames(QListView* list) {
    QStringList names;
    if (QAccessibleInterface* const old = QAccessible::queryAccessibleInterface(list)) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
    }
    QAccessibleInterface* const view = QAccessible::queryAccessibleInterface(list);
    for (int child = 0; child < view->childCount(); ++child) {
        names << view->child(child)->text(QAccessible::Name);
    }
    return names;
}

}  // namespace

// A screen reader is told the names the list shows, each as an item, in their
// order, and new or deleted files as they show: not the file system's root.
void PickerTest::screenReadersReadTheNamesShown() {
    WindowHarness harness;
    makeFiles(harness);
    harness.start();
    auto* files = harness.find<QListView>("File1");
    const QStringList shown = {"alpha.TXT", "Beta.txt", "gamma.Txt"};
    QTRY_COMPARE(listed(files), shown);
    QCOMPARE(accessibleNames(files), shown);
    QCOMPARE(QAccessible::queryAccessibleInterface(files)->child(0)->role(), QAccessible::ListItem);
    harness.writeWorkFile(QStringLiteral("delta.TXT"), "x");
    QFile::remove(harness.workFolder() + QStringLiteral("/alpha.TXT"));
    const QStringList later = {"Beta.txt", "delta.TXT", "gamma.Txt"};
    QTRY_COMPARE(listed(files), later);
    QCOMPARE(accessibleNames(files), later);
}

void PickerTest::pathsFromOutsideOpenAsAClickWould_data() {
    QTest::addColumn<QString>("path");  // under the working folder
    QTest::addColumn<bool>("dropped");  // or given on the command line
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("message");  // the start of it
    for (const bool dropped : {false, true}) {
        const char* how = dropped ? "dropped" : "given";
        QTest::addRow("%s file", how) << "sub/inner.txt" << dropped << "sub"
                                      << "sub/inner.txt"
                                      << "Got File"
                                      << "";
        QTest::addRow("%s folder", how) << "sub/deeper" << dropped << "sub/deeper"
                                        << ""
                                        << "Select txt file"
                                        << "";
        QTest::addRow("%s file the list never shows", how)
            << "notes.md" << dropped << ""
            << ""
            << "Select txt file"
            << "The file list shows only files whose names end in .txt, so ";
    }
    QTest::newRow("given path that does not exist") << "missing.txt" << false << ""
                                                    << ""
                                                    << "Select txt file"
                                                    << "No such file: ";
}

void PickerTest::pathsFromOutsideOpenAsAClickWould() {
    QFETCH(QString, path);
    QFETCH(bool, dropped);
    QFETCH(QString, folder);
    QFETCH(QString, chosen);
    QFETCH(QString, status);
    QFETCH(QString, message);
    WindowHarness harness;
    makeFiles(harness);
    auto& form = harness.start();
    form.show();
    const QString full = harness.workFolder() + "/" + path;
    if (dropped) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(full)});
        QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&form, &drop);
    } else {
        vandrel::OpenPath(form, full.toStdString());
    }
    const QString workFolder = harness.workFolder();
    const auto under = [&workFolder](const QString& relative) {
        return relative.isEmpty() ? workFolder : workFolder + "/" + relative;
    };
    QCOMPARE(QString::fromStdString(form.folderListPath()), under(folder));
    QTRY_COMPARE(harness.text("TXfi"), chosen.isEmpty() ? QString() : under(chosen));
    QCOMPARE(harness.text("TXwait"), status);
    if (message.isEmpty()) {
        QVERIFY(harness.desktop.messages.empty());
    } else {
        QCOMPARE(harness.desktop.messages.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(harness.desktop.messages[0].prompt),
                 message + (message.startsWith("No such") ? full
                                                          : full + " cannot be chosen. "
                                                                   "Save it again with a "
                                                                   "name that ends in .txt."));
    }
}

void PickerTest::typingInTheFolderListFindsAFolder() {
    WindowHarness harness;
    for (const char* name : {"alpha", "beta", "bravo"}) {
        QDir(harness.workFolder()).mkpath(QString::fromLatin1(name));
    }
    harness.start().show();
    auto* folders = harness.find<QListWidget>("Dir1");
    QTRY_COMPARE(subfoldersListed(harness), (QStringList{"alpha", "app", "beta", "bravo"}));
    folders->setFocus();
    QTest::keyClicks(folders, "br");
    QCOMPARE(folders->currentItem()->text().trimmed(), QStringLiteral("bravo"));
    QTest::qWait(QApplication::keyboardInputInterval() + 50);
    QTest::keyClicks(folders, "A");
    QCOMPARE(folders->currentItem()->text().trimmed(), QStringLiteral("alpha"));
}
