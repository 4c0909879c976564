#pragma once
#include <map>
#include <vector>

#include <QString>
#include <QStringList>
#include <QUrl>

namespace kv {

// The user's manual as the help window uses it: its pages, the contents
// tree, the index keywords, a ranked full-text search, and the map that ties
// commands, dialogs and windows to their pages.
//
// The manual is a folder of HTML pages (compiled into the program under
// ":/manual") with three plain-text files beside them:
//   contents.txt  one page file a line, indented two spaces a level;
//   help-map.txt  "command <id> <page>", "dialog <class> <page>" and
//                 "window <Qt class> <page>" lines ('#' starts a comment);
//   each page's  <meta name="keywords" content="a; b; c"> gives its index
//                 entries, and its <dt>/<dd> pairs the help texts of dialog
//                 fields (a dt's text, or the names in its data-fields
//                 attribute separated by '|', name the fields it describes).
class CHelpManual {
public:
    struct TocEntry {
        QString page;
        QString title;
        int level = 0;
    };
    struct IndexEntry {
        QString keyword;
        QString page;
    };
    struct SearchHit {
        QString page;
        QString title;
        double score = 0;
    };

    // Loads the manual found in the folder root (a resource path such as
    // ":/manual" or a directory on disk).
    explicit CHelpManual(const QString& root = QStringLiteral(":/manual"));

    bool IsLoaded() const { return !m_pages.empty(); }
    const QString& Root() const { return m_root; }
    // The address of a page ("page.html" or "page.html#anchor") for a browser.
    QUrl Url(const QString& page) const;
    QStringList Pages() const;
    bool HasPage(const QString& page) const;

    const std::vector<TocEntry>& Contents() const { return m_contents; }
    // Every keyword and page title, sorted without regard to case.
    const std::vector<IndexEntry>& Index() const { return m_index; }
    // The pages that hold every word of the query (word endings such as
    // plural "s" or "ing" do not matter), best first: words in the title
    // count most, then keywords, then the text.
    std::vector<SearchHit> Search(const QString& query) const;

    // The page of a command number, a dialog class ("CScaleDlg") or a window
    // class ("kv::CPlotWidget"); empty when the map has none. Command and
    // dialog pages may carry an anchor.
    QString PageForCommand(int id) const;
    QString PageForDialog(const QString& className) const;
    QString PageForWindow(const QString& className) const;
    const std::map<int, QString>& CommandPages() const { return m_commandPages; }
    const std::map<QString, QString>& DialogPages() const { return m_dialogPages; }

    QString Title(const QString& page) const;
    // The first paragraph of a page, as plain text.
    QString Summary(const QString& page) const;
    // The help text of a dialog field, by the field's label or caption as
    // the dialog shows it; empty when the page does not describe it.
    QString FieldHelp(const QString& page, const QString& label) const;
    // The page's HTML source.
    QString Source(const QString& page) const;

    // Lines of the map and contents files that could not be used.
    const QStringList& Problems() const { return m_problems; }

    // A label as the field texts are compared: without "&", surrounding
    // blanks, a trailing ":" or "=", in lower case.
    static QString NormalizeLabel(const QString& label);
    // The search words of a text: lower case, letters and digits, common
    // English endings removed.
    static QStringList Words(const QString& text);

private:
    struct Field {
        QStringList names;
        QString text;
    };
    struct Page {
        QString title;
        QString summary;
        QString source;
        QStringList keywords;
        std::map<QString, int> titleWords;
        std::map<QString, int> keywordWords;
        std::map<QString, int> textWords;
        std::vector<Field> fields;
    };

    void LoadPage(const QString& file);
    void LoadContents();
    void LoadMap();
    void BuildIndex();
    static QString FileOf(const QString& page);

    QString m_root;
    std::map<QString, Page> m_pages;
    std::vector<TocEntry> m_contents;
    std::vector<IndexEntry> m_index;
    std::map<int, QString> m_commandPages;
    std::map<QString, QString> m_dialogPages;
    std::map<QString, QString> m_windowPages;
    QStringList m_problems;
};

}  // namespace kv
