// Paints the skins that ship with kz7. Every piece is drawn from the same
// zone constants the program hit-tests with, so the art always fits.
//
//   kz7-skin-painter OUTPUT_DIR [PALETTE]     PALETTE: emerald (default), crimson

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>

#include <cstdio>
#include <functional>
#include <string_view>

#include "ui/layout/advanced_page_zones.h"
#include "ui/layout/basic_page_zones.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/frame_zones.h"
#include "ui/layout/window_sizes.h"
#include "skins/skin_images.h"

namespace {

using kz7::HotZone;
namespace img = kz7::skin_image;

struct Palette {
    QColor base;        // window background
    QColor baseDeep;    // title bar and footer
    QColor panel;       // raised panels
    QColor panelEdge;   // panel borders
    QColor field;       // wells behind lists, edits and statics
    QColor fieldEdge;
    QColor control;     // unlit controls
    QColor controlEdge;
    QColor accent;      // the one accent colour
    QColor glyph;       // light strokes of icons
    QColor muted;       // quiet strokes
};

Palette EmeraldPalette() {
    return {QColor(0x12, 0x14, 0x19), QColor(0x0b, 0x0c, 0x10), QColor(0x1a, 0x1d, 0x24),
            QColor(0x2b, 0x30, 0x3b), QColor(0x0c, 0x0e, 0x12), QColor(0x33, 0x39, 0x45),
            QColor(0x24, 0x28, 0x31), QColor(0x3a, 0x40, 0x4d), QColor(0x2c, 0xe5, 0x7a),
            QColor(0xd9, 0xde, 0xe7), QColor(0x6b, 0x73, 0x82)};
}

Palette CrimsonPalette() {
    return {QColor(0x16, 0x12, 0x14), QColor(0x0e, 0x0b, 0x0c), QColor(0x21, 0x1a, 0x1d),
            QColor(0x3a, 0x2b, 0x30), QColor(0x0f, 0x0c, 0x0d), QColor(0x44, 0x33, 0x38),
            QColor(0x2c, 0x23, 0x26), QColor(0x4b, 0x3a, 0x40), QColor(0xff, 0x3d, 0x4f),
            QColor(0xec, 0xe2, 0xe4), QColor(0x85, 0x70, 0x76)};
}

QColor Mix(QColor a, QColor b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * (1 - t) + b.redF() * t),
                            static_cast<float>(a.greenF() * (1 - t) + b.greenF() * t),
                            static_cast<float>(a.blueF() * (1 - t) + b.blueF() * t),
                            static_cast<float>(a.alphaF() * (1 - t) + b.alphaF() * t));
}

QColor WithAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

QRectF Rect(const HotZone& z) { return QRectF(z.left, z.top, z.Width(), z.Height()); }
QRectF Grow(const QRectF& r, double d) { return r.adjusted(-d, -d, d, d); }

QImage Transparent(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

bool Save(const QImage& image, const QString& dir, std::string_view name) {
    const QString path = dir + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
        std::fprintf(stderr, "kz7-skin-painter: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

class Painter : public QPainter {
public:
    explicit Painter(QImage* image) : QPainter(image) {
        setRenderHint(QPainter::Antialiasing);
        setRenderHint(QPainter::TextAntialiasing);
    }
    void RoundBox(const QRectF& r, double radius, const QBrush& fill, QColor edge, double edgeWidth = 1) {
        save();
        setPen(edge.alpha() == 0 ? QPen(Qt::NoPen) : QPen(edge, edgeWidth));
        setBrush(fill);
        drawRoundedRect(r.adjusted(edgeWidth / 2, edgeWidth / 2, -edgeWidth / 2, -edgeWidth / 2),
                        radius, radius);
        restore();
    }
    void Line(QPointF a, QPointF b, QColor color, double width) {
        save();
        setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        drawLine(a, b);
        restore();
    }
    void Glow(const QRectF& r, QColor color, double spread) {
        save();
        setPen(Qt::NoPen);
        for (int i = 4; i >= 1; --i) {
            setBrush(WithAlpha(color, 14 * (5 - i)));
            const double d = spread * i / 4.0;
            drawRoundedRect(Grow(r, d), 4 + d, 4 + d);
        }
        restore();
    }
};

QLinearGradient Vertical(const QRectF& r, QColor top, QColor bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// Chevron pointing down, centred in r.
void Chevron(Painter& p, const QRectF& r, QColor color, double size = 3.5) {
    const QPointF c = r.center();
    QPainterPath path;
    path.moveTo(c.x() - size, c.y() - size / 2);
    path.lineTo(c.x(), c.y() + size / 2);
    path.lineTo(c.x() + size, c.y() - size / 2);
    p.save();
    p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

// ---- Small pieces --------------------------------------------------------------

QImage TextButton(const Palette& pal, bool over) {
    QImage image = Transparent(kz7::kTextButtonWidth, kz7::kTextButtonHeight);
    Painter p(&image);
    const QRectF r(0.5, 0.5, image.width() - 1.0, image.height() - 1.0);
    if (over) {
        p.RoundBox(r, 4, Vertical(r, Mix(pal.control, pal.accent, 0.32), Mix(pal.panel, pal.accent, 0.14)),
                   pal.accent);
        p.Line({6, 1.5}, {image.width() - 6.0, 1.5}, WithAlpha(pal.accent, 160), 1);
    } else {
        p.RoundBox(r, 4, Vertical(r, Mix(pal.control, pal.glyph, 0.06), pal.control), pal.controlEdge);
        p.Line({6, 1.5}, {image.width() - 6.0, 1.5}, WithAlpha(pal.glyph, 28), 1);
    }
    return image;
}

QImage FunctionBox(const Palette& pal, bool over) {
    QImage image = Transparent(kz7::kFunctionBoxWidth, kz7::kFunctionBoxHeight);
    Painter p(&image);
    const QRectF r(0.5, 0.5, image.width() - 1.0, image.height() - 1.0);
    const QColor edge = over ? pal.accent : pal.fieldEdge;
    p.RoundBox(r, 3, over ? Mix(pal.field, pal.accent, 0.08) : pal.field, edge);
    // Number cell on the left, in the 20 pixels the program writes the digit in.
    QPainterPath cell;
    cell.addRoundedRect(QRectF(1, 1, 19, image.height() - 2.0), 2.5, 2.5);
    p.fillPath(cell, over ? Mix(pal.control, pal.accent, 0.45) : pal.control);
    p.Line({20.5, 1}, {20.5, image.height() - 1.0}, edge, 1);
    Chevron(p, QRectF(image.width() - 16.0, 0, 12, image.height()), over ? pal.accent : pal.muted);
    return image;
}

QImage SmallDropdown(const Palette& pal) {
    QImage image = Transparent(kz7::kSmallDropdownWidth, kz7::kSmallDropdownHeight);
    Painter p(&image);
    const QRectF r(0.5, 0.5, image.width() - 1.0, image.height() - 1.0);
    p.RoundBox(r, 2.5, pal.field, pal.fieldEdge);
    p.fillRect(QRectF(image.width() - 16.0, 1, 15, image.height() - 2.0), pal.control);
    Chevron(p, QRectF(image.width() - 16.0, 0, 16, image.height()), pal.accent, 3);
    return image;
}

QImage Pill(const Palette& pal, int width, int height, bool lit, double inset) {
    QImage image = Transparent(width, height);
    Painter p(&image);
    const QRectF r = QRectF(0, 0, width, height).adjusted(inset, 1, -inset, -1);
    const double radius = r.height() / 2;
    if (lit) {
        p.RoundBox(r, radius, Vertical(r, Mix(pal.accent, Qt::white, 0.25), pal.accent),
                   Mix(pal.accent, Qt::white, 0.35));
    } else {
        p.RoundBox(r, radius, pal.control, pal.controlEdge);
    }
    return image;
}

QImage DpiCell(const Palette& pal, bool lit) {
    QImage image = Transparent(kz7::kDpiCellSize, kz7::kDpiCellSize);
    Painter p(&image);
    const QRectF r(1.5, 1.5, 13, 13);
    if (lit) {
        p.Glow(r.adjusted(1, 1, -1, -1), pal.accent, 1.5);
        p.RoundBox(r, 3, Vertical(r, Mix(pal.accent, Qt::white, 0.3), pal.accent),
                   Mix(pal.accent, Qt::white, 0.45));
    } else {
        p.RoundBox(r, 3, pal.control, pal.controlEdge);
    }
    return image;
}

QImage CheckBox(const Palette& pal, bool ticked) {
    QImage image = Transparent(kz7::kCheckBoxSize, kz7::kCheckBoxSize);
    Painter p(&image);
    const QRectF r(1, 1, 14, 14);
    if (ticked) {
        p.RoundBox(r, 3, Mix(pal.field, pal.accent, 0.2), pal.accent, 1.4);
        QPainterPath tick;
        tick.moveTo(4.2, 8.3);
        tick.lineTo(7.0, 11.0);
        tick.lineTo(12.0, 5.0);
        p.setPen(QPen(pal.accent, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    } else {
        p.RoundBox(r, 3, pal.field, pal.controlEdge, 1.4);
    }
    return image;
}

enum class TitleIcon { Skins, Minimise, Close };

QImage TitleButton(const Palette& pal, TitleIcon icon, bool over) {
    const int s = kz7::kTitleButtonSize;
    QImage image = Transparent(s, s);
    Painter p(&image);
    const QRectF r(0.5, 0.5, s - 1.0, s - 1.0);
    const QColor hot = icon == TitleIcon::Close ? QColor(0xe5, 0x3e, 0x4a) : pal.accent;
    if (over) p.RoundBox(r, 4, Mix(pal.baseDeep, hot, 0.85), WithAlpha(hot, 0));
    else p.RoundBox(r, 4, Qt::transparent, pal.controlEdge);
    const QColor stroke = over ? QColor(0x0b, 0x0c, 0x10) : pal.glyph;
    const QColor ink = over && icon == TitleIcon::Close ? QColor(Qt::white) : stroke;
    switch (icon) {
        case TitleIcon::Minimise:
            p.Line({5, 12}, {13, 12}, ink, 1.8);
            break;
        case TitleIcon::Close:
            p.Line({5.5, 5.5}, {12.5, 12.5}, ink, 1.8);
            p.Line({12.5, 5.5}, {5.5, 12.5}, ink, 1.8);
            break;
        case TitleIcon::Skins: {
            // A shirt: the usual sign for changing a look.
            QPainterPath shirt;
            shirt.moveTo(6.6, 4.2);
            shirt.lineTo(3.4, 6.2);
            shirt.lineTo(4.6, 8.8);
            shirt.lineTo(6.0, 8.2);
            shirt.lineTo(6.0, 14.0);
            shirt.lineTo(12.0, 14.0);
            shirt.lineTo(12.0, 8.2);
            shirt.lineTo(13.4, 8.8);
            shirt.lineTo(14.6, 6.2);
            shirt.lineTo(11.4, 4.2);
            shirt.quadTo(9.0, 6.6, 6.6, 4.2);
            shirt.closeSubpath();
            p.save();
            p.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(over ? WithAlpha(ink, 60) : WithAlpha(pal.accent, 70));
            p.drawPath(shirt);
            p.restore();
            break;
        }
    }
    return image;
}

enum class TabIcon { Basic, Advanced };

void MouseGlyph(Painter& p, const QRectF& r, QColor color, double width, QColor wheel) {
    QPainterPath body;
    body.addRoundedRect(r, r.width() / 2, r.width() / 2.2);
    p.save();
    p.setPen(QPen(color, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.top() + r.height() * 0.38));
    p.drawLine(QPointF(r.left(), r.top() + r.height() * 0.38), QPointF(r.right(), r.top() + r.height() * 0.38));
    p.setPen(QPen(wheel, width * 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.center().x(), r.top() + r.height() * 0.12),
               QPointF(r.center().x(), r.top() + r.height() * 0.26));
    p.restore();
}

QImage PageTab(const Palette& pal, TabIcon icon, bool over) {
    const int s = kz7::kPageTabSize;
    QImage image = Transparent(s, s);
    Painter p(&image);
    const QRectF r(1, 1, s - 2.0, s - 2.0);
    if (over) {
        p.RoundBox(r, 7, Vertical(r, Mix(pal.panel, pal.accent, 0.28), Mix(pal.panel, pal.accent, 0.1)),
                   pal.accent, 1.5);
    } else {
        p.RoundBox(r, 7, Vertical(r, Mix(pal.panel, pal.glyph, 0.05), pal.panel), pal.panelEdge, 1.5);
    }
    const QColor ink = over ? pal.glyph : Mix(pal.glyph, pal.muted, 0.35);
    if (icon == TabIcon::Basic) {
        MouseGlyph(p, QRectF(13, 9, 14, 22), ink, 1.6, pal.accent);
    } else {
        // Three sliders: the pointer and macro settings.
        for (int i = 0; i < 3; ++i) {
            const double y = 13 + 7.0 * i;
            p.Line({10, y}, {30, y}, ink, 1.6);
            const double knob = i == 1 ? 24 : (i == 0 ? 15 : 19);
            p.save();
            p.setPen(QPen(ink, 1.4));
            p.setBrush(i == 1 ? pal.accent : pal.panel);
            p.drawEllipse(QPointF(knob, y), 2.8, 2.8);
            p.restore();
        }
    }
    return image;
}

// ---- Window backgrounds ---------------------------------------------------------

void BrandMark(Painter& p, const Palette& pal, QPointF at) {
    QFont bold(QStringLiteral("DejaVu Sans"));
    bold.setPixelSize(15);
    bold.setWeight(QFont::Black);
    bold.setItalic(true);
    p.save();
    // A slanted accent bar before the name.
    QPainterPath bar;
    bar.moveTo(at.x(), at.y() + 3);
    bar.lineTo(at.x() + 6, at.y() - 11);
    bar.lineTo(at.x() + 10, at.y() - 11);
    bar.lineTo(at.x() + 4, at.y() + 3);
    bar.closeSubpath();
    p.fillPath(bar, pal.accent);
    p.setFont(bold);
    p.setPen(pal.glyph);
    p.drawText(at + QPointF(15, 0), QStringLiteral("KZ7"));
    QFont light(QStringLiteral("DejaVu Sans"));
    light.setPixelSize(10);
    light.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
    p.setFont(light);
    p.setPen(pal.muted);
    p.drawText(at + QPointF(56, -1), QStringLiteral("GAMING MOUSE"));
    p.restore();
}

// Backdrop shared by the main window's pictures: body, title bar, header, footer.
void WindowFrame(Painter& p, const Palette& pal, int width, int height) {
    const QRectF all(0, 0, width, height);
    p.fillRect(all, pal.base);
    // A soft accent light from the top-left corner gives the flat body depth.
    QRadialGradient light(QPointF(width * 0.18, 30), width * 0.7);
    light.setColorAt(0, WithAlpha(pal.accent, 22));
    light.setColorAt(1, WithAlpha(pal.accent, 0));
    p.fillRect(all, light);
    p.fillRect(QRectF(0, 0, width, 30), pal.baseDeep);
    p.Line({0, 29.5}, {double(width), 29.5}, pal.panelEdge, 1);
    BrandMark(p, pal, {14, 21});
    // Slanted stripes fading in toward the right of the header.
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 14; ++i) {
        const double x = width - 330.0 + i * 22;
        QPainterPath stripe;
        stripe.moveTo(x, 104);
        stripe.lineTo(x + 26, 40);
        stripe.lineTo(x + 34, 40);
        stripe.lineTo(x + 8, 104);
        stripe.closeSubpath();
        p.setBrush(WithAlpha(i % 4 == 3 ? pal.accent : pal.glyph, i % 4 == 3 ? 4 + 3 * i : 2 + i));
        p.drawPath(stripe);
    }
    p.restore();
    // Accent rule under the header with a bright stretch under the page title.
    QLinearGradient rule(QPointF(0, 0), QPointF(width, 0));
    rule.setColorAt(0, WithAlpha(pal.accent, 0));
    rule.setColorAt(0.15, pal.accent);
    rule.setColorAt(0.45, WithAlpha(pal.accent, 90));
    rule.setColorAt(1, WithAlpha(pal.accent, 0));
    p.fillRect(QRectF(0, 112, width, 1.5), rule);
    // Footer band holding OK, Apply, Cancel and the web address.
    p.fillRect(QRectF(0, 602, width, height - 602.0), pal.baseDeep);
    p.Line({0, 602.5}, {double(width), 602.5}, pal.panelEdge, 1);
    p.save();
    p.setPen(QPen(pal.panelEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

void Panel(Painter& p, const Palette& pal, const QRectF& r) {
    p.RoundBox(r, 8, Vertical(r, Mix(pal.panel, pal.glyph, 0.025), pal.panel), pal.panelEdge);
}

// A header band across the top of a panel, behind its section label.
void SectionBand(Painter& p, const Palette& pal, const QRectF& panel, const HotZone& label) {
    const QRectF band(panel.left() + 1, label.top - 3, panel.width() - 2, label.Height() + 6.0);
    QLinearGradient fade(band.topLeft(), band.topRight());
    fade.setColorAt(0, Mix(pal.baseDeep, pal.accent, 0.10));
    fade.setColorAt(1, WithAlpha(pal.baseDeep, 0));
    p.fillRect(band, fade);
    p.fillRect(QRectF(band.left(), band.top() + 4, 3, band.height() - 8), pal.accent);
    p.Line({band.left() + 8, band.bottom() + 0.5}, {band.right() - 8, band.bottom() + 0.5}, pal.panelEdge, 1);
}

void FieldWell(Painter& p, const Palette& pal, const QRectF& r, double radius = 3) {
    p.RoundBox(r, radius, pal.field, pal.fieldEdge);
}

// A static text or edit field with a drop-down chevron in the widening to the right.
void DropdownWell(Painter& p, const Palette& pal, const HotZone& text, const HotZone& click) {
    const QRectF r = Rect(click).adjusted(-2, -2, 2, 2);
    FieldWell(p, pal, r);
    const QRectF arrow(text.right, r.top() + 1, r.right() - text.right - 1, r.height() - 2);
    p.fillRect(arrow, pal.control);
    Chevron(p, arrow, pal.accent, 3);
}

void MouseIllustration(Painter& p, const Palette& pal) {
    // Top view of the mouse with its six buttons numbered as the function boxes are.
    const QRectF body(66, 214, 118, 262);
    QPainterPath shell;
    shell.moveTo(body.center().x(), body.top());
    shell.cubicTo(body.right() + 4, body.top(), body.right() + 6, body.top() + 130, body.right() - 6,
                  body.bottom() - 40);
    shell.cubicTo(body.right() - 16, body.bottom() + 4, body.left() + 16, body.bottom() + 4,
                  body.left() + 6, body.bottom() - 40);
    shell.cubicTo(body.left() - 6, body.top() + 130, body.left() - 4, body.top(), body.center().x(),
                  body.top());
    p.save();
    p.Glow(body.adjusted(30, 60, -30, -40), pal.accent, 26);
    p.setPen(QPen(pal.controlEdge, 1.5));
    p.setBrush(Vertical(body, Mix(pal.control, pal.glyph, 0.08), pal.baseDeep));
    p.drawPath(shell);
    const double split = body.top() + 96;
    p.setPen(QPen(pal.controlEdge, 1.2));
    p.drawLine(QPointF(body.center().x(), body.top()), QPointF(body.center().x(), split));
    QPainterPath seam;
    seam.moveTo(body.left() + 2, split + 6);
    seam.quadTo(body.center().x(), split - 8, body.right() - 2, split + 6);
    p.setBrush(Qt::NoBrush);
    p.drawPath(seam);
    // Wheel and DPI button.
    const QRectF wheel(body.center().x() - 6, body.top() + 30, 12, 30);
    p.setPen(QPen(pal.controlEdge, 1));
    p.setBrush(Vertical(wheel, pal.muted, pal.control));
    p.drawRoundedRect(wheel, 6, 6);
    const QRectF dpi(body.center().x() - 5, body.top() + 70, 10, 16);
    p.setBrush(pal.accent);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(dpi, 3, 3);
    // Side buttons on the left flank.
    p.setBrush(pal.control);
    p.setPen(QPen(pal.controlEdge, 1));
    const QRectF forward(body.left() - 3, body.top() + 118, 8, 26);
    const QRectF back(body.left() - 3, body.top() + 148, 8, 26);
    p.drawRoundedRect(forward, 3, 3);
    p.drawRoundedRect(back, 3, 3);
    // Logo stripe.
    p.fillRect(QRectF(body.center().x() - 14, body.bottom() - 64, 28, 2), WithAlpha(pal.accent, 170));
    p.restore();

    struct Callout { int number; QPointF target; QPointF badge; };
    const Callout callouts[] = {
        {1, {body.left() + 30, body.top() + 50}, {44, 232}},
        {2, {body.right() - 30, body.top() + 50}, {206, 232}},
        {3, {body.center().x() + 6, body.top() + 45}, {206, 286}},
        {4, forward.center(), {44, 318}},
        {5, back.center(), {44, 372}},
        {6, dpi.center(), {206, 340}},
    };
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setWeight(QFont::Bold);
    for (const Callout& c : callouts) {
        p.Line(c.badge, c.target, WithAlpha(pal.accent, 150), 1);
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(pal.accent);
        p.drawEllipse(c.target, 2.2, 2.2);
        p.setBrush(pal.baseDeep);
        p.setPen(QPen(pal.accent, 1.4));
        p.drawEllipse(c.badge, 9, 9);
        p.setFont(font);
        p.setPen(pal.glyph);
        p.drawText(QRectF(c.badge.x() - 9, c.badge.y() - 9, 18, 18), Qt::AlignCenter,
                   QString::number(c.number));
        p.restore();
    }
}

QImage MainBackground(const Palette& pal) {
    QImage image(kz7::kMainWindowWidth, kz7::kMainWindowHeight, QImage::Format_ARGB32_Premultiplied);
    Painter p(&image);
    WindowFrame(p, pal, image.width(), image.height());
    return image;
}

QImage BasicPage(const Palette& pal) {
    QImage image = MainBackground(pal);
    Painter p(&image);
    namespace b = kz7::basic;
    Panel(p, pal, {20, 150, 212, 440});
    MouseIllustration(p, pal);
    const QRectF keys(240, 150, 236, 440), rate(488, 150, 384, 112), dpi(488, 270, 194, 320),
        rgb(690, 270, 182, 320);
    for (const QRectF& panel : {keys, rate, dpi, rgb}) Panel(p, pal, panel);
    SectionBand(p, pal, keys, b::kKeySettingLabel);
    SectionBand(p, pal, rate, b::kReportRateLabel);
    SectionBand(p, pal, dpi, b::kDpiSettingLabel);
    SectionBand(p, pal, rgb, b::kRgbEffectLabel);
    // Key setting: a well behind the six function boxes and a rail under the mode buttons.
    FieldWell(p, pal, Rect(b::FunctionBox(0)).united(Rect(b::FunctionBox(5))).adjusted(-4, -4, 4, 4), 5);
    FieldWell(p, pal, Rect(b::kModeA).united(Rect(b::kModeB)).adjusted(-3, -3, 3, 3), 5);
    // A quiet watermark fills the space between the boxes and the mode buttons.
    {
        QFont mark(QStringLiteral("DejaVu Sans"));
        mark.setPixelSize(72);
        mark.setWeight(QFont::Black);
        mark.setItalic(true);
        p.save();
        p.setFont(mark);
        p.setPen(WithAlpha(pal.glyph, 9));
        p.drawText(QRectF(keys.left(), 350, keys.width(), 130), Qt::AlignCenter, QStringLiteral("KZ7"));
        p.fillRect(QRectF(keys.left() + 60, 462, keys.width() - 120, 2), WithAlpha(pal.accent, 40));
        p.restore();
    }
    // Report rate: a track under the four stops, with ticks above each.
    const QRectF track = Rect(b::kReportRateStops[0]).united(Rect(b::kReportRateStops[3])).adjusted(-4, -4, 4, 4);
    FieldWell(p, pal, track, track.height() / 2);
    for (const HotZone& stop : b::kReportRateStops) {
        p.Line({stop.left + stop.Width() / 2.0, track.top() - 8}, {stop.left + stop.Width() / 2.0, track.top() - 3},
               pal.muted, 1.2);
    }
    // DPI: a well behind the twelve-cell columns and the stage check boxes.
    const QRectF columns = Rect(b::DpiCell(0, 12)).united(Rect(b::DpiCell(3, 1))).adjusted(-5, -5, 5, 5);
    FieldWell(p, pal, columns, 5);
    for (int k = 0; k < b::kDpiStageCount; ++k) {
        const QRectF box = Rect(b::DpiStageCheckBox(k));
        p.Line({box.center().x(), columns.bottom() + 1}, {box.center().x(), box.top() - 2},
               WithAlpha(pal.muted, 120), 1);
    }
    // RGB effect: wells behind the swatch row and the DPI colour toggles.
    FieldWell(p, pal, Rect(b::LoopColorSwatch(0)).united(Rect(b::LoopColorCheckBox(7))).adjusted(-5, -4, 5, 4), 5);
    p.Line({697, 475.5}, {866, 475.5}, pal.panelEdge, 1);
    FieldWell(p, pal, Rect(b::kDpiColorToggles[0]).united(Rect(b::kDpiColorToggles[2])).adjusted(-6, -4, 6, 4), 5);
    // Small colour keys under the three toggles: red, green, blue.
    const QColor leds[] = {QColor(0xff, 0x45, 0x45), QColor(0x3d, 0xe0, 0x6c), QColor(0x4a, 0x8c, 0xff)};
    for (int t = 0; t < 3; ++t) {
        const QRectF toggle = Rect(b::kDpiColorToggles[static_cast<std::size_t>(t)]);
        p.fillRect(QRectF(toggle.left() + 3, toggle.bottom() + 7, toggle.width() - 6, 2.5), leds[t]);
    }
    return image;
}

QImage AdvancedPage(const Palette& pal) {
    QImage image = MainBackground(pal);
    Painter p(&image);
    namespace a = kz7::advanced;
    const QRectF pointer(20, 150, 420, 450), macro(450, 150, 422, 450);
    Panel(p, pal, pointer);
    Panel(p, pal, macro);
    for (const HotZone& label : a::kSliderLabels) SectionBand(p, pal, pointer, label);
    SectionBand(p, pal, macro, a::kMacroHeading);
    for (int s = 0; s < a::kPointerSliderCount; ++s) {
        const QRectF track = Rect(a::PointerCell(s, 1)).united(Rect(a::PointerCell(s, 11))).adjusted(-4, -4, 4, 4);
        FieldWell(p, pal, track, track.height() / 2);
        // Slow and fast ends of each slider.
        p.Line({track.right() + 14, track.center().y()}, {track.right() + 26, track.center().y()}, pal.muted, 1.4);
        p.Line({track.right() + 20, track.center().y() - 6}, {track.right() + 20, track.center().y() + 6},
               pal.muted, 1.4);
        p.Line({track.left() - 26 + 6, track.center().y()}, {track.left() - 26 + 16, track.center().y()},
               pal.muted, 1.4);
        if (s < 2) p.Line({38, 290.5 + 150.0 * s}, {420, 290.5 + 150.0 * s}, pal.panelEdge, 1);
    }
    // Column heads of the macro area.
    const QRectF heads = Rect(a::kSelectMacroLabel).united(Rect(a::kRecordOptionLabel)).adjusted(4, 0, -6, 0);
    p.RoundBox(heads, 4, Mix(pal.baseDeep, pal.panel, 0.4), pal.panelEdge);
    p.Line({a::kKeySequenceLabel.left + 0.5, heads.top() + 4}, {a::kKeySequenceLabel.left + 0.5, heads.bottom() - 4},
           pal.panelEdge, 1);
    p.Line({a::kRecordOptionLabel.left + 0.5, heads.top() + 4}, {a::kRecordOptionLabel.left + 0.5, heads.bottom() - 4},
           pal.panelEdge, 1);
    // The two macro lists sit in one well.
    const QRectF lists = Rect(a::kMacroList).united(Rect(a::kKeySequenceList)).adjusted(-2, -1, 2, 2);
    FieldWell(p, pal, lists, 3);
    p.Line({a::kKeySequenceList.left - 0.5, lists.top() + 1}, {a::kKeySequenceList.left - 0.5, lists.bottom() - 1},
           pal.fieldEdge, 1);
    // Record and stop buttons.
    const QRectF start = Rect(a::kStartRecording);
    const QRectF stop = Rect(a::kStopRecording);
    for (const QRectF& r : {start, stop}) {
        p.RoundBox(r.adjusted(0.5, 0.5, -0.5, -0.5), 6, Vertical(r, Mix(pal.control, pal.glyph, 0.08), pal.control),
                   pal.controlEdge);
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x3b, 0x3b));
    p.drawEllipse(start.center(), 6.5, 6.5);
    p.setBrush(pal.glyph);
    p.drawRoundedRect(QRectF(stop.center().x() - 5.5, stop.center().y() - 5.5, 11, 11), 1.5, 1.5);
    p.restore();
    // Name and loop fields, the mouse-event chooser.
    FieldWell(p, pal, Rect(a::kMacroNameEdit).adjusted(-3, -3, 3, 3));
    FieldWell(p, pal, Rect(a::kLoopTimesEdit).adjusted(-3, -3, 3, 3));
    DropdownWell(p, pal, a::kMouseEventText, a::kMouseEventBox);
    p.Line({462, 520.5}, {862, 520.5}, pal.panelEdge, 1);
    return image;
}

// ---- Sub-dialog backgrounds --------------------------------------------------------

QImage DialogBase(const Palette& pal) {
    const int w = kz7::kDialogWidth, h = kz7::kDialogHeight;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    Painter p(&image);
    p.fillRect(QRectF(0, 0, w, h), pal.base);
    QRadialGradient light(QPointF(w * 0.2, 20), w * 0.9);
    light.setColorAt(0, WithAlpha(pal.accent, 20));
    light.setColorAt(1, WithAlpha(pal.accent, 0));
    p.fillRect(QRectF(0, 0, w, h), light);
    p.fillRect(QRectF(0, 0, w, 30), pal.baseDeep);
    QLinearGradient rule(QPointF(0, 0), QPointF(w, 0));
    rule.setColorAt(0, pal.accent);
    rule.setColorAt(0.6, WithAlpha(pal.accent, 60));
    rule.setColorAt(1, WithAlpha(pal.accent, 0));
    p.fillRect(QRectF(0, 29, w, 1.5), rule);
    BrandMark(p, pal, {12, 21});
    // Footer band behind OK and Cancel.
    const QRectF footer(0, kz7::dialog::kOk.top - 10, w, h - kz7::dialog::kOk.top + 10.0);
    p.fillRect(footer, pal.baseDeep);
    p.Line({0, footer.top() + 0.5}, {double(w), footer.top() + 0.5}, pal.panelEdge, 1);
    p.save();
    p.setPen(QPen(pal.panelEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1.0, h - 1.0));
    p.restore();
    return image;
}

// A framed content area so that the dialog's controls do not float.
void DialogPanel(Painter& p, const Palette& pal, const QRectF& r) { Panel(p, pal, r); }

// A keyboard key cap, the dialogs' emblem for key capture.
void KeyCap(Painter& p, const Palette& pal, const QRectF& r, const QString& legend) {
    p.RoundBox(r.adjusted(0, 0, 0, -2), 5, Mix(pal.control, pal.glyph, 0.02), pal.controlEdge);
    p.RoundBox(r.adjusted(3, 2, -3, -6), 4, Vertical(r, Mix(pal.control, pal.glyph, 0.12), pal.control),
               WithAlpha(pal.glyph, 30));
    if (legend.isEmpty()) return;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setWeight(QFont::Bold);
    p.save();
    p.setFont(font);
    p.setPen(pal.accent);
    p.drawText(r.adjusted(3, 2, -3, -6), Qt::AlignCenter, legend);
    p.restore();
}

void PlusSign(Painter& p, const Palette& pal, QPointF c) {
    p.Line({c.x() - 5, c.y()}, {c.x() + 5, c.y()}, pal.accent, 2);
    p.Line({c.x(), c.y() - 5}, {c.x(), c.y() + 5}, pal.accent, 2);
}

// The grey the key dialogs' statics and edits fill their own rectangles with;
// the wells below are painted around it so that a control sits in its well.
const QColor kKeyControlGrey(0x28, 0x28, 0x28);

// A recessed well around a key dialog's control: the zone itself in the
// control's grey, a dark inner rim, a bevelled frame and a thin accent line
// along its lower edge.
void KeyWell(Painter& p, const Palette& pal, const HotZone& zone) {
    const QRectF r = Rect(zone);
    const QRectF frame = Grow(r, 3);
    p.RoundBox(frame, 4, Vertical(frame, Mix(pal.baseDeep, Qt::black, 0.4), Mix(pal.fieldEdge, pal.glyph, 0.08)),
               pal.fieldEdge);
    p.fillRect(Grow(r, 1), Mix(pal.baseDeep, Qt::black, 0.5));
    p.fillRect(r, kKeyControlGrey);
    QLinearGradient underline(QPointF(frame.left(), 0), QPointF(frame.right(), 0));
    underline.setColorAt(0, WithAlpha(pal.accent, 0));
    underline.setColorAt(0.5, WithAlpha(pal.accent, 210));
    underline.setColorAt(1, WithAlpha(pal.accent, 0));
    p.fillRect(QRectF(frame.left() + 3, frame.bottom() - 1.25, frame.width() - 6, 1), underline);
}

// A key well whose click zone runs on past the static over a drop-down button.
void KeyDropdownWell(Painter& p, const Palette& pal, const kz7::DropdownZones& zones) {
    KeyWell(p, pal, zones.click);
    const QRectF button(zones.text.right, zones.click.top, zones.click.right - zones.text.right,
                        zones.click.Height());
    p.fillRect(button, Vertical(button, Mix(pal.control, pal.glyph, 0.10), pal.control));
    p.Line({button.left() + 0.5, button.top()}, {button.left() + 0.5, button.bottom()},
           Mix(pal.baseDeep, Qt::black, 0.5), 1);
    Chevron(p, button, pal.accent, 3.2);
}

// Brackets either side of a field, a sight on the field that waits for a key.
void SightBrackets(Painter& p, const Palette& pal, const QRectF& r, double arm) {
    p.save();
    p.setPen(QPen(pal.accent, 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    for (const double side : {-1.0, 1.0}) {
        const double x = side < 0 ? r.left() : r.right();
        QPainterPath bracket;
        bracket.moveTo(x - side * arm, r.top());
        bracket.lineTo(x, r.top());
        bracket.lineTo(x, r.bottom());
        bracket.lineTo(x - side * arm, r.bottom());
        p.drawPath(bracket);
    }
    p.restore();
}

// A key cap lit in the accent colour: a key being pressed.
void LitKeyCap(Painter& p, const Palette& pal, const QRectF& r, const QString& legend) {
    p.Glow(r.adjusted(3, 3, -3, -5), pal.accent, 4);
    p.RoundBox(r.adjusted(0, 0, 0, -2), 5, Mix(pal.control, pal.accent, 0.25), Mix(pal.controlEdge, pal.accent, 0.7));
    p.RoundBox(r.adjusted(3, 2, -3, -6), 4,
               Vertical(r, Mix(pal.control, pal.accent, 0.55), Mix(pal.control, pal.accent, 0.30)),
               WithAlpha(pal.accent, 150));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setWeight(QFont::Bold);
    p.save();
    p.setFont(font);
    p.setPen(Mix(pal.glyph, Qt::white, 0.5));
    p.drawText(r.adjusted(3, 2, -3, -6), Qt::AlignCenter, legend);
    p.restore();
}

// A small badge left of a combo field: a modifier arrow or the key's number.
void FieldBadge(Painter& p, const Palette& pal, const HotZone& field, const QString& digit) {
    const QRectF badge(field.left - 24, field.top - 2, 17, field.Height() + 4.0);
    p.RoundBox(badge, 4, Vertical(badge, Mix(pal.control, pal.glyph, 0.08), pal.control), pal.controlEdge);
    p.save();
    if (digit.isEmpty()) {
        // An outlined up arrow, as on a Shift key.
        const QPointF c = badge.center();
        QPainterPath arrow;
        arrow.moveTo(c.x(), c.y() - 6);
        arrow.lineTo(c.x() + 5.5, c.y() + 0.5);
        arrow.lineTo(c.x() + 2.5, c.y() + 0.5);
        arrow.lineTo(c.x() + 2.5, c.y() + 5);
        arrow.lineTo(c.x() - 2.5, c.y() + 5);
        arrow.lineTo(c.x() - 2.5, c.y() + 0.5);
        arrow.lineTo(c.x() - 5.5, c.y() + 0.5);
        arrow.closeSubpath();
        p.setPen(QPen(pal.accent, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arrow);
    } else {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        font.setWeight(QFont::Bold);
        p.setFont(font);
        p.setPen(pal.accent);
        p.drawText(badge, Qt::AlignCenter, digit);
    }
    p.restore();
}

QImage SingleKeyDialog(const Palette& pal) {
    QImage image = DialogBase(pal);
    Painter p(&image);
    namespace s = kz7::single_key;
    DialogPanel(p, pal, {12, 44, 356, 192});
    // A soft pool of light under the prompt and the field.
    const QRectF field = Rect(s::kKeyName);
    QRadialGradient pool(field.center(), 90);
    pool.setColorAt(0, WithAlpha(pal.accent, 26));
    pool.setColorAt(1, WithAlpha(pal.accent, 0));
    p.fillRect(QRectF(14, 46, 200, 188), pool);
    KeyWell(p, pal, s::kKeyName);
    SightBrackets(p, pal, field.adjusted(-10, -4, 10, 4), 4);
    // A keyboard cluster on the right, one key lit: the key being read.
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 5 - row; ++col) {
            const QRectF cap(222 + col * 26 + row * 13, 84 + row * 28, 24, 24);
            if (row == 1 && col == 1) {
                LitKeyCap(p, pal, cap, QStringLiteral("A"));
            } else {
                KeyCap(p, pal, cap, QString());
            }
        }
    }
    return image;
}

QImage ComboKeyDialog(const Palette& pal) {
    QImage image = DialogBase(pal);
    Painter p(&image);
    namespace c = kz7::combo_key;
    DialogPanel(p, pal, {12, 44, 356, 192});
    // A rail down the left joins the modifier and the two keys.
    const double rail = c::kModifier.text.left - 15.5;
    p.Line({rail, c::kModifier.text.bottom + 4.0}, {rail, c::kKeyBox2.top - 4.0}, WithAlpha(pal.accent, 70), 1);
    FieldBadge(p, pal, c::kModifier.text, QString());
    FieldBadge(p, pal, c::kKeyBox1, QStringLiteral("1"));
    FieldBadge(p, pal, c::kKeyBox2, QStringLiteral("2"));
    KeyDropdownWell(p, pal, c::kModifier);
    KeyWell(p, pal, c::kKeyBox1);
    KeyWell(p, pal, c::kKeyBox2);
    const double middle = (c::kKeyBox1.left + c::kKeyBox1.right) / 2.0;
    PlusSign(p, pal, {middle, (c::kModifier.text.bottom + c::kKeyBox1.top) / 2.0 + 1});
    PlusSign(p, pal, {middle, (c::kKeyBox1.bottom + c::kKeyBox2.top) / 2.0 + 1});
    // The combination pressed at once on the right: modifier and two keys lit.
    const double y = 112;
    LitKeyCap(p, pal, {184, y, 44, 36}, QStringLiteral("Ctrl"));
    PlusSign(p, pal, {240, y + 17});
    LitKeyCap(p, pal, {252, y, 36, 36}, QStringLiteral("C"));
    PlusSign(p, pal, {300, y + 17});
    LitKeyCap(p, pal, {312, y, 36, 36}, QStringLiteral("V"));
    return image;
}

QImage FireKeyDialog(const Palette& pal) {
    QImage image = DialogBase(pal);
    Painter p(&image);
    namespace f = kz7::fire_key;
    DialogPanel(p, pal, Rect(f::kPanel));
    DropdownWell(p, pal, f::kKey.text, f::kKey.click);
    FieldWell(p, pal, Rect(f::kSpeedBox).adjusted(-3, -3, 3, 3));
    FieldWell(p, pal, Rect(f::kTimesBox).adjusted(-3, -3, 3, 3));
    p.Line({20, f::kNoteHeading.top - 2.5}, {360, f::kNoteHeading.top - 2.5}, pal.panelEdge, 1);
    // A burst of shots: the fire key repeats its key.
    for (int i = 0; i < 5; ++i) {
        const double x = 200 + i * 30.0;
        const int alpha = 255 - i * 40;
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(WithAlpha(pal.accent, alpha));
        p.drawRoundedRect(QRectF(x, 118, 22, 8), 4, 4);
        p.restore();
    }
    KeyCap(p, pal, {200, 70, 36, 36}, QString());
    return image;
}

QImage DelayTimeDialog(const Palette& pal) {
    QImage image = DialogBase(pal);
    Painter p(&image);
    DialogPanel(p, pal, {12, 44, 356, 192});
    FieldWell(p, pal, Rect(kz7::delay_time::kDelayBox).adjusted(-3, -3, 3, 3));
    // A stopwatch.
    const QPointF c(290, 140);
    p.save();
    p.setPen(QPen(pal.glyph, 2.2));
    p.setBrush(pal.field);
    p.drawEllipse(c, 36, 36);
    p.setPen(QPen(pal.accent, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - 30, c.y() - 30, 60, 60), 90 * 16, -120 * 16);
    p.restore();
    p.Line(c, {c.x() + 18, c.y() - 12}, pal.accent, 2.4);
    p.Line({c.x(), c.y() - 36}, {c.x(), c.y() - 44}, pal.glyph, 3);
    p.Line({c.x() - 8, c.y() - 46}, {c.x() + 8, c.y() - 46}, pal.glyph, 3);
    return image;
}

QImage MediaDialog(const Palette& pal, bool launch) {
    QImage image = DialogBase(pal);
    Painter p(&image);
    DialogPanel(p, pal, {12, 44, 356, 192});
    DropdownWell(p, pal, kz7::media_key::kMedia.text, kz7::media_key::kMedia.click);
    const QPointF c(282, 130);
    p.save();
    p.setPen(Qt::NoPen);
    if (launch) {
        // An application window.
        p.setBrush(pal.control);
        p.drawRoundedRect(QRectF(c.x() - 44, c.y() - 32, 88, 64), 6, 6);
        p.setBrush(pal.accent);
        p.drawRoundedRect(QRectF(c.x() - 44, c.y() - 32, 88, 12), 6, 6);
        p.setBrush(pal.field);
        p.drawRect(QRectF(c.x() - 36, c.y() - 14, 72, 38));
        p.setBrush(pal.glyph);
        for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(c.x() + 26 + 0.0 - i * 8, c.y() - 26), 2, 2);
    } else {
        // Previous, play, next.
        p.setBrush(pal.glyph);
        QPainterPath play;
        play.moveTo(c.x() - 10, c.y() - 16);
        play.lineTo(c.x() + 16, c.y());
        play.lineTo(c.x() - 10, c.y() + 16);
        play.closeSubpath();
        p.setBrush(pal.accent);
        p.drawPath(play);
        p.setBrush(pal.glyph);
        for (int side : {-1, 1}) {
            QPainterPath skip;
            const double x = c.x() + side * 46;
            skip.moveTo(x - side * 8, c.y() - 9);
            skip.lineTo(x + side * 6, c.y());
            skip.lineTo(x - side * 8, c.y() + 9);
            skip.closeSubpath();
            p.drawPath(skip);
            p.drawRect(QRectF(side > 0 ? x + 6 : x - 9, c.y() - 9, 3, 18));
        }
    }
    p.restore();
    return image;
}

QImage MacroKeyDialog(const Palette& pal) {
    QImage image = DialogBase(pal);
    Painter p(&image);
    namespace m = kz7::macro_key;
    DialogPanel(p, pal, {12, 44, 356, 192});
    DropdownWell(p, pal, m::kMacro.text, m::kMacro.click);
    // The three repeat options start as empty boxes; the program ticks one.
    const QImage box = CheckBox(pal, false);
    for (const HotZone& option : m::kRepeatOptions) p.drawImage(QPointF(option.left, option.top), box);
    p.Line({206.5, 60}, {206.5, 220}, pal.panelEdge, 1);
    return image;
}

QImage SkinsDialog(const Palette& pal) {
    QImage image = DialogBase(pal);
    Painter p(&image);
    namespace s = kz7::skins_dialog;
    DialogPanel(p, pal, {12, 44, 356, 192});
    FieldWell(p, pal, Rect(s::kColorSwatch).adjusted(-3, -3, 3, 3));
    DropdownWell(p, pal, s::kSkin.text, s::kSkin.click);
    // Colour chips fanned out as the dialog's emblem.
    const QColor chips[] = {pal.accent, QColor(0x4a, 0x8c, 0xff), QColor(0xff, 0xb0, 0x2e),
                            QColor(0xe0, 0x4a, 0xd8)};
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(270, 175);
        p.rotate(-30 + 18.0 * i);
        p.setPen(QPen(pal.baseDeep, 1.5));
        p.setBrush(pal.control);
        p.drawRoundedRect(QRectF(-12, -110, 24, 100), 5, 5);
        p.setBrush(chips[i]);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(-9, -106, 18, 40), 3, 3);
        p.restore();
    }
    return image;
}

bool PaintSkin(const Palette& pal, const QString& dir) {
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "kz7-skin-painter: cannot create %s\n", qPrintable(dir));
        return false;
    }
    const int buttonW = kz7::kReportRateStopWidth;
    const std::pair<std::string_view, std::function<QImage()>> pieces[] = {
        {img::kMain, [&] { return MainBackground(pal); }},
        {img::kBasicPage, [&] { return BasicPage(pal); }},
        {img::kAdvancedPage, [&] { return AdvancedPage(pal); }},
        {img::kButtonNormal, [&] { return TextButton(pal, false); }},
        {img::kButtonOver, [&] { return TextButton(pal, true); }},
        {img::kFunctionBoxNormal, [&] { return FunctionBox(pal, false); }},
        {img::kFunctionBoxOver, [&] { return FunctionBox(pal, true); }},
        {img::kSkinsNormal, [&] { return TitleButton(pal, TitleIcon::Skins, false); }},
        {img::kSkinsOver, [&] { return TitleButton(pal, TitleIcon::Skins, true); }},
        {img::kMinimiseNormal, [&] { return TitleButton(pal, TitleIcon::Minimise, false); }},
        {img::kMinimiseOver, [&] { return TitleButton(pal, TitleIcon::Minimise, true); }},
        {img::kCloseNormal, [&] { return TitleButton(pal, TitleIcon::Close, false); }},
        {img::kCloseOver, [&] { return TitleButton(pal, TitleIcon::Close, true); }},
        {img::kBasicTabNormal, [&] { return PageTab(pal, TabIcon::Basic, false); }},
        {img::kBasicTabOver, [&] { return PageTab(pal, TabIcon::Basic, true); }},
        {img::kAdvancedTabNormal, [&] { return PageTab(pal, TabIcon::Advanced, false); }},
        {img::kAdvancedTabOver, [&] { return PageTab(pal, TabIcon::Advanced, true); }},
        {img::kSmallDropdown, [&] { return SmallDropdown(pal); }},
        {img::kReportRateDark, [&] { return Pill(pal, buttonW, kz7::kReportRateStopHeight, false, 1); }},
        {img::kReportRateLight, [&] { return Pill(pal, buttonW, kz7::kReportRateStopHeight, true, 1); }},
        {img::kDpiDark, [&] { return DpiCell(pal, false); }},
        {img::kDpiLight, [&] { return DpiCell(pal, true); }},
        {img::kCheckBox, [&] { return CheckBox(pal, false); }},
        {img::kCheckBoxTicked, [&] { return CheckBox(pal, true); }},
        {img::kPointerDark, [&] { return Pill(pal, kz7::kPointerCellWidth, kz7::kPointerCellHeight, false, 1.5); }},
        {img::kPointerLight, [&] { return Pill(pal, kz7::kPointerCellWidth, kz7::kPointerCellHeight, true, 1.5); }},
        {img::kComboDialog, [&] { return ComboKeyDialog(pal); }},
        {img::kDelayDialog, [&] { return DelayTimeDialog(pal); }},
        {img::kFireDialog, [&] { return FireKeyDialog(pal); }},
        {img::kMacroDialog, [&] { return MacroKeyDialog(pal); }},
        {img::kMediaDialog, [&] { return MediaDialog(pal, false); }},
        {img::kSingleDialog, [&] { return SingleKeyDialog(pal); }},
        {img::kLaunchDialog, [&] { return MediaDialog(pal, true); }},
        {img::kSkinsDialog, [&] { return SkinsDialog(pal); }},
    };
    static_assert(std::size(pieces) == img::kAll.size(), "every skin file is painted");
    bool ok = true;
    for (const auto& [name, paint] : pieces) ok = Save(paint(), dir, name) && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: kz7-skin-painter OUTPUT_DIR [emerald|crimson]\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const std::string_view palette = argc == 3 ? argv[2] : "emerald";
    if (palette != "emerald" && palette != "crimson") {
        std::fprintf(stderr, "kz7-skin-painter: unknown palette %s\n", argv[2]);
        return 2;
    }
    return PaintSkin(palette == "crimson" ? CrimsonPalette() : EmeraldPalette(), dir) ? 0 : 1;
}
