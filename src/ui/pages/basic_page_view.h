#pragma once

// The basic settings page: the six button-function boxes with their lists
// and the DPI sub-menu, Mode A / Mode B, "Default", the report-rate stops,
// the DPI stages, the lighting mode and parameter, the loop colours and the
// DPI stages' LED toggles. Every control shows the record through the page
// model and edits it through the model; the window draws the page anew
// whenever the record changes.

#include <QListWidget>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>

#include "config/prompter.h"
#include "pages/basic_page_model.h"
#include "pages/dialog_runner.h"
#include "ui/pages/settings_pages.h"

class QWidget;

namespace kz7::ui {

class DropdownBox;

class BasicPageView : public PageView {
public:
    struct Parts {
        QWidget* host = nullptr;       // the window that holds the lists
        Prompter* prompter = nullptr;  // "Left key must be selected!"
        DialogRunner* dialogs = nullptr;
        // The sensor of the mouse as the first device read found it.
        std::function<std::uint8_t()> activeSensorType;
    };

    BasicPageView(BasicPageModel& model, PageLook look, Parts parts);
    ~BasicPageView() override;

    void Entered() override;
    void Draw(DrawingPass& pass) override;
    void TearDown() override;
    bool ListOpen() const override;

    // The open function list's DPI sub-menu, for tests; null while none is shown.
    QListWidget* DpiSubMenu() const { return subMenu_; }
    DropdownBox& FunctionBox(int slot) const { return *functionBoxes_[static_cast<std::size_t>(slot)]; }
    DropdownBox& LightingModeBox() const { return *lightingMode_; }
    DropdownBox& LightingParamBox() const { return *lightingParam_; }
    DropdownBox& DpiColourChooser() const { return *dpiColourChooser_; }

private:
    void AddControls();
    void AddButtonControls();
    void AddReportRateAndDpi();
    void AddLighting();
    void DrawTexts(DrawingPass& pass);
    int DpiLevels() const;
    void FunctionRowHovered(int slot, int row);
    void ShowDpiSubMenu(int slot, bool shown);

    BasicPageModel& model_;
    PageLook look_;
    Parts parts_;
    std::array<DropdownBox*, kBasicPageButtons> functionBoxes_{};
    DropdownBox* lightingMode_ = nullptr;
    DropdownBox* lightingParam_ = nullptr;
    DropdownBox* dpiColourChooser_ = nullptr;
    QPointer<QListWidget> subMenu_;
};

}  // namespace kz7::ui
