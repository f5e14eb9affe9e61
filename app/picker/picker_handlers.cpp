#include "app/picker/picker_handlers.h"

#include "app/path_join.h"
#include "text/text_slice.h"

namespace vandrel {

void Dir1_Change(WindowOperations& window) {
    const std::string folder = window.folderListPath();
    if (!window.setFileListFolder(folder)) {
        window.showMessage({"Cannot read the folder " + folder +
                                ": its files cannot be listed. Choose another folder.",
                            MessageIcon::Critical});
    }
}

void File1_Click(WindowOperations& window) {
    const std::string name = window.fileListSelection();
    window.setText(Control::TXfi, joinPath(window.folderListPath(), name));
    const std::string_view ending = TextLast(name, 3);
    if (TextEquals(ending, "TXT") || TextEquals(ending, "txt")) {
        window.setText(Control::TXwait, "Got File");
    }
}

void Command4_Click(WindowOperations& window) {
    window.showMessage({selectedFilePath(window)});
}

std::string selectedFilePath(const WindowOperations& window) {
    return joinPath(window.folderListPath(), window.fileListSelection());
}

}  // namespace vandrel
