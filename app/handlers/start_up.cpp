#include "app/handlers/start_up.h"

#include "app/handlers/settings/date_range_file.h"

namespace vandrel {

void Form_Load(WindowOperations& window) {
    window.select(Control::OpSort0);
    Loda(window);
}

void Command1_Click(WindowOperations& window) {
    window.desktop().endProgram();
}

}  // namespace vandrel
