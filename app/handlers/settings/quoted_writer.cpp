#include "app/handlers/settings/quoted_writer.h"

namespace vandrel {

std::string QuotedWriter::record(std::initializer_list<std::string_view> items) {
    std::string line;
    bool first = true;
    for (const std::string_view item : items) {
        if (!first) {
            line += ',';
        }
        first = false;
        line += '"';
        line += item;
        line += '"';
    }
    line += "\r\n";
    return line;
}

}  // namespace vandrel
