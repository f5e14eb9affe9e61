#include "app/start_up.h"

#include "app/settings/date_range_file.h"

namespace vandrel {

void Form_Load(WindowOperations& window) {
    window.select(Control::OpSort0);
    Loda(window);
}

void Command1_Click(WindowOperations& window) {
    window.endProgram();
}

}  // namespace vandrel
