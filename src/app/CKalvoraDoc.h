#pragma once
#include <cstdint>
#include <string>

#include "app/CKalvoDoc.h"
#include "data/CFs.h"
#include "data/CKalvoData.h"
#include "data/CRefDlg.h"

namespace kv {

class CObject;
class CView;

// Update hints sent to the views of a project.
enum UpdateHint : int {
    HINT_REDRAW_ALL = 0,
    HINT_DATA_CHANGED = 5,
    HINT_RESET_ZOOM = 4096,
    HINT_PLOT_OPENED = 769,  // + 16 x plot type + 4096 x plot style
    HINT_LIST_CHANGED = 770,
};

// A project: its Time Data and Frequency Data, the option sets of its
// operations, its sampling frequency and its undo history.
class CKalvoraDoc : public CKalvoDoc {
public:
    CKalvoraDoc();
    ~CKalvoraDoc() override;

    // Number of projects alive in the program.
    static int LiveProjectCount();

    bool NewProject();
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

    CKalvoData m_TimeData;
    CKalvoData m_FreqData;
    std::string m_strListFile;
    std::string m_strFilterFile;
    CRefDlg m_RefDlg;
    CFs m_Fs{1.0};
    int32_t m_nListLength = 50;
    std::string m_strSourceTitle;
    int32_t m_bReadFailed = 0;

protected:
    CKalvoraDoc* AsProject() override { return this; }
    // The display name of the Time or Frequency Data just read (operation 2 or 13).
    virtual std::string ReadSourceTitle(int operation) const;
};

}  // namespace kv
