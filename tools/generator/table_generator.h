#pragma once

#include <string>
#include <vector>

namespace vandrel::generator {

// Horizons-style tables of a body on a Kepler orbit around the Sun (vector
// tables in every output format, plain or CSV, labels on or off, observer
// tables, a barycentric table and its Sun's): the example file, the tests'
// inputs and the benchmark's large files. One library for vandrel-generate
// and the tests.

// The table that vandrel-generate writes for `options` (its options without
// OUTPUT). Throws std::invalid_argument, with the usage, for options it
// does not know.
std::string generateTable(const std::vector<std::string>& options);

// vandrel-generate itself: its options and OUTPUT ("-" for standard output),
// written as it goes, so that a table of gigabytes takes no memory.
int runGenerator(int argc, char** argv);

}  // namespace vandrel::generator
