#include "app/widgets/whole_file.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace vandrel {

std::optional<std::string> replaceWholeFile(QSaveFile& file, const std::string& bytes) {
    QDir().mkpath(QFileInfo(file.fileName()).absolutePath());
    // Unbuffered, so that a write that fails, as on a full disk, fails here.
    // Buffered, it would fail in the flush within commit(), which Qt 6.4
    // ignores, and an empty file would replace the one that was there.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return file.errorString().toStdString();
    }
    const auto size = static_cast<qint64>(bytes.size());
    const qint64 written = file.write(bytes.data(), size);
    if (written != size) {
        const std::string failure = file.error() != QFileDevice::NoError
                                        ? file.errorString().toStdString()
                                        : "only " + std::to_string(std::max<qint64>(written, 0)) +
                                              " of " + std::to_string(size) +
                                              " bytes could be written";
        file.cancelWriting();  // the new file is removed, never renamed
        return failure;
    }
    if (!file.commit()) {
        return file.errorString().toStdString();
    }
    return std::nullopt;
}

}  // namespace vandrel
