#include "app/handlers/settings/date_range_file.h"

#include <stdexcept>

#include "app/handlers/guarded_step.h"
#include "app/handlers/install_layout.h"
#include "app/handlers/path_join.h"
#include "app/handlers/settings/quoted_writer.h"
#include "text/byte_source.h"
#include "text/field_reader.h"

namespace vandrel {

namespace {

// A text box holds at most 32767 characters, at most 4 bytes each in UTF-8,
// so the reader keeps every saved date whole.
constexpr std::size_t kLongestDateText = std::size_t{32767} * 4;

struct DateRange {
    std::string start;
    std::string end;
};

// The first two items of the file; throws when there are not two.
DateRange readDateRange(const std::string& path) {
    std::string reason;
    const auto source = FileSource::open(path, reason);
    if (!source) {
        throw std::runtime_error(reason);
    }
    FieldReader reader(*source, kLongestDateText);
    Field field;
    DateRange range;
    for (std::string* item : {&range.start, &range.end}) {
        if (!reader.next(field)) {
            throw std::runtime_error("fewer than two dates");
        }
        item->assign(field.text);
    }
    return range;
}

// A write that cannot be completed leaves the dates saved before intact and
// says why.
void writeDateRange(WindowOperations& window, const std::string& path) {
    const std::string start = window.text(Control::TXstardate);
    const std::string end = window.text(Control::TXendate);
    if (const auto failure =
            window.desktop().replaceWholeFile(path, QuotedWriter::record({start, end}))) {
        window.desktop().showMessage(
            {"Cannot save the dates to " + path + ": " + *failure, MessageIcon::Critical});
    }
}

}  // namespace

std::string dateRangeFilePath(const WindowOperations& window) {
    const std::string application = window.desktop().applicationFolder();
    const bool besideProgram =
        !isInstalledProgram(application) && window.desktop().isWritableFolder(application);
    return joinPath(besideProgram ? application : window.desktop().configurationFolder(),
                    kDateRangeFileName);
}

void Loda(WindowOperations& window) {
    const std::string path = dateRangeFilePath(window);
    // Missing, unreadable or fewer than two dates: the file is written afresh
    // from the boxes, which keep their texts.
    GuardedStep(
        [&] {
            const DateRange range = readDateRange(path);
            window.setText(Control::TXstardate, range.start);
            window.setText(Control::TXendate, range.end);
        },
        [&](const std::string&) { writeDateRange(window, path); });
}

void CDlo_Click(WindowOperations& window) {
    Loda(window);
}

void CDsa_Click(WindowOperations& window) {
    writeDateRange(window, dateRangeFilePath(window));
}

}  // namespace vandrel
