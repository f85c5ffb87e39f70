#include "ui/pages/basic_page_view.h"

#include <QListWidget>

#include <vector>

#include "config/record_labels.h"
#include "device/dpi_tables.h"
#include "keys/button_function_menu.h"
#include "skins/skin_images.h"
#include "ui/layout/basic_page_zones.h"
#include "ui/ui_text.h"
#include "ui/widgets/cell_slider.h"
#include "ui/widgets/dropdown_box.h"
#include "ui/widgets/image_toggle.h"
#include "ui/widgets/text_button.h"

namespace kz7::ui {

namespace {

// "Default" and the six boxes highlight one at a time.
constexpr int kButtonsHoverGroup = 1;

// The DPI sub-menu beside the function list's "DPI Switch" row.
constexpr int kDpiSubMenuSize = 60;

QStringList ToRows(const std::vector<std::string_view>& texts) {
    QStringList rows;
    for (std::string_view text : texts) rows << FromUtf8(text);
    return rows;
}

// A button's box: its number in front of its label.
class FunctionBoxControl : public DropdownBox {
public:
    FunctionBoxControl(QWidget* host, int slot, Look look, Behaviour behaviour)
        : DropdownBox(host, basic::FunctionBox(slot), basic::FunctionList(slot), look, std::move(behaviour)),
          slot_(slot) {}

    void Draw(DrawingPass& pass, bool over) override {
        DropdownBox::Draw(pass, over);
        pass.DrawLabel(QString::number(slot_ + 1), basic::FunctionBoxDigit(slot_), TextFormat::Left);
    }

private:
    int slot_;
};

std::vector<HotZone> DpiColumn(int stage) {
    std::vector<HotZone> cells;
    for (int cell = 1; cell <= basic::kDpiCellsMax; ++cell) cells.push_back(basic::DpiCell(stage, cell));
    return cells;
}

}  // namespace

BasicPageView::BasicPageView(BasicPageModel& model, PageLook look, Parts parts)
    : model_(model), look_(std::move(look)), parts_(std::move(parts)) {
    AddControls();
}

BasicPageView::~BasicPageView() { delete subMenu_.data(); }

int BasicPageView::DpiLevels() const {
    return DpiLevelsOffered(parts_.activeSensorType ? parts_.activeSensorType() : 0);
}

void BasicPageView::AddControls() {
    AddButtonControls();
    AddReportRateAndDpi();
    AddLighting();
}

void BasicPageView::AddButtonControls() {
    const DeviceConfig& config = model_.Record();
    const TextButton::Look modeLook{skin_image::kTextButtonImages, false};
    for (int mode = 0; mode < kButtonModes; ++mode) {
        controls_
            .Add<TextButton>(mode == 0 ? basic::kModeA : basic::kModeB, modeLook,
                             [mode] { return FromUtf8(ModeName(mode)); }, [this, mode] { model_.SelectMode(mode); })
            .SetSelected([&config, mode] { return (config.currentMode == 1 ? 1 : 0) == mode; });
    }
    controls_
        .Add<TextButton>(basic::kDefault, TextButton::Look{},
                         [this] { return Tr(UiText::RestoreDefaultButtons, look_.language); },
                         [this] { model_.Buttons().RestoreDefaultButtons(); })
        .SetHoverGroup(kButtonsHoverGroup);

    ButtonFunctionMenu& menu = model_.Buttons();
    for (int slot = 0; slot < kBasicPageButtons; ++slot) {
        DropdownBox::Look look;
        look.images = skin_image::kFunctionBoxImages;
        look.textZone = basic::FunctionBoxLabel(slot);
        look.textFormat = TextFormat::Left;
        DropdownBox::Behaviour behaviour;
        behaviour.text = [&menu, slot] { return FromUtf8(menu.Label(slot)); };
        behaviour.rows = [this] { return ToRows(FunctionRows(look_.language)); };
        behaviour.mayOpen = [this, &menu, slot] {
            // One function list at a time, even where a click reaches a box under an open list.
            for (DropdownBox* other : functionBoxes_) {
                if (other != functionBoxes_[static_cast<std::size_t>(slot)]) other->Close();
            }
            return menu.OpenFunctionList(slot, *parts_.prompter);
        };
        behaviour.mayChoose = [](int row) { return row != kDpiSwitchRow; };
        behaviour.choose = [this, &menu, slot](int row) { menu.ChooseFunction(slot, row, *parts_.dialogs); };
        behaviour.hover = [this, slot](int row) { FunctionRowHovered(slot, row); };
        behaviour.openChanged = [this, &menu, slot](bool open) {
            if (open) return;
            ShowDpiSubMenu(slot, false);
            if (menu.OpenSlot() == slot) menu.CloseFunctionList();
        };
        auto& box = controls_.Add<FunctionBoxControl>(parts_.host, slot, look, std::move(behaviour));
        box.SetHoverGroup(kButtonsHoverGroup);
        box.SetListFont(look_.smallFont);
        functionBoxes_[static_cast<std::size_t>(slot)] = &box;
    }
}

void BasicPageView::FunctionRowHovered(int slot, int row) {
    model_.Buttons().TrackFunctionList(slot, row);
    ShowDpiSubMenu(slot, model_.Buttons().SubMenuShown());
}

void BasicPageView::ShowDpiSubMenu(int slot, bool shown) {
    if (!shown) {
        if (QListWidget* menu = subMenu_) {
            subMenu_ = nullptr;
            menu->hide();
            menu->deleteLater();  // it may be the sender of the click being handled
        }
        return;
    }
    if (subMenu_) return;
    QListWidget* list = FunctionBox(slot).List();
    if (!list || list->count() <= kDpiSwitchRow) return;
    // Beside the row, level with its top (which moves when the list is scrolled).
    const HotZone listZone = FunctionBox(slot).ListZone();
    const int rowTop = listZone.top + list->visualItemRect(list->item(kDpiSwitchRow)).top();
    const HotZone zone{listZone.right, rowTop, listZone.right + kDpiSubMenuSize, rowTop + kDpiSubMenuSize};
    QListWidget* menu = MakeSkinnedList(parts_.host, zone, ToRows(DpiModeRows()), look_.smallFont, Qt::white, Qt::black);
    menu->raise();
    QObject::connect(menu, &QListWidget::itemClicked, menu, [this, menu, slot](QListWidgetItem* item) {
        model_.Buttons().ChooseDpiMode(menu->row(item));
        FunctionBox(slot).Close();
    });
    subMenu_ = menu;
}

void BasicPageView::AddReportRateAndDpi() {
    const DeviceConfig& config = model_.Record();
    controls_.Add<CellSlider>(
        std::vector<HotZone>(basic::kReportRateStops.begin(), basic::kReportRateStops.end()),
        skin_image::kReportRateStopImages, CellSlider::Fill::OnlyValue,
        CellSlider::Behaviour{[&config] { return ReportRateIndex(config.reportRate) + 1; }, nullptr, nullptr,
                              [this](int cell) { model_.SetReportRate(cell - 1); }});

    for (int stage = 0; stage < basic::kDpiStageCount; ++stage) {
        controls_.Add<CheckBox>(
            basic::DpiStageCheckBox(stage), [&config, stage] { return config.dpiStageOn[stage] == 1; },
            [this, stage] { model_.ToggleDpiStage(stage); });
        controls_.Add<CellSlider>(
            DpiColumn(stage), skin_image::kDpiCellImages, CellSlider::Fill::UpToValue,
            CellSlider::Behaviour{
                [&config, stage] { return config.dpiLevel[stage] + 1; }, [this] { return DpiLevels(); },
                [&config, stage] { return config.dpiStageOn[stage] == 1; },
                [this, stage](int cell) {
                    model_.SetDpiLevel(stage, cell, parts_.activeSensorType ? parts_.activeSensorType() : 0);
                }});
    }
}

void BasicPageView::AddLighting() {
    const DeviceConfig& config = model_.Record();
    const UiLanguage language = look_.language;

    DropdownBox::Look modeLook;
    modeLook.images = {skin_image::kSmallDropdownLowerCase, {}};
    modeLook.textZone = basic::kLightingModeText;
    modeLook.textFormat = TextFormat::Centered;
    modeLook.textBackground = Qt::black;
    DropdownBox::Behaviour mode;
    mode.text = [&config, language] { return FromUtf8(LedModeText(config.ledMode, language)); };
    mode.rows = [language] { return ToRows(LedModeRows(language)); };
    mode.choose = [this](int row) { model_.ChooseLedMode(row); };
    lightingMode_ = &controls_.Add<DropdownBox>(parts_.host, basic::kLightingModeBox, basic::kLightingModeList,
                                                modeLook, std::move(mode));

    DropdownBox::Look paramLook = modeLook;
    paramLook.textZone = basic::kLightingParamText;
    paramLook.textFormat = TextFormat::Left;
    DropdownBox::Behaviour param;
    // Only the three modes have a parameter to show; one past its list shows as empty.
    param.textShown = [&config] { return config.ledMode >= 1 && config.ledMode <= 3; };
    param.text = [&config] {
        const std::uint8_t m = config.ledMode;
        return FromUtf8(LedParamLabel(m, config.ledModeParam[m - 1]));
    };
    param.rows = [&config] {
        QStringList rows;
        for (const std::string& label : LedParamRows(config.ledMode)) rows << FromUtf8(label);
        return rows;
    };
    param.listZone = [&config] { return basic::LightingParamList(config.ledMode); };
    param.choose = [this](int row) { model_.ChooseLedParam(row); };
    lightingParam_ = &controls_.Add<DropdownBox>(parts_.host, basic::kLightingParamBox,
                                                 basic::LightingParamList(config.ledMode), paramLook, std::move(param));

    for (int colour = 0; colour < basic::kLoopColorCount; ++colour) {
        controls_.Add<ColourSwatch>(
            basic::LoopColorSwatch(colour),
            [&config, colour] {
                const std::uint8_t* rgb = config.loopColor[colour];
                return QColor(rgb[0], rgb[1], rgb[2]);
            },
            [this, colour] { model_.ChooseLoopColour(colour, *parts_.dialogs); });
        controls_.Add<CheckBox>(
            basic::LoopColorCheckBox(colour), [&config, colour] { return config.loopColorOn[colour] == 1; },
            [this, colour] { model_.ToggleLoopColour(colour); });
    }

    DropdownBox::Look chooserLook;
    chooserLook.images = {skin_image::kSmallDropdown, {}};
    chooserLook.textZone = basic::kDpiColorChooser;
    chooserLook.textFormat = TextFormat::TopLeft;
    DropdownBox::Behaviour chooser;
    chooser.text = [this] { return FromUtf8(DpiColourStageName(model_.dpiColourStage)); };
    chooser.rows = [] {
        QStringList rows;
        for (int stage = 0; stage < kDpiStages; ++stage) rows << FromUtf8(DpiColourStageName(stage));
        return rows;
    };
    chooser.choose = [this](int row) {
        model_.ChooseDpiColourStage(row);
        RequestRedraw();
    };
    dpiColourChooser_ = &controls_.Add<DropdownBox>(parts_.host, basic::kDpiColorChooser,
                                                    basic::kDpiColorChooserList, chooserLook, std::move(chooser));
    for (int toggle = 0; toggle < kLedTogglesPerStage; ++toggle) {
        controls_.Add<ImageToggle>(
            basic::DpiColorToggle(toggle), skin_image::kDpiCellImages,
            [this, &config, toggle] { return LedToggle(config, model_.dpiColourStage, toggle); },
            [this, toggle] { model_.ToggleDpiColourLed(toggle); });
    }
    for (DropdownBox* box : {lightingMode_, lightingParam_, dpiColourChooser_}) box->SetListFont(look_.smallFont);
}

void BasicPageView::Entered() { model_.Shown(); }

void BasicPageView::TearDown() {
    PageView::TearDown();
    ShowDpiSubMenu(0, false);
}

bool BasicPageView::ListOpen() const {
    for (Control* control : controls_.Controls()) {
        if (const auto* box = dynamic_cast<const DropdownBox*>(control); box && box->IsOpen()) return true;
    }
    return false;
}

void BasicPageView::Draw(DrawingPass& pass) {
    DrawPageBase(pass, skin_image::kBasicPage, UiText::BasicSettingsTab, look_);
    controls_.DrawAll(pass);
    DrawTexts(pass);
}

void BasicPageView::DrawTexts(DrawingPass& pass) {
    const UiLanguage language = look_.language;
    auto label = [&](UiText id, const HotZone& zone, TextFormat format) {
        pass.DrawLabel(Tr(id, language), zone, format);
    };
    label(UiText::KeySettingHeading, basic::kKeySettingLabel, TextFormat::Centered);
    label(UiText::ReportRateSettingHeading, basic::kReportRateLabel, TextFormat::Centered);
    label(UiText::DpiSettingHeading, basic::kDpiSettingLabel, TextFormat::Centered);
    label(UiText::RgbEffectLabel, basic::kRgbEffectLabel, TextFormat::Centered);
    for (int stop = 0; stop < basic::kReportRateStopCount; ++stop) {
        pass.DrawLabel(QString::number(kReportRates[static_cast<std::size_t>(stop)].hz), basic::ReportRateCaption(stop),
                       TextFormat::CenteredTop);
    }
    pass.DrawLabel(QStringLiteral("Select"), basic::kDpiSelectCaption, TextFormat::Right);
    for (int stage = 0; stage < basic::kDpiStageCount; ++stage) {
        pass.DrawLabel(QString::number(stage + 1), basic::DpiStageCaption(stage), TextFormat::CenteredTop);
    }
    label(UiText::LedModeLabel, basic::kLightingModeCaption, TextFormat::Right);
    label(UiText::LedParameterLabel, basic::kLightingParamCaption, TextFormat::Right);
    label(UiText::LoopColorSettingLabel, basic::kLoopColorHeading, TextFormat::Left);
    label(UiText::DpiSelfColorLedLabel, basic::kDpiColorHeading, TextFormat::TopLeft);

    const int levels = DpiLevels();
    const std::uint8_t sensor = parts_.activeSensorType ? parts_.activeSensorType() : 0;
    for (int level = 1; level <= levels; ++level) {
        pass.DrawLabel(FromUtf8(DpiLabelFor(sensor, static_cast<std::uint8_t>(level - 1))),
                       basic::DpiLabel(level, levels), TextFormat::Right);
    }
}

}  // namespace kz7::ui
