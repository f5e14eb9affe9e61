#pragma once

#include <ostream>

namespace vandrel {
// The rows of each test file live in its unnamed namespace; GoogleTest finds
// PrintTo beside them, so this one is declared there too.
namespace {

// Table rows print as their names in test listings, not as raw bytes.
template <typename Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

}  // namespace
}  // namespace vandrel
