#include "ui/widgets/dropdown_box.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "ui/layout/window_sizes.h"

namespace kz7::ui {

DropdownBox::DropdownBox(QWidget* host, HotZone box, HotZone list, Look look, Behaviour behaviour)
    : Control(box), host_(host), listZone_(list), look_(look), behaviour_(std::move(behaviour)) {}

DropdownBox::~DropdownBox() {
    // Gone with its page: nobody is told any more.
    delete list_.data();
}

void DropdownBox::Draw(DrawingPass& pass, bool over) {
    const std::string_view image = over && !look_.images.over.empty() ? look_.images.over : look_.images.normal;
    if (!image.empty()) pass.DrawImage(image, Zone());
    if (behaviour_.textShown && !behaviour_.textShown()) return;
    if (look_.textBackground) pass.FillRect(look_.textZone, *look_.textBackground);
    if (behaviour_.text) pass.DrawLabel(behaviour_.text(), look_.textZone, look_.textFormat);
}

bool DropdownBox::IsOpen() const { return !list_.isNull(); }

QListWidget* DropdownBox::List() const { return list_; }

bool DropdownBox::Click(QPoint) {
    if (IsOpen()) {
        Close();
    } else if (!behaviour_.mayOpen || behaviour_.mayOpen()) {
        Open();
    }
    return true;
}

void DropdownBox::ClickedElsewhere(QPoint point) {
    if (IsOpen() && !ListZone().Contains(point.x(), point.y())) Close();
}

namespace {

// What a list row keeps free either side of its text.
constexpr int kListRowTextMargins = 6;
constexpr int kListScrollBarWidth = 12;

// A slim scroll bar in the list's own colours, not the desktop's light one.
QString ScrollBarStyle(QColor text, QColor background) {
    const QColor handle = QColor::fromRgbF(0.35f * text.redF() + 0.65f * background.redF(),
                                           0.35f * text.greenF() + 0.65f * background.greenF(),
                                           0.35f * text.blueF() + 0.65f * background.blueF());
    return QStringLiteral("QScrollBar:vertical { background: %1; width: %3px; margin: 0; }"
                          "QScrollBar::handle:vertical { background: %2; min-height: 16px; margin: 2px;"
                          " border-radius: 4px; }"
                          "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                          "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
        .arg(background.name(), handle.name())
        .arg(kListScrollBarWidth);
}

// A skinned list takes the wheel turned over its rows itself.
class ListWheel : public QObject {
public:
    explicit ListWheel(QListWidget* list) : QObject(list), list_(list) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Wheel) return false;
        ScrollListByWheel(list_, static_cast<const QWheelEvent&>(*event));
        return true;
    }

private:
    QListWidget* list_;
};

// Parts of a notch not yet turned into rows, kept with the list.
constexpr const char* kWheelRestProperty = "kz7WheelRest";

}  // namespace

void ScrollListByWheel(QListWidget* list, const QWheelEvent& event) {
    // A high-resolution wheel turns in parts of a notch: they add up.
    int rest = list->property(kWheelRestProperty).toInt() + event.angleDelta().y();
    const int notches = rest / QWheelEvent::DefaultDeltasPerStep;
    rest -= notches * QWheelEvent::DefaultDeltasPerStep;
    list->setProperty(kWheelRestProperty, rest);
    QScrollBar* bar = list->verticalScrollBar();
    bar->setValue(bar->value() - notches * kListRowsPerWheelNotch);
}

void SetSkinnedRows(QListWidget* list, const QStringList& rows, const QFont& font) {
    // Rows a little too wide for the list are written a little smaller, all
    // of them alike, so that the list reads as one.
    const QRect zone = list->geometry();
    const bool scrolls = static_cast<long long>(rows.size()) * kListRowHeight > zone.height() - 2 * list->frameWidth();
    const int rowWidth = zone.width() - 2 * list->frameWidth() - kListRowTextMargins -
                         (scrolls ? kListScrollBarWidth : 0);
    QFont rowFont = font;
    for (const QString& row : rows) {
        const QFont fitted = FitToWidth(font, row, rowWidth);
        if (fitted.pixelSize() < rowFont.pixelSize()) rowFont = fitted;
    }
    const QSignalBlocker quiet(list);
    list->clear();
    list->setFont(rowFont);
    const QFontMetrics metrics(rowFont);
    for (const QString& row : rows) {
        auto* item = new QListWidgetItem(row, list);
        item->setSizeHint(QSize(zone.width(), kListRowHeight));
        // Still too wide: the row under the pointer tells its whole text.
        if (metrics.horizontalAdvance(row) > rowWidth) item->setToolTip(row);
    }
}

QListWidget* MakeSkinnedList(QWidget* host, const HotZone& zone, const QStringList& rows, const QFont& font,
                             QColor text, QColor background) {
    auto* list = new QListWidget(host);
    list->setGeometry(ToRect(zone));
    list->setFrameShape(QFrame::Box);
    list->setUniformItemSizes(true);
    list->setMouseTracking(true);
    list->setFocusPolicy(Qt::NoFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->verticalScrollBar()->setStyleSheet(ScrollBarStyle(text, background));
    list->viewport()->installEventFilter(new ListWheel(list));
    // A row too long for a narrow list is cut, not ended with an ellipsis.
    list->setTextElideMode(Qt::ElideNone);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Highlight, text);
    palette.setColor(QPalette::HighlightedText, background);
    list->setPalette(palette);
    SetSkinnedRows(list, rows, font);
    // The row under the pointer is highlighted.
    QObject::connect(list, &QListWidget::itemEntered, list,
                     [list](QListWidgetItem* item) { list->setCurrentItem(item); });
    list->show();
    return list;
}

void DropdownBox::Open() {
    if (IsOpen()) return;
    const QStringList rows = behaviour_.rows ? behaviour_.rows() : QStringList();
    QListWidget* list = MakeSkinnedList(host_, ListZone(), rows, listFont_, look_.listText, look_.listBackground);
    if (behaviour_.hover) {
        QObject::connect(list, &QListWidget::itemEntered, list,
                         [this, list](QListWidgetItem* item) { behaviour_.hover(list->row(item)); });
    }
    // A click takes the row.
    QObject::connect(list, &QListWidget::itemClicked, list,
                     [this, list](QListWidgetItem* item) { Choose(list->row(item)); });
    QObject::connect(list, &QListWidget::itemActivated, list,
                     [this, list](QListWidgetItem* item) { Choose(list->row(item)); });
    list_ = list;
    if (behaviour_.openChanged) behaviour_.openChanged(true);
}

void DropdownBox::Close() {
    if (!IsOpen()) return;
    QListWidget* list = list_;
    list_ = nullptr;
    list->hide();
    list->deleteLater();  // it may be the sender of the click being handled
    if (behaviour_.openChanged) behaviour_.openChanged(false);
}

void DropdownBox::Choose(int row) {
    if (!IsOpen() || row < 0 || (behaviour_.mayChoose && !behaviour_.mayChoose(row))) return;
    if (behaviour_.choose) behaviour_.choose(row);
    Close();
}

}  // namespace kz7::ui
