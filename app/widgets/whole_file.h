#pragma once

#include <QSaveFile>
#include <optional>
#include <string>

namespace vandrel {

// Replaces the contents of the file that `file` names with `bytes`, as a
// whole: they go to a new file beside it, which then takes its name. Gives
// the reason when that cannot be completed (the folder cannot be written, a
// full disk, a failed write or rename); the file that was there before is
// then left as it was. The window's DesktopServices::replaceWholeFile.
std::optional<std::string> replaceWholeFile(QSaveFile& file, const std::string& bytes);

}  // namespace vandrel
