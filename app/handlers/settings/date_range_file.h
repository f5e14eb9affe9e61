#pragma once

#include <optional>
#include <string>

#include "app/handlers/window_operations.h"

namespace vandrel {

inline constexpr const char* kDateRangeFileName = "dates-start-end.txt";

// The date-range file lives beside the program when it runs from its build
// folder or a folder it was copied to, and that folder is writable. An
// installed program, or one whose folder is not writable, keeps it in the
// user's configuration folder for vandrel, so that no data file lies among
// the programs. Loading and saving use the same place.
std::string dateRangeFilePath(const WindowOperations& window);

// Puts the saved start and end dates into TXstardate and TXendate; when the
// file cannot be read, writes it afresh from what the two boxes show.
void Loda(WindowOperations& window);

// "load start + end dates".
void CDlo_Click(WindowOperations& window);

// "save start + end dates": writes the two boxes' texts to the file.
void CDsa_Click(WindowOperations& window);

}  // namespace vandrel
