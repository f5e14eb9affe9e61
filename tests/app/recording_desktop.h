#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/handlers/desktop_services.h"

namespace vandrel::testing {

// What a test's desktop answers instead of a user, and all it was asked.
struct DesktopRecord {
    std::vector<Message> messages;
    // Runs while a message box is open, as a user looking at the window would.
    std::function<void(const Message&)> whileMessageShows;
    std::vector<std::string> startedPrograms;
    bool programStartSucceeds = true;
    int endRequests = 0;
    std::string applicationFolderPath;
    std::string configurationFolderPath;
    bool applicationFolderWritable = true;
    std::vector<SaveQuestion> saveQuestions;
    std::optional<std::string> savePath;  // the save dialog's answer; none: cancelled
};

// Desktop services whose message boxes, program starts, end, folders and
// save dialog are the test's; files are written and addressed as `Files`
// does it: Qt's own desktop for the real window, plain files for the fake.
template <typename Files>
class RecordingDesktop final : public Files {
  public:
    template <typename... FilesArguments>
    explicit RecordingDesktop(DesktopRecord& record, FilesArguments&&... arguments)
        : Files(std::forward<FilesArguments>(arguments)...), record_(record) {}

    void showMessage(const Message& message) override {
        record_.messages.push_back(message);
        if (record_.whileMessageShows) {
            record_.whileMessageShows(message);
        }
    }
    bool startProgram(const std::string& commandLine) override {
        record_.startedPrograms.push_back(commandLine);
        return record_.programStartSucceeds;
    }
    void endProgram() override { ++record_.endRequests; }
    std::string applicationFolder() const override { return record_.applicationFolderPath; }
    std::string configurationFolder() const override { return record_.configurationFolderPath; }
    // Only the application's folder is ever asked about.
    bool isWritableFolder(const std::string& folder) const override {
        return folder == record_.applicationFolderPath && record_.applicationFolderWritable;
    }
    std::optional<std::string> chooseSavePath(const SaveQuestion& question) override {
        record_.saveQuestions.push_back(question);
        return record_.savePath;
    }

  private:
    DesktopRecord& record_;
};

}  // namespace vandrel::testing
