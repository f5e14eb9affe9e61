#pragma once

#include <QPalette>

namespace vandrel {

// The light colours of the desktop the window was designed on, for every
// colour the design leaves to the toolkit: the window, text boxes, buttons,
// text, selections. The window sets them on itself, so that a dark desktop
// theme cannot put light text on the design's light backgrounds.
QPalette designPalette();

}  // namespace vandrel
