#pragma once
#include <map>

#include <QWidget>

class QButtonGroup;
class QGroupBox;

namespace kv {

class CDialogModel;

// The controls of a dialog model as widgets, laid out by the model's groups
// and rows. Every user action goes to the model's handlers, and the model's
// state is shown again afterwards. Used by dialogs and property-sheet pages.
class CQtControlPanel : public QWidget {
    Q_OBJECT
public:
    explicit CQtControlPanel(CDialogModel& model, QWidget* parent = nullptr);
    // Space between the panel's edge and its controls (a property-sheet
    // page has it; a dialog's own layout gives it there).
    void SetMargins(bool margins);

    CDialogModel& Model() const { return m_model; }
    QWidget* ControlWidget(int id) const;
    // Shows the model's state in the widgets (all but exceptId's text).
    void SyncFromModel(int exceptId = 0);
    // Gives the focus to the control the model asked for.
    void ApplyFocusRequest();
    void AfterHandler(int exceptId = 0);
    // True while the panel itself is calling into the model.
    bool InHandler() const { return m_bInHandler; }
    void SetInHandler(bool in) { m_bInHandler = in; }

signals:
    // A button of the model ended the dialog.
    void Ended();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    // Each radio group is one Tab stop: its checked button, or its first
    // usable one while none is checked; the arrow keys move inside it.
    void UpdateRadioTabStops();
    // A line edit is at least as wide as the text it shows.
    static void FitToText(QWidget& edit);

    CDialogModel& m_model;
    std::map<int, QWidget*> m_widgets;
    std::map<QObject*, int> m_ids;
    std::map<int, QGroupBox*> m_groupBoxes;
    std::map<int, QButtonGroup*> m_radioGroups;
    bool m_bSyncing = false;
    bool m_bInHandler = false;
};

}  // namespace kv
