// Three drawings of the main window, each beside its baseline:
//  - the basic page's background with the window frame (title-bar buttons,
//    tabs, OK / Apply / Cancel, title and web address), the drawing a page
//    change or a skin change starts with;
//  - the whole basic page with all its controls over the starter
//    configuration, as every edit draws it;
//  - a hover change between two button-function boxes (one drawn lit, the
//    other back to normal);
//  - the whole advanced page with a record.ini of twelve macros, a 60-line
//    macro selected;
//  - a mouse event chosen from that page's chooser: inserted into the 60
//    lines, the line list refilled and the page drawn again.
//
// Baseline: the same drawing with every image read from disk and decoded
// again, as a toolkit without an image cache does it. Measured in the same run;
// the ratios are printed at the end.
//
//   kz7_bench_ui_redraw [--skins DIR] [google benchmark flags]

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/layout/advanced_page_zones.h"
#include "ui/layout/basic_page_zones.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/frame_zones.h"
#include "ui/layout/window_sizes.h"
#include "config/prompter.h"
#include "config/starter_config.h"
#include "pages/advanced_page_model.h"
#include "pages/basic_page_model.h"
#include "pointer/memory_pointer_backend.h"
#include "pages/dialog_runner.h"
#include "skins/button_labels.h"
#include "skins/skin_images.h"
#include "ui/pages/advanced_page_view.h"
#include "ui/pages/basic_page_view.h"
#include "ui/widgets/dropdown_box.h"
#include "ui/skin_toolkit.h"
#include "ui/ui_text.h"

namespace {

using kz7::ui::DrawingPass;
using kz7::ui::TextFormat;
namespace img = kz7::skin_image;

QString gSkinsDir = QStringLiteral(KZ7_SKINS_DIR);

void DrawPageWithFrame(kz7::ui::SkinSurface& surface, const QFont& largeFont) {
    DrawingPass pass(surface);
    pass.DrawImage(img::kBasicPage, 0, 0);
    pass.DrawImage(img::kSkinsNormal, kz7::frame::kSkins);
    pass.DrawImage(img::kMinimiseNormal, kz7::frame::kMinimise);
    pass.DrawImage(img::kCloseNormal, kz7::frame::kClose);
    pass.DrawImage(img::kBasicTabNormal, kz7::frame::kBasicTab);
    pass.DrawImage(img::kAdvancedTabNormal, kz7::frame::kAdvancedTab);
    const std::pair<kz7::HotZone, QString> buttons[] = {{kz7::frame::kOk, QStringLiteral("OK")},
                                                        {kz7::frame::kApply, QStringLiteral("Apply")},
                                                        {kz7::frame::kCancel, QStringLiteral("Cancel")}};
    for (const auto& [zone, label] : buttons) {
        pass.DrawImage(img::kButtonNormal, zone);
        pass.DrawLabel(label, zone, TextFormat::Centered);
    }
    pass.DrawLabel(QStringLiteral("https://example.com/"), kz7::frame::kWebLink, TextFormat::Centered);
    pass.DrawText(QStringLiteral("Basic Settings"), kz7::frame::kPageTitle, TextFormat::Left, largeFont,
                  Qt::white);
}

void Redraw(benchmark::State& state, bool cached) {
    kz7::ui::Skin skin(gSkinsDir);
    skin.Cache().SetCachingEnabled(cached);
    QWidget window;
    kz7::ui::SkinSurface surface(&window, skin, kz7::ui::MissingImage::Skip);
    if (!surface.LoadCanvas(img::kMain)) {
        state.SkipWithError("no skin: build the default_skins target first or pass --skins DIR");
        return;
    }
    const QFont largeFont = kz7::ui::PixelFont(QStringLiteral("Tahoma"), 18, true);
    DrawPageWithFrame(surface, largeFont);  // fills the cache once, as the first page drawing does
    for (auto _ : state) {
        DrawPageWithFrame(surface, largeFont);
        benchmark::DoNotOptimize(surface.Canvas().constBits());
    }
}

void BM_RedrawFromCache(benchmark::State& state) { Redraw(state, true); }
void BM_RedrawReloadingEveryImage(benchmark::State& state) { Redraw(state, false); }
BENCHMARK(BM_RedrawFromCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawReloadingEveryImage)->Unit(benchmark::kMicrosecond);

// The basic page as the window holds it: its model over the starter record.
struct BasicPageRig {
    explicit BasicPageRig(bool cached) : skin(gSkinsDir), surface(&window, skin, kz7::ui::MissingImage::Skip) {
        skin.Cache().SetCachingEnabled(cached);
        model.config = kz7::StarterConfig();
        kz7::SetDefaultLabels(labels, kz7::UiLanguage::English);
        const kz7::ui::UiFonts fonts = kz7::ui::UiFontsFor(kz7::UiLanguage::English);
        surface.SetSmallFont(fonts.small);
        view = std::make_unique<kz7::ui::BasicPageView>(
            page, kz7::ui::PageLook{kz7::UiLanguage::English, fonts.large, fonts.small},
            kz7::ui::BasicPageView::Parts{&window, &prompter, &dialogs, [] { return std::uint8_t{0}; }});
        ready = surface.LoadCanvas(img::kMain);
        surface.SetControls({&view->Controls()});
        view->Entered();
        Draw();  // fills the cache once, as the first page drawing does
    }
    void Draw() {
        DrawingPass pass(surface);
        view->Draw(pass);
    }

    QWidget window;
    kz7::ui::Skin skin;
    kz7::ui::SkinSurface surface;
    kz7::ConfigModel model;
    kz7::ButtonLabels labels;
    kz7::BasicPageModel page{model, labels, kz7::UiLanguage::English};
    kz7::RecordingPrompter prompter;
    kz7::ScriptedDialogRunner dialogs;
    std::unique_ptr<kz7::ui::BasicPageView> view;
    bool ready = false;
};

// A whole page drawn again and again, as every edit draws it.
template <typename Rig>
void FullPage(benchmark::State& state, bool cached) {
    Rig rig(cached);
    if (!rig.ready) {
        state.SkipWithError("no skin: build the default_skins target first or pass --skins DIR");
        return;
    }
    for (auto _ : state) {
        rig.Draw();
        benchmark::DoNotOptimize(rig.surface.Canvas().constBits());
    }
}

void FunctionBoxHover(benchmark::State& state, bool cached) {
    BasicPageRig rig(cached);
    if (!rig.ready) {
        state.SkipWithError("no skin: build the default_skins target first or pass --skins DIR");
        return;
    }
    const kz7::HotZone boxes[] = {kz7::basic::FunctionBox(1), kz7::basic::FunctionBox(2)};
    int next = 0;
    for (auto _ : state) {
        const kz7::HotZone& box = boxes[next];
        next = 1 - next;
        rig.surface.PointerRestedAt(QPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2));
        benchmark::DoNotOptimize(rig.surface.Canvas().constBits());
    }
}

void BM_BasicPageFromCache(benchmark::State& state) { FullPage<BasicPageRig>(state, true); }
void BM_BasicPageReloadingEveryImage(benchmark::State& state) { FullPage<BasicPageRig>(state, false); }
void BM_BoxHoverFromCache(benchmark::State& state) { FunctionBoxHover(state, true); }
void BM_BoxHoverReloadingEveryImage(benchmark::State& state) { FunctionBoxHover(state, false); }
BENCHMARK(BM_BasicPageFromCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BasicPageReloadingEveryImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BoxHoverFromCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BoxHoverReloadingEveryImage)->Unit(benchmark::kMicrosecond);

// The advanced page as the window holds it, over a record.ini of twelve
// macros; the last one, of 60 lines, is selected.
struct AdvancedPageRig {
    explicit AdvancedPageRig(bool cached) : skin(gSkinsDir), surface(&window, skin, kz7::ui::MissingImage::Skip) {
        skin.Cache().SetCachingEnabled(cached);
        model.config = kz7::StarterConfig();
        const std::string record = folder.filePath(QStringLiteral("record.ini")).toStdString();
        {
            std::ofstream out(record);
            for (int m = 0; m < kz7::kMacroCount; ++m) {
                const int count = m == kz7::kMacroCount - 1 ? 60 : 6;
                out << "[macro " << m + 1 << "]\nItemCount=" << count << "\n";
                for (int i = 0; i < count; ++i) {
                    out << "Item" << i << "=" << (i % 2 == 1 ? "50 ms" : (i % 4 == 0 ? "A   Dn" : "A   Up")) << "\n";
                }
            }
        }
        page = std::make_unique<kz7::AdvancedPageModel>(model, pointer, record, prompter, kz7::UiLanguage::English);
        const kz7::ui::UiFonts fonts = kz7::ui::UiFontsFor(kz7::UiLanguage::English);
        surface.SetSmallFont(fonts.small);
        view = std::make_unique<kz7::ui::AdvancedPageView>(
            *page, kz7::ui::PageLook{kz7::UiLanguage::English, fonts.large, fonts.small},
            kz7::ui::AdvancedPageView::Parts{&window, &dialogs, nullptr, [] { return QColor(0x2c, 0xe5, 0x7a); }});
        view->SetRedraw([this] { Draw(); });
        view->SetControlRedraw([this](kz7::ui::Control& control) {
            DrawingPass pass(surface);
            control.Draw(pass, false);
        });
        ready = surface.LoadCanvas(img::kMain);
        surface.SetControls({&view->Controls()});
        view->Entered();
        view->MacroList()->setCurrentRow(kz7::kMacroCount - 1);
        lines = page->Macros().lineList;
        Draw();  // fills the cache once, as the first page drawing does
    }
    void Draw() {
        DrawingPass pass(surface);
        view->Draw(pass);
    }
    QWidget window;
    QTemporaryDir folder;
    kz7::ui::Skin skin;
    kz7::ui::SkinSurface surface;
    kz7::ConfigModel model;
    kz7::MemoryPointerBackend desktop;
    kz7::RecordingPrompter prompter;
    kz7::SystemPointer pointer{desktop, prompter};
    kz7::ScriptedDialogRunner dialogs;
    std::unique_ptr<kz7::AdvancedPageModel> page;
    std::unique_ptr<kz7::ui::AdvancedPageView> view;
    std::vector<std::string> lines;
    bool ready = false;
};

void MouseEventInsertion(benchmark::State& state, bool cached) {
    AdvancedPageRig rig(cached);
    if (!rig.ready) {
        state.SkipWithError("no skin: build the default_skins target first or pass --skins DIR");
        return;
    }
    kz7::ui::DropdownBox& chooser = rig.view->MouseEventChooser();
    for (auto _ : state) {
        state.PauseTiming();
        // The same 60 lines each time, a pause in the middle selected, the chooser open.
        rig.page->Macros().lineList = rig.lines;
        rig.page->Macros().selectedLine = 29;
        chooser.Open();
        QListWidget* list = chooser.List();
        state.ResumeTiming();
        emit list->itemClicked(list->item(1));  // "R-Button Click"
        benchmark::DoNotOptimize(rig.surface.Canvas().constBits());
    }
}

void BM_AdvancedPageFromCache(benchmark::State& state) { FullPage<AdvancedPageRig>(state, true); }
void BM_AdvancedPageReloadingEveryImage(benchmark::State& state) { FullPage<AdvancedPageRig>(state, false); }
void BM_MouseEventFromCache(benchmark::State& state) { MouseEventInsertion(state, true); }
void BM_MouseEventReloadingEveryImage(benchmark::State& state) { MouseEventInsertion(state, false); }
BENCHMARK(BM_AdvancedPageFromCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AdvancedPageReloadingEveryImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MouseEventFromCache)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MouseEventReloadingEveryImage)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's time per iteration for the closing ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n");
        Ratio("redraw of page background and frame", "BM_RedrawFromCache", "BM_RedrawReloadingEveryImage");
        Ratio("full basic page with its controls (target under 2000 us)", "BM_BasicPageFromCache",
              "BM_BasicPageReloadingEveryImage");
        Ratio("hover change of a function box (target under 300 us)", "BM_BoxHoverFromCache",
              "BM_BoxHoverReloadingEveryImage");
        Ratio("full advanced page, 12 macros, 60 lines shown (target under 2000 us)", "BM_AdvancedPageFromCache",
              "BM_AdvancedPageReloadingEveryImage");
        Ratio("a mouse event inserted into 60 lines (target under 1000 us)", "BM_MouseEventFromCache",
              "BM_MouseEventReloadingEveryImage");
    }

private:
    void Ratio(const char* what, const char* cachedName, const char* reloadedName) const {
        const auto cached = times_.find(cachedName);
        const auto reloaded = times_.find(reloadedName);
        if (cached == times_.end() || reloaded == times_.end() || cached->second <= 0) return;
        std::printf("%s: %.0f us from the cache, %.0f us reloading every image (baseline); %.1fx faster\n", what,
                    cached->second, reloaded->second, reloaded->second / cached->second);
    }

    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--skins") == 0 && i + 1 < argc) {
            gSkinsDir = QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                   : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(count, args.data());
    benchmark::Initialize(&count, args.data());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
