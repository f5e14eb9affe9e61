#include "app/widgets/design_palette.h"

namespace vandrel {

QPalette designPalette() {
    const QColor face(0xF0, 0xF0, 0xF0);
    QPalette palette(/*windowText*/ Qt::black, /*button*/ face, /*light*/ Qt::white,
                     /*dark*/ QColor(0xA0, 0xA0, 0xA0), /*mid*/ QColor(0xB4, 0xB4, 0xB4),
                     /*text*/ Qt::black, /*brightText*/ Qt::white, /*base*/ Qt::white,
                     /*window*/ face);
    palette.setColor(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
    palette.setColor(QPalette::Shadow, QColor(0x69, 0x69, 0x69));
    palette.setColor(QPalette::AlternateBase, face);
    palette.setColor(QPalette::Highlight, QColor(0x00, 0x63, 0xB1));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    palette.setColor(QPalette::PlaceholderText, QColor(0x6D, 0x6D, 0x6D));
    palette.setColor(QPalette::Link, QColor(0x00, 0x66, 0xCC));
    palette.setColor(QPalette::LinkVisited, QColor(0x80, 0x00, 0x80));
    const QColor grey(0x6D, 0x6D, 0x6D);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, grey);
    }
    return palette;
}

}  // namespace vandrel
