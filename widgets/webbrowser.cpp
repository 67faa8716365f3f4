#include "widgets/webbrowser.h"

#include "services/filereplacement.h"
#include "services/ui.h"
#include "widgets/savefiledialog.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUrl>

namespace calvex::widgets {
namespace {

QString missingPage(const QString& path)
{
    return QStringLiteral("<html><body><h3>The page cannot be displayed</h3><p>%1 could not be read.</p></body></html>")
        .arg(path.toHtmlEscaped());
}

// Templates are 8-bit files: text that is not valid UTF-8 is read as Latin-1.
QString decodedPage(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    return text;
}

QUrl localUrl(const QString& path) { return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()); }

} // namespace

WebBrowser::WebBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenExternalLinks(true);
}

void WebBrowser::Navigate(const QString& path)
{
    m_writtenUrl.clear();
    m_writtenBytes.clear();
    showFile(localUrl(path));
}

void WebBrowser::Navigate(const QString& path, const QByteArray& bytes)
{
    m_writtenUrl = localUrl(path);
    m_writtenBytes = bytes;
    showFile(m_writtenUrl);
}

void WebBrowser::showFile(const QUrl& url)
{
    m_memoryPage.clear();
    if (source() == url)
        reload();
    else
        setSource(url, QTextDocument::HtmlResource);
}

void WebBrowser::showPage(const QString& html)
{
    clearHistory();
    setSource(QUrl());
    m_writtenUrl.clear();
    m_writtenBytes.clear();
    m_memoryPage = html;
    m_shownBytes = html.toUtf8();
    setHtml(html);
}

QString WebBrowser::LocationPath() const
{
    if (!m_memoryPage.isEmpty() || !source().isLocalFile())
        return {};
    return source().toLocalFile();
}

QVariant WebBrowser::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::HtmlResource && name == m_writtenUrl) {
        m_shownBytes = m_writtenBytes;
        return decodedPage(m_shownBytes);
    }
    if (type == QTextDocument::HtmlResource && name.isLocalFile()) {
        // What is saved later is what is shown now: the file may be rewritten meanwhile.
        const std::optional<std::string> bytes = services::readWholeFile(QFile::encodeName(name.toLocalFile()).toStdString());
        if (!bytes) {
            const QString page = missingPage(name.toLocalFile());
            m_shownBytes = page.toUtf8();
            return page;
        }
        m_shownBytes = QByteArray::fromStdString(*bytes);
        return decodedPage(m_shownBytes);
    }
    return QTextBrowser::loadResource(type, name);
}

bool WebBrowser::SaveAs()
{
    const QString shown = LocationPath();
    const auto chosen = chooseSaveFile(this, {QStringLiteral("Save Webpage"),
                                              QStringLiteral("Web Page (*.htm *.html);;All Files (*.*)"),
                                              QStringLiteral("htm"),
                                              shown.isEmpty() ? QStringLiteral("result.htm") : QFileInfo(shown).fileName()});
    if (!chosen)
        return false;
    // The page is small enough to sit whole in the file's buffer: a full disk shows only when it
    // is flushed, and commit() would rename the empty file over the chosen one regardless.
    QSaveFile out(*chosen);
    const bool saved = out.open(QIODevice::WriteOnly) && out.write(m_shownBytes) == m_shownBytes.size() && out.flush()
                       && out.commit();
    if (!saved) {
        out.cancelWriting();
        services::ui().message(QStringLiteral("The page could not be saved as %1.").arg(*chosen).toStdString());
        return false;
    }
    return true;
}

} // namespace calvex::widgets
