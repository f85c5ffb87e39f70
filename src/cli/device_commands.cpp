// kz7ctl commands that talk to the mouse (or to the simulated one).
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <cstdio>
#include <iostream>
#include <memory>
#include <mutex>
#include <ostream>
#include <thread>

#include "cli/cli.h"
#include "cli/desktop_choice.h"
#include "cli/device_access.h"
#include "config/config_file.h"
#include "config/record_labels.h"
#include "device/command_set.h"
#include "device/device_link.h"
#include "device/dpi_tables.h"
#include "device/hex_format.h"
#include "device/scramble_key.h"
#include "device/wire_trace.h"
#include "locale/language.h"
#include "platform/linux/hidraw_backend.h"
#include "platform/linux/interrupt_wait.h"
#include "platform/linux/precise_pauser.h"
#include "pointer/memory_pointer_backend.h"
#include "session/apply_session.h"
#include "session/connect.h"
#include "sim/virtual_mouse.h"
#include "skins/button_labels.h"

namespace kz7::cli {

namespace {

// The mouse as every device command reaches it: the real one through hidraw
// or the simulated one, optionally with every transfer traced to stdout.
class DeviceSession {
public:
    explicit DeviceSession(CliContext& ctx) : ctx_(ctx) {}

    // Builds the backend and the link; false (with the reason printed) on bad options.
    bool Prepare() {
        paths_ = ctx_.Paths();
        std::string error;
        const auto key = ResolveScrambleKey(ctx_.args.Value("--key"), paths_.folder, &error);
        if (!key) return Refuse(error);

        HidBackend* backend = nullptr;
        if (ctx_.args.Has("--simulate")) {
            VirtualMouse::Options options;
            options.key = *key;
            if (auto simKey = ctx_.args.Value("--sim-key")) {
                const auto parsed = ParseScrambleKey(*simKey);
                if (!parsed) return Refuse("--sim-key takes twelve hex digits");
                options.key = *parsed;
            }
            if (auto sensor = ctx_.args.Value("--sim-sensor")) {
                const std::optional<int> type = ParseSensorType(*sensor);
                if (!type) return Refuse(SensorTypeHelp("--sim-sensor"));
                options.sensorType = static_cast<std::uint8_t>(*type);
            }
            if (ctx_.args.Has("--sim-plain")) options.dialect = VirtualMouse::Dialect::Plain;
            mouse_ = std::make_unique<VirtualMouse>(options);
            backend = mouse_.get();
        } else {
            for (std::string_view simOnly : {"--sim-sensor", "--sim-key"}) {
                if (ctx_.args.Value(simOnly)) return Refuse(std::string(simOnly) + " needs --simulate");
            }
            for (std::string_view simOnly : {"--sim-plain", "--sim-events"}) {
                if (ctx_.args.Has(simOnly)) return Refuse(std::string(simOnly) + " needs --simulate");
            }
            hidraw_ = std::make_unique<linux_platform::HidrawBackend>();
            backend = hidraw_.get();
        }
        Pauser* pauser = &sleeper_;
        if (ctx_.args.Has("--trace")) {
            std::ostream& out = ctx_.out;
            trace_ = std::make_unique<WireTrace>([&out](std::string_view line) { out << line << '\n' << std::flush; });
            tracingBackend_ = std::make_unique<TracingBackend>(*backend, *trace_);
            tracingPauser_ = std::make_unique<TracingPauser>(sleeper_, *trace_);
            backend = tracingBackend_.get();
            pauser = tracingPauser_.get();
        }
        link_ = std::make_unique<DeviceLink>(*backend, *pauser);
        link_->SetScrambleKey(*key);
        return true;
    }

    // FindDevice and Handshake; false with the reason printed.
    bool Connect() {
        const LinkResult result = kz7::Connect(*link_);
        if (!result.Connected()) return Refuse(LinkFailureText(result));
        return true;
    }

    bool Refuse(const std::string& reason) {
        ctx_.Fail(reason);
        return false;
    }

    DeviceLink& Link() { return *link_; }
    VirtualMouse* Mouse() { return mouse_.get(); }
    const DataPaths& Paths() const { return paths_; }

private:
    CliContext& ctx_;
    DataPaths paths_;
    std::unique_ptr<VirtualMouse> mouse_;
    std::unique_ptr<HidBackend> hidraw_;
    std::unique_ptr<WireTrace> trace_;
    std::unique_ptr<TracingBackend> tracingBackend_;
    linux_platform::PrecisePauser sleeper_;
    std::unique_ptr<TracingPauser> tracingPauser_;
    std::unique_ptr<DeviceLink> link_;  // last: closed before what it uses
};

std::string Hex4(unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%04x", value & 0xFFFFu);
    return buffer;
}

std::string CollectionRole(const HidInterfaceInfo& info) {
    if (info.usagePage == kCommandUsagePage && info.usage == kCommandUsage) return "command collection";
    if (info.usagePage == kEventUsagePage && info.usage == kEventUsage) return "event collection";
    return "other collection";
}

std::string RateText(int intervalMs) {
    const int hz = ReportRateHz(static_cast<std::uint8_t>(intervalMs));
    if (hz) return std::to_string(hz) + " Hz";
    return "unknown (interval " + std::to_string(intervalMs) + ")";
}

int RunList(CliContext& ctx) {
    if (!ctx.args.positional.empty()) return ctx.Fail("usage: kz7ctl list");
    DeviceSession session(ctx);
    if (!session.Prepare()) return 1;
    DeviceLink& link = session.Link();
    const LinkResult found = link.FindDevice();
    for (const HidInterfaceInfo& info : link.MouseInterfaces()) {
        ctx.out << CollectionRole(info) << " " << Hex4(info.usagePage) << "/" << Hex4(info.usage) << "  "
                << info.path << "  feature " << info.featureReportLength << ", input "
                << info.inputReportLength << ", output " << info.outputReportLength << "\n";
    }
    if (!found.Connected()) return ctx.Fail(LinkFailureText(found));
    if (!link.EventCollectionOpen()) ctx.out << "no event collection: mouse events will not be heard\n";
    if (const LinkResult verdict = link.Handshake(); !verdict.Connected()) return ctx.Fail(LinkFailureText(verdict));
    ctx.out << "handshake: accepted, scrambling on\n";
    return 0;
}

int RunStatus(CliContext& ctx) {
    if (!ctx.args.positional.empty()) return ctx.Fail("usage: kz7ctl status");
    DeviceSession session(ctx);
    if (!session.Prepare() || !session.Connect()) return 1;
    DeviceLink& link = session.Link();
    ctx.out << "handshake: accepted, scrambling on\n";
    const DeviceStatus s = link.StatusExchange();
    const DeviceImages& images = link.Images();
    const DeviceStatus& w = images.status;
    ctx.out << "status bytes: " << HexBytes(std::array<std::uint8_t, 4>{s.sensorType, s.rate, s.option1, s.option2})
            << " (written back as "
            << HexBytes(std::array<std::uint8_t, 4>{w.sensorType, w.rate, w.option1, w.option2}) << ")\n";
    ctx.out << "sensor type: " << int(images.activeSensorType);
    if (DpiTableSize(images.activeSensorType) == 0) ctx.out << " (unknown: no DPI table)";
    ctx.out << "\nreport rate: " << RateText(s.rate) << "\n";
    ctx.out << "DPI levels:";
    for (int level = 0; level < DpiTableSize(images.activeSensorType); ++level) {
        ctx.out << (level ? ", " : " ") << link.DpiLabel(level);
    }
    ctx.out << "\n";
    return 0;
}

int RunApply(CliContext& ctx) {
    if (!ctx.args.positional.empty()) return ctx.Fail("usage: kz7ctl apply");
    return ApplySavedConfig(ctx);
}

}  // namespace

int ApplySavedConfig(CliContext& ctx) {
    DeviceSession session(ctx);
    if (!session.Prepare()) return 1;
    // A demonstration must not change the desktop's pointer settings.
    std::unique_ptr<PointerBackend> desktop;
    if (session.Mouse()) {
        if (ctx.args.Value("--desktop")) return ctx.Fail("--desktop needs a real mouse, not --simulate");
        desktop = std::make_unique<MemoryPointerBackend>();
    } else if (desktop = ChooseDesktopBackend(ctx); !desktop) {
        return 1;
    }
    const DataPaths& paths = session.Paths();
    ConfigModel model;
    if (LoadConfig(paths.config, model, ctx.prompter) != LoadResult::Loaded) {
        return ctx.Fail("cannot apply: " + paths.config.string() + " is missing or not a config.bin");
    }
    if (!session.Connect()) return 1;
    const UiLanguage language = SystemUiLanguage();
    ButtonLabels labels = LoadButtonLabels(paths.settings, language);
    SystemPointer pointer(*desktop, ctx.prompter, StderrPointerNotice(ctx));
    ApplySession apply({session.Link(), model, paths, language, labels, pointer, ctx.prompter});
    apply.FirstDeviceRead();
    const ApplyOutcome outcome = apply.Apply();
    if (!outcome.mouseWritten) {
        return ctx.Fail(outcome.configSaved ? "not every setting reached the mouse; " + paths.config.string() +
                                                  " was saved"
                                            : "not every setting reached the mouse, and " + paths.config.string() +
                                                  " was not saved");
    }
    if (!outcome.configSaved) return ctx.Fail("the mouse was written but " + paths.config.string() + " was not saved");
    if (!outcome.Ok()) return ctx.Fail("the mouse was written and config.bin saved, but not everything else: see above");
    return 0;
}

std::optional<std::uint8_t> ConnectedSensorType(CliContext& ctx) {
    DeviceSession session(ctx);
    if (!session.Prepare() || !session.Connect()) return std::nullopt;
    session.Link().StatusExchange();
    return session.Link().Images().activeSensorType;
}

namespace {

std::string EventText(DeviceEvent event, int value, const DeviceLink& link,
                      const std::optional<DeviceConfig>& config) {
    switch (event) {
        case DeviceEvent::ReportRate: return "report rate " + RateText(value);
        case DeviceEvent::DpiStage: {
            std::string text = "DPI stage " + std::to_string(value);
            if (config && value >= 1 && value <= kDpiStages) {
                const auto label = link.DpiLabel(config->dpiLevel[value - 1]);
                if (!label.empty()) text += " (" + std::string(label) + " DPI)";
            }
            return text;
        }
        case DeviceEvent::KeyMatrixSwitch: return "key matrix " + std::to_string(value);
        case DeviceEvent::MacroKey: return "macro key " + std::to_string(value);
        case DeviceEvent::MouseAccepted: return "mouse connected and accepted";
        case DeviceEvent::NoMouse: return "no usable mouse";
    }
    return {};
}

int RunListen(CliContext& ctx) {
    if (!ctx.args.positional.empty()) return ctx.Fail("usage: kz7ctl listen");
    std::optional<long> seconds;
    if (auto value = ctx.args.Value("--for")) {
        char* end = nullptr;
        const long parsed = std::strtol(value->c_str(), &end, 10);
        if (value->empty() || *end || parsed < 0) return ctx.Fail("--for takes a number of seconds");
        seconds = parsed;
    }
    linux_platform::BlockInterruptSignals();  // before any thread starts
    DeviceSession session(ctx);
    if (!session.Prepare() || !session.Connect()) return 1;
    DeviceLink& link = session.Link();
    link.StatusExchange();

    // The stage labels come from the record's DPI levels, as the window shows them.
    std::optional<DeviceConfig> config;
    if (auto image = ReadConfigImage(session.Paths().config, nullptr)) config = image->config;

    // Everything that wakes this thread: device changes from the watcher,
    // the end of the wait (nullopt), and events printed by the listener.
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::optional<DeviceChange>> pending;
    int delivered = 0;
    link.SetEventCallback([&](DeviceEvent event, int value) {
        std::lock_guard lock(mutex);
        ctx.out << EventText(event, value, link, config) << "\n" << std::flush;
        ++delivered;
        wake.notify_all();
    });
    link.StartListener();

    std::unique_ptr<DeviceWatcher> watcher;
    if (VirtualMouse* mouse = session.Mouse()) watcher = mouse->MakeWatcher();
    else watcher = std::make_unique<linux_platform::UdevDeviceWatcher>();
    std::string watchError;
    const bool watching = watcher->Start(
        [&](const DeviceChange& change) {
            std::lock_guard lock(mutex);
            pending.push_back(change);
            wake.notify_all();
        },
        &watchError);
    if (!watching) ctx.err << "kz7ctl: plugging and unplugging will go unnoticed: " << watchError << "\n";
    ctx.out << "listening (Ctrl+C to stop)\n" << std::flush;

    std::thread waiter;
    if (VirtualMouse* mouse = session.Mouse(); mouse && ctx.args.Has("--sim-events")) {
        // A short demonstration: four events the program reports, and two it ignores.
        mouse->SendEvent(ReportCode(DeviceEvent::ReportRate), 2);
        mouse->SendEvent(ReportCode(DeviceEvent::DpiStage), 2);
        mouse->SendEvent(6, 1);
        mouse->SendEventReport({5, ReportCode(DeviceEvent::KeyMatrixSwitch), 0, 1});
        mouse->SendEvent(ReportCode(DeviceEvent::KeyMatrixSwitch), 2);
        mouse->SendEvent(ReportCode(DeviceEvent::MacroKey), 3);
        std::unique_lock lock(mutex);
        wake.wait_for(lock, std::chrono::seconds(5), [&] { return delivered >= 4; });
    } else {
        waiter = std::thread([&] {
            linux_platform::WaitForInterrupt(seconds ? std::chrono::milliseconds(*seconds * 1000)
                                                     : std::chrono::milliseconds(-1));
            std::lock_guard lock(mutex);
            pending.push_back(std::nullopt);
            wake.notify_all();
        });
        // Device changes are handled here, on the thread that owns the link.
        for (;;) {
            std::unique_lock lock(mutex);
            wake.wait(lock, [&] { return !pending.empty(); });
            const auto next = pending.front();
            pending.pop_front();
            if (!next) break;
            lock.unlock();
            link.OnDeviceChange(*next);
        }
        waiter.join();
    }
    watcher->Stop();
    link.CloseLink();
    return 0;
}

const CliCommand kCommands[] = {
    {"list", "", "every interface of the mouse with collection, path and report lengths", WithDeviceOptions(),
     RunList},
    {"status", "", "handshake, status bytes, sensor type and its DPI labels", WithDeviceOptions(), RunStatus},
    {"apply", "", "write config.bin to the mouse, save it and the labels, apply the pointer settings",
     WithDeviceOptions({kDesktopOption}), RunApply},
    {"listen", "", "print the mouse's event reports until interrupted",
     WithDeviceOptions({{"--sim-events", "", "the simulated mouse sends a few events, then the command ends"},
                        {"--for", "SECONDS", "stop after SECONDS (default: at Ctrl+C)"}}),
     RunListen},
};

const RegisterCommands kRegistered(kCommands);

}  // namespace

std::vector<CliOption> WithDeviceOptions(std::vector<CliOption> extra) {
    std::vector<CliOption> options = {
        {"--simulate", "", "work against the built-in simulated mouse instead of the real one"},
        {"--sim-sensor", "N", "the simulated mouse's sensor type (0 to 3)"},
        {"--sim-plain", "", "the simulated mouse answers without scrambling"},
        {"--sim-key", "HEX12", "the simulated mouse's scramble key"},
        {"--key", "HEX12", "the scramble key (default: the data folder's scramble.key, else zero)"},
        {"--trace", "", "print every transfer to and from the mouse"},
    };
    options.insert(options.end(), extra.begin(), extra.end());
    return options;
}

}  // namespace kz7::cli
