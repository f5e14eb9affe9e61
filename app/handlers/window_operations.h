#pragma once

#include <cstdint>
#include <string>

#include "app/handlers/desktop_services.h"
#include "scan/scan_records.h"

namespace vandrel {

// The controls that handlers reach, each named by its row of the layout
// table. Labels, TXstuff and the lists' inner parts are set up once by the
// window and never touched by a handler.
enum class Control {
    CDsort,
    OpSort0,
    OpSort1,
    ChStart,
    TXstardate,
    CHenday,
    TXendate,
    CDlo,
    CDsa,
    TXperi,
    TXminAU,
    TXminKM,
    TXdateMin,
    tXco0,
    TXaphe,
    TXmaxAU,
    TXmaxKM,
    TXdateMax,
    tXco1,
    Command5,
    TXwait,
    TXda,
    TXfi,
    Command4,
    Command2,
    Command30,
    Command31,
    Command1,
    CDpassages,  // "passages + plot", beside the design's controls
};

// #RRGGBB as 0xRRGGBB.
using Colour = std::uint32_t;

// All that the handlers need of the window and its controls, and the way to
// the desktop, free of any toolkit type. FormVandrel implements it with Qt;
// tests implement it without a screen, with a desktop that answers message
// boxes itself.
class WindowOperations {
  public:
    virtual ~WindowOperations() = default;

    // Message boxes, program starts, folders and saves.
    virtual DesktopServices& desktop() const = 0;

    virtual std::string text(Control control) const = 0;
    virtual void setText(Control control, const std::string& text) = 0;
    // The text shown while the pointer rests on the control; empty for none.
    virtual void setToolTip(Control control, const std::string& text) = 0;
    virtual void setVisible(Control control, bool visible) = 0;
    virtual Colour textColour(Control control) const = 0;
    virtual void setEnabled(Control control, bool enabled) = 0;
    virtual void setBackground(Control control, Colour colour) = 0;
    // Paints the control at once, while the handler goes on running.
    virtual void repaintNow(Control control) = 0;
    // 0 or 1.
    virtual int checkValue(Control control) const = 0;
    virtual bool isSelected(Control control) const = 0;
    virtual void select(Control control) = 0;

    // Dir1's current folder; File1's folder and selected name (empty when none).
    virtual std::string folderListPath() const = 0;
    // False when the folder cannot be read.
    virtual bool setFileListFolder(const std::string& folder) = 0;
    virtual std::string fileListSelection() const = 0;
    // Opens the folder in Dir1, as a double-click on it would; the file list
    // is left to follow.
    virtual void setFolderListPath(const std::string& folder) = 0;
    // Chooses the name in File1, as a click on it would, once the list
    // holds it (the list reads its folder in the background); false when
    // the list will not hold it, as for a name that does not end in ".txt".
    virtual bool chooseInFileList(const std::string& name) = 0;

    // Opens the passages window, or brings it to the front, and fills it
    // from a scan of the settings' file that runs beside the window.
    virtual void showPassages(const ScanSettings& settings) = 0;
};

}  // namespace vandrel
