#include "qt/CQtControlPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/CDialogModel.h"

namespace kv {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Dialog captions use "&" for the mnemonic, as menus do.
QString Caption(const std::string& s) { return Q(s); }

}  // namespace

CQtControlPanel::CQtControlPanel(CDialogModel& model, QWidget* parent) : QWidget(parent), m_model(model) {
    Build();
}

QWidget* CQtControlPanel::ControlWidget(int id) const {
    auto it = m_widgets.find(id);
    return it == m_widgets.end() ? nullptr : it->second;
}

void CQtControlPanel::SetMargins(bool margins) {
    const int m = margins ? style()->pixelMetric(QStyle::PM_LayoutLeftMargin) : 0;
    layout()->setContentsMargins(m, m, m, m);
}

void CQtControlPanel::FitToText(QWidget& widget) {
    auto* edit = qobject_cast<QLineEdit*>(&widget);
    if (!edit) return;
    // The frame, the text margins and the cursor need a little room.
    const int needed = edit->fontMetrics().horizontalAdvance(edit->text()) +
                       2 * edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 12;
    if (edit->minimumWidth() < needed) edit->setMinimumWidth(needed);
}

void CQtControlPanel::UpdateRadioTabStops() {
    for (const auto& [number, group] : m_radioGroups) {
        QAbstractButton* stop = group->checkedButton();
        if (!stop) {
            for (QAbstractButton* b : group->buttons())
                if (b->isEnabled() && !b->isHidden()) {
                    stop = b;
                    break;
                }
        }
        for (QAbstractButton* b : group->buttons()) b->setFocusPolicy(b == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void CQtControlPanel::Build() {
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    std::map<int, QGridLayout*> sections;  // group index -> grid
    std::map<std::pair<int, int>, int> nextColumn;
    QGridLayout* loose = nullptr;

    auto gridFor = [&](int group) -> QGridLayout* {
        if (group < 0) {
            if (!loose) {
                loose = new QGridLayout;
                top->addLayout(loose);
            }
            return loose;
        }
        auto it = sections.find(group);
        if (it != sections.end()) return it->second;
        const auto& groups = m_model.Groups();
        auto* box = new QGroupBox(group < static_cast<int>(groups.size()) ? Caption(groups[group]) : QString());
        auto* grid = new QGridLayout(box);
        top->addWidget(box);
        sections[group] = grid;
        m_groupBoxes[group] = box;
        return grid;
    };

    for (const CControl& c : m_model.Controls()) {
        QGridLayout* grid = gridFor(c.m_nGroup);
        int& column = nextColumn[{c.m_nGroup, c.m_nRow}];
        auto place = [&](QWidget* w) { grid->addWidget(w, c.m_nRow, column++); };
        if (!c.m_strLabel.empty()) place(new QLabel(Caption(c.m_strLabel)));
        QWidget* widget = nullptr;
        const int id = c.m_nId;
        switch (c.m_kind) {
            case ControlKind::Static: widget = new QLabel(Caption(c.m_strCaption)); break;
            case ControlKind::Edit:
                if (c.m_bMultiLine) {
                    auto* edit = new QPlainTextEdit;
                    connect(edit, &QPlainTextEdit::textChanged, this, [this, id, edit] {
                        if (m_bSyncing) return;
                        m_model.Control(id).m_strText = edit->toPlainText().toStdString();
                        m_model.OnEditChange(id);
                    });
                    widget = edit;
                } else {
                    auto* edit = new QLineEdit;
                    connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) {
                        if (m_bSyncing) return;
                        m_model.Control(id).m_strText = text.toStdString();
                        m_model.OnEditChange(id);
                        AfterHandler(id);
                    });
                    widget = edit;
                }
                widget->installEventFilter(this);
                break;
            case ControlKind::CheckBox: {
                auto* box = new QCheckBox(Caption(c.m_strCaption));
                connect(box, &QCheckBox::clicked, this, [this, id](bool checked) {
                    if (m_bSyncing) return;
                    m_model.Control(id).m_nCheck = checked ? 1 : 0;
                    m_model.OnClicked(id);
                    AfterHandler();
                });
                widget = box;
                break;
            }
            case ControlKind::Radio: {
                auto* radio = new QRadioButton(Caption(c.m_strCaption));
                // The buttons of a radio group may stand in different boxes:
                // a button group holds them together.
                QButtonGroup*& group = m_radioGroups[c.m_nRadioGroup];
                if (!group) {
                    group = new QButtonGroup(this);
                    group->setExclusive(true);
                }
                group->addButton(radio);
                connect(radio, &QRadioButton::clicked, this, [this, id] {
                    if (m_bSyncing) return;
                    CControl& me = m_model.Control(id);
                    for (CControl& other : m_model.Controls())
                        if (other.m_kind == ControlKind::Radio && other.m_nRadioGroup == me.m_nRadioGroup)
                            other.m_nCheck = 0;
                    me.m_nCheck = 1;
                    m_model.OnClicked(id);
                    AfterHandler();
                });
                widget = radio;
                break;
            }
            case ControlKind::DropList:
            case ControlKind::ComboBox: {
                auto* combo = new QComboBox;
                combo->setEditable(c.m_kind == ControlKind::ComboBox);
                connect(combo, &QComboBox::currentIndexChanged, this, [this, id, combo](int index) {
                    if (m_bSyncing) return;
                    CControl& me = m_model.Control(id);
                    me.m_nSel = index;
                    me.m_strText = combo->currentText().toStdString();
                    m_model.OnSelChange(id);
                    AfterHandler();
                });
                if (combo->isEditable()) {
                    connect(combo, &QComboBox::editTextChanged, this, [this, id](const QString& text) {
                        if (m_bSyncing) return;
                        m_model.Control(id).m_strText = text.toStdString();
                    });
                }
                widget = combo;
                break;
            }
            case ControlKind::ListBox: {
                auto* list = new QListWidget;
                list->setSelectionMode(QAbstractItemView::SingleSelection);
                // The selection, not the current row: a list that gets the
                // focus makes its first row current without choosing it.
                connect(list, &QListWidget::itemSelectionChanged, this, [this, id, list] {
                    if (m_bSyncing) return;
                    const QList<QListWidgetItem*> selected = list->selectedItems();
                    m_model.Control(id).m_nSel = selected.isEmpty() ? -1 : list->row(selected.front());
                    m_model.OnSelChange(id);
                    AfterHandler();
                });
                widget = list;
                break;
            }
            case ControlKind::Button: {
                auto* button = new QPushButton(Caption(c.m_strCaption));
                button->setAutoDefault(false);
                connect(button, &QPushButton::clicked, this, [this, id] {
                    m_model.OnClicked(id);
                    if (m_model.IsEnded()) {
                        emit Ended();
                        return;
                    }
                    AfterHandler();
                });
                widget = button;
                break;
            }
        }
        widget->setObjectName(QString("control%1").arg(id));
        place(widget);
        if (!c.m_strSuffix.empty()) place(new QLabel(Caption(c.m_strSuffix)));
        m_widgets[id] = widget;
        m_ids[widget] = id;
    }

}

void CQtControlPanel::SyncFromModel(int exceptId) {
    if (m_widgets.empty()) return;
    m_bSyncing = true;
    for (const CControl& c : m_model.Controls()) {
        QWidget* w = ControlWidget(c.m_nId);
        if (!w) continue;
        w->setEnabled(c.m_bEnabled);
        w->setVisible(c.m_bVisible);
        if (c.m_nId == exceptId) continue;
        switch (c.m_kind) {
            case ControlKind::Static: static_cast<QLabel*>(w)->setText(Caption(c.m_strCaption)); break;
            case ControlKind::Edit:
                if (auto* line = qobject_cast<QLineEdit*>(w)) {
                    if (line->text() != Q(c.m_strText)) {
                        line->setText(Q(c.m_strText));
                        // A number is read from its sign and first digits on.
                        line->setCursorPosition(0);
                    }
                    line->setReadOnly(c.m_bReadOnly);
                    FitToText(*line);
                } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
                    if (text->toPlainText() != Q(c.m_strText)) text->setPlainText(Q(c.m_strText));
                    text->setReadOnly(c.m_bReadOnly);
                }
                break;
            case ControlKind::CheckBox: static_cast<QCheckBox*>(w)->setChecked(c.m_nCheck != 0); break;
            case ControlKind::Radio: {
                auto* radio = static_cast<QRadioButton*>(w);
                radio->setText(Caption(c.m_strCaption));
                // An exclusive group keeps one button checked; the model may
                // have none.
                QButtonGroup* group = radio->group();
                if (group) group->setExclusive(false);
                radio->setChecked(c.m_nCheck != 0);
                if (group) group->setExclusive(true);
                break;
            }
            case ControlKind::DropList:
            case ControlKind::ComboBox: {
                auto* combo = static_cast<QComboBox*>(w);
                QStringList items;
                for (const auto& item : c.m_items) items << Q(item);
                QStringList current;
                for (int i = 0; i < combo->count(); ++i) current << combo->itemText(i);
                if (current != items) {
                    combo->clear();
                    combo->addItems(items);
                }
                combo->setCurrentIndex(c.m_nSel);
                if (combo->isEditable()) combo->setEditText(Q(c.m_strText));
                break;
            }
            case ControlKind::ListBox: {
                auto* list = static_cast<QListWidget*>(w);
                QStringList items;
                for (const auto& item : c.m_items) items << Q(item);
                QStringList current;
                for (int i = 0; i < list->count(); ++i) current << list->item(i)->text();
                if (current != items) {
                    list->clear();
                    list->addItems(items);
                }
                if (c.m_nSel >= 0 && c.m_nSel < list->count()) {
                    list->setCurrentRow(c.m_nSel);
                } else {
                    list->clearSelection();
                    list->setCurrentRow(-1);
                }
                break;
            }
            case ControlKind::Button: static_cast<QPushButton*>(w)->setText(Caption(c.m_strCaption)); break;
        }
    }
    // A group whose controls are all hidden is hidden with them.
    for (auto& [group, box] : m_groupBoxes) {
        bool any = false;
        for (const CControl& c : m_model.Controls())
            if (c.m_nGroup == group && c.m_bVisible) any = true;
        box->setVisible(any);
    }
    UpdateRadioTabStops();
    m_bSyncing = false;
}

void CQtControlPanel::ApplyFocusRequest() {
    int id = m_model.FocusRequest();
    if (!id) return;
    m_model.ClearFocusRequest();
    if (QWidget* w = ControlWidget(id)) {
        m_bInHandler = true;  // moving the focus is not the user's doing
        w->setFocus(Qt::OtherFocusReason);
        if (auto* line = qobject_cast<QLineEdit*>(w)) line->selectAll();
        m_bInHandler = false;
    }
}

void CQtControlPanel::AfterHandler(int exceptId) {
    SyncFromModel(exceptId);
    ApplyFocusRequest();
}

bool CQtControlPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && !m_bInHandler && !m_bSyncing) {
        auto it = m_ids.find(watched);
        if (it != m_ids.end()) {
            m_bInHandler = true;
            m_model.OnSetFocus(it->second);
            m_bInHandler = false;
            AfterHandler();
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kv
