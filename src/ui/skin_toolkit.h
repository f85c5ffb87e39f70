#pragma once

// The skinned drawing toolkit shared by the main window and every sub-dialog:
// where a skin's images are found, a decoded-image cache, the window canvas,
// the drawing pass with its image and text primitives, and hover highlighting.
//
// Typical use in a window:
//
//   kz7::ui::SkinSurface surface(this, skin, kz7::ui::MissingImage::Skip);
//   surface.LoadCanvas(kz7::skin_image::kMain);          // window takes its size
//   surface.SetControls({&frameControls, &pageControls}); // hover comes from these
//   {
//       kz7::ui::DrawingPass pass(surface);
//       pass.DrawImage(kz7::skin_image::kBasicPage, 0, 0);
//       pass.DrawText("Basic Settings", kz7::frame::kPageTitle,
//                     kz7::ui::TextFormat::Left, largeFont, Qt::white);
//       frameControls.DrawAll(pass);
//   }                                                    // one refresh of the window

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTimer>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/prompter.h"
#include "skins/hot_zone.h"
#include "skins/hover_flags.h"
#include "skins/skin_images.h"

class QWidget;

namespace kz7::ui {

// ---- Skin folders ----------------------------------------------------------

// The skins root of the running program (the rule lives in skins/skin_settings.h).
QString ApplicationSkinsRoot();
// The folder of the named skin under a root, by the same rule.
QString SkinFolderUnder(const QString& skinsRoot, const QString& skinName);

// ---- Text --------------------------------------------------------------------

// The text layouts the skinned windows use, valued as the classic DrawText flags.
enum class TextFormat : unsigned {
    TopLeft = 0x20,        // single line from the top-left corner
    CenteredTop = 0x21,    // centred horizontally, from the top (slider captions)
    Left = 0x24,           // left, vertically centred (titles, drop-down texts)
    Centered = 0x25,       // centred both ways (button and section labels)
    Right = 0x26,          // right, vertically centred (captions left of a control)
    Wrapped = 0x10,        // broken into lines at word ends, from the top-left corner
    WrappedLeft = 0x14,    // the same, the block of lines vertically centred
    WrappedCentred = 0x15, // the same, each line centred, the block vertically centred
};
int AlignmentFlags(TextFormat format);

// A UI font of the given character-cell height in pixels (ascent plus descent,
// as the layouts measure fonts), so texts fit the rectangles they are given.
QFont PixelFont(const QString& family, int pixelHeight, bool bold);

// A text a little too wide for its rectangle is written a little smaller
// (down to this share of its size) rather than cut.
inline constexpr int kSmallestFitPercent = 80;
QFont FitToWidth(const QFont& font, const QString& text, int width);

QRect ToRect(const HotZone& zone);

// ---- Images ------------------------------------------------------------------

// Decoded skin images keyed by full path, premultiplied for alpha blending.
// Reading and decoding a PNG costs far more than drawing it, and a page draws
// dozens of them on every change; the cache is emptied whenever the skin
// changes so that a new skin shows at once.
class SkinImageCache {
public:
    // The image at path, loaded on first use; a null image when it cannot be
    // loaded. Failures are not remembered, so a file that appears later is
    // found. The result shares the cached pixels (no copy is made).
    QImage Find(const QString& path);
    void Clear() { images_.clear(); }
    // With caching off every Find reads the file again (used to measure the cache).
    void SetCachingEnabled(bool enabled);
    int Size() const { return static_cast<int>(images_.size()); }

private:
    QHash<QString, QImage> images_;
    bool caching_ = true;
};

// Decodes a PNG for drawing: any format becomes premultiplied 32-bit ARGB, so
// a fully transparent pixel draws nothing and an opaque one replaces the canvas.
QImage DecodeSkinImage(const QString& path);

// The current skin: its name and folder, the UI text colour, and the cache of
// its images. One per process; every skinned window draws from it.
class Skin {
public:
    Skin() = default;
    explicit Skin(QString folder) : folder_(std::move(folder)) {}

    // The name str.ini keeps: the skin's subfolder of the skins root, empty
    // for the default skin. Only the skins dialog and str.ini read it; the
    // images come from Folder().
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    const QString& Folder() const { return folder_; }
    // Changing the folder drops every cached image of the old skin.
    void SetFolder(const QString& folder);
    // Full path of a skin image; name begins with "/". The lower-case spelling
    // of the small drop-down box maps to its real file name.
    QString PathOf(std::string_view name) const;
    QImage Image(std::string_view name);

    QColor TextColor() const { return textColor_; }
    void SetTextColor(QColor color) { textColor_ = color; }

    SkinImageCache& Cache() { return cache_; }

private:
    std::string name_;
    QString folder_;
    QColor textColor_{0, 255, 0};
    SkinImageCache cache_;
};

// ---- Canvas, drawing pass, hover ----------------------------------------------

// What a window does when one of its images cannot be loaded: the main window
// leaves a gap; sub-dialogs tell the user.
enum class MissingImage { Skip, Report };
inline constexpr std::string_view kLoadImageFailedText = "LoadPng---Load image failed.";

class SkinSurface;

// One drawing pass into a window's canvas. Everything drawn lands in the
// canvas; when the pass ends the window is refreshed once from it. Without a
// canvas the pass draws nothing.
class DrawingPass {
public:
    explicit DrawingPass(SkinSurface& surface);
    ~DrawingPass();
    DrawingPass(const DrawingPass&) = delete;
    DrawingPass& operator=(const DrawingPass&) = delete;

    bool Active() const { return painter_.isActive(); }

    // Draws the skin image at (x, y) at its natural size with per-pixel alpha.
    // False when the file cannot be loaded (reported in sub-dialogs).
    bool DrawImage(std::string_view name, int x, int y);
    bool DrawImage(std::string_view name, const HotZone& zone) {
        return DrawImage(name, zone.left, zone.top);
    }
    // Text with a transparent background, placed in the rectangle by the
    // format and cut at its edges, so that a long label never runs over the
    // control beside it. A text slightly too wide is written smaller first
    // (FitToWidth); one that still does not fit shows its beginning.
    void DrawText(const QString& text, const HotZone& rect, TextFormat format, const QFont& font,
                  QColor color);
    // Text in the surface's small font and the skin's text colour.
    void DrawLabel(const QString& text, const HotZone& rect, TextFormat format);
    void FillRect(const HotZone& rect, QColor color);

    QPainter& Painter() { return painter_; }
    SkinSurface& Surface() { return surface_; }

private:
    SkinSurface& surface_;
    QPainter painter_;
};

class Control;
class ControlList;

// The skinned face of one window: its canvas, the skin it draws from, the
// controls in force with their hover flags, and the event handling that
// shows the canvas and highlights the control under a resting pointer.
// Attach one to a QWidget or QDialog; the window routes its clicks itself
// (ControlList::ClickAt).
class SkinSurface : public QObject {
    Q_OBJECT
public:
    SkinSurface(QWidget* window, Skin& skin, MissingImage missingImage,
                Prompter* prompter = nullptr);

    // Loads the background as the canvas and resizes the window to it. False
    // (and no canvas, so nothing is ever drawn) when it cannot be loaded.
    bool LoadCanvas(std::string_view backgroundName);
    bool HasCanvas() const { return !canvas_.isNull(); }
    const QImage& Canvas() const { return canvas_; }
    QImage& Canvas() { return canvas_; }

    QWidget* Window() const { return window_; }
    Skin& CurrentSkin() const { return skin_; }
    MissingImage MissingImagePolicy() const { return missingImage_; }
    Prompter* MessagePrompter() const { return prompter_; }

    // Small font for labels (button captions, hover labels).
    void SetSmallFont(const QFont& font) { smallFont_ = font; }
    const QFont& SmallFont() const { return smallFont_; }

    // The controls in force, in drawing order (the frame's, then a page's);
    // none while nothing is drawn. Called for every drawing of the whole
    // window, which shows every control unlit, so the hover flags start anew.
    void SetControls(std::vector<const ControlList*> lists);
    const HoverFlags& Flags() const { return flags_; }
    // Whether the control at a position among the hover controls is highlighted.
    bool IsHighlighted(const Control& control) const;

    // The pointer moved to / rested at a client point. Called from the window's
    // events; public so that tests can drive them without a timer.
    void PointerMovedTo(QPoint point);
    void PointerRestedAt(QPoint point);

    // How long the pointer must rest in a zone before it is highlighted.
    static constexpr int kHoverDelayMs = 10;

signals:
    // Emitted after a drawing pass refreshed the window.
    void CanvasChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class DrawingPass;
    void ReportMissingImage();
    // The controls that highlight, in order, and their targets.
    std::vector<Control*> HoverControls() const;
    static std::vector<HoverTarget> TargetsOf(const std::vector<Control*>& controls);

    QWidget* window_;
    Skin& skin_;
    MissingImage missingImage_;
    Prompter* prompter_;
    QImage canvas_;
    QFont smallFont_;
    std::vector<const ControlList*> controls_;
    HoverFlags flags_;
    QTimer hoverTimer_;
    QPoint lastPointer_;
};

}  // namespace kz7::ui
