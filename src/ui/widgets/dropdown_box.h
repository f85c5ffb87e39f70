#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string_view>

#include "ui/widgets/control.h"

class QListWidget;
class QWheelEvent;
class QWidget;

namespace kz7::ui {

// A skinned drop-down box with its list. The box is a picture with the
// current choice written over it; a click opens the list below it (a child
// list of 16-pixel rows, scrolling only when its rows do not fit), and the
// row under the pointer is the highlighted one. A click on a row chooses it
// and closes the list; a click on the box again, or anywhere else in the
// window, closes it without a choice.
// A list of skinned rows as every drop-down shows it: 16-pixel rows, the row
// under the pointer highlighted, no focus taken, a scroll bar only when the
// rows do not fit. Owned by host; shown at once.
QListWidget* MakeSkinnedList(QWidget* host, const HotZone& zone, const QStringList& rows, const QFont& font,
                             QColor text, QColor background);
// Replaces a skinned list's rows (selection signals held back meanwhile);
// `font` is the size they are written at when they fit.
void SetSkinnedRows(QListWidget* list, const QStringList& rows, const QFont& font);
// Moves a skinned list as the wheel asks, kListRowsPerWheelNotch rows a notch
// (toward the user: down), whatever the desktop's own setting. A skinned list
// takes its wheel this way; windows pass it the wheel turned anywhere over them.
void ScrollListByWheel(QListWidget* list, const QWheelEvent& event);

class DropdownBox : public Control {
public:
    struct Look {
        // The box's picture and its highlight (over empty: the box does not highlight).
        skin_image::HoverImages images;
        // Where the choice is written, and how.
        HotZone textZone;
        TextFormat textFormat = TextFormat::Left;
        // Colours of the open list.
        QColor listText = Qt::white;
        QColor listBackground = Qt::black;
        // Filled behind the choice before it is written; unset: the box shows through.
        std::optional<QColor> textBackground{};
    };
    struct Behaviour {
        std::function<QString()> text;        // the current choice, as the box shows it
        std::function<QStringList()> rows;    // the list's rows, read when it opens
        // A row was clicked. The list closes once this returns, so a dialog
        // that the choice opens runs with the list still shown.
        std::function<void(int row)> choose;
        // Asked before the list opens; false keeps it closed.
        std::function<bool()> mayOpen;
        // Told when the list opens (true) and closes (false): dialogs hide
        // the fields the list covers.
        std::function<void(bool open)> openChanged;
        // The row under the pointer changed (it is already highlighted).
        std::function<void(int row)> hover{};
        // Where the list opens, asked each time it does; unset: the list zone given.
        std::function<HotZone()> listZone{};
        // Rows that may be clicked; unset: every row. A click on another does nothing.
        std::function<bool(int row)> mayChoose{};
        // Whether the box shows its choice at all; unset: always.
        std::function<bool()> textShown{};
    };

    DropdownBox(QWidget* host, HotZone box, HotZone list, Look look, Behaviour behaviour);
    ~DropdownBox() override;

    void Draw(DrawingPass& pass, bool over) override;
    bool Click(QPoint point) override;
    void ClickedElsewhere(QPoint point) override;
    void TearDown() override { Close(); }
    bool Hovers() const override { return !look_.images.over.empty(); }

    bool IsOpen() const;
    void Open();
    void Close();
    // The open list, for tests and for views that style it further.
    QListWidget* List() const;
    HotZone ListZone() const { return behaviour_.listZone ? behaviour_.listZone() : listZone_; }

    void SetListFont(const QFont& font) { listFont_ = font; }

private:
    void Choose(int row);

    QWidget* host_;
    HotZone listZone_;
    Look look_;
    Behaviour behaviour_;
    QFont listFont_;
    QPointer<QListWidget> list_;
};

}  // namespace kz7::ui
