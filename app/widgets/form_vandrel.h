#pragma once

#include <QWidget>
#include <map>
#include <memory>

#include "app/handlers/form_layout.h"
#include "app/handlers/window_operations.h"

namespace vandrel {

class FileList;
class FolderList;
class PassagesWindow;

// The main window: its 44 controls as designed and "passages + plot", each
// event wired to its handler, and the window operations the handlers use.
// Its desktop services are Qt's own unless it is given others, as tests and
// tools give it services that answer message boxes themselves.
class FormVandrel final : public QWidget, public WindowOperations {
    Q_OBJECT
  public:
    explicit FormVandrel(DesktopServices* desktop = nullptr, QWidget* parent = nullptr);

    DesktopServices& desktop() const override { return *desktop_; }

    std::string text(Control control) const override;
    void setText(Control control, const std::string& text) override;
    void setToolTip(Control control, const std::string& text) override;
    void setVisible(Control control, bool visible) override;
    Colour textColour(Control control) const override;
    void setEnabled(Control control, bool enabled) override;
    void setBackground(Control control, Colour colour) override;
    void repaintNow(Control control) override;
    int checkValue(Control control) const override;
    bool isSelected(Control control) const override;
    void select(Control control) override;
    std::string folderListPath() const override;
    bool setFileListFolder(const std::string& folder) override;
    std::string fileListSelection() const override;
    void setFolderListPath(const std::string& folder) override;
    bool chooseInFileList(const std::string& name) override;
    void showPassages(const ScanSettings& settings) override;

    // The keyboard focus on the first control in tab order that takes it: "sort".
    void focusFirstControl();

    using QWidget::setEnabled;
    using QWidget::setVisible;

  protected:
    // A file or folder dropped on the window opens as from the command line.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    struct Look {
        std::optional<Colour> background;
        std::optional<Colour> textColour;
    };

    QWidget* createControl(const ControlSpec& design, const QFont& font);
    void applyLook(QWidget* widget, const Look& look);
    QWidget* widget(Control control) const;
    template <typename Widget>
    Widget* widgetAs(Control control) const;
    void wireEvents();

    std::map<Control, QWidget*> handled_;
    std::map<QWidget*, Look> looks_;
    FolderList* folderList_ = nullptr;
    std::unique_ptr<DesktopServices> ownDesktop_;  // when none was given
    DesktopServices* desktop_;
    FileList* fileList_ = nullptr;
    PassagesWindow* passages_ = nullptr;  // made at its first use
};

}  // namespace vandrel
