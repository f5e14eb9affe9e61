// vandrel-generate: writes a Horizons-style table; see table_generator.h.
#include "tools/generator/table_generator.h"

int main(int argc, char** argv) {
    return vandrel::generator::runGenerator(argc, argv);
}
