#pragma once
// The page view of the result viewer (and of any window that shows a program-folder page):
// shows an HTML file from a path or a page held in memory, goes back and forward, and saves
// the page shown through its own save dialog.

#include <QByteArray>
#include <QTextBrowser>
#include <QUrl>

namespace calvex::widgets {

class WebBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit WebBrowser(QWidget* parent = nullptr);

    // Shows the file at `path`, read anew even when it is the page already shown. A missing
    // or unreadable file shows a short page saying so.
    void Navigate(const QString& path);
    // Shows the file at `path` as this program wrote it, `bytes`, whatever the file holds by the
    // time it is read: another copy of the program may have written its own page there since.
    void Navigate(const QString& path, const QByteArray& bytes);
    // Shows a page that exists only in memory.
    void showPage(const QString& html);
    void GoBack() { backward(); }
    void GoForward() { forward(); }
    // Pages load at once here, so the view is never busy.
    bool Busy() const { return false; }
    // The file of the page shown; empty for a page from memory.
    QString LocationPath() const;
    // The save dialog, then a copy of the page shown where the user chose: the bytes it was
    // shown from, whatever its file holds by now. False for Cancel and when the copy could not
    // be written (after a message saying so).
    bool SaveAs();

    QVariant loadResource(int type, const QUrl& name) override;

private:
    void showFile(const QUrl& url);

    QString m_memoryPage;
    QByteArray m_shownBytes;
    QUrl m_writtenUrl; // the file whose page is `m_writtenBytes`
    QByteArray m_writtenBytes;
};

} // namespace calvex::widgets
