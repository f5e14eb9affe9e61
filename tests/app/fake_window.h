#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/handlers/window_operations.h"
#include "recording_desktop.h"

namespace vandrel::testing {

// Files written at once, without a new file beside them, or a save that
// fails with `saveFailure`.
class FakeFiles : public DesktopServices {
  public:
    std::optional<std::string> replaceWholeFile(const std::string& path,
                                                const std::string& bytes) override;
    std::string fileAddress(const std::string& path) const override { return "file://" + path; }

    std::optional<std::string> saveFailure;
};

// A plain window without a toolkit, for the handlers: each control's state
// as the handlers leave it, starting from the design's, and the two lists as
// a folder and a selected name; any folder can be listed. Its desktop is
// the test's, with plain files.
class FakeWindow final : public WindowOperations {
  public:
    struct State {
        std::string text;
        std::string toolTip;
        bool visible = true;
        bool enabled = true;
        Colour background = 0;
        Colour textColour = 0;
        int checkValue = 0;
        int repaints = 0;
    };

    explicit FakeWindow(DesktopRecord& record);

    DesktopServices& desktop() const override { return files; }

    std::string text(Control c) const override { return controls.at(c).text; }
    void setText(Control c, const std::string& text) override { controls.at(c).text = text; }
    void setToolTip(Control c, const std::string& tip) override { controls.at(c).toolTip = tip; }
    void setVisible(Control c, bool visible) override { controls.at(c).visible = visible; }
    Colour textColour(Control c) const override { return controls.at(c).textColour; }
    void setEnabled(Control c, bool enabled) override { controls.at(c).enabled = enabled; }
    void setBackground(Control c, Colour colour) override { controls.at(c).background = colour; }
    void repaintNow(Control c) override { ++controls.at(c).repaints; }
    int checkValue(Control c) const override { return controls.at(c).checkValue; }
    bool isSelected(Control c) const override { return selectedOption == c; }
    void select(Control c) override { selectedOption = c; }
    std::string folderListPath() const override { return folder; }
    bool setFileListFolder(const std::string&) override { return true; }
    std::string fileListSelection() const override { return selection; }
    void setFolderListPath(const std::string& path) override { folder = path; }
    bool chooseInFileList(const std::string& name) override {
        selection = name;
        return true;
    }
    void showPassages(const ScanSettings& settings) override { passagesShown.push_back(settings); }

    std::map<Control, State> controls;
    std::optional<Control> selectedOption;
    std::string folder;     // Dir1's
    std::string selection;  // in File1
    std::vector<ScanSettings> passagesShown;
    mutable RecordingDesktop<FakeFiles> files;
};

}  // namespace vandrel::testing
