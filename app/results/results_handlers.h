#pragma once

#include "app/window_operations.h"

namespace vandrel {

// "sort": scans the file selected in the lists with the window's settings,
// shows that the window is busy, announces the end with "fin ok" titled with
// the count of records, then writes the selected extreme into its boxes.
void CDsort_Click(WindowOperations& window);

// "clear": empties the result boxes.
void Command5_Click(WindowOperations& window);

}  // namespace vandrel
