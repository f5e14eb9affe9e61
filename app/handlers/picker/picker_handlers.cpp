#include "app/handlers/picker/picker_handlers.h"

#include <filesystem>

#include "app/handlers/path_join.h"
#include "text/text_slice.h"

namespace vandrel {

void Dir1_Change(WindowOperations& window) {
    const std::string folder = window.folderListPath();
    if (!window.setFileListFolder(folder)) {
        window.desktop().showMessage({"Cannot read the folder " + folder +
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
    window.desktop().showMessage({selectedFilePath(window)});
}

void OpenPath(WindowOperations& window, const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error).lexically_normal();
    const fs::file_status status = fs::status(absolute, error);
    if (!fs::exists(status)) {
        window.desktop().showMessage({"No such file: " + path, MessageIcon::Warning});
        return;
    }
    const bool folder = fs::is_directory(status);
    window.setFolderListPath((folder ? absolute : absolute.parent_path()).string());
    Dir1_Change(window);
    if (folder) {
        return;
    }
    const std::string name = absolute.filename().string();
    if (!window.chooseInFileList(name)) {
        window.desktop().showMessage(
            {"The file list shows only files whose names end in .txt, so " + path +
                 " cannot be chosen. Save it again with a name that ends in .txt.",
             MessageIcon::Warning});
    }
}

std::string selectedFilePath(const WindowOperations& window) {
    return joinPath(window.folderListPath(), window.fileListSelection());
}

}  // namespace vandrel
