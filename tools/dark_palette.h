#pragma once

#include <QPalette>

namespace vandrel::tools {

// A dark desktop theme's palette, as a user's desktop may set it for every
// program: light text on dark backgrounds.
inline QPalette darkDesktopPalette() {
    const QColor window(0x35, 0x35, 0x35);
    QPalette palette(/*windowText*/ Qt::white, /*button*/ window,
                     /*light*/ QColor(0x50, 0x50, 0x50),
                     /*dark*/ QColor(0x20, 0x20, 0x20), /*mid*/ QColor(0x2A, 0x2A, 0x2A),
                     /*text*/ Qt::white, /*brightText*/ Qt::red, /*base*/ QColor(0x23, 0x23, 0x23),
                     /*window*/ window);
    palette.setColor(QPalette::ButtonText, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    palette.setColor(QPalette::HighlightedText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, QColor(0xA0, 0xA0, 0xA0));
    palette.setColor(QPalette::ToolTipBase, window);
    palette.setColor(QPalette::ToolTipText, Qt::white);
    return palette;
}

}  // namespace vandrel::tools
