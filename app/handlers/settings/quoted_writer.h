#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vandrel {

// One record of the program's comma-separated files: each item in double
// quotes, a comma between items, CR LF at the end. A double quote inside an
// item is written as it is; such an item does not read back unchanged.
class QuotedWriter {
  public:
    static std::string record(std::initializer_list<std::string_view> items);
};

}  // namespace vandrel
