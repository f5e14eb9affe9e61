#pragma once

#include <filesystem>
#include <string>

namespace vandrel {

// The data folder of an installed vandrel (share/vandrel in the install
// prefix whose bin folder holds the program, with the default folders).
inline std::filesystem::path installedDataFolder(const std::string& applicationFolder) {
    return (std::filesystem::path(applicationFolder) / VANDREL_DATA_FROM_PROGRAM)
        .lexically_normal();
}

// Whether the program runs from the bin folder of an install prefix, rather
// than from its build folder or a folder it was copied to.
inline bool isInstalledProgram(const std::string& applicationFolder) {
    std::error_code unreadable;
    return std::filesystem::is_directory(installedDataFolder(applicationFolder), unreadable);
}

}  // namespace vandrel
