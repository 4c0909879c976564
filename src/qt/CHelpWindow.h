#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QAction;

namespace kv {

class CHelpManual;

// The help window: the manual's pages in a browser with Back and Forward,
// and beside it the Contents tree, the Index and the full-text Search.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    enum class Tab { Contents, Index, Search };

    explicit CHelpWindow(const CHelpManual& manual, QWidget* parent = nullptr);

    // Shows a page ("page.html" or "page.html#anchor").
    void ShowPage(const QString& page);
    void ShowTab(Tab tab);
    // Runs a search as if typed into the Search tab.
    void RunSearch(const QString& query);
    // The page shown (file name with anchor, if any).
    QString CurrentPage() const;

    QTextBrowser* Browser() const { return m_pBrowser; }
    QTreeWidget* ContentsTree() const { return m_pTree; }
    QListWidget* IndexList() const { return m_pIndexList; }
    QLineEdit* IndexEdit() const { return m_pIndexEdit; }
    QListWidget* SearchResults() const { return m_pResults; }
    QLineEdit* SearchEdit() const { return m_pSearchEdit; }

private:
    void BuildContents();
    void BuildIndex();
    void FilterIndex(const QString& text);
    void OpenIndexItem();
    void OpenSearchItem();
    void SyncContents(const QString& file);

    const CHelpManual& m_manual;
    QTabWidget* m_pTabs = nullptr;
    QTreeWidget* m_pTree = nullptr;
    QLineEdit* m_pIndexEdit = nullptr;
    QListWidget* m_pIndexList = nullptr;
    QLineEdit* m_pSearchEdit = nullptr;
    QListWidget* m_pResults = nullptr;
    QTextBrowser* m_pBrowser = nullptr;
    QAction* m_pBack = nullptr;
    QAction* m_pForward = nullptr;
    QString m_strLastSearch;
};

}  // namespace kv
