#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "app/widgets/form_vandrel.h"
#include "app/widgets/qt_desktop.h"
#include "fake_window.h"

class QListView;
class QWidget;

namespace vandrel::testing {

// A window in a folder of the test's own: the lists start there, and the
// date-range file lives in its "app" folder (or "config" when asked).
class WindowHarness {
  public:
    WindowHarness();
    ~WindowHarness();

    // Creates the real window in the working folder and runs Form_Load.
    FormVandrel& start();
    FormVandrel& form() { return *form_; }
    // The same with the fake window, whose lists show the working folder.
    FakeWindow& startFake();

    QString workFolder() const { return work_.path(); }
    QString dateRangeFile() const;
    QString writeWorkFile(const QString& name, const QByteArray& bytes) const;

    template <typename Widget>
    Widget* find(const char* objectName) const {
        return form_->findChild<Widget*>(QString::fromLatin1(objectName));
    }
    QString text(const char* objectName) const;
    void click(const char* objectName) const;
    void chooseFile(const QString& name) const;
    void openFolder(const QString& path) const;

    DesktopRecord desktop;

  private:
    QTemporaryDir work_;
    QString previousFolder_;
    std::unique_ptr<RecordingDesktop<QtDesktop>> formDesktop_;
    std::unique_ptr<FormVandrel> form_;
    std::unique_ptr<FakeWindow> fake_;
};

// A fake window's control text, to compare with Qt's texts.
QString textOf(const FakeWindow& window, Control control);

// The lines a list shows, top to bottom.
QStringList listed(QListView* list);

// A Horizons vector table of the given records (date, distance text after "RG=").
QByteArray ephemerisTable(const std::vector<std::pair<const char*, const char*>>& records,
                          bool endMarker = true);

// The colour painted just inside a button's border.
QColor paintedColour(QWidget* button);

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

}  // namespace vandrel::testing
