#include "dsp/FirFilter.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <new>
#include <optional>
#include <vector>

#include "data/CKalvoData.h"
#include "formats/FormatHelpers.h"
#include "formats/NumberText.h"
#include "platform/CPlatform.h"
#include "platform/CProgress.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

// Reads lines in pieces of at most 79 characters, as a text-mode read into
// an 80-character buffer does: a longer line is read in pieces, each of which
// counts as a line. CR LF counts as a line end.
class CPieceReader {
public:
    explicit CPieceReader(std::FILE* file) : m_file(file) {}
    // False when nothing is left to read.
    bool Next(std::string& piece) {
        piece.clear();
        while (piece.size() < 79) {
            int c = std::getc(m_file);
            if (c == EOF) break;
            if (c == '\r') {
                int next = std::getc(m_file);
                if (next == '\n')
                    c = '\n';
                else if (next != EOF)
                    std::ungetc(next, m_file);
            }
            piece += static_cast<char>(c);
            if (c == '\n') break;
        }
        return !piece.empty();
    }

private:
    std::FILE* m_file;
};

struct CFileCloser {
    std::FILE* f;
    ~CFileCloser() {
        if (f) std::fclose(f);
    }
};

bool Fail(StringId message) {
    ErrorBox(LoadString(message));
    return false;
}

}  // namespace

bool FirFilterFile(const std::string& path, CKalvoData& data) {
    std::FILE* f = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
    if (!f || !CanOpenFile(path)) {
        if (f) std::fclose(f);
        ErrorBox(FormatString(IDS_CANNOT_OPEN_FILE, path));
        return false;
    }
    CFileCloser closer{f};
    CPieceReader reader(f);
    std::string line;

    reader.Next(line);
    const char* p = line.data();
    const char* end = p + line.size();
    while (p < end && IsScanSpace(*p)) ++p;
    int64_t taps = 0;
    if (p >= end || !ScanInt64(p, end, taps) || taps < 1) return Fail(IDS_FIR_NO_TAP_COUNT);

    // The taps are gathered as the lines come, so a count larger than the
    // file can hold asks for no memory before the file runs out.
    std::vector<double> a, b;
    try {
        for (int64_t i = 0; i < taps; ++i) {
            if (!reader.Next(line)) return Fail(IDS_FIR_FEWER_TAPS);
            double v[2];
            int n = ScanDoubles(line.data(), line.data() + line.size(), v, 2, false);
            double ta = n >= 1 ? v[0] : 0.0;
            double tb = n >= 2 ? v[1] : ta;
            a.push_back(ta);
            b.push_back(tb);
        }
    } catch (const std::bad_alloc&) {
        return Fail(IDS_FIR_NO_MEMORY);
    }
    if (std::ferror(f)) {
        ErrorBox(FormatString(IDS_READ_ERROR, path));
        return false;
    }
    std::fclose(f);
    closer.f = nullptr;

    const int32_t n = data.GetCount();
    if (taps > std::numeric_limits<int32_t>::max() - static_cast<int64_t>(n)) return Fail(IDS_FIR_NO_MEMORY);
    const int32_t t = static_cast<int32_t>(taps);
    const int32_t total = n + t;
    CDataColumn& ci = data.Inphase();
    CDataColumn& cq = data.Quadrature();
    const int32_t oldI = ci.GetSize();
    const int32_t oldQ = cq.GetSize();
    std::vector<double> delayI, delayQ;
    try {
        delayI.assign(2 * static_cast<size_t>(t), 0.0);
        delayQ.assign(2 * static_cast<size_t>(t), 0.0);
        ci.SetSize(std::max(oldI, total));
        cq.SetSize(std::max(oldQ, total));
    } catch (const std::bad_alloc&) {
        ci.SetSize(oldI);
        cq.SetSize(oldQ);
        return Fail(IDS_FIR_NO_MEMORY);
    }

    // Delay lines as doubled ring buffers: x[k] = delay[pos + k] for k < T,
    // so each output is one contiguous sum from k = 0 upwards.
    size_t pos = 0;
    double* pi = ci.GetWritableData();
    double* pq = cq.GetWritableData();
    const double* ta = a.data();
    const double* tb = b.data();
    for (int32_t i = 0; i < total; ++i) {
        if ((i & 0x3FFF) == 0x3FFF) ReportProgress(static_cast<uint64_t>(i), static_cast<uint64_t>(total));
        pos = pos == 0 ? static_cast<size_t>(t) - 1 : pos - 1;
        double xi = i < n ? pi[i] : 0.0;
        double xq = i < n ? pq[i] : 0.0;
        delayI[pos] = delayI[pos + static_cast<size_t>(t)] = xi;
        delayQ[pos] = delayQ[pos + static_cast<size_t>(t)] = xq;
        const double* di = delayI.data() + pos;
        const double* dq = delayQ.data() + pos;
        double yi = 0.0, yq = 0.0;
        for (int32_t k = 0; k < t; ++k) {
            yi += di[k] * ta[k];
            yq += dq[k] * tb[k];
        }
        pi[i] = yi;
        pq[i] = yq;
    }
    data.ResetRange();
    return true;
}

bool FilterTimeData(CKalvoData& timeData, std::string& filterPath) {
    static std::string lastName;  // for the rest of the run
    std::optional<std::string> chosen =
        Platform().Files().GetOpenFileName({}, LoadString(IDS_FIR_FILTER_FILTER), lastName);
    if (!chosen) return false;
    lastName = FileNamePart(*chosen);
    filterPath = *chosen;
    if (chosen->empty()) return Fail(IDS_FIR_NO_NAME);
    SetStatusText(LoadString(IDS_FIR_FILTERING));
    CWaitCursor wait;
    CProgress progress;
    if (!FirFilterFile(filterPath, timeData)) return Fail(IDS_FIR_BAD_FILE);
    return true;
}

}  // namespace kv
