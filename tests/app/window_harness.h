#pragma once

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/desktop_services.h"
#include "app/form_vandrel.h"

class QListView;
class QWidget;

namespace vandrel::testing {

// Answers the window's message boxes and program starts instead of a user,
// keeps the date-range file in folders of the test's own, and remembers all.
class RecordingDesktop final : public DesktopServices {
  public:
    void showMessage(QWidget* parent, const Message& message) override;
    bool startProgram(const std::string& commandLine) override;
    void endProgram() override { ++endRequests; }
    std::string applicationFolder() const override { return applicationFolderPath; }
    std::string configurationFolder() const override { return configurationFolderPath; }
    bool isWritableFolder(const std::string& folder) const override;

    std::vector<Message> messages;
    // Runs while a message box is open, as a user looking at the window would.
    std::function<void(const Message&)> whileMessageShows;
    std::vector<std::string> startedPrograms;
    bool programStartSucceeds = true;
    int endRequests = 0;
    std::string applicationFolderPath;
    std::string configurationFolderPath;
    bool applicationFolderWritable = true;
};

// A window in a folder of the test's own: the lists start there, and the
// date-range file lives in its "app" folder (or "config" when asked).
class WindowHarness {
  public:
    WindowHarness();
    ~WindowHarness();

    // Creates the window in the working folder and runs Form_Load.
    FormVandrel& start();
    FormVandrel& form() { return *form_; }

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

    RecordingDesktop desktop;

  private:
    QTemporaryDir work_;
    QString previousFolder_;
    std::unique_ptr<FormVandrel> form_;
};

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
