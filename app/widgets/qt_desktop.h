#pragma once

#include "app/handlers/desktop_services.h"

class QWidget;

namespace vandrel {

// The desktop services with Qt: message boxes over the window, the browser,
// the end of the program, the date-range file's folders and its save, the
// addresses of local pages, and the save dialog. Tests and tools derive
// from it to answer the boxes and dialogs themselves.
class QtDesktop : public DesktopServices {
  public:
    // Message boxes and dialogs open over `window`, when there is one.
    explicit QtDesktop(QWidget* window = nullptr) : window_(window) {}

    void showMessage(const Message& message) override;
    bool startProgram(const std::string& commandLine) override;
    void endProgram() override;
    std::string applicationFolder() const override;
    std::string configurationFolder() const override;
    bool isWritableFolder(const std::string& folder) const override;
    std::optional<std::string> replaceWholeFile(const std::string& path,
                                                const std::string& bytes) override;
    std::string fileAddress(const std::string& path) const override;
    std::optional<std::string> chooseSavePath(const SaveQuestion& question) override;

  private:
    QWidget* window_;
};

}  // namespace vandrel
