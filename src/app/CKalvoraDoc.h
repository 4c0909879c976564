#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "analysis/CFreqStats.h"
#include "app/CKalvoDoc.h"
#include "app/CMixDlg.h"
#include "app/CPadDlg.h"
#include "app/CProcDlg.h"
#include "app/CScaleDlg.h"
#include "app/CZeroPad.h"
#include "data/CFs.h"
#include "data/CKalvoData.h"
#include "data/CRefDlg.h"
#include "dsp/CTransOpt.h"
#include "dsp/CWndDlg.h"
#include "formats/CDataFiles.h"
#include "generate/CGenerate.h"
#include "platform/CView.h"

namespace kv {

class CFile;
class CObject;
class CView;
class CWaitCursor;

// Operation codes of the processing engine.
enum Operation : int {
    OP_END = 0,
    OP_GENERATE = 1,
    OP_READ_TIME = 2,
    OP_NEW_TIME = 3,  // chain entry after new Time Data
    OP_ZERO_PAD = 4,
    OP_CONJUGATE = 5,
    OP_SCALE = 6,
    OP_FILTER = 7,
    OP_WINDOW = 8,
    OP_RECTIFY = 9,
    OP_REMOVE_DC = 10,
    OP_MIX = 11,
    OP_TO_FREQ = 12,
    OP_READ_FREQ = 13,
    OP_NEW_FREQ = 14,  // chain entry after new Frequency Data
    OP_TO_TIME = 15,
    OP_FREQ_STATS = 16,
    OP_FREQ_LIST = 17,
    OP_WRITE_LIST = 18,
};

// A project: its Time Data and Frequency Data, the option sets of its
// operations, its sampling frequency and its undo history.
class CKalvoraDoc : public CKalvoDoc {
public:
    static constexpr int kFileVersion = 20;

    CKalvoraDoc();
    ~CKalvoraDoc() override;

    // Number of projects alive in the program.
    static int LiveProjectCount();

    // ---- document operations --------------------------------------------------
    bool NewProject();
    // Reads a project file; on failure the project is left as it was before
    // the read (with its data cleared) and the error has been shown.
    bool OpenProject(const std::string& path);
    // Writes the project file through a temporary file in the same directory
    // that replaces the old file only once it is complete on the disk.
    bool SaveProject(const std::string& path);
    // Empties this project, or closes it when other projects are open.
    void CloseProject();
    void ClearData();
    void Serialize(CArchive& ar) override;
    void DeleteContents() override { ClearData(); }

    void UpdateViews(int hint, CObject* object);
    // Shows a plot of a data object (an existing one, or a new window) and
    // names the data after the source of the operation code.
    void OpenPlot(int operation, bool addNew, CKalvoData& data);
    void MaximizeFirstView();
    void UpdateDbReference();

    // Undo and Redo commands: restore a snapshot, then tell the views.
    void Undo();
    void Redo();

    // ---- processing engine --------------------------------------------------------
    // Runs the step of an operation code and the chain of automatic steps
    // after it; takes one undo snapshot when data changed and tells the views.
    void RunOperation(int code);
    // Status text "<operation> will overwrite ..." when the project holds data.
    void NoteOverwrite(const std::string& operation);
    // Status text with the wait cursor, until the run ends.
    void ShowProgress(const std::string& text);

    // ---- commands that act outside the engine ------------------------------------
    // The "Save changes to %1?" question for a modified project; false when
    // the user cancelled or the save failed.
    bool SaveModified();
    void OnCloseProject();
    // Saves under the project's path, asking for one if it has none.
    bool OnSaveProject();
    void OnSamplingFrequency();
    void OnSetRange(bool timeData);
    void OnPad();
    void OnSquareRoot();
    void OnListLength();
    void OnDecibels();
    void OnProcessOptions();
    void OnConvert();
    // The Write commands of the Time and Frequency Data (Data Files dialog).
    virtual void WriteTimeData();
    virtual void WriteFrequencyData();
    // "&Copy" of the Time and Frequency Data: data rows as clipboard text.
    virtual void CopyTimeData();
    virtual void CopyFrequencyData();
    // Whether the transform options allow a transform of the data.
    virtual bool CanTransformTime() const;
    virtual bool CanTransformFrequency() const;

    // Text shown for the project in questions: its title, or the default name.
    std::string DisplayTitle() const;
    // A project file name with the project extension ".kvp" added when its
    // file name has no extension of its own.
    static std::string WithProjectExtension(const std::string& path);
    // Reads one signal file as Time Data (a file dropped on the program or
    // handed to it): the Data Files dialog opens with the file's name as the
    // one (Inphase) file and the format its extension suggests, then the
    // read runs as Read Time Data.
    void ReadTimeDataFile(const std::string& path);

    // ---- members, in the order of the project -----------------------------------------
    CKalvoData m_TimeData;
    CDataFiles m_TimeFiles;
    CKalvoData m_FreqData;
    CDataFiles m_FreqFiles;
    CFreqStats m_FreqStats;
    std::string m_strListFile;
    std::string m_strFilterFile;
    CTransOpt m_TransOpt;
    CRefDlg m_RefDlg;
    CProcDlg m_ProcDlg;
    CGenerate m_Generate;
    CZeroPad m_ZeroPad;
    CFs m_Fs{1.0};
    int32_t m_nListLength = 50;
    std::string m_strSourceTitle;
    int32_t m_bReadFailed = 0;
    CMixDlg m_MixDlg;
    CPadDlg m_PadDlg;
    CWndDlg m_WndDlg;
    CScaleDlg m_ScaleDlg;
    // The format version the project file last opened holds, -1 when the
    // project was not opened from a file (or the file was empty). Writing a
    // project or an undo snapshot sets m_nVersion to the current version;
    // this one keeps what the file said.
    int32_t m_nFileVersion = -1;

protected:
    // The display name of the Time or Frequency Data just read (operation 2 or 13).
    virtual std::string ReadSourceTitle(int operation) const;

    // ---- engine steps ---------------------------------------------------------------
    // Each returns whether it was done (for the steps whose change depends on it).
    virtual bool GenerateWaveform();
    virtual bool ReadTimeData();
    virtual bool ReadFrequencyData();
    virtual void ZeroStuffPadTimeData();
    virtual void ConjugateTimeData();
    virtual void ScaleTimeData();
    virtual bool RectifyTimeData();
    virtual bool RemoveDcTimeData();
    virtual bool MixTimeData();
    virtual void FilterTimeData();
    virtual void WindowTimeData();
    virtual void TransformToFrequency();
    virtual void TransformToTime();
    virtual void ShowFrequencyStatistics();
    virtual void ShowFrequencyList();
    virtual void WriteFrequencyListFile();
    // Reads Time Data (time) or Frequency Data through the project's Data
    // Files state; false when the read was cancelled or failed.
    virtual bool ReadDataFiles(bool time);
    // Whether the Time Data files ask for ranges and plots to be reset.
    virtual bool TimeFilesResetRanges() const;
    // The sampling rate in Hz that the file just read into the Time Data
    // (time) or the Frequency Data states (WAVE and SigMF files), or 0 when
    // it states none.
    virtual double FileSampleRateHz(bool time) const;
    // Makes a rate in Hz the project's sampling frequency, in the unit in
    // which it is at least 1 and below 1000 (GHz for all above), and gives
    // it to the Time and Frequency Data.
    void TakeSampleRate(double hz);

    // Runs part of a command that the user may stop (through the progress
    // of a long operation): if stopped, everything the project holds is put
    // back as it was, the views are redrawn and false is returned.
    bool RunStoppable(const std::function<void()>& work);

private:
    // The source title after Undo and Redo: the name of the data restored.
    void TakeSourceTitleFromData();
    // What a stoppable run may change, kept to be put back.
    struct CRestorePoint;
    void WriteProject(CFile& file);
    void ReadProject(CFile& file);
    void EndRun();

    std::unique_ptr<CWaitCursor> m_pWait;
};

}  // namespace kv
