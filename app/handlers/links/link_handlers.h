#pragma once

#include <string>

#include "app/handlers/window_operations.h"

namespace vandrel {

inline constexpr const char* kServiceAddress = "https://ssd.jpl.nasa.gov/horizons.cgi#results";

// The service's web interface, in the browser.
void Command2_Click(WindowOperations& window);

// The program's own page about valid ephemeris files; both buttons open it.
void Command3_Click(WindowOperations& window, int index);

// The file:// address of that page, installed with the program.
std::string validFilesPageAddress(const WindowOperations& window);

}  // namespace vandrel
