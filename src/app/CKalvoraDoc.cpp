#include "app/CKalvoraDoc.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "app/AnalysisCommands.h"
#include "app/CListLength.h"
#include "app/CRange.h"
#include "app/CSampRate.h"
#include "data/SignalOperations.h"
#include "dsp/FirFilter.h"
#include "dsp/Transform.h"
#include "dsp/WindowFunctions.h"
#include "formats/DataFilesIO.h"
#include "formats/FileNameFormats.h"
#include "formats/FormatHelpers.h"
#include "formats/SignalFiles.h"
#include "formats/WaveFiles.h"
#include "generate/WaveformSynthesis.h"
#include "platform/CArchive.h"
#include "platform/CDiskFile.h"
#include "platform/CMemFile.h"
#include "platform/CPlatform.h"
#include "platform/CProgress.h"
#include "platform/CSnapshotFile.h"
#include "platform/CView.h"
#include "platform/StringTable.h"

namespace kv {

namespace {

int g_nLiveProjects = 0;

}  // namespace

CKalvoraDoc::CKalvoraDoc() {
    m_TimeData.m_bTime = 1;
    m_TimeData.ApplyFs(m_Fs);
    m_TimeData.ResetRange();
    m_FreqData.m_bTime = 0;
    m_FreqData.ApplyFs(m_Fs);
    m_FreqData.ResetRange();
    m_FreqStats.Bind(m_FreqData, m_strListFile, m_nListLength);
    ++g_nLiveProjects;
}

// The count follows the projects that exist, however they were closed.
CKalvoraDoc::~CKalvoraDoc() { --g_nLiveProjects; }

int CKalvoraDoc::LiveProjectCount() { return g_nLiveProjects; }

std::string CKalvoraDoc::DisplayTitle() const {
    return GetTitle().empty() ? LoadString(IDS_DEFAULT_DOC_NAME) : GetTitle();
}

// ---------------------------------------------------------------------------
// Document operations

bool CKalvoraDoc::NewProject() {
    ClearData();
    SetPathName({});
    SetModified(false);
    SaveUndoState();
    MaximizeFirstView();
    return true;
}

void CKalvoraDoc::ReadProject(CFile& file) {
    CArchive ar(file, CArchive::Mode::Load);
    Serialize(ar);
    ar.Close();
}

void CKalvoraDoc::WriteProject(CFile& file) {
    CArchive ar(file, CArchive::Mode::Store);
    Serialize(ar);
    ar.Close();
}

bool CKalvoraDoc::OpenProject(const std::string& path) {
    CDiskFile file;
    if (!file.Open(path, CDiskFile::Mode::Read)) {
        // The message names the file and why it could not be opened.
        ErrorBox(FormatString(IDS_FAILED_TO_OPEN_NAMED, path, std::strerror(errno)));
        return false;
    }
    ClearData();
    // The stored members as they are now (the data is empty, so this is
    // small): a read that fails half-way is undone from it, so nothing of a
    // damaged file stays in the project.
    const bool wasModified = IsModified();
    const int16_t oldVersion = m_nVersion;
    const uint16_t oldVersionHigh = m_nVersionHigh;
    const int32_t oldFileVersion = m_nFileVersion;
    CMemFile before(4096);
    WriteProject(before);

    SetModified(true);
    // A read that fails puts the project back as it was before the attempt.
    auto restore = [&](StringId message) {
        ClearData();
        before.SeekToBegin();
        ReadProject(before);
        m_nVersion = oldVersion;
        m_nVersionHigh = oldVersionHigh;
        m_nFileVersion = oldFileVersion;
        SetModified(wasModified);
        ErrorBox(LoadString(message));
        return false;
    };
    try {
        m_nFileVersion = -1;
        if (file.GetLength() > 0) {
            ReadProject(file);
            m_nFileVersion = m_nVersion;
        }
    } catch (const CArchiveException&) {
        return restore(IDS_UNEXPECTED_FILE_FORMAT);
    } catch (const std::bad_alloc&) {
        return restore(IDS_OUT_OF_MEMORY);
    }
    SetModified(false);
    SetPathName(path);
    SetTitle(FileNamePart(path));
    SaveUndoState();
    MaximizeFirstView();
    const std::string directory = DirectoryPart(path);
    if (!directory.empty()) ChangeToDirectory(directory);
    return true;
}

bool CKalvoraDoc::SaveProject(const std::string& path) {
    // Write beside the file a link points to, so the link stays a link.
    std::string target = path;
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char* resolved = realpath(path.c_str(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
    }
    std::string temp = target + ".XXXXXX";
    int error = 0;
    int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = errno;
    } else {
        // The new file gets the old file's permissions, or the usual ones.
        if (stat(target.c_str(), &st) == 0) {
            fchmod(fd, st.st_mode & 07777);
        } else {
            mode_t mask = umask(0);
            umask(mask);
            fchmod(fd, 0666 & ~mask);
        }
        CDiskFile file;
        const bool opened = file.Open(temp, CDiskFile::Mode::Write);
        if (!opened) error = errno ? errno : EIO;
        close(fd);
        if (opened) {
            try {
                WriteProject(file);
                file.Sync();
                if (!file.Close()) throw CFileException{errno ? errno : EIO};
                if (std::rename(temp.c_str(), target.c_str()) != 0) throw CFileException{errno};
            } catch (const CFileException& e) {
                error = e.m_nErrno ? e.m_nErrno : EIO;
            } catch (const std::bad_alloc&) {
                error = ENOMEM;
            }
        }
        if (error != 0) {
            file.Close();
            std::remove(temp.c_str());
        } else {
            // Make the rename itself durable.
            std::string directory = DirectoryPart(target);
            int dirFd = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
            if (dirFd >= 0) {
                fsync(dirFd);
                close(dirFd);
            }
        }
    }
    if (error != 0) {
        ErrorBox(FormatString(IDS_SAVE_FAILED, path, std::strerror(error)));
        SetModified(true);
        return false;
    }
    SetPathName(path);
    SetTitle(FileNamePart(path));
    SetModified(false);
    return true;
}

void CKalvoraDoc::CloseProject() {
    if (g_nLiveProjects > 1) {
        // The platform closes the windows and destroys this project; the
        // destructor takes it off the count.
        Platform().Windows().CloseDocument(*this);
        return;
    }
    // The last project stays open, emptied; its path, modified flag and undo
    // history stay. The emptied state is a step of the history, so one Undo
    // brings the data back.
    ClearData();
    SaveUndoState();
    UpdateViews(HINT_REDRAW_ALL, nullptr);
}

void CKalvoraDoc::ClearData() {
    m_TimeData.Reset();
    m_FreqData.Reset();
}

void CKalvoraDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        m_nVersion = kFileVersion;
        ar.WriteU16(static_cast<uint16_t>(((m_nVersionHigh & 0xFF) << 8) | kFileVersion));
    } else {
        uint16_t word = ar.ReadU16();
        m_nVersion = static_cast<int16_t>(word & 0xFF);
        m_nVersionHigh = static_cast<uint16_t>(word >> 8);
        if (m_nVersion > kFileVersion)
            ErrorBox(LoadString(IDS_NEWER_VERSION) + LoadString(IDS_MAKER_WEB_ADDRESS) + ".");
    }
    const int v = m_nVersion > kFileVersion ? kFileVersion : m_nVersion;
    m_TimeFiles.Serialize(ar, v);
    m_FreqFiles.Serialize(ar, v);
    m_ProcDlg.Serialize(ar, v);
    m_TransOpt.Serialize(ar, v);
    m_RefDlg.Serialize(ar, v);
    m_Generate.Serialize(ar, v);
    m_Fs.Serialize(v, ar);
    m_WndDlg.Serialize(ar, v);
    if (v >= 15) {
        m_TimeData.Serialize(ar, v);
        m_FreqData.Serialize(ar, v);
    }
    if (ar.IsLoading()) {
        m_TimeData.ApplyFs(m_Fs);
        m_FreqData.ApplyFs(m_Fs);
    }
    if (v >= 16) m_ScaleDlg.Serialize(ar, v);
}

void CKalvoraDoc::UpdateViews(int hint, CObject* object) { UpdateAllViews(nullptr, hint, object); }

std::string CKalvoraDoc::ReadSourceTitle(int operation) const {
    return DataFilesDescription(operation == OP_READ_FREQ ? m_FreqFiles : m_TimeFiles);
}

void CKalvoraDoc::OpenPlot(int operation, bool addNew, CKalvoData& data) {
    CView* found = nullptr;
    for (CView* v : GetViews()) {
        if (v->IsSignalGraph() && (v->GetGraphData() == &data || v->GetGraphData() == nullptr)) {
            found = v;
            break;
        }
    }
    if (!found || addNew)
        Platform().Windows().CreatePlotView(*this);
    else
        Platform().Windows().ActivateView(*found);

    ISettings& settings = Platform().Settings();
    int type, style;
    if (!data.IsTime()) {
        type = settings.GetInt("Preferences", "FreqPlotType", 0);
        style = settings.GetInt("Preferences", "FreqPlotStyle", 0);
    } else {
        type = settings.GetInt("Preferences", "TimePlotType", 0);
        style = settings.GetInt("Preferences", "TimePlotStyle", 0);
        if (type == 0) type = data.IsReal() ? 1 : 3;
    }

    if (operation == OP_GENERATE)
        m_strSourceTitle = LoadString(IDS_GENERATED_SINE);
    else if (operation == OP_READ_TIME || operation == OP_READ_FREQ)
        m_strSourceTitle = ReadSourceTitle(operation);
    data.m_strName = m_strSourceTitle;

    UpdateViews(HINT_PLOT_OPENED + 16 * type + 4096 * style, &data);
}

void CKalvoraDoc::MaximizeFirstView() {
    if (!GetViews().empty()) Platform().Windows().MaximizeView(*GetViews().front());
}

void CKalvoraDoc::UpdateDbReference() {
    m_FreqData.m_fMinDb = m_RefDlg.m_fMinDb;
    double peak = 1.0;
    if (!m_FreqData.IsEmpty() && m_FreqData.m_nStop - m_FreqData.m_nStart + 1 != 0)
        peak = static_cast<double>(static_cast<float>(m_FreqData.PeakPower()));
    m_FreqData.m_dDbOffset = m_RefDlg.DbOffset(peak);
    m_FreqData.m_strDbLabel = m_RefDlg.DbLabel();
}

void CKalvoraDoc::Undo() {
    UndoStep();
    TakeSourceTitleFromData();
    UpdateViews(HINT_DATA_CHANGED, &m_TimeData);
    UpdateViews(HINT_DATA_CHANGED, &m_FreqData);
}

void CKalvoraDoc::Redo() {
    RedoStep();
    TakeSourceTitleFromData();
    UpdateViews(HINT_DATA_CHANGED, &m_TimeData);
    UpdateViews(HINT_DATA_CHANGED, &m_FreqData);
}

void CKalvoraDoc::TakeSourceTitleFromData() {
    // The data brought back carries its own name; later steps name their
    // results after it, not after what the project held before.
    if (!m_TimeData.IsEmpty())
        m_strSourceTitle = m_TimeData.m_strName;
    else if (!m_FreqData.IsEmpty())
        m_strSourceTitle = m_FreqData.m_strName;
}

// ---------------------------------------------------------------------------
// Processing engine

namespace {

enum class Runs { FirstOnly, FirstOrOption, Always };

struct StepInfo {
    Runs runs;
    int32_t CProcDlg::*option;
    int next;
};

// The step table, by operation code.
const StepInfo kSteps[] = {
    /* 0 unused */ {Runs::FirstOnly, nullptr, OP_END},
    /* 1 generate */ {Runs::FirstOnly, nullptr, OP_NEW_TIME},
    /* 2 read Time Data */ {Runs::FirstOnly, nullptr, OP_NEW_TIME},
    /* 3 remove DC after new data */ {Runs::FirstOrOption, &CProcDlg::m_bProcRemoveDc, OP_RECTIFY},
    /* 4 zero-stuff/zero-pad */ {Runs::FirstOrOption, &CProcDlg::m_bProcZeroPad, OP_CONJUGATE},
    /* 5 conjugate */ {Runs::FirstOnly, nullptr, OP_SCALE},
    /* 6 scale */ {Runs::FirstOrOption, &CProcDlg::m_bProcScale, OP_MIX},
    /* 7 filter */ {Runs::FirstOrOption, &CProcDlg::m_bProcFilter, OP_TO_FREQ},
    /* 8 window */ {Runs::FirstOrOption, &CProcDlg::m_bProcWindow, OP_FILTER},
    /* 9 rectify */ {Runs::FirstOrOption, &CProcDlg::m_bProcRectify, OP_ZERO_PAD},
    /* 10 remove DC */ {Runs::FirstOrOption, &CProcDlg::m_bProcRemoveDc, OP_RECTIFY},
    /* 11 mix */ {Runs::FirstOrOption, &CProcDlg::m_bProcMix, OP_WINDOW},
    /* 12 transform to frequency */ {Runs::FirstOrOption, &CProcDlg::m_bProcToFreq, OP_FREQ_STATS},
    /* 13 read Frequency Data */ {Runs::FirstOnly, nullptr, OP_NEW_FREQ},
    /* 14 after new Frequency Data */ {Runs::Always, nullptr, OP_FREQ_STATS},
    /* 15 transform to time */ {Runs::FirstOrOption, &CProcDlg::m_bProcToTime, OP_FREQ_STATS},
    /* 16 frequency statistics */ {Runs::FirstOrOption, &CProcDlg::m_bProcFreqStats, OP_FREQ_LIST},
    /* 17 frequency list */ {Runs::FirstOrOption, &CProcDlg::m_bProcFreqList, OP_WRITE_LIST},
    /* 18 frequency list file */ {Runs::FirstOrOption, &CProcDlg::m_bProcWriteList, OP_END},
};

}  // namespace

// The project as its file holds it (the columns by reference, so this
// copies no data), the two data objects whole (with what the file does not
// hold: working ranges, names, decibel settings), the option sets the file
// does not hold, and the flags around them.
struct CKalvoraDoc::CRestorePoint {
    CSnapshotFile project;
    CKalvoData time;
    CKalvoData freq;
    CZeroPad zeroPad;
    CMixDlg mix;
    CPadDlg pad;
    int32_t listLength = 0;
    bool modified = false;
    int16_t version = 0;
    uint16_t versionHigh = 0;
    int32_t readFailed = 0;
    std::string sourceTitle;
    std::string listFile;
    std::string filterFile;
};

bool CKalvoraDoc::RunStoppable(const std::function<void()>& work) {
    CRestorePoint point;
    point.version = m_nVersion;
    point.versionHigh = m_nVersionHigh;
    {
        CArchive ar(point.project, CArchive::Mode::Store, 4096);
        Serialize(ar);
        ar.Close();
    }
    m_nVersion = point.version;
    point.time = m_TimeData;
    point.freq = m_FreqData;
    point.zeroPad = m_ZeroPad;
    point.mix = m_MixDlg;
    point.pad = m_PadDlg;
    point.listLength = m_nListLength;
    point.modified = IsModified();
    point.readFailed = m_bReadFailed;
    point.sourceTitle = m_strSourceTitle;
    point.listFile = m_strListFile;
    point.filterFile = m_strFilterFile;
    try {
        work();
        return true;
    } catch (const COperationCancelled&) {
        ClearData();
        point.project.SeekToBegin();
        {
            CArchive ar(point.project, CArchive::Mode::Load, 4096);
            Serialize(ar);
            ar.Close();
        }
        m_TimeData = point.time;
        m_FreqData = point.freq;
        m_ZeroPad = point.zeroPad;
        m_MixDlg = point.mix;
        m_PadDlg = point.pad;
        if (m_nListLength != point.listLength) {
            m_nListLength = point.listLength;
            m_FreqStats.SetListLength(m_nListLength);
        }
        m_nVersion = point.version;
        m_nVersionHigh = point.versionHigh;
        m_bReadFailed = point.readFailed;
        m_strSourceTitle = point.sourceTitle;
        m_strListFile = point.listFile;
        m_strFilterFile = point.filterFile;
        SetModified(point.modified);
        EndRun();
        UpdateViews(HINT_REDRAW_ALL, nullptr);
        return false;
    }
}

void CKalvoraDoc::ShowProgress(const std::string& text) {
    if (!m_pWait) m_pWait = std::make_unique<CWaitCursor>();
    SetStatusText(text);
}

void CKalvoraDoc::NoteOverwrite(const std::string& operation) {
    if (!m_TimeData.IsEmpty() || !m_FreqData.IsEmpty()) SetStatusText(operation + LoadString(IDS_WILL_OVERWRITE));
}

void CKalvoraDoc::EndRun() {
    SetStatusText(LoadString(IDS_READY));
    m_pWait.reset();
}

void CKalvoraDoc::RunOperation(int code) {
    bool first = true;
    bool timeChanged = false;
    bool freqChanged = false;
    int resetZoom = 0;
    bool outOfMemory = false;
    // A run the user stops puts the project back as it was: no snapshot,
    // no view told of a change.
    const bool completed = RunStoppable([&] {
        try {
            while (code > OP_END && code <= OP_WRITE_LIST) {
                const StepInfo& step = kSteps[code];
                bool runs = first || step.runs == Runs::Always ||
                            (step.runs == Runs::FirstOrOption && step.option && m_ProcDlg.*step.option);
                int next = step.next;
                if (runs) {
                    switch (code) {
                        case OP_GENERATE:
                            if (GenerateWaveform())
                                timeChanged = true;
                            else
                                next = OP_END;
                            break;
                        case OP_READ_TIME:
                            if (ReadTimeData()) {
                                timeChanged = true;
                                if (TimeFilesResetRanges()) resetZoom = HINT_RESET_ZOOM;
                            } else {
                                next = OP_END;
                            }
                            break;
                        case OP_NEW_TIME:
                        case OP_REMOVE_DC:
                            if (RemoveDcTimeData()) timeChanged = true;
                            break;
                        case OP_ZERO_PAD:
                            ZeroStuffPadTimeData();
                            timeChanged = true;
                            break;
                        case OP_CONJUGATE:
                            ConjugateTimeData();
                            timeChanged = true;
                            break;
                        case OP_SCALE:
                            ScaleTimeData();
                            timeChanged = true;
                            break;
                        case OP_FILTER:
                            FilterTimeData();
                            timeChanged = true;
                            break;
                        case OP_WINDOW:
                            WindowTimeData();
                            timeChanged = true;
                            break;
                        case OP_RECTIFY:
                            if (RectifyTimeData()) timeChanged = true;
                            break;
                        case OP_MIX:
                            if (MixTimeData()) timeChanged = true;
                            break;
                        case OP_TO_FREQ:
                            TransformToFrequency();
                            freqChanged = true;
                            break;
                        case OP_READ_FREQ:
                            if (ReadFrequencyData())
                                freqChanged = true;
                            else
                                next = OP_END;
                            break;
                        case OP_NEW_FREQ: break;
                        case OP_TO_TIME:
                            TransformToTime();
                            timeChanged = true;
                            break;
                        case OP_FREQ_STATS: ShowFrequencyStatistics(); break;
                        case OP_FREQ_LIST: ShowFrequencyList(); break;
                        case OP_WRITE_LIST: WriteFrequencyListFile(); break;
                        default: break;
                    }
                }
                code = next;
                first = false;
            }
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
    });
    if (!completed) return;
    if (outOfMemory) {
        // The step was abandoned part-way: go back to the last snapshot so
        // the project holds consistent data.
        EndRun();
        ErrorBox(LoadString(IDS_OUT_OF_MEMORY));
        try {
            if (!m_UndoList.empty()) RestoreState(*m_UndoList.front());
        } catch (...) {
            ClearData();
        }
        UpdateViews(HINT_REDRAW_ALL, nullptr);
        return;
    }
    EndRun();
    if (timeChanged || freqChanged) {
        SaveUndoState();
        if (timeChanged) UpdateViews(HINT_DATA_CHANGED + resetZoom, &m_TimeData);
        if (freqChanged) UpdateViews(HINT_DATA_CHANGED + resetZoom, &m_FreqData);
    }
}

bool CKalvoraDoc::GenerateWaveform() {
    NoteOverwrite(LoadString(IDS_GENERATING_TIME_DATA));
    if (!RunDialog(m_Generate)) return false;
    ShowProgress(LoadString(IDS_GENERATING_TIME_DATA) + "...");
    m_TimeData.Reset();
    if (m_Generate.m_nRateType == 1)
        SynthesizeCycles(m_TimeData, m_Generate.m_nSamples, m_Generate.m_fCycles, m_Generate.m_dPhase,
                         m_Generate.m_nWaveform, m_Generate.m_bComplex != 0);
    else
        SynthesizeWaveform(m_TimeData, m_Generate.m_nSamples, m_Generate.m_bComplex != 0, m_Generate.m_nWaveform,
                           m_Generate.m_fFrequency, m_Generate.m_dPhase);
    OpenPlot(OP_GENERATE, false, m_TimeData);
    return true;
}

bool CKalvoraDoc::ReadTimeData() {
    NoteOverwrite(LoadString(IDS_READING_TIME_DATA));
    if (!ReadDataFiles(true)) {
        m_bReadFailed = 1;
        return false;
    }
    m_bReadFailed = 0;
    SetModified(true);
    const double rate = FileSampleRateHz(true);
    if (rate > 0.0) TakeSampleRate(rate);
    OpenPlot(OP_READ_TIME, false, m_TimeData);
    // New Time Data makes the old Frequency Data obsolete.
    m_FreqData.Reset();
    return true;
}

bool CKalvoraDoc::ReadFrequencyData() {
    NoteOverwrite(LoadString(IDS_READING_FREQ_DATA));
    if (!ReadDataFiles(false)) return false;
    SetModified(true);
    const double rate = FileSampleRateHz(false);
    if (rate > 0.0) TakeSampleRate(rate);
    m_TimeData.Reset();
    UpdateDbReference();
    OpenPlot(OP_READ_FREQ, false, m_FreqData);
    return true;
}

void CKalvoraDoc::ZeroStuffPadTimeData() {
    if (!RunDialog(m_ZeroPad)) return;
    ShowProgress(LoadString(IDS_ZERO_PAD_PROGRESS));
    ZeroStuff(m_TimeData, m_ZeroPad.m_nStuff, m_ZeroPad.m_bScaleFs != 0);
    ZeroPadFront(m_TimeData, m_ZeroPad.m_nPrepend);
    ZeroPadBack(m_TimeData, m_ZeroPad.m_nAppend);
    m_TimeData.ResetRange();
}

void CKalvoraDoc::ConjugateTimeData() { Conjugate(m_TimeData); }

void CKalvoraDoc::ScaleTimeData() {
    NoteOverwrite(LoadString(IDS_SCALING_TIME_DATA));
    if (!RunDialog(m_ScaleDlg)) return;
    Scale(m_TimeData, m_ScaleDlg.Factor());
}

bool CKalvoraDoc::RectifyTimeData() {
    if (!AskYesNo(LoadString(IDS_ASK_RECTIFY))) return false;
    Rectify(m_TimeData);
    return true;
}

bool CKalvoraDoc::RemoveDcTimeData() {
    if (!AskYesNo(LoadString(IDS_ASK_REMOVE_DC))) return false;
    RemoveDc(m_TimeData);
    return true;
}

bool CKalvoraDoc::MixTimeData() {
    MixResult mix = MixParameters(m_TimeData.GetCount(), m_TimeData.GetFs(), m_MixDlg);
    if (!mix.accepted) return false;
    if (!Mix(m_TimeData, mix.frequency, mix.phase)) {
        ErrorBox(LoadString(IDS_MIX_NEEDS_FS));
        return false;
    }
    return true;
}

// Steps whose implementations live in other subsystems; they are wired in
// here as those subsystems join the program.
void CKalvoraDoc::FilterTimeData() { kv::FilterTimeData(m_TimeData, m_strFilterFile); }
void CKalvoraDoc::WindowTimeData() { kv::WindowTimeData(m_TimeData, m_WndDlg); }

void CKalvoraDoc::TransformToFrequency() {
    if (!RunTransform(m_TransOpt, m_TimeData, m_FreqData)) return;
    UpdateDbReference();
    OpenPlot(OP_TO_FREQ, false, m_FreqData);
}

void CKalvoraDoc::TransformToTime() {
    if (!RunTransform(m_TransOpt, m_FreqData, m_TimeData)) return;
    OpenPlot(OP_TO_TIME, false, m_TimeData);
}
void CKalvoraDoc::ShowFrequencyStatistics() { kv::ShowFrequencyStatistics(m_FreqStats); }
void CKalvoraDoc::ShowFrequencyList() { kv::ShowFrequencyList(*this, m_FreqStats); }
void CKalvoraDoc::WriteFrequencyListFile() { kv::WriteFrequencyListFile(m_FreqStats); }
bool CKalvoraDoc::ReadDataFiles(bool time) {
    CKalvoData& data = time ? m_TimeData : m_FreqData;
    CDataFiles& files = time ? m_TimeFiles : m_FreqFiles;
    // A read that does not complete leaves the data as it was.
    CKalvoData previous(data);
    bool ok = kv::ReadDataFiles(files, data, LoadString(time ? IDS_READ_TIME_TITLE : IDS_READ_FREQ_TITLE),
                                DisplayTitle());
    if (!ok) {
        data = previous;
        return false;
    }
    // The spacing of the new points follows the project's sampling frequency.
    data.ApplyFs(m_Fs);
    return true;
}

void CKalvoraDoc::WriteTimeData() {
    kv::WriteDataFiles(m_TimeFiles, m_TimeData, LoadString(IDS_WRITE_TIME_TITLE), DisplayTitle());
}

void CKalvoraDoc::WriteFrequencyData() {
    kv::WriteDataFiles(m_FreqFiles, m_FreqData, LoadString(IDS_WRITE_FREQ_TITLE), DisplayTitle());
}

void CKalvoraDoc::CopyTimeData() { CopyDataToClipboard(m_TimeData); }
void CKalvoraDoc::CopyFrequencyData() { CopyDataToClipboard(m_FreqData); }
bool CKalvoraDoc::CanTransformTime() const { return CanTransform(m_TimeData, m_TransOpt); }
bool CKalvoraDoc::CanTransformFrequency() const { return CanTransform(m_FreqData, m_TransOpt); }
bool CKalvoraDoc::TimeFilesResetRanges() const { return m_TimeFiles.m_bResetRanges != 0; }

double CKalvoraDoc::FileSampleRateHz(bool time) const { return (time ? m_TimeFiles : m_FreqFiles).m_dReadRate; }

void CKalvoraDoc::TakeSampleRate(double hz) {
    int unit = 0;
    while (unit + 1 < CFs::kUnitCount && hz >= 1000.0 * CFs::UnitFactor(unit)) ++unit;
    m_Fs.SetUnit(unit);
    m_Fs.SetValue(hz / CFs::UnitFactor(unit));
    m_TimeData.ApplyFs(m_Fs);
    m_FreqData.ApplyFs(m_Fs);
}

// ---------------------------------------------------------------------------
// Commands outside the engine

bool CKalvoraDoc::SaveModified() {
    if (!IsModified()) return true;
    MsgAnswer answer = Platform().Messages().ShowMessage(FormatString(IDS_SAVE_CHANGES, DisplayTitle()),
                                                         MsgIcon::Exclamation, MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::Cancel) return false;
    if (answer == MsgAnswer::Yes) return OnSaveProject();
    return true;
}

void CKalvoraDoc::OnCloseProject() {
    if (!SaveModified()) return;
    CloseProject();
}

std::string CKalvoraDoc::WithProjectExtension(const std::string& path) {
    const std::string name = FileNamePart(path);
    if (name.empty() || name.find('.') != std::string::npos) return path;
    return path + LoadString(IDS_PROJECT_EXTENSION);
}

void CKalvoraDoc::ReadTimeDataFile(const std::string& path) {
    // One file, read into the Inphase column: a file of one column reads
    // whole this way; for a file of Inphase and Quadrature pairs the user
    // ticks "Complex" in the dialog.
    m_TimeFiles.m_strPath = path;
    m_TimeFiles.m_strName = FileNamePart(path);
    m_TimeFiles.m_bComplex = 0;
    m_TimeFiles.m_strQPath.clear();
    m_TimeFiles.m_strQName.clear();
    const int32_t format = FormatForFileName(path);
    if (format != FMT_NONE && format != m_TimeFiles.m_Format.m_nFormat) m_TimeFiles.m_Format = CDataFormat(format);
    RunOperation(OP_READ_TIME);
}

bool CKalvoraDoc::OnSaveProject() {
    std::string path = GetPathName();
    if (path.empty()) {
        auto chosen = Platform().Files().GetSaveFileName(LoadString(IDS_SAVE_AS_TITLE), LoadString(IDS_PROJECT_FILTER),
                                                         DisplayTitle());
        if (!chosen || chosen->empty()) return false;
        path = WithProjectExtension(*chosen);
    }
    return SaveProject(path);
}

void CKalvoraDoc::OnSamplingFrequency() {
    // The dialog works on a copy: Cancel leaves the project's value alone.
    CFs fs(m_TimeData.GetFs());
    fs.ParseUnits(m_FreqData.m_Fs.GetFreqUnitName() + "," + m_TimeData.m_Fs.GetTimeUnitName());
    CSampRate dialog;
    if (!EditFs(dialog, fs)) return;
    m_Fs = fs;
    m_TimeData.ApplyFs(m_Fs);
    m_FreqData.ApplyFs(m_Fs);
    SetModified(true);
    UpdateViews(HINT_DATA_CHANGED, &m_TimeData);
    UpdateViews(HINT_DATA_CHANGED, &m_FreqData);
}

void CKalvoraDoc::OnSetRange(bool timeData) {
    CRange dialog;
    if (EditRange(timeData ? m_TimeData : m_FreqData, dialog, CRange::RememberedMode(timeData)) == 1)
        UpdateViews(HINT_REDRAW_ALL, nullptr);
}

void CKalvoraDoc::OnPad() {
    if (!RunDialog(m_PadDlg)) return;
    PadResult pad = PadParameters(m_PadDlg, m_TimeData.GetFs(), m_FreqData.GetCount());
    if (static_cast<int64_t>(m_FreqData.GetCount()) + 2 * pad.count > std::numeric_limits<int32_t>::max())
        throw std::bad_alloc();
    Pad(m_FreqData, static_cast<int32_t>(pad.count), pad.frequency, m_PadDlg.m_dPadValue, m_PadDlg.m_dPadValue);
    UpdateViews(HINT_DATA_CHANGED, &m_FreqData);
    SetModified(true);
}

void CKalvoraDoc::OnSquareRoot() {
    SquareRoot(m_FreqData);
    UpdateViews(HINT_DATA_CHANGED, &m_FreqData);
}

void CKalvoraDoc::OnListLength() {
    CListLength dialog;
    dialog.m_nListEntries = m_nListLength;
    if (!RunDialog(dialog) || dialog.m_nListEntries == m_nListLength) return;
    m_nListLength = dialog.m_nListEntries;
    m_FreqStats.SetListLength(m_nListLength);
    UpdateViews(HINT_REDRAW_ALL, nullptr);
}

void CKalvoraDoc::OnDecibels() {
    if (!RunDialog(m_RefDlg)) return;
    UpdateDbReference();
    SetModified(true);
    UpdateViews(HINT_REDRAW_ALL, nullptr);
}

void CKalvoraDoc::OnProcessOptions() {
    if (RunDialog(m_ProcDlg)) SetModified(true);
}

void CKalvoraDoc::OnConvert() {
    RunOperation(OP_READ_TIME);
    if (!m_bReadFailed) WriteTimeData();
}

}  // namespace kv
