// Composes a skin's pieces the way the windows place them, with sample texts,
// and saves the pictures: a quick look at a skin without the mouse or the
// program. Not part of kz7 itself.
//
//   kz7-skin-preview SKIN_FOLDER OUTPUT_DIR [R G B]

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

#include "ui/layout/advanced_page_zones.h"
#include "ui/layout/basic_page_zones.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/frame_zones.h"
#include "ui/layout/window_sizes.h"
#include "skins/skin_images.h"
#include "ui/skin_toolkit.h"

namespace {

using kz7::HotZone;
using kz7::ui::DrawingPass;
using kz7::ui::TextFormat;
namespace img = kz7::skin_image;

QFont LargeFont() { return kz7::ui::PixelFont(QStringLiteral("Tahoma"), 18, true); }

void Frame(DrawingPass& pass, const QString& title) {
    pass.DrawImage(img::kSkinsNormal, kz7::frame::kSkins);
    pass.DrawImage(img::kMinimiseNormal, kz7::frame::kMinimise);
    pass.DrawImage(img::kCloseNormal, kz7::frame::kClose);
    pass.DrawImage(img::kBasicTabNormal, kz7::frame::kBasicTab);
    pass.DrawImage(img::kAdvancedTabNormal, kz7::frame::kAdvancedTab);
    const std::pair<HotZone, const char*> buttons[] = {
        {kz7::frame::kOk, "OK"}, {kz7::frame::kApply, "Apply"}, {kz7::frame::kCancel, "Cancel"}};
    for (const auto& [zone, label] : buttons) {
        pass.DrawImage(img::kButtonNormal, zone);
        pass.DrawLabel(QString::fromLatin1(label), zone, TextFormat::Centered);
    }
    pass.DrawLabel(QStringLiteral("https://example.com/kz7"), kz7::frame::kWebLink, TextFormat::Centered);
    pass.DrawText(title, kz7::frame::kPageTitle, TextFormat::Left, LargeFont(), Qt::white);
}

void BasicPage(kz7::ui::SkinSurface& surface) {
    namespace b = kz7::basic;
    DrawingPass pass(surface);
    pass.DrawImage(img::kBasicPage, 0, 0);
    Frame(pass, QStringLiteral("Basic Settings"));
    pass.DrawLabel(QStringLiteral("Key Setting"), b::kKeySettingLabel, TextFormat::Centered);
    pass.DrawLabel(QStringLiteral("Report Rate Setting"), b::kReportRateLabel, TextFormat::Centered);
    pass.DrawLabel(QStringLiteral("DPI Setting"), b::kDpiSettingLabel, TextFormat::Centered);
    pass.DrawLabel(QStringLiteral("RGB Effect"), b::kRgbEffectLabel, TextFormat::Centered);
    const char* labels[] = {"Left Click", "Right Click", "Mid Click", "Forward", "Backward", "DPI Loop"};
    for (int i = 0; i < b::kFunctionBoxCount; ++i) {
        pass.DrawImage(i == 2 ? img::kFunctionBoxOver : img::kFunctionBoxNormal, b::FunctionBox(i));
        pass.DrawLabel(QString::number(i + 1), b::FunctionBoxDigit(i), TextFormat::Centered);
        pass.DrawLabel(QString::fromLatin1(labels[i]), b::FunctionBoxLabel(i), TextFormat::Left);
    }
    pass.DrawImage(img::kButtonOver, b::kModeA);
    pass.DrawLabel(QStringLiteral("Mode A"), b::kModeA, TextFormat::Centered);
    pass.DrawImage(img::kButtonNormal, b::kModeB);
    pass.DrawLabel(QStringLiteral("Mode B"), b::kModeB, TextFormat::Centered);
    pass.DrawImage(img::kButtonNormal, b::kDefault);
    pass.DrawLabel(QStringLiteral("Default"), b::kDefault, TextFormat::Centered);
    const char* rates[] = {"125", "250", "500", "1000"};
    for (int s = 0; s < 4; ++s) {
        pass.DrawImage(s == 3 ? img::kReportRateLight : img::kReportRateDark,
                       b::kReportRateStops[static_cast<std::size_t>(s)]);
        pass.DrawLabel(QString::fromLatin1(rates[s]), b::ReportRateCaption(s), TextFormat::CenteredTop);
    }
    const int levels[] = {3, 5, 8, 11};
    const char* dpi[] = {"400", "600", "800", "1000", "1200", "1600", "2000", "2400", "3200", "4000", "5000", "6400"};
    for (int k = 0; k < b::kDpiStageCount; ++k) {
        const bool on = k != 3;
        pass.DrawImage(on ? img::kCheckBoxTicked : img::kCheckBox, b::DpiStageCheckBox(k));
        pass.DrawLabel(QString::number(k + 1), b::DpiStageCaption(k), TextFormat::CenteredTop);
        for (int j = 1; j <= b::kDpiCellsMax; ++j) {
            pass.DrawImage(on && j <= levels[k] ? img::kDpiLight : img::kDpiDark, b::DpiCell(k, j));
        }
    }
    for (int j = 1; j <= b::kDpiCellsMax; ++j) {
        pass.DrawLabel(QString::fromLatin1(dpi[j - 1]), b::DpiLabel(j, 12), TextFormat::Right);
    }
    pass.DrawLabel(QStringLiteral("Select"), b::kDpiSelectCaption, TextFormat::Right);
    pass.DrawImage(img::kSmallDropdownLowerCase, b::kLightingModeBox);
    pass.DrawLabel(QStringLiteral("Mode"), b::kLightingModeCaption, TextFormat::Right);
    pass.DrawLabel(QStringLiteral("Neon Mode"), b::kLightingModeText, TextFormat::Centered);
    pass.DrawImage(img::kSmallDropdownLowerCase, b::kLightingParamBox);
    pass.DrawLabel(QStringLiteral("Parameter"), b::kLightingParamCaption, TextFormat::Right);
    pass.DrawLabel(QStringLiteral("2S"), b::kLightingParamText, TextFormat::Left);
    pass.DrawLabel(QStringLiteral("Loop Color Setting"), b::kLoopColorHeading, TextFormat::Left);
    const QColor swatches[] = {Qt::red, QColor(255, 128, 0), Qt::yellow, Qt::green,
                               Qt::cyan, Qt::blue, QColor(160, 0, 255), Qt::white};
    for (int k = 0; k < b::kLoopColorCount; ++k) {
        pass.FillRect(b::LoopColorSwatch(k), swatches[k]);
        pass.DrawImage(k % 3 == 2 ? img::kCheckBox : img::kCheckBoxTicked, b::LoopColorCheckBox(k));
    }
    pass.DrawLabel(QStringLiteral("DPI Self-Color LED Setting "), b::kDpiColorHeading, TextFormat::TopLeft);
    pass.DrawImage(img::kSmallDropdown, b::kDpiColorChooser);
    pass.DrawLabel(QStringLiteral("DPI Stage1"), b::kDpiColorChooser, TextFormat::TopLeft);
    for (int t = 0; t < 3; ++t) {
        pass.DrawImage(t == 1 ? img::kDpiDark : img::kDpiLight, b::kDpiColorToggles[static_cast<std::size_t>(t)]);
    }
    pass.DrawImage(img::kBasicTabOver, kz7::frame::kBasicTab);
}

void AdvancedPage(kz7::ui::SkinSurface& surface) {
    namespace a = kz7::advanced;
    DrawingPass pass(surface);
    pass.DrawImage(img::kAdvancedPage, 0, 0);
    Frame(pass, QStringLiteral("Advanced Settings"));
    const char* sliders[] = {"Mouse Speed", "Scrolling Speed", "Double-Click Speed"};
    const int values[] = {6, 3, 8};
    for (int s = 0; s < a::kPointerSliderCount; ++s) {
        pass.DrawLabel(QString::fromLatin1(sliders[s]), a::kSliderLabels[static_cast<std::size_t>(s)],
                       TextFormat::Centered);
        for (int c = 1; c <= a::kPointerCellCount; ++c) {
            pass.DrawImage(c <= values[s] ? img::kPointerLight : img::kPointerDark, a::PointerCell(s, c));
            pass.DrawLabel(QString::number(c), a::PointerCellCaption(s, c), TextFormat::CenteredTop);
        }
    }
    pass.DrawImage(img::kCheckBoxTicked, a::kPrecisionCheckBox);
    pass.DrawLabel(QStringLiteral("Enhance Pointer Precision"), a::kPrecisionCaption, TextFormat::Left);
    pass.DrawImage(img::kCheckBox, a::kOneScreenCheckBox);
    pass.DrawLabel(QStringLiteral("Scroll One Screen"), a::kOneScreenCaption, TextFormat::Left);
    const std::pair<HotZone, const char*> buttons[] = {{a::kDefault, "Default"},
                                                       {a::kMacroNew, "New"},
                                                       {a::kMacroDelete, "Delete"},
                                                       {a::kMacroConfirm, "Confirm"}};
    for (const auto& [zone, label] : buttons) {
        pass.DrawImage(zone == a::kMacroDelete ? img::kButtonOver : img::kButtonNormal, zone);
        pass.DrawLabel(QString::fromLatin1(label), zone, TextFormat::Centered);
    }
    pass.DrawLabel(QStringLiteral("Macro Setting"), a::kMacroHeading, TextFormat::Centered);
    pass.DrawLabel(QStringLiteral("Select Macro"), a::kSelectMacroLabel, TextFormat::Centered);
    pass.DrawLabel(QStringLiteral("Key Press Sequence"), a::kKeySequenceLabel, TextFormat::Centered);
    pass.DrawLabel(QStringLiteral("Record Option"), a::kRecordOptionLabel, TextFormat::Centered);
    pass.DrawLabel(QStringLiteral("Start Recording"), a::kStartRecordingCaption, TextFormat::Centered);
    pass.DrawLabel(QStringLiteral("Stop Recording"), a::kStopRecordingCaption, TextFormat::Centered);
    pass.DrawLabel(QStringLiteral("Macro Name"), a::kMacroNameCaption, TextFormat::Left);
    pass.DrawLabel(QStringLiteral("Loop Times"), a::kLoopTimesCaption, TextFormat::Left);
    pass.DrawLabel(QStringLiteral("Insert A Mouse Event"), a::kMouseEventCaption, TextFormat::Left);
    pass.DrawLabel(QStringLiteral("L-Button Click"), a::kMouseEventText, TextFormat::Centered);
    const char* macros[] = {"Reload", "Combo 1", "Build"};
    for (int i = 0; i < 3; ++i) {
        pass.DrawText(QString::fromLatin1(macros[i]),
                      {a::kMacroList.left + 4, a::kMacroList.top + 4 + 16 * i, a::kMacroList.right, a::kMacroList.top + 20 + 16 * i},
                      TextFormat::Left, surface.SmallFont(), surface.CurrentSkin().TextColor());
    }
    pass.DrawImage(img::kAdvancedTabOver, kz7::frame::kAdvancedTab);
}

void Dialog(kz7::ui::SkinSurface& surface, const QString& prompt, const HotZone& promptZone) {
    DrawingPass pass(surface);
    pass.DrawImage(img::kButtonOver, kz7::dialog::kOk);
    pass.DrawLabel(QStringLiteral("OK"), kz7::dialog::kOk, TextFormat::Centered);
    pass.DrawImage(img::kButtonNormal, kz7::dialog::kCancel);
    pass.DrawLabel(QStringLiteral("Cancel"), kz7::dialog::kCancel, TextFormat::Centered);
    pass.DrawImage(img::kCloseNormal, kz7::dialog::kClose);
    pass.DrawText(prompt, promptZone, TextFormat::Centered, surface.SmallFont(), Qt::white);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3 && argc != 6) {
        std::fprintf(stderr, "usage: kz7-skin-preview SKIN_FOLDER OUTPUT_DIR [R G B]\n");
        return 2;
    }
    kz7::ui::Skin skin(QString::fromLocal8Bit(argv[1]));
    if (argc == 6) skin.SetTextColor(QColor(std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5])));
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);

    QWidget window;
    kz7::ui::SkinSurface surface(&window, skin, kz7::ui::MissingImage::Skip);
    if (!surface.LoadCanvas(img::kMain)) {
        std::fprintf(stderr, "kz7-skin-preview: no main.png in %s\n", argv[1]);
        return 1;
    }
    BasicPage(surface);
    surface.Canvas().save(out + QStringLiteral("/basic.png"));
    AdvancedPage(surface);
    surface.Canvas().save(out + QStringLiteral("/advanced.png"));

    const std::pair<std::string_view, const char*> dialogs[] = {
        {img::kSingleDialog, "single"}, {img::kComboDialog, "combo"}, {img::kFireDialog, "fire"},
        {img::kDelayDialog, "delay"},   {img::kMediaDialog, "media"}, {img::kLaunchDialog, "launch"},
        {img::kMacroDialog, "macro"},   {img::kSkinsDialog, "skins"}};
    for (const auto& [background, name] : dialogs) {
        QWidget dialog;
        kz7::ui::SkinSurface dialogSurface(&dialog, skin, kz7::ui::MissingImage::Skip);
        if (!dialogSurface.LoadCanvas(background)) continue;
        const bool single = std::string_view(name) == "single";
        Dialog(dialogSurface, single ? QStringLiteral("Please enter a key") : QString(),
               kz7::single_key::kPrompt);
        dialogSurface.Canvas().save(out + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
    }
    return 0;
}
