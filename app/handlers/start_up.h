#pragma once

#include "app/handlers/window_operations.h"

namespace vandrel {

// Before the window is first shown: "Select least distance", then the dates.
void Form_Load(WindowOperations& window);

// "exit": ends the program at once, asking and saving nothing.
void Command1_Click(WindowOperations& window);

}  // namespace vandrel
