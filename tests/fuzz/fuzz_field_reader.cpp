#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/piece_source.h"
#include "text/field_reader.h"

namespace {

// The items, with their lengths; traps where the reader breaks a promise.
std::vector<std::string> readItems(vandrel::ByteSource& source, std::size_t keep,
                                   std::size_t size) {
    vandrel::FieldReader reader(source, keep);
    vandrel::Field field;
    std::vector<std::string> items;
    while (reader.next(field)) {
        if (field.text.size() > keep || field.text.size() > field.length || field.length > size) {
            __builtin_trap();
        }
        if (items.size() > size) {
            __builtin_trap();  // every item consumes at least one byte
        }
        items.emplace_back(std::string(field.text) + "/" + std::to_string(field.length) +
                           (field.startsLine ? "^" : ""));
    }
    return items;
}

}  // namespace

// Any bytes: the reader must end, never read outside its buffer, keep its
// promises about what it delivers, and deliver the same items however the
// input arrives.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t keep = size == 0 ? 1 : 1 + data[0] % 100;
    vandrel::MemorySource whole(input);
    // Pieces of up to 64 bytes make the reader refill in the middle of items.
    vandrel::testing::PieceSource pieces(input, keep, 64);
    // The same pieces lent, each freed once handed back, as a source that
    // reads ahead lends its blocks.
    vandrel::testing::LendingPieceSource lent(input, keep, 64);
    const std::vector<std::string> items = readItems(whole, keep, size);
    if (items != readItems(pieces, keep, size) || items != readItems(lent, keep, size)) {
        __builtin_trap();
    }
    return 0;
}
