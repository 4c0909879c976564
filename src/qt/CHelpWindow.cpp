#include "qt/CHelpWindow.h"

#include <algorithm>
#include <map>
#include <vector>

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/StringTable.h"
#include "qt/CHelpManual.h"

namespace kv {

namespace {

QString Q(StringId id) { return QString::fromStdString(LoadString(id)); }

constexpr int kPageRole = Qt::UserRole;

}  // namespace

CHelpWindow::CHelpWindow(const CHelpManual& manual, QWidget* parent)
    : QWidget(parent, Qt::Window), m_manual(manual) {
    setWindowTitle(Q(IDS_HELP_WINDOW_TITLE));
    setObjectName(QStringLiteral("HelpWindow"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_pBack = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), Q(IDS_HELP_BACK));
    m_pForward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), Q(IDS_HELP_FORWARD));
    QAction* home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), Q(IDS_HELP_HOME));
    m_pBack->setShortcut(QKeySequence::Back);
    m_pForward->setShortcut(QKeySequence::Forward);
    layout->addWidget(bar);

    auto* split = new QSplitter(this);
    m_pTabs = new QTabWidget(split);

    m_pTree = new QTreeWidget;
    m_pTree->setHeaderHidden(true);
    m_pTabs->addTab(m_pTree, Q(IDS_HELP_TAB_CONTENTS));

    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->addWidget(new QLabel(Q(IDS_HELP_INDEX_PROMPT)));
    m_pIndexEdit = new QLineEdit;
    indexLayout->addWidget(m_pIndexEdit);
    m_pIndexList = new QListWidget;
    indexLayout->addWidget(m_pIndexList);
    m_pTabs->addTab(indexPage, Q(IDS_HELP_TAB_INDEX));

    auto* searchPage = new QWidget;
    auto* searchLayout = new QVBoxLayout(searchPage);
    searchLayout->addWidget(new QLabel(Q(IDS_HELP_SEARCH_PROMPT)));
    auto* searchRow = new QHBoxLayout;
    m_pSearchEdit = new QLineEdit;
    auto* searchButton = new QPushButton(Q(IDS_HELP_SEARCH_BUTTON));
    searchRow->addWidget(m_pSearchEdit);
    searchRow->addWidget(searchButton);
    searchLayout->addLayout(searchRow);
    m_pResults = new QListWidget;
    searchLayout->addWidget(m_pResults);
    m_pTabs->addTab(searchPage, Q(IDS_HELP_TAB_SEARCH));

    m_pBrowser = new QTextBrowser(split);
    m_pBrowser->setOpenExternalLinks(true);
    split->addWidget(m_pTabs);
    split->addWidget(m_pBrowser);
    split->setStretchFactor(1, 3);
    layout->addWidget(split, 1);

    BuildContents();
    BuildIndex();

    connect(m_pBack, &QAction::triggered, m_pBrowser, &QTextBrowser::backward);
    connect(m_pForward, &QAction::triggered, m_pBrowser, &QTextBrowser::forward);
    connect(home, &QAction::triggered, this, [this] {
        if (!m_manual.Contents().empty()) ShowPage(m_manual.Contents().front().page);
    });
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, m_pBack, &QAction::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, m_pForward, &QAction::setEnabled);
    connect(m_pBrowser, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
        // The browser's source() is not yet the new page while it tells us.
        SyncContents(url.fileName());
        if (!m_strLastSearch.isEmpty()) m_pBrowser->find(m_strLastSearch);
    });
    m_pBack->setEnabled(false);
    m_pForward->setEnabled(false);
    connect(m_pTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        m_strLastSearch.clear();
        ShowPage(item->data(0, kPageRole).toString());
    });
    connect(m_pTree, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        m_strLastSearch.clear();
        ShowPage(item->data(0, kPageRole).toString());
    });
    connect(m_pIndexEdit, &QLineEdit::textChanged, this, &CHelpWindow::FilterIndex);
    connect(m_pIndexEdit, &QLineEdit::returnPressed, this, &CHelpWindow::OpenIndexItem);
    connect(m_pIndexList, &QListWidget::itemActivated, this, &CHelpWindow::OpenIndexItem);
    connect(m_pIndexList, &QListWidget::itemClicked, this, &CHelpWindow::OpenIndexItem);
    connect(m_pSearchEdit, &QLineEdit::returnPressed, this, [this] { RunSearch(m_pSearchEdit->text()); });
    connect(searchButton, &QPushButton::clicked, this, [this] { RunSearch(m_pSearchEdit->text()); });
    connect(m_pResults, &QListWidget::itemActivated, this, &CHelpWindow::OpenSearchItem);
    connect(m_pResults, &QListWidget::itemClicked, this, &CHelpWindow::OpenSearchItem);

    if (!m_manual.IsLoaded())
        m_pBrowser->setPlainText(Q(IDS_HELP_MISSING));
    else if (!m_manual.Contents().empty())
        ShowPage(m_manual.Contents().front().page);
    // As large as a comfortable page, but never larger than the screen.
    QSize size(1000, 700);
    if (QScreen* screen = this->screen()) size = size.boundedTo(screen->availableGeometry().size() * 0.85);
    resize(size);
}

void CHelpWindow::BuildContents() {
    std::vector<QTreeWidgetItem*> parents;
    for (const CHelpManual::TocEntry& e : m_manual.Contents()) {
        const int level = std::min<int>(e.level, static_cast<int>(parents.size()));
        parents.resize(static_cast<size_t>(level));
        auto* item = parents.empty() ? new QTreeWidgetItem(m_pTree) : new QTreeWidgetItem(parents.back());
        item->setText(0, e.title);
        item->setData(0, kPageRole, e.page);
        parents.push_back(item);
    }
    m_pTree->expandToDepth(0);
}

void CHelpWindow::BuildIndex() {
    // A keyword of several pages is listed once a page, each with its page's title.
    std::map<QString, int> uses;
    for (const CHelpManual::IndexEntry& e : m_manual.Index()) ++uses[e.keyword.toLower()];
    for (const CHelpManual::IndexEntry& e : m_manual.Index()) {
        QString text = e.keyword;
        if (uses[e.keyword.toLower()] > 1) text += QStringLiteral(" \u2014 ") + m_manual.Title(e.page);
        auto* item = new QListWidgetItem(text, m_pIndexList);
        item->setData(kPageRole, e.page);
        item->setToolTip(m_manual.Title(e.page));
    }
}

void CHelpWindow::FilterIndex(const QString& text) {
    // Like a printed index: the list stays whole and the first entry that
    // starts with the typed text is selected.
    for (int i = 0; i < m_pIndexList->count(); ++i) {
        QListWidgetItem* item = m_pIndexList->item(i);
        if (item->text().startsWith(text.trimmed(), Qt::CaseInsensitive)) {
            m_pIndexList->setCurrentItem(item);
            m_pIndexList->scrollToItem(item, QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void CHelpWindow::OpenIndexItem() {
    QListWidgetItem* item = m_pIndexList->currentItem();
    if (!item) return;
    m_strLastSearch.clear();
    ShowPage(item->data(kPageRole).toString());
}

void CHelpWindow::RunSearch(const QString& query) {
    if (m_pSearchEdit->text() != query) m_pSearchEdit->setText(query);
    m_pResults->clear();
    const auto hits = m_manual.Search(query);
    for (const CHelpManual::SearchHit& hit : hits) {
        auto* item = new QListWidgetItem(hit.title, m_pResults);
        item->setData(kPageRole, hit.page);
    }
    if (hits.empty() && !CHelpManual::Words(query).isEmpty()) {
        auto* item = new QListWidgetItem(Q(IDS_HELP_NO_MATCH), m_pResults);
        item->setFlags(Qt::NoItemFlags);
    }
    if (!hits.empty()) m_pResults->setCurrentRow(0);
}

void CHelpWindow::OpenSearchItem() {
    QListWidgetItem* item = m_pResults->currentItem();
    if (!item || item->data(kPageRole).toString().isEmpty()) return;
    const QStringList words = m_pSearchEdit->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    m_strLastSearch = words.isEmpty() ? QString() : words.front();
    ShowPage(item->data(kPageRole).toString());
}

void CHelpWindow::ShowPage(const QString& page) {
    if (page.isEmpty() || !m_manual.IsLoaded()) return;
    const QUrl url = m_manual.Url(page);
    if (m_pBrowser->source() == url) {
        // The same page again: still go to its anchor.
        if (url.hasFragment()) m_pBrowser->scrollToAnchor(url.fragment());
        return;
    }
    m_pBrowser->setSource(url);
}

void CHelpWindow::ShowTab(Tab tab) {
    m_pTabs->setCurrentIndex(static_cast<int>(tab));
    if (tab == Tab::Index) m_pIndexEdit->setFocus();
    if (tab == Tab::Search) m_pSearchEdit->setFocus();
    if (tab == Tab::Contents) m_pTree->setFocus();
}

QString CHelpWindow::CurrentPage() const {
    const QUrl url = m_pBrowser->source();
    QString page = url.fileName();
    if (url.hasFragment()) page += QLatin1Char('#') + url.fragment();
    return page;
}

void CHelpWindow::SyncContents(const QString& file) {
    for (QTreeWidgetItemIterator it(m_pTree); *it; ++it) {
        if ((*it)->data(0, kPageRole).toString() == file) {
            m_pTree->setCurrentItem(*it);
            return;
        }
    }
}

}  // namespace kv
