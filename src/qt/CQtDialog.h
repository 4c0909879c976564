#pragma once

#include <QDialog>

namespace kv {

class CDialogModel;
class CQtControlPanel;

// Shows a dialog model as a modal Qt dialog with OK and Cancel.
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

    // Makes a dialog at least as wide as its title needs in the title bar.
    static void FitTitle(QDialog& dialog);

private:
    void Finish();

    CDialogModel& m_model;
    CQtControlPanel* m_pPanel = nullptr;
};

}  // namespace kv
