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
    if (IsOpen() && !listZone_.Contains(point.x(), point.y())) Close();
}

void DropdownBox::Open() {
    if (IsOpen()) return;
    auto* list = new QListWidget(host_);
    list->setGeometry(ToRect(listZone_));
    list->setFrameShape(QFrame::Box);
    list->setUniformItemSizes(true);
    list->setMouseTracking(true);
    list->setFocusPolicy(Qt::NoFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setFont(listFont_);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, look_.listBackground);
    palette.setColor(QPalette::Text, look_.listText);
    palette.setColor(QPalette::Highlight, look_.listText);
    palette.setColor(QPalette::HighlightedText, look_.listBackground);
    list->setPalette(palette);
    const QStringList rows = behaviour_.rows ? behaviour_.rows() : QStringList();
    for (const QString& row : rows) {
        auto* item = new QListWidgetItem(row, list);
        item->setSizeHint(QSize(listZone_.Width(), kListRowHeight));
    }
    // The row under the pointer is highlighted; a click takes it.
    QObject::connect(list, &QListWidget::itemEntered, list,
                     [list](QListWidgetItem* item) { list->setCurrentItem(item); });
    QObject::connect(list, &QListWidget::itemClicked, list,
                     [this, list](QListWidgetItem* item) { Choose(list->row(item)); });
    QObject::connect(list, &QListWidget::itemActivated, list,
                     [this, list](QListWidgetItem* item) { Choose(list->row(item)); });
    list_ = list;
    list->show();
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
    if (row < 0) return;
    Close();
    if (behaviour_.choose) behaviour_.choose(row);
}

}  // namespace kz7::ui
