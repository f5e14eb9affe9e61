#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/handlers/window_operations.h"

namespace vandrel {

enum class ControlKind { Label, PushButton, OptionButton, CheckBox, TextBox, FolderList, FileList };

// One control of the window as designed. Places and sizes are in twips
// (1440 to the inch, 15 to a pixel at 96 dots per inch).
struct ControlSpec {
    const char* name;               // the object name, with the index of array members: "tXco(0)"
    std::optional<Control> handle;  // for the controls that handlers reach
    ControlKind kind;
    std::string caption;  // caption, or the initial text of a text box
    int tab;
    int left;
    int top;
    int width;
    int height;
    std::optional<Colour> background;
    std::optional<Colour> textColour;
    double fontPoints = 0;  // 0: the window's ordinary font
    bool bold = false;
    bool centred = false;
    bool hidden = false;
};

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 15270;
inline constexpr int kClientHeightTwips = 11145;

// The 44 controls in tab order.
const std::vector<ControlSpec>& formLayout();

// "passages + plot", the one control beside the design's: in its empty
// right column, level with the status box, last in tab order.
const ControlSpec& passagesButtonLayout();

}  // namespace vandrel
