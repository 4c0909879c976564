#include "qt/CHelpManual.h"

#include <algorithm>
#include <cmath>
#include <set>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace kv {

namespace {

QString ReadText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

QString PlainText(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

QString Stem(QString word) {
    // Enough to let "windows", "windowing" and "windowed" find "window".
    static const char* const kEndings[] = {"ing", "ies", "es", "ed", "s"};
    for (const char* ending : kEndings) {
        const QString e = QString::fromLatin1(ending);
        if (word.size() >= e.size() + 3 && word.endsWith(e)) {
            word.chop(e.size());
            if (e == QLatin1String("ies")) word += QLatin1Char('y');
            break;
        }
    }
    return word;
}

std::map<QString, int> Count(const QString& text) {
    std::map<QString, int> counts;
    for (const QString& w : CHelpManual::Words(text)) ++counts[w];
    return counts;
}

}  // namespace

CHelpManual::CHelpManual(const QString& root) : m_root(root) {
    QDir dir(root);
    const QStringList files = dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString& file : files) LoadPage(file);
    LoadContents();
    LoadMap();
    BuildIndex();
}

QString CHelpManual::FileOf(const QString& page) {
    const qsizetype hash = page.indexOf(QLatin1Char('#'));
    return hash < 0 ? page : page.left(hash);
}

QUrl CHelpManual::Url(const QString& page) const {
    const QString file = FileOf(page);
    const QString anchor = page.mid(file.size() + 1);
    QUrl url;
    if (m_root.startsWith(QLatin1Char(':')))
        url = QUrl(QStringLiteral("qrc") + m_root + QLatin1Char('/') + file);
    else
        url = QUrl::fromLocalFile(QDir(m_root).absoluteFilePath(file));
    if (!anchor.isEmpty()) url.setFragment(anchor);
    return url;
}

QStringList CHelpManual::Pages() const {
    QStringList pages;
    for (const auto& [file, page] : m_pages) pages << file;
    return pages;
}

bool CHelpManual::HasPage(const QString& page) const { return m_pages.count(FileOf(page)) != 0; }

void CHelpManual::LoadPage(const QString& file) {
    Page page;
    page.source = ReadText(QDir(m_root).filePath(file));
    static const QRegularExpression titleRe(QStringLiteral("<title>(.*?)</title>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression keywordsRe(QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""));
    static const QRegularExpression bodyRe(QStringLiteral("<body[^>]*>(.*)</body>"),
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression paraRe(QStringLiteral("<p[^>]*>(.*?)</p>"),
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression fieldRe(
        QStringLiteral("<dt([^>]*)>(.*?)</dt>\\s*<dd[^>]*>(.*?)</dd>"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression namesRe(QStringLiteral("data-fields=\"([^\"]*)\""));

    if (auto m = titleRe.match(page.source); m.hasMatch()) page.title = PlainText(m.captured(1));
    if (page.title.isEmpty()) page.title = file;
    if (auto m = keywordsRe.match(page.source); m.hasMatch()) {
        for (const QString& k : m.captured(1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString keyword = PlainText(k);
            if (!keyword.isEmpty()) page.keywords << keyword;
        }
    }
    const QString body = bodyRe.match(page.source).captured(1);
    if (auto m = paraRe.match(body); m.hasMatch()) page.summary = PlainText(m.captured(1));
    for (auto it = fieldRe.globalMatch(body); it.hasNext();) {
        auto m = it.next();
        Field field;
        field.names << NormalizeLabel(PlainText(m.captured(2)));
        if (auto n = namesRe.match(m.captured(1)); n.hasMatch())
            for (const QString& name : n.captured(1).split(QLatin1Char('|'), Qt::SkipEmptyParts))
                field.names << NormalizeLabel(name);
        field.text = PlainText(m.captured(3));
        page.fields.push_back(field);
    }
    page.titleWords = Count(page.title);
    page.keywordWords = Count(page.keywords.join(QLatin1Char(' ')));
    page.textWords = Count(PlainText(body));
    m_pages[file] = std::move(page);
}

void CHelpManual::LoadContents() {
    const QString text = ReadText(QDir(m_root).filePath(QStringLiteral("contents.txt")));
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        if (raw.trimmed().isEmpty() || raw.trimmed().startsWith(QLatin1Char('#'))) continue;
        int spaces = 0;
        while (spaces < raw.size() && raw[spaces] == QLatin1Char(' ')) ++spaces;
        TocEntry entry;
        entry.page = raw.trimmed();
        entry.level = spaces / 2;
        if (!HasPage(entry.page)) {
            m_problems << QStringLiteral("contents.txt: no page %1").arg(entry.page);
            continue;
        }
        entry.title = Title(entry.page);
        m_contents.push_back(entry);
    }
}

void CHelpManual::LoadMap() {
    const QString text = ReadText(QDir(m_root).filePath(QStringLiteral("help-map.txt")));
    int lineNumber = 0;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        ++lineNumber;
        QString line = raw;
        if (qsizetype hash = line.indexOf(QLatin1String(" #")); hash >= 0) line = line.left(hash);
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList parts = line.split(QRegularExpression(QStringLiteral("\\s+")));
        const QString where = QStringLiteral("help-map.txt:%1: ").arg(lineNumber);
        if (parts.size() != 3) {
            m_problems << where + QStringLiteral("expected three fields: ") + line;
            continue;
        }
        if (!HasPage(parts[2])) {
            m_problems << where + QStringLiteral("no page %1").arg(parts[2]);
            continue;
        }
        if (parts[0] == QLatin1String("command")) {
            bool ok = false;
            const int id = parts[1].toInt(&ok);
            if (!ok) m_problems << where + QStringLiteral("not a command number: ") + parts[1];
            else m_commandPages[id] = parts[2];
        } else if (parts[0] == QLatin1String("dialog")) {
            m_dialogPages[parts[1]] = parts[2];
        } else if (parts[0] == QLatin1String("window")) {
            m_windowPages[parts[1]] = parts[2];
        } else {
            m_problems << where + QStringLiteral("unknown kind ") + parts[0];
        }
    }
}

void CHelpManual::BuildIndex() {
    std::set<std::pair<QString, QString>> seen;
    for (const auto& [file, page] : m_pages) {
        QStringList keys = page.keywords;
        keys << page.title;
        for (const QString& k : keys)
            if (seen.insert({k.toLower(), file}).second) m_index.push_back({k, file});
    }
    std::sort(m_index.begin(), m_index.end(), [](const IndexEntry& a, const IndexEntry& b) {
        const int c = QString::compare(a.keyword, b.keyword, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.page < b.page;
    });
}

std::vector<CHelpManual::SearchHit> CHelpManual::Search(const QString& query) const {
    std::vector<SearchHit> hits;
    const QStringList words = Words(query);
    if (words.isEmpty()) return hits;
    for (const auto& [file, page] : m_pages) {
        double score = 0;
        bool all = true;
        for (const QString& w : words) {
            auto count = [&w](const std::map<QString, int>& m) {
                auto it = m.find(w);
                return it == m.end() ? 0 : it->second;
            };
            const int inTitle = count(page.titleWords);
            const int inKeywords = count(page.keywordWords);
            const int inText = count(page.textWords);
            if (inTitle + inKeywords + inText == 0) {
                all = false;
                break;
            }
            score += 20.0 * inTitle + 8.0 * std::min(inKeywords, 3) + std::log2(1.0 + inText);
        }
        if (all) hits.push_back({file, page.title, score});
    }
    std::sort(hits.begin(), hits.end(), [](const SearchHit& a, const SearchHit& b) {
        return a.score != b.score ? a.score > b.score : a.page < b.page;
    });
    return hits;
}

QString CHelpManual::PageForCommand(int id) const {
    auto it = m_commandPages.find(id);
    return it == m_commandPages.end() ? QString() : it->second;
}

QString CHelpManual::PageForDialog(const QString& className) const {
    auto it = m_dialogPages.find(className);
    return it == m_dialogPages.end() ? QString() : it->second;
}

QString CHelpManual::PageForWindow(const QString& className) const {
    auto it = m_windowPages.find(className);
    return it == m_windowPages.end() ? QString() : it->second;
}

QString CHelpManual::Title(const QString& page) const {
    auto it = m_pages.find(FileOf(page));
    return it == m_pages.end() ? QString() : it->second.title;
}

QString CHelpManual::Summary(const QString& page) const {
    auto it = m_pages.find(FileOf(page));
    return it == m_pages.end() ? QString() : it->second.summary;
}

QString CHelpManual::Source(const QString& page) const {
    auto it = m_pages.find(FileOf(page));
    return it == m_pages.end() ? QString() : it->second.source;
}

QString CHelpManual::FieldHelp(const QString& page, const QString& label) const {
    auto it = m_pages.find(FileOf(page));
    const QString name = NormalizeLabel(label);
    if (it == m_pages.end() || name.isEmpty()) return {};
    for (const Field& f : it->second.fields)
        if (f.names.contains(name)) return f.text;
    return {};
}

QString CHelpManual::NormalizeLabel(const QString& label) {
    QString s = label;
    s.remove(QLatin1Char('&'));
    s = s.simplified();
    while (s.endsWith(QLatin1Char(':')) || s.endsWith(QLatin1Char('='))) {
        s.chop(1);
        s = s.trimmed();
    }
    return s.toLower();
}

QStringList CHelpManual::Words(const QString& text) {
    QStringList words;
    QString current;
    auto flush = [&] {
        if (!current.isEmpty()) words << Stem(current.toLower());
        current.clear();
    };
    for (const QChar c : text) {
        if (c.isLetterOrNumber()) current += c;
        else flush();
    }
    flush();
    return words;
}

}  // namespace kv
