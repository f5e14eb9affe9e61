#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vandrel {

enum class MessageIcon { None, Warning, Critical };

// A modal message box with an OK button. Without a title of its own it shows
// the application's title, "vandrel".
struct Message {
    std::string prompt;
    MessageIcon icon = MessageIcon::None;
    std::optional<std::string> title;
};

inline constexpr const char* kApplicationTitle = "vandrel";

// What the desktop's save dialog asks.
struct SaveQuestion {
    std::string title;
    std::string suggestedPath;
    // The kinds of file offered, as "CSV files (*.csv)"; the first is chosen
    // at first, and its suffix is added to a name typed without one.
    std::vector<std::string> kinds;
};

// What the handlers need of the desktop rather than of the window's
// controls: message boxes, program starts, the end of the program, the
// folders and the save of the date-range file, the addresses of local
// pages, and the save dialog. Handlers reach it through
// WindowOperations::desktop(). Texts and paths are UTF-8.
class DesktopServices {
  public:
    virtual ~DesktopServices() = default;

    // Returns when the user has closed the box.
    virtual void showMessage(const Message& message) = 0;
    // Starts a program or opens an address without waiting; false on failure.
    virtual bool startProgram(const std::string& commandLine) = 0;
    virtual void endProgram() = 0;

    // Where the date-range file may live.
    virtual std::string applicationFolder() const = 0;
    virtual std::string configurationFolder() const = 0;
    virtual bool isWritableFolder(const std::string& folder) const = 0;

    // Replaces the file at `path`, and makes its folder, as a whole: the new
    // bytes go to a file beside it, which then takes its name. Gives the
    // reason when that cannot be completed; the file that was there is then
    // left as it was, even on a full disk.
    virtual std::optional<std::string> replaceWholeFile(const std::string& path,
                                                        const std::string& bytes) = 0;
    // The file:// address of a local file, with the characters an address
    // cannot hold percent-encoded.
    virtual std::string fileAddress(const std::string& path) const = 0;

    // The path the user chose in the desktop's save dialog; nothing when
    // the dialog was cancelled.
    virtual std::optional<std::string> chooseSavePath(const SaveQuestion& question) = 0;
};

}  // namespace vandrel
