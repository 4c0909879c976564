#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace kv {

// Open requests between starts of the program. The first start listens on
// a local socket of the user; a later start that is given files hands them
// to it and ends, so that a file opened from the desktop opens in the
// program already running.
class CInstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit CInstanceChannel(QString name, QObject* parent = nullptr);
    ~CInstanceChannel() override;

    // The channel of the user running the program.
    static QString DefaultName();
    const QString& Name() const { return m_strName; }

    // Gives the files to the program listening on the channel; true when it
    // has taken them. False when there are none or nothing listens.
    bool HandOver(const QStringList& paths, int timeoutMs = 3000) const;
    // Listens for requests; false when another program already listens.
    bool Listen();
    bool IsListening() const;

signals:
    // Files another start of the program asked this one to open.
    void FilesRequested(const QStringList& paths);

private:
    void OnConnection();

    QString m_strName;
    QLocalServer* m_pServer = nullptr;
};

}  // namespace kv
