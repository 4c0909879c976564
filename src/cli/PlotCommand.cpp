#include "cli/PlotCommand.h"

#include <cstdio>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "app/CKalvoraDoc.h"
#include "cli/CCliDoc.h"
#include "cli/CCliPlatform.h"
#include "cli/CliAnswers.h"
#include "cli/FrequencySteps.h"

#ifdef KALVORA_CLI_PLOT
#include "qt/CGuiSession.h"
#include "qt/PlotRendering.h"
#endif

namespace kv {

namespace {

struct CPlotViewArgs {
    bool xRange = false, yRange = false, logX = false, logY = false;
    double xFrom = 0, xTo = 0, yFrom = 0, yTo = 0;
    int colors = 0;
    double scale = 1.0;
    std::vector<double> markers;
};

int32_t Choice(const std::string& option, const std::string& value, const std::vector<std::string>& names) {
    for (size_t i = 0; i < names.size(); ++i)
        if (value == names[i]) return static_cast<int32_t>(i);
    std::string list;
    for (size_t i = 0; i < names.size(); ++i) list += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    throw CUsageError{"--" + option + ": '" + value + "' is not " + list};
}

void ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    int64_t w = 0, h = 0;
    if (x == std::string::npos || !ParseInteger(text.substr(0, x), w) || !ParseInteger(text.substr(x + 1), h) ||
        w < 16 || h < 16 || w > 20000 || h > 20000)
        throw CUsageError{"--size: '" + text + "' is not WIDTHxHEIGHT, each from 16 to 20000 pixels"};
    width = static_cast<int>(w);
    height = static_cast<int>(h);
}

// "A:B" with A < B, both finite.
void ParseRange(const std::string& option, const std::string& text, double& from, double& to) {
    // The separator is the first colon that is not the start of the text.
    const size_t colon = text.find(':', 1);
    if (colon == std::string::npos || !ParseReal(text.substr(0, colon), from) ||
        !ParseReal(text.substr(colon + 1), to) || !std::isfinite(from) || !std::isfinite(to) || !(from < to))
        throw CUsageError{"--" + option + ": '" + text + "' is not FROM:TO with FROM below TO"};
}

int RunPlot(const CCliArgs& args, CCliPlatform& platform) {
    args.RequirePositionals(2, 2, "IN and OUT files");
    const std::string out = AbsolutePath(args.Positionals()[1]);
    std::string suffix = std::filesystem::path(out).extension().string();
    for (char& c : suffix) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (suffix != ".png" && suffix != ".svg") throw CUsageError{"OUT must end in .png or .svg"};
    const bool frequency = Choice("domain", args.Text("domain", "time"), {"time", "frequency"}) == 1;
    int32_t type = -1;
    if (args.Has("type"))
        type = Choice("type", args.Text("type", ""), {"inphase", "quadrature", "iq", "magnitude", "phase", "polar"});
    const int32_t style =
        Choice("style", args.Text("style", "auto"), {"auto", "line", "dot", "linedot", "bar", "stem", "vline", "stair"});
    if (args.Has("db") && args.Has("linear")) throw CUsageError{"give --db or --linear, not both"};
    int width = 1200, height = 800;
    if (auto size = args.Value("size")) ParseSize(*size, width, height);
    const CWindowChoice window = ParseWindow(args);
    CPlotViewArgs view;
    if (auto r = args.Value("x-range")) {
        ParseRange("x-range", *r, view.xFrom, view.xTo);
        view.xRange = true;
    }
    if (auto r = args.Value("y-range")) {
        ParseRange("y-range", *r, view.yFrom, view.yTo);
        view.yRange = true;
    }
    view.logX = args.Has("log-x");
    view.logY = args.Has("log-y");
    if (view.logX && view.xRange && !(view.xFrom > 0))
        throw CUsageError{"--x-range: a log X axis needs values above 0"};
    if (view.logY && view.yRange && !(view.yFrom > 0))
        throw CUsageError{"--y-range: a log Y axis needs values above 0"};
    view.colors = Choice("colors", args.Text("colors", "classic"), {"classic", "dark"}) == 1 ? 2 : 0;
    if (auto sc = args.Value("scale")) {
        if (!ParseReal(*sc, view.scale) || !(view.scale >= 0.25 && view.scale <= 8))
            throw CUsageError{"--scale: '" + *sc + "' is not a number from 0.25 to 8"};
        if (width * view.scale > 20000 || height * view.scale > 20000)
            throw CUsageError{"--scale: the picture would be larger than 20000 pixels"};
    }

    for (const std::string& m : args.Values("marker")) {
        double x = 0;
        if (!ParseReal(m, x) || !std::isfinite(x)) throw CUsageError{"--marker: '" + m + "' is not a number"};
        view.markers.push_back(x);
    }
    if (view.markers.size() > 4) throw CUsageError{"--marker: a plot has at most four markers"};

    if (!frequency && (args.Has("window") || args.Has("length")))
        throw CUsageError{"--window and --length apply to --domain frequency"};

#ifndef KALVORA_CLI_PLOT
    (void)platform;
    (void)type;
    (void)style;
    (void)view;
    throw CCommandFailure{"this kalvora-cli was built without Qt: it cannot draw plots"};
#else
    CCliDoc doc;
    CSpectrumOptions spectrum;
    doc.SetTitle(FileStem(args.Positionals()[0]));
    ApplySamplingFrequency(doc, platform, args);
    if (frequency) {
        SetDecibelReference(doc, platform, args);
        SetTransformOptions(spectrum.m_TransOpt, platform, args);
        if (platform.Refused()) return CLI_USAGE;
    }
    if (!ReadTime(doc, platform, args, false)) return CommandStatus(platform, false);
    ApplySamplingFrequency(doc, platform, args);
    if (frequency) {
        if (!WindowAndTransform(doc, spectrum, platform, window)) return CommandStatus(platform, false);
        doc.UpdateDbReference();
    }
    CKalvoData& data = frequency ? doc.m_FreqData : doc.m_TimeData;

    CPlotRenderOptions options;
    options.m_nType = type;
    options.m_nStyle = style;
    options.m_bHistogram = args.Has("histogram");
    options.m_nDb = args.Has("db") ? 1 : args.Has("linear") ? 0 : -1;
    options.m_strTitle = args.Text("title", "");
    options.m_bXRange = view.xRange;
    options.m_dXFrom = view.xFrom;
    options.m_dXTo = view.xTo;
    options.m_bYRange = view.yRange;
    options.m_dYFrom = view.yFrom;
    options.m_dYTo = view.yTo;
    options.m_bLogX = view.logX;
    options.m_bLogY = view.logY;
    options.m_nColors = view.colors;
    options.m_dScale = view.scale;
    options.m_Markers = view.markers;

    CGuiSession gui;
    if (!gui.Usable()) throw CCommandFailure{"no graphical application could be started to draw the plot"};
    // Drawn under a temporary name beside OUT, which it replaces when complete.
    const std::filesystem::path target(out);
    std::string temp = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX" + suffix)).string();
    const int fd = mkstemps(temp.data(), static_cast<int>(suffix.size()));
    if (fd < 0) throw CCommandFailure{"cannot create \"" + out + "\""};
    // The picture gets the old file's permissions, or the usual ones.
    struct stat st {};
    if (stat(out.c_str(), &st) == 0) {
        fchmod(fd, st.st_mode & 07777);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        fchmod(fd, 0666 & ~mask);
    }
    close(fd);
    std::string error;
    bool drawn = false;
    RunGuarded([&] { drawn = RenderPlotToFile(data, options, width, height, temp, &error); });
    if (!drawn || std::rename(temp.c_str(), out.c_str()) != 0) {
        std::remove(temp.c_str());
        throw CCommandFailure{error.empty() ? "cannot write \"" + out + "\"" : error};
    }
    return CommandStatus(platform, true);
#endif
}

std::vector<COptionDef> PlotOptions() {
    std::vector<COptionDef> options = {{"domain", true}, {"type", true},  {"histogram", false}, {"style", true},
                                        {"db", false},    {"linear", false}, {"size", true},     {"title", true},
                                        {"window", true}, {"length", true}, {"ref", true},       {"real-sine", false},
                                        {"min-db", true}, {"fs", true},     {"units", true},
                                        {"x-range", true}, {"y-range", true}, {"log-x", false}, {"log-y", false},
                                        {"colors", true}, {"scale", true}, {"marker", true}};
    AddReadOptions(options);
    return options;
}

}  // namespace

const CCliCommand& PlotCommand() {
    static const CCliCommand command{
        "plot", "render a plot of a signal file to PNG or SVG",
        "Usage: kalvora-cli plot [options] IN OUT\n"
        "\n"
        "Reads IN as Time Data and draws the program's plot of it (or of its transform) into OUT, a\n"
        "PNG or SVG picture, without a window.\n"
        "\n"
        "  --from NAME, --complex, --q-in FILE, --q-from NAME   how IN is read (as for convert)\n"
        "  --domain time|frequency   plot the Time Data (default) or its transform; for frequency\n"
        "                     --window, --length, --ref, --real-sine and --min-db apply as for stats\n"
        "  --type inphase|quadrature|iq|magnitude|phase|polar   what is plotted (default: as the\n"
        "                     program chooses for the data)\n"
        "  --histogram        a histogram of the values instead\n"
        "  --style auto|line|dot|linedot|bar|stem|vline|stair   trace style (default auto)\n"
        "  --db, --linear     magnitude in decibels or linear\n"
        "  --size WxH         picture size in pixels (default 1200x800)\n"
        "  --title TEXT       main title (default: the name of the data)\n"
        "  --x-range A:B      show X from A to B (a horizontal zoom; seconds, or the time or\n"
        "                     frequency unit of --units), the Y axis scaled to what is shown\n"
        "  --y-range A:B      show Y from A to B\n"
        "  --log-x, --log-y   logarithmic X or Y axis\n"
        "  --colors classic|dark   colour scheme (default classic: white background)\n"
        "  --scale S          a PNG of S times the pixels, laid out as at scale 1 (default 1)\n"
        "  --marker X         a marker on the sample nearest to X (in the unit of the X axis;\n"
        "                     up to four, repeat the option); the marker table is drawn in\n"
        "                     the plot, the first marker the reference of the others\n"
        "  --fs VALUE, --units Hz|kHz|MHz|GHz   sampling frequency\n"
        "\n"
        "Examples:\n"
        "  kalvora-cli plot --complex capture.txt capture.png\n"
        "  kalvora-cli plot --complex --domain frequency --window bh7 --type magnitude --db \\\n"
        "      --fs 100 --units MHz --title \"ADC spectrum\" capture.txt spectrum.svg\n",
        PlotOptions(), RunPlot};
    return command;
}

}  // namespace kv
