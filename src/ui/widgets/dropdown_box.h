#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <string_view>

#include "ui/widgets/control.h"

class QListWidget;
class QWidget;

namespace kz7::ui {

// A skinned drop-down box with its list. The box is a picture with the
// current choice written over it; a click opens the list below it (a child
// list of 16-pixel rows, scrolling only when its rows do not fit), and the
// row under the pointer is the highlighted one. A click on a row chooses it
// and closes the list; a click on the box again, or anywhere else in the
// window, closes it without a choice.
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
    };
    struct Behaviour {
        std::function<QString()> text;        // the current choice, as the box shows it
        std::function<QStringList()> rows;    // the list's rows, read when it opens
        std::function<void(int row)> choose;  // a row was clicked
        // Asked before the list opens; false keeps it closed.
        std::function<bool()> mayOpen;
        // Told when the list opens (true) and closes (false): dialogs hide
        // the fields the list covers.
        std::function<void(bool open)> openChanged;
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
    QListWidget* List() const { return list_; }
    const HotZone& ListZone() const { return listZone_; }

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
