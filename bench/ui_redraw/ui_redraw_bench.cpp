// Redraw of the basic page's background with the window frame (title-bar
// buttons, tabs, OK / Apply / Cancel, title and web address), the drawing a
// page change or a skin change starts with.
//
// Baseline: the same drawing with every image read from disk and decoded
// again, as a toolkit without an image cache does it. Measured in the same run;
// the ratio is printed at the end.
//
//   kz7_bench_ui_redraw [--skins DIR] [google benchmark flags]

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "ui/layout/advanced_page_zones.h"
#include "ui/layout/basic_page_zones.h"
#include "ui/layout/dialog_zones.h"
#include "ui/layout/frame_zones.h"
#include "ui/layout/window_sizes.h"
#include "skins/skin_images.h"
#include "ui/skin_toolkit.h"

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
        const auto cached = times_.find("BM_RedrawFromCache");
        const auto reloaded = times_.find("BM_RedrawReloadingEveryImage");
        if (cached == times_.end() || reloaded == times_.end() || cached->second <= 0) return;
        std::printf("\nredraw of page and frame: %.0f us from the cache, %.0f us reloading every image "
                    "(baseline); the cache is %.1fx faster\n",
                    cached->second, reloaded->second, reloaded->second / cached->second);
    }

private:
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
