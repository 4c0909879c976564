#include "formats/CodeFormats.h"

#include <cctype>
#include <cmath>

#include "data/CAsmOpts.h"
#include "data/CDataColumn.h"
#include "data/COptionsC.h"
#include "formats/FormatHelpers.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

void WriteCArray(const COptionsC& options, std::FILE* file, int32_t n, const CDataColumn& column,
                 const std::string& suffix, const std::string& upperName) {
    WriteTextLine(file, options.m_strType + " " + options.m_strName + suffix + "[" + upperName + "_LENGTH] = {");
    for (int32_t i = 0; i < n; ++i) {
        std::string line = FormatReal("   %15.12lf", column[i]) + options.m_strSuffix;
        if (i + 1 < n) line += ",";
        WriteTextLine(file, line);
    }
    WriteTextLine(file, "};");
    WriteLineEnd(file);
}

std::string Equate(const std::string& name, const char* label, const std::string& value) {
    if (name.empty()) return {};
    return name + "_" + label + "   .equ   " + value;
}

// Rounds half away from zero to a position of the graph, or -1 when the value
// has no position (not finite).
long GraphPosition(double v, double smallest, double largest, int d) {
    double pos = d - d * (v - smallest) / (largest - smallest);
    if (!std::isfinite(pos)) return -1;
    pos = std::round(pos);
    if (pos < 0 || pos > d) return -1;
    return static_cast<long>(pos);
}

}  // namespace

void WriteCArrays(const COptionsC& options, std::FILE* file, int32_t n, const CDataColumn& inphase,
                  const CDataColumn* quadrature) {
    std::string upper = options.m_strName;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    WriteTextLine(file, "#define " + upper + "_LENGTH " + std::to_string(n));
    WriteLineEnd(file);
    WriteCArray(options, file, n, inphase, quadrature ? "_I" : "", upper);
    if (quadrature) {
        WriteLineEnd(file);
        WriteCArray(options, file, n, *quadrature, "_Q", upper);
    }
}

std::string TiAsmDataLine(const CAsmOpts& options, double x, double smallest, double largest) {
    double scaled = std::round(x * 32768.0);
    long m = !(scaled >= -32768.0) ? -32768 : scaled > 32767.0 ? 32767 : static_cast<long>(scaled);
    if (std::isnan(x)) m = 0;
    std::string decimal = FormatInteger(static_cast<int32_t>(m), 10, 6);
    std::string hex = "0" + FormatInteger(static_cast<int32_t>(static_cast<uint16_t>(m)), 16, 4) + "h";
    std::string text;
    switch (options.m_nDataFormat) {
        case 1:
            text = ".hex " + hex;
            if (options.m_bShowOther) text += "      ; = " + decimal;
            break;
        case 2: text = ".float " + FormatReal("%14.9lf", x); break;
        default:
            text = ".int " + decimal;
            if (options.m_bShowOther) text += "      ; = " + hex;
            break;
    }
    if (options.m_nDataFormat != 2 && options.m_bShowFloat) {
        if (text.find(';') == std::string::npos) text += "      ; ";
        text += "   " + FormatReal("%9.6lf", static_cast<double>(m) / 32768.0);
    }
    std::string line = "   " + text;
    if (options.m_bShowGraph) {
        if (line.find(';') == std::string::npos) line += "      ; ";
        line += std::string(11, ' ');
        int d = 78 - static_cast<int>(line.size()) - 2;
        if (largest != smallest && d >= 0) {
            std::string graph(static_cast<size_t>(d) + 1, ' ');
            long zero = GraphPosition(0.0, smallest, largest, d);
            long star = GraphPosition(x, smallest, largest, d);
            if (zero >= 0) graph[static_cast<size_t>(zero)] = '|';
            if (star >= 0) graph[static_cast<size_t>(star)] = '*';
            line += graph;
        }
    }
    return line;
}

void WriteTiAsm(const CAsmOpts& options, std::FILE* file, int32_t n, const CDataColumn& inphase,
                const CDataColumn* quadrature) {
    double smallest = 0.0, largest = 0.0;
    bool first = true;
    auto take = [&](const CDataColumn& c) {
        for (int32_t i = 0; i < n; ++i) {
            double v = c[i];
            if (first) {
                smallest = largest = v;
                first = false;
            } else if (v < smallest) {
                smallest = v;
            } else if (v > largest) {
                largest = v;
            }
        }
    };
    take(inphase);
    if (quadrature) take(*quadrature);

    if (!options.m_strInitialText.empty()) {
        WriteTextLine(file, options.m_strInitialText);
        WriteLineEnd(file);
    }
    if (options.m_bShowLength) WriteTextLine(file, Equate(options.m_strName, "LENGTH", std::to_string(n)));
    if (options.m_bShowRatio && !options.m_strRatio.empty())
        WriteTextLine(file, Equate(options.m_strName, "RATIO ", options.m_strRatio));
    WriteLineEnd(file);
    auto dataLines = [&](const CDataColumn& c) {
        for (int32_t i = 0; i < n; ++i) WriteTextLine(file, TiAsmDataLine(options, c[i], smallest, largest));
    };
    if (quadrature) {
        WriteTextLine(file, options.m_strName + "_COEFFS_I:");
        dataLines(inphase);
        WriteLineEnd(file);
        WriteTextLine(file, options.m_strName + "_COEFFS_Q:");
        dataLines(*quadrature);
    } else {
        WriteTextLine(file, options.m_strName + "_COEFFS:");
        dataLines(inphase);
    }
    WriteTextLine(file, options.m_strFinalText);
}

}  // namespace kv
