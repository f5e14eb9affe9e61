#pragma once

#include <string>

#include "app/window_operations.h"

class QWidget;

namespace vandrel {

// What the window asks of the desktop: message boxes, program starts, the
// end of the program and the folders for the date-range file. The program
// uses SystemDesktop; tests answer these themselves.
class DesktopServices {
  public:
    virtual ~DesktopServices() = default;
    virtual void showMessage(QWidget* parent, const Message& message) = 0;
    virtual bool startProgram(const std::string& commandLine) = 0;
    virtual void endProgram() = 0;
    virtual std::string applicationFolder() const = 0;
    virtual std::string configurationFolder() const = 0;
    virtual bool isWritableFolder(const std::string& folder) const = 0;
};

class SystemDesktop final : public DesktopServices {
  public:
    void showMessage(QWidget* parent, const Message& message) override;
    // On Windows the browser's command line as it stands; elsewhere the
    // address in it opens in the desktop's default browser.
    bool startProgram(const std::string& commandLine) override;
    void endProgram() override;
    std::string applicationFolder() const override;
    std::string configurationFolder() const override;
    bool isWritableFolder(const std::string& folder) const override;
};

}  // namespace vandrel
