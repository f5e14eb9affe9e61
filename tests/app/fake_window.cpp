#include "fake_window.h"

#include <filesystem>
#include <fstream>

#include "app/handlers/form_layout.h"

namespace vandrel::testing {

FakeWindow::FakeWindow(DesktopRecord& record) : files(record) {
    for (const ControlSpec& design : formLayout()) {
        if (design.handle) {
            State& state = controls[*design.handle];
            state.text = design.kind == ControlKind::TextBox ? design.caption : "";
            state.visible = !design.hidden;
            state.background = design.background.value_or(0);
            state.textColour = design.textColour.value_or(0x000000);
        }
    }
}

std::optional<std::string> FakeFiles::replaceWholeFile(const std::string& path,
                                                       const std::string& bytes) {
    if (saveFailure) {
        return saveFailure;
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return std::nullopt;
}

}  // namespace vandrel::testing
