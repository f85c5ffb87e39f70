#include "ui/pages/advanced_page_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpressionValidator>

#include <vector>

#include "macros/macro_line_editing.h"
#include "skins/skin_images.h"
#include "ui/layout/advanced_page_zones.h"
#include "ui/layout/window_sizes.h"
#include "ui/ui_text.h"
#include "ui/widgets/cell_slider.h"
#include "ui/widgets/dropdown_box.h"
#include "ui/widgets/image_toggle.h"
#include "ui/widgets/text_button.h"

namespace kz7::ui {

namespace {

// "New", "Delete" and "Confirm" highlight one at a time; "Default" alone.
constexpr int kMacroButtonsHoverGroup = 2;
// The macro lists are written on this near-black.
constexpr QRgb kMacroListBackground = 0x050402;

constexpr std::array<UiText, kPointerSliders> kSliderLabels{UiText::MouseSpeedLabel, UiText::ScrollingSpeedLabel,
                                                            UiText::DoubleClickSpeedLabel};

std::vector<HotZone> SliderCells(int slider) {
    std::vector<HotZone> cells;
    for (int cell = 1; cell <= kPointerLevels; ++cell) cells.push_back(advanced::PointerCell(slider, cell));
    return cells;
}

QStringList ToRows(const std::vector<std::string>& texts) {
    QStringList rows;
    for (const std::string& text : texts) rows << FromUtf8(text);
    return rows;
}

// Replaces a list's rows and shows the selected one.
void FillRows(QListWidget* list, const QStringList& rows, int selected, const QFont& font) {
    SetSkinnedRows(list, rows, font);
    if (selected >= 0 && selected < list->count()) {
        const QSignalBlocker quiet(list);
        list->setCurrentRow(selected);
        list->scrollToItem(list->item(selected));
    }
}

QLineEdit* AddField(QWidget* host, const HotZone& zone, const QFont& font, QColor text) {
    auto* field = new QLineEdit(host);
    field->setGeometry(ToRect(zone));
    field->setFrame(false);
    field->setTextMargins(0, 0, 0, 0);
    field->setAlignment(Qt::AlignCenter);
    field->setFont(font);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, text);
    field->setPalette(palette);
    field->show();
    return field;
}

}  // namespace

AdvancedPageView::AdvancedPageView(AdvancedPageModel& model, PageLook look, Parts parts)
    : model_(model), look_(std::move(look)), parts_(std::move(parts)) {
    AddPointerControls();
    AddMacroControls();
}

AdvancedPageView::~AdvancedPageView() {
    if (keyFilter_) QCoreApplication::instance()->removeEventFilter(this);
    DestroyWidgets();
}

void AdvancedPageView::AddPointerControls() {
    const DeviceConfig& config = model_.Record();
    const std::array<const std::uint8_t*, kPointerSliders> fields{&config.pointerSpeed, &config.wheelScrollLines,
                                                                   &config.doubleClickSpeed};
    for (int slider = 0; slider < kPointerSliders; ++slider) {
        const std::uint8_t* field = fields[static_cast<std::size_t>(slider)];
        controls_.Add<CellSlider>(SliderCells(slider), skin_image::kPointerCellImages, CellSlider::Fill::UpToValue,
                                  CellSlider::Behaviour{[field] { return static_cast<int>(*field); }, nullptr, nullptr,
                                                        [this, slider](int cell) {
                                                            model_.SetSliderLevel(slider + 1, cell);
                                                        }});
    }
    controls_.Add<CheckBox>(
        advanced::kPrecisionCheckBox, [&config] { return config.enhancePointerPrecision == 1; },
        [this] { model_.TogglePrecision(); });
    controls_.Add<CheckBox>(
        advanced::kOneScreenCheckBox, [&config] { return config.scrollOneScreen == 1; },
        [this] { model_.ToggleScrollOneScreen(); });
    controls_.Add<TextButton>(advanced::kDefault, TextButton::Look{},
                              [this] { return Tr(UiText::RestorePointerDefaults, look_.language); },
                              [this] { model_.RestoreDefaults(); });
}

void AdvancedPageView::AddMacroControls() {
    // The record buttons are pictures of the page's background.
    const TextButton::Look bare{{}, false};
    controls_.Add<TextButton>(advanced::kStartRecording, bare, nullptr, [this] { StartRecording(); });
    controls_.Add<TextButton>(advanced::kStopRecording, bare, nullptr, [this] { StopRecording(); });

    MacroArea& macros = model_.Macros();
    const std::array<std::pair<HotZone, UiText>, 3> buttons{{{advanced::kMacroNew, UiText::MacroNew},
                                                             {advanced::kMacroDelete, UiText::MacroDelete},
                                                             {advanced::kMacroConfirm, UiText::MacroConfirm}}};
    const std::array<std::function<void()>, 3> commands{[&macros] { macros.New(); }, [&macros] { macros.Delete(); },
                                                        [&macros] { macros.Confirm(); }};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const UiText text = buttons[i].second;
        controls_
            .Add<TextButton>(buttons[i].first, TextButton::Look{}, [this, text] { return Tr(text, look_.language); },
                             [this, command = commands[i]] {
                                 command();
                                 ShowMacros();
                             })
            .SetHoverGroup(kMacroButtonsHoverGroup);
    }

    DropdownBox::Look look;
    look.textZone = advanced::kMouseEventText;
    look.textFormat = TextFormat::Centered;
    look.textBackground = Qt::black;
    DropdownBox::Behaviour chooser;
    chooser.text = [this] { return FromUtf8(model_.LastMouseEvent()); };
    chooser.rows = [] {
        QStringList rows;
        for (std::string_view name : kMouseEventNames) rows << FromUtf8(name);
        return rows;
    };
    chooser.choose = [this](int row) {
        if (row < 0 || row >= static_cast<int>(kMouseEventNames.size())) return;
        model_.InsertMouseEvent(kMouseEventNames[static_cast<std::size_t>(row)]);
        ShowLines();
        // Only the chooser's label changed on the page.
        RequestRedraw(*chooser_);
    };
    chooser_ = &controls_.Add<DropdownBox>(parts_.host, advanced::kMouseEventBox, advanced::kMouseEventList, look,
                                           std::move(chooser));
    chooser_->SetListFont(look_.smallFont);
}

// ---- The page's life ------------------------------------------------------------------

void AdvancedPageView::Entered() {
    model_.Shown();
    CreateWidgets();
}

void AdvancedPageView::TearDown() {
    PageView::TearDown();
    if (model_.Recorder().Recording()) model_.Left();
    RecordingEnded();
    DestroyWidgets();
}

bool AdvancedPageView::ListOpen() const { return chooser_->IsOpen(); }

void AdvancedPageView::CreateWidgets() {
    DestroyWidgets();
    QWidget* host = parts_.host;
    if (host == nullptr) return;
    const QColor text = parts_.textColour ? parts_.textColour() : QColor(Qt::green);
    const QColor background = QColor::fromRgb(kMacroListBackground);

    macroList_ = MakeSkinnedList(host, advanced::kMacroList, {}, look_.smallFont, text, background);
    // The macro list is chosen from with a click, not by pointing.
    macroList_->setMouseTracking(false);
    QObject::disconnect(macroList_, &QListWidget::itemEntered, nullptr, nullptr);
    connect(macroList_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        model_.Macros().Select(row);
        ShowMacros();
    });

    // The line under the pointer is the selected one: insertions go there.
    lineList_ = MakeSkinnedList(host, advanced::kKeySequenceList, {}, look_.smallFont, text, background);
    connect(lineList_, &QListWidget::currentRowChanged, this,
            [this](int row) { model_.Macros().selectedLine = row; });
    connect(lineList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (parts_.dialogs == nullptr) return;
        if (model_.EditPause(lineList_->row(item), *parts_.dialogs)) ShowLines();
    });
    lineList_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(lineList_, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { LineListMenu(at); });

    nameField_ = AddField(host, advanced::kMacroNameEdit, look_.smallFont, text);
    connect(nameField_, &QLineEdit::textEdited, this,
            [this](const QString& name) { model_.Macros().nameField = name.toStdString(); });

    loopCountField_ = AddField(host, advanced::kLoopTimesEdit, look_.smallFont, text);
    loopCountField_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), loopCountField_));
    connect(loopCountField_, &QLineEdit::textEdited, this, [this](const QString& typed) {
        MacroArea& macros = model_.Macros();
        macros.loopCountField = typed.toStdString();
        macros.LoopCountChanged();
        // An empty or out-of-range count is put right at once.
        const QString shown = FromUtf8(macros.loopCountField);
        if (shown != typed) loopCountField_->setText(shown);
    });
    ShowMacros();
}

void AdvancedPageView::DestroyWidgets() {
    for (QWidget* widget : std::initializer_list<QWidget*>{macroList_, lineList_, nameField_, loopCountField_}) {
        if (widget == nullptr) continue;
        widget->disconnect(this);
        widget->hide();
        widget->deleteLater();  // it may be the sender of the event being handled
    }
    macroList_ = nullptr;
    lineList_ = nullptr;
    nameField_ = nullptr;
    loopCountField_ = nullptr;
}

void AdvancedPageView::ShowMacros() {
    if (!macroList_) return;
    const MacroArea& macros = model_.Macros();
    FillRows(macroList_, ToRows(macros.macroList), macros.selectedMacro, look_.smallFont);
    {
        const QSignalBlocker quietName(nameField_);
        nameField_->setText(FromUtf8(macros.nameField));
        const QSignalBlocker quietLoop(loopCountField_);
        loopCountField_->setText(FromUtf8(macros.loopCountField));
    }
    ShowLines();
}

void AdvancedPageView::ShowLines() {
    if (!lineList_) return;
    const MacroArea& macros = model_.Macros();
    FillRows(lineList_, ToRows(macros.lineList), macros.selectedLine, look_.smallFont);
}

void AdvancedPageView::LineListMenu(const QPoint& at) {
    // The menu acts on the line it was opened over.
    if (QListWidgetItem* item = lineList_->itemAt(at)) lineList_->setCurrentItem(item);
    QMenu menu(lineList_);
    QAction* remove = menu.addAction(Tr(UiText::MacroDelete, look_.language));
    connect(remove, &QAction::triggered, this, [this] { DeleteLineFromMenu(); });
    menu.exec(lineList_->viewport()->mapToGlobal(at));
}

void AdvancedPageView::DeleteLineFromMenu() {
    model_.Macros().DeleteSelectedLine();
    ShowLines();
}

// ---- Recording ----------------------------------------------------------------------------

void AdvancedPageView::StartRecording() {
    if (!model_.Recorder().Start()) return;
    ShowLines();
    if (parts_.keyNames != nullptr && !keyFilter_) {
        QCoreApplication::instance()->installEventFilter(this);
        keyFilter_ = true;
        if (parts_.host != nullptr) {
            QWidget* window = parts_.host->window();
            titleBeforeRecording_ = window->windowTitle();
            window->setWindowTitle(Tr(UiText::RecordingTitle, look_.language));
        }
    }
}

void AdvancedPageView::StopRecording() {
    model_.Recorder().Stop();
    if (!model_.Recorder().Recording()) RecordingEnded();
}

void AdvancedPageView::RecordingEnded() {
    if (!keyFilter_) return;
    QCoreApplication::instance()->removeEventFilter(this);
    keyFilter_ = false;
    // The title says how to stop only while there is something to stop.
    if (parts_.host != nullptr) parts_.host->window()->setWindowTitle(titleBeforeRecording_);
}

bool AdvancedPageView::eventFilter(QObject* watched, QEvent* event) {
    if (!keyFilter_ || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)) return false;
    if (!watched->isWidgetType()) return false;
    // Keys for another window (a message box) are that window's.
    if (parts_.host == nullptr || static_cast<QWidget*>(watched)->window() != parts_.host->window()) return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const std::string name = parts_.keyNames->NameOf(key.nativeScanCode());
    const bool ended = model_.Recorder().Key({name, event->type() == QEvent::KeyPress, key.isAutoRepeat()});
    ShowLines();
    if (ended) RecordingEnded();
    // Recorded keys neither type into the fields nor press anything.
    return true;
}

// ---- Drawing --------------------------------------------------------------------------------

void AdvancedPageView::Draw(DrawingPass& pass) {
    DrawPageBase(pass, skin_image::kAdvancedPage, UiText::AdvancedSettingsTab, look_);
    controls_.DrawAll(pass);
    DrawTexts(pass);
}

void AdvancedPageView::DrawTexts(DrawingPass& pass) {
    const UiLanguage language = look_.language;
    auto label = [&](UiText id, const HotZone& zone, TextFormat format) {
        pass.DrawLabel(Tr(id, language), zone, format);
    };
    for (int slider = 0; slider < kPointerSliders; ++slider) {
        label(kSliderLabels[static_cast<std::size_t>(slider)], advanced::kSliderLabels[static_cast<std::size_t>(slider)],
              TextFormat::Centered);
        for (int cell = 1; cell <= kPointerLevels; ++cell) {
            pass.DrawLabel(QString::number(cell), advanced::PointerCellCaption(slider, cell), TextFormat::CenteredTop);
        }
    }
    label(UiText::EnhancePointerPrecision, advanced::kPrecisionCaption, TextFormat::Left);
    label(UiText::ScrollOneScreen, advanced::kOneScreenCaption, TextFormat::Left);
    label(UiText::MacroSettingHeading, advanced::kMacroHeading, TextFormat::Centered);
    label(UiText::SelectMacroHeading, advanced::kSelectMacroLabel, TextFormat::Centered);
    label(UiText::KeyPressSequenceHeading, advanced::kKeySequenceLabel, TextFormat::Centered);
    label(UiText::RecordOptionHeading, advanced::kRecordOptionLabel, TextFormat::Centered);
    label(UiText::StartRecording, advanced::kStartRecordingCaption, TextFormat::WrappedCentred);
    label(UiText::StopRecording, advanced::kStopRecordingCaption, TextFormat::WrappedCentred);
    label(UiText::MacroNameLabel, advanced::kMacroNameCaption, TextFormat::Left);
    label(UiText::LoopTimesLabel, advanced::kLoopTimesCaption, TextFormat::Left);
    label(UiText::InsertMouseEvent, advanced::kMouseEventCaption, TextFormat::Left);
}

}  // namespace kz7::ui
