// kz7ctl commands that read and write config.bin without a mouse.
#include <cstdio>
#include <cstring>
#include <ostream>
#include <span>

#include "cli/cli.h"
#include "cli/config_show.h"
#include "config/atomic_file.h"
#include "config/starter_config.h"
#include "device/hex_format.h"
#include "device/key_action.h"

namespace kz7::cli {

namespace {

std::optional<ConfigImage> ReadImageFor(CliContext& ctx, std::size_t fileArg, std::filesystem::path& path) {
    path = ctx.ConfigFileArg(fileArg);
    std::string why;
    auto image = ReadConfigImage(path, &why);
    if (!image) ctx.Fail(why);
    return image;
}

int RunInit(CliContext& ctx) {
    if (ctx.args.positional.size() != 1) return ctx.Fail("usage: kz7ctl init FILE");
    const std::filesystem::path path = ctx.args.positional[0];
    const auto image = ConfigFileImage(0, StarterConfig());
    if (const int code = WriteFileAtomically(path, image.data(), image.size()); code != 0) {
        return ctx.Fail("cannot write " + path.string() + ": " + std::strerror(code));
    }
    return 0;
}

int RunShow(CliContext& ctx) {
    if (ctx.args.positional.size() > 1) return ctx.Fail("usage: kz7ctl show [--json] [--sensor N] [FILE]");
    std::uint8_t sensor = 0;
    if (auto value = ctx.args.Value("--sensor")) {
        const std::optional<int> type = ParseSensorType(*value);
        if (!type) return ctx.Fail(SensorTypeHelp("--sensor"));
        sensor = static_cast<std::uint8_t>(*type);
    }
    std::filesystem::path path;
    const auto image = ReadImageFor(ctx, 0, path);
    if (!image) return 1;
    if (ctx.args.Has("--json")) ShowConfigJson(ctx.out, *image);
    else ShowConfigText(ctx.out, path, *image, sensor);
    return 0;
}

int RunMatrices(CliContext& ctx) {
    if (ctx.args.positional.size() > 1) return ctx.Fail("usage: kz7ctl matrices [FILE]");
    std::filesystem::path path;
    const auto image = ReadImageFor(ctx, 0, path);
    if (!image) return 1;
    const auto matrices = BuildKeyMatrices(image->config);
    for (int n = 0; n < kMatrixCount; ++n) {
        ctx.out << "matrix " << n + 1 << ": " << HexBytes(MatrixBytes(matrices[n])) << "\n";
    }
    return 0;
}

const CliCommand kCommands[] = {
    {"init", "FILE", "write a complete default config.bin (first-run flag 0)", {}, RunInit},
    {"show", "[FILE]", "decode every field of a config.bin",
     {{"--json", "", "every field as a JSON document"},
      {"--sensor", "N", "the DPI labels of sensor type N (0 to 3; default 0)"}},
     RunShow},
    {"matrices", "[FILE]", "the four key matrices as the mouse receives them", {}, RunMatrices},
};

const RegisterCommands kRegistered(kCommands);

}  // namespace

}  // namespace kz7::cli
