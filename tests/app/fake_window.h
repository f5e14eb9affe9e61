#pragma once

#include <map>
#include <optional>
#include <string>

#include "app/window_operations.h"
#include "recording_desktop.h"

namespace vandrel::testing {

// A plain window without a toolkit, for the handlers: each control's state
// as the handlers leave it, starting from the design's, and the two lists as
// a folder and a selected name. It writes files at once, without a new file
// beside them, or fails with `saveFailure`.
class FakeControls : public WindowOperations {
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

    FakeControls();

    std::string text(Control control) const override { return controls.at(control).text; }
    void setText(Control control, const std::string& text) override;
    void setToolTip(Control control, const std::string& text) override;
    void setVisible(Control control, bool visible) override;
    Colour textColour(Control control) const override;
    void setEnabled(Control control, bool enabled) override;
    void setBackground(Control control, Colour colour) override;
    void repaintNow(Control control) override { ++controls.at(control).repaints; }
    int checkValue(Control control) const override { return controls.at(control).checkValue; }
    bool isSelected(Control control) const override { return selectedOption == control; }
    void select(Control control) override { selectedOption = control; }
    std::string folderListPath() const override { return folder; }
    bool setFileListFolder(const std::string& folder) override;
    std::string fileListSelection() const override { return selection; }
    std::optional<std::string> replaceWholeFile(const std::string& path,
                                                const std::string& bytes) override;
    std::string fileAddress(const std::string& path) const override { return "file://" + path; }

    std::map<Control, State> controls;
    std::optional<Control> selectedOption;
    std::string folder;  // Dir1's
    std::string fileListFolder;
    bool folderReadable = true;
    std::string selection;  // in File1
    std::optional<std::string> saveFailure;
};

using FakeWindow = RecordingDesktop<FakeControls>;

}  // namespace vandrel::testing
