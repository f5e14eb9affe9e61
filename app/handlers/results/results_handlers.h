#pragma once

#include "app/handlers/window_operations.h"

namespace vandrel {

// "sort": scans the file selected in the lists with the window's settings,
// shows that the window is busy, announces the end with "fin ok" titled with
// the count of records, then writes the selected extreme into its boxes.
void CDsort_Click(WindowOperations& window);

// "passages + plot": scans the selected file with the window's start and
// end dates, as "sort" does, into the passages window.
void CDpassages_Click(WindowOperations& window);

// The message box that tells of a failed scan: "File not selected" for a
// file that cannot be opened.
Message scanFailureMessage(const ScanFailure& failure);

// "clear": empties the result boxes.
void Command5_Click(WindowOperations& window);

}  // namespace vandrel
