#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/field_reader.h"

// Any bytes: the reader must end, never read outside its buffer, and keep its
// promises about what it delivers.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t keep = size == 0 ? 1 : 1 + data[0] % 100;
    vandrel::MemorySource source(input);
    vandrel::FieldReader reader(source, keep);
    vandrel::Field field;
    std::size_t items = 0;
    while (reader.next(field)) {
        if (field.text.size() > keep || field.text.size() > field.length || field.length > size) {
            __builtin_trap();
        }
        if (++items > size + 1) {
            __builtin_trap();  // every item consumes at least one byte
        }
    }
    return 0;
}
