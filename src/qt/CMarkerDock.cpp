#include "qt/CMarkerDock.h"

#include <QHeaderView>
#include <QTableWidget>

#include "qt/CPlotWidget.h"

namespace kv {

CMarkerDock::CMarkerDock(QWidget* parent) : QDockWidget(tr("Markers"), parent) {
    setObjectName(QStringLiteral("markerTable"));
    m_pTable = new QTableWidget(this);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->verticalHeader()->setVisible(false);
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setWidget(m_pTable);
    connect(m_pTable, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (m_bFilling || !m_pPlot || row < 0) return;
        CGraph& graph = m_pPlot->Graph();
        if (row == graph.Markers().Active()) return;
        graph.Markers().SetActive(row);
        graph.Invalidate();
        Refresh();
    });
    Refresh();
}

void CMarkerDock::Follow(CPlotWidget* plot) {
    if (plot == m_pPlot) return;
    disconnect(m_connection);
    disconnect(m_gone);
    m_pPlot = plot;
    if (plot) {
        m_connection = connect(plot, &CPlotWidget::markersChanged, this, &CMarkerDock::Refresh);
        // A closed plot leaves an empty table.
        m_gone = connect(plot, &QObject::destroyed, this, [this] {
            m_pPlot = nullptr;
            Refresh();
        });
    }
    Refresh();
}

void CMarkerDock::Refresh() {
    m_bFilling = true;
    std::vector<std::vector<std::string>> text;
    int active = -1;
    if (m_pPlot) {
        text = m_pPlot->Graph().MarkerTableText();
        active = m_pPlot->Graph().Markers().Active();
    }
    if (text.empty()) text.push_back({"", "X", "Y", "Sample"});
    const std::vector<std::string>& head = text.front();
    m_pTable->clear();
    m_pTable->setColumnCount(static_cast<int>(head.size()));
    m_pTable->setRowCount(static_cast<int>(text.size()) - 1);
    QStringList labels;
    for (const std::string& h : head) labels << QString::fromStdString(h.empty() ? std::string("Marker") : h);
    m_pTable->setHorizontalHeaderLabels(labels);
    for (size_t r = 1; r < text.size(); ++r)
        for (size_t c = 0; c < text[r].size(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(text[r][c]));
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            m_pTable->setItem(static_cast<int>(r) - 1, static_cast<int>(c), item);
        }
    if (active >= 0 && active < m_pTable->rowCount()) m_pTable->selectRow(active);
    m_bFilling = false;
}

}  // namespace kv
