#pragma once
#include <map>

#include <QDialog>

class QWidget;

namespace kv {

class CDialogModel;

// Shows a dialog model as a modal Qt dialog: one widget per control, laid
// out by the model's groups and rows, with every user action passed to the
// model's handlers and the model's state shown again afterwards.
class CQtDialog : public QDialog {
    Q_OBJECT
public:
    CQtDialog(CDialogModel& model, QWidget* parent = nullptr);

    // Runs the dialog; true for OK.
    bool Run();
    // The widget of a control (for tests).
    QWidget* ControlWidget(int id) const;

    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Build();
    void SyncFromModel(int exceptId = 0);
    void ApplyFocusRequest();
    void AfterHandler(int exceptId = 0);

    CDialogModel& m_model;
    std::map<int, QWidget*> m_widgets;
    std::map<QObject*, int> m_ids;
    bool m_bSyncing = false;
    bool m_bInHandler = false;
};

}  // namespace kv
