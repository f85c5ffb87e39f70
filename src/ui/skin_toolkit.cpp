#include "ui/skin_toolkit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImageReader>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QWidget>

#include <algorithm>
#include <filesystem>

#include "skins/skin_settings.h"
#include "ui/widgets/control.h"

namespace kz7::ui {

// ---- Skin folders ----------------------------------------------------------

QString ApplicationSkinsRoot() {
    const std::filesystem::path exeDir(QCoreApplication::applicationDirPath().toStdString());
    return QString::fromStdString(ChooseSkinsRoot(exeDir).string());
}

QString SkinFolderUnder(const QString& skinsRoot, const QString& skinName) {
    const std::filesystem::path root(skinsRoot.toStdString());
    return QString::fromStdString(SkinFolderFor(root, skinName.toStdString()).string());
}

// ---- Text --------------------------------------------------------------------

int AlignmentFlags(TextFormat format) {
    switch (format) {
        case TextFormat::TopLeft: return Qt::AlignLeft | Qt::AlignTop;
        case TextFormat::CenteredTop: return Qt::AlignHCenter | Qt::AlignTop;
        case TextFormat::Left: return Qt::AlignLeft | Qt::AlignVCenter;
        case TextFormat::Centered: return Qt::AlignCenter;
        case TextFormat::Right: return Qt::AlignRight | Qt::AlignVCenter;
        case TextFormat::Wrapped: return Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        case TextFormat::WrappedLeft: return Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
        case TextFormat::WrappedCentred: return Qt::AlignCenter | Qt::TextWordWrap;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QFont PixelFont(const QString& family, int pixelHeight, bool bold) {
    QFont font(family);
    font.setPixelSize(pixelHeight);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    // The layouts give a font's height as its whole character cell (ascent plus
    // descent), not its em size; shrink the em until the cell fits.
    const double cell = QFontMetricsF(font).height();
    if (cell > pixelHeight) {
        font.setPixelSize(std::max(1, static_cast<int>(pixelHeight * pixelHeight / cell + 0.5)));
    }
    return font;
}

QFont FitToWidth(const QFont& font, const QString& text, int width) {
    const int size = font.pixelSize();
    if (size <= 0 || QFontMetrics(font).horizontalAdvance(text) <= width) return font;
    QFont smaller = font;
    const int smallest = (size * kSmallestFitPercent + 99) / 100;
    for (int pixels = size - 1; pixels >= smallest; --pixels) {
        smaller.setPixelSize(pixels);
        if (QFontMetrics(smaller).horizontalAdvance(text) <= width) return smaller;
    }
    return smaller;
}

QRect ToRect(const HotZone& zone) {
    return QRect(zone.left, zone.top, zone.Width(), zone.Height());
}

// ---- Images ------------------------------------------------------------------

QImage DecodeSkinImage(const QString& path) {
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) return image;
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage SkinImageCache::Find(const QString& path) {
    if (!caching_) return DecodeSkinImage(path);
    if (auto found = images_.constFind(path); found != images_.constEnd()) return found.value();
    QImage image = DecodeSkinImage(path);
    if (!image.isNull()) images_.insert(path, image);
    return image;
}

void SkinImageCache::SetCachingEnabled(bool enabled) {
    caching_ = enabled;
    images_.clear();
}

void Skin::SetFolder(const QString& folder) {
    folder_ = folder;
    cache_.Clear();
}

QString Skin::PathOf(std::string_view name) const {
    if (name == skin_image::kSmallDropdownLowerCase) name = skin_image::kSmallDropdown;
    return folder_ + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QImage Skin::Image(std::string_view name) { return cache_.Find(PathOf(name)); }

// ---- Drawing pass --------------------------------------------------------------

DrawingPass::DrawingPass(SkinSurface& surface) : surface_(surface) {
    if (surface_.HasCanvas()) painter_.begin(&surface_.Canvas());
}

DrawingPass::~DrawingPass() {
    if (!painter_.isActive()) return;
    painter_.end();
    surface_.Window()->update();
    emit surface_.CanvasChanged();
}

bool DrawingPass::DrawImage(std::string_view name, int x, int y) {
    if (!Active()) return false;
    const QImage image = surface_.CurrentSkin().Image(name);
    if (image.isNull()) {
        surface_.ReportMissingImage();
        return false;
    }
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.drawImage(QPoint(x, y), image);
    return true;
}

void DrawingPass::DrawText(const QString& text, const HotZone& rect, TextFormat format,
                           const QFont& font, QColor color) {
    if (!Active() || text.isEmpty()) return;
    painter_.save();
    if ((AlignmentFlags(format) & Qt::TextWordWrap) != 0) {
        painter_.setFont(font);
        painter_.setPen(color);
        painter_.setClipRect(ToRect(rect));
        painter_.drawText(ToRect(rect), AlignmentFlags(format), text);
        painter_.restore();
        return;
    }
    const QFont fitted = FitToWidth(font, text, rect.Width());
    painter_.setFont(fitted);
    painter_.setPen(color);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setClipRect(ToRect(rect));
    int alignment = AlignmentFlags(format);
    // A text too wide for its rectangle shows its beginning, not a middle cut at both ends.
    if ((alignment & (Qt::AlignHCenter | Qt::AlignRight)) != 0 &&
        QFontMetrics(fitted).horizontalAdvance(text) > rect.Width()) {
        alignment = (alignment & ~Qt::AlignHorizontal_Mask) | Qt::AlignLeft;
    }
    painter_.drawText(ToRect(rect), alignment | Qt::TextSingleLine, text);
    painter_.restore();
}

void DrawingPass::DrawLabel(const QString& text, const HotZone& rect, TextFormat format) {
    DrawText(text, rect, format, surface_.SmallFont(), surface_.CurrentSkin().TextColor());
}

void DrawingPass::FillRect(const HotZone& rect, QColor color) {
    if (Active()) painter_.fillRect(ToRect(rect), color);
}

// ---- Surface -------------------------------------------------------------------

SkinSurface::SkinSurface(QWidget* window, Skin& skin, MissingImage missingImage,
                         Prompter* prompter)
    : QObject(window),
      window_(window),
      skin_(skin),
      missingImage_(missingImage),
      prompter_(prompter),
      smallFont_(PixelFont(QStringLiteral("Arial"), 14, false)) {
    window_->setMouseTracking(true);
    window_->installEventFilter(this);
    hoverTimer_.setSingleShot(true);
    hoverTimer_.setInterval(kHoverDelayMs);
    connect(&hoverTimer_, &QTimer::timeout, this, [this] { PointerRestedAt(lastPointer_); });
}

bool SkinSurface::LoadCanvas(std::string_view backgroundName) {
    // The canvas is the window's own picture, never shared with the cache.
    QImage image = DecodeSkinImage(skin_.PathOf(backgroundName));
    if (image.isNull()) {
        canvas_ = QImage();
        return false;
    }
    canvas_ = image.convertToFormat(QImage::Format_RGB32);
    window_->resize(canvas_.size());
    window_->update();
    return true;
}

void SkinSurface::SetControls(std::vector<const ControlList*> lists) {
    flags_.Clear();
    controls_ = std::move(lists);
}

std::vector<Control*> SkinSurface::HoverControls() const {
    std::vector<Control*> controls;
    for (const ControlList* list : controls_) {
        for (Control* control : list->Controls()) {
            if (control->Hovers()) controls.push_back(control);
        }
    }
    return controls;
}

std::vector<HoverTarget> SkinSurface::TargetsOf(const std::vector<Control*>& controls) {
    std::vector<HoverTarget> targets;
    targets.reserve(controls.size());
    for (const Control* control : controls) targets.push_back({control->Zone(), control->HoverGroup()});
    return targets;
}

bool SkinSurface::IsHighlighted(const Control& control) const {
    const std::vector<Control*> controls = HoverControls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i] == &control) return flags_.IsSet(i);
    }
    return false;
}

void SkinSurface::PointerMovedTo(QPoint point) {
    const std::vector<Control*> controls = HoverControls();
    if (controls.empty() && !flags_.AnySet()) return;
    lastPointer_ = point;
    const std::vector<HoverTarget> targets = TargetsOf(controls);
    if (HoverTargetAt(targets, point.x(), point.y())) {
        hoverTimer_.start();
        return;
    }
    hoverTimer_.stop();
    const HoverFlags::Redraw redraw = flags_.OnMove(targets, point.x(), point.y());
    if (redraw.Empty()) return;
    DrawingPass pass(*this);
    for (std::size_t i : redraw.toNormal) controls[i]->Draw(pass, false);
}

void SkinSurface::PointerRestedAt(QPoint point) {
    const std::vector<Control*> controls = HoverControls();
    const HoverFlags::Redraw redraw = flags_.OnHover(TargetsOf(controls), point.x(), point.y());
    if (redraw.Empty()) return;
    DrawingPass pass(*this);
    if (redraw.toOver) controls[*redraw.toOver]->Draw(pass, true);
    for (std::size_t i : redraw.toNormal) controls[i]->Draw(pass, false);
}

void SkinSurface::ReportMissingImage() {
    if (missingImage_ == MissingImage::Report && prompter_ != nullptr) {
        prompter_->ShowMessage(kLoadImageFailedText, "");
    }
}

bool SkinSurface::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) return false;
    switch (event->type()) {
        case QEvent::Paint: {
            if (!HasCanvas()) return false;
            QPainter painter(window_);
            const QRect area = static_cast<QPaintEvent*>(event)->rect();
            painter.drawImage(area, canvas_, area);
            return true;
        }
        case QEvent::MouseMove:
            PointerMovedTo(static_cast<QMouseEvent*>(event)->position().toPoint());
            return false;
        case QEvent::Leave:
            // A pointer that left before resting highlights nothing; a zone
            // already lit stays lit until the pointer comes back elsewhere.
            hoverTimer_.stop();
            return false;
        default:
            return false;
    }
}

}  // namespace kz7::ui
