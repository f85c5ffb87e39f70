#include "ui/widgets/dropdown_box.h"

#include <QListWidget>
#include <QMouseEvent>

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
    list->setFont(font);
    // A row too long for a narrow list is cut, not ended with an ellipsis.
    list->setTextElideMode(Qt::ElideNone);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Highlight, text);
    palette.setColor(QPalette::HighlightedText, background);
    list->setPalette(palette);
    for (const QString& row : rows) {
        auto* item = new QListWidgetItem(row, list);
        item->setSizeHint(QSize(zone.Width(), kListRowHeight));
    }
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
