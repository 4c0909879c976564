#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "CFuzzInput.h"
#include "CFuzzPlatform.h"
#include "FuzzTargets.h"
#include "ShownData.h"
#include "app/CModDoc.h"
#include "platform/CArchive.h"
#include "platform/CMemFile.h"

namespace kv::fuzz {

namespace {

std::vector<unsigned char> Store(CModDoc& doc) {
    CMemFile file(4096);
    CArchive ar(file, CArchive::Mode::Store);
    doc.Serialize(ar);
    ar.Close();
    return std::vector<unsigned char>(file.Data(), file.Data() + file.GetLength());
}

// A project written by the program reads back to the same stored members,
// so what it writes after a reopen is what it wrote before.
void CheckSaveAndReopen(CModDoc& doc) {
    const std::vector<unsigned char> first = Store(doc);
    CModDoc again;
    CMemFile file(4096);
    file.Write(first.data(), first.size());
    file.SeekToBegin();
    CArchive ar(file, CArchive::Mode::Load);
    again.Serialize(ar);
    ar.Close();
    const std::vector<unsigned char> second = Store(again);
    if (first != second) {
        size_t at = 0;
        while (at < first.size() && at < second.size() && first[at] == second[at]) ++at;
        std::fprintf(stderr, "a saved project reads back differently: %zu and %zu bytes, first difference at %zu\n",
                     first.size(), second.size(), at);
        std::abort();
    }
}

// The commands a user may run on the opened project, with its stored option
// sets as the dialogs show them (every dialog pressed OK): window,
// transforms both ways, the Time Data operations, the statistics, the
// waveform and the signal generator. Sizes the project asks for are kept to
// what a fuzzing run can afford (4096 points: every factor the transform
// splits a length into, at a few milliseconds a command).
void RunCommands(CFuzzPlatform& platform, CModDoc& doc) {
    constexpr int32_t kMost = 1 << 12;
    platform.SetPressOk(true);
    const bool small = doc.m_TimeData.GetCount() <= kMost && doc.m_FreqData.GetCount() <= kMost &&
                       doc.m_TransOpt.m_nLength <= kMost;
    if (small) {
        for (int code : {OP_WINDOW, OP_TO_FREQ, OP_FREQ_STATS, OP_FREQ_LIST, OP_TO_TIME, OP_REMOVE_DC, OP_RECTIFY,
                         OP_CONJUGATE, OP_SCALE, OP_MIX})
            doc.RunOperation(code);
    }
    if (doc.m_Generate.m_nSamples <= kMost) doc.RunOperation(OP_GENERATE);
    // Files the project names are read only below the project's folder: an
    // absolute name could be a device or pipe of the machine running this.
    const bool ownFiles = !doc.m_Audio.m_strAudioFile.starts_with('/') &&
                          !doc.m_IFFilter.m_strInphaseFilter.starts_with('/') &&
                          !doc.m_IFFilter.m_strQuadratureFilter.starts_with('/');
    if (ownFiles && doc.m_Samp.m_nSampleCount <= static_cast<uint32_t>(kMost)) doc.GenerateSignal();
    platform.SetPressOk(false);
}

}  // namespace

void FuzzProject(const uint8_t* data, size_t size, CFuzzOutcome& outcome) {
    CFuzzInput& input = CFuzzInput::Instance();
    const std::string path = input.Write("project.kvp", data, size);
    {
        CFuzzPlatform platform;
        const uint8_t last = size > 0 ? data[size - 1] : 0;
        const uint8_t before = size > 1 ? data[size - 2] : 0;
        // The preferred plot types of the settings, as a user may have them.
        platform.SetPreferredPlot(before % 7, (before / 7) % 7, 0);
        CModDoc doc;
        // As the desktop program opens a project: a plot window first, then
        // the file, then a plot of each non-empty data under its saved name.
        platform.CreatePlotView(doc);
        if (doc.OpenProject(path)) {
            outcome.shown = true;
            CheckSaveAndReopen(doc);
            for (CKalvoData* shown : {&doc.m_FreqData, &doc.m_TimeData}) {
                if (shown->IsEmpty()) continue;
                doc.m_strSourceTitle = shown->m_strName;
                doc.OpenPlot(0, false, *shown);
            }
            PaintEveryPlot(platform, last % 48 + 48 * (before / 49));
            GatherStatistics(doc);
            if (last & 0x80) {
                RunCommands(platform, doc);
                GatherStatistics(doc);
                PaintEveryPlot(platform, last / 2);
            }
        }
        outcome.messages = platform.m_Messages;
        platform.CloseViews();
    }
    input.RestoreDirectory();
}

}  // namespace kv::fuzz
