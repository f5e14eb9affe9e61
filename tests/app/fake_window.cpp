#include "fake_window.h"

#include <filesystem>
#include <fstream>

#include "app/form_layout.h"

namespace vandrel::testing {

FakeControls::FakeControls() {
    for (const ControlSpec& design : formLayout()) {
        if (design.handle) {
            State& state = controls[*design.handle];
            state.text = design.kind == ControlKind::TextBox ? design.caption : "";
            state.visible = !design.hidden;
            state.background = design.background.value_or(0xFFFFFF);
            state.textColour = design.textColour.value_or(0x000000);
        }
    }
}

void FakeControls::setText(Control control, const std::string& text) {
    controls.at(control).text = text;
}

void FakeControls::setToolTip(Control control, const std::string& text) {
    controls.at(control).toolTip = text;
}

void FakeControls::setVisible(Control control, bool visible) {
    controls.at(control).visible = visible;
}

Colour FakeControls::textColour(Control control) const {
    return controls.at(control).textColour;
}

void FakeControls::setEnabled(Control control, bool enabled) {
    controls.at(control).enabled = enabled;
}

void FakeControls::setBackground(Control control, Colour colour) {
    controls.at(control).background = colour;
}

bool FakeControls::setFileListFolder(const std::string& folder) {
    fileListFolder = folder;
    return folderReadable;
}

std::optional<std::string> FakeControls::replaceWholeFile(const std::string& path,
                                                          const std::string& bytes) {
    if (saveFailure) {
        return saveFailure;
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return std::nullopt;
}

}  // namespace vandrel::testing
