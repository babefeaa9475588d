#include "shell/frmBrowser.h"

#include "shell/auto_update.h"

#include "platform/net/http_get.h"
#include "platform/os/open_document.h"

#include <QAction>
#include <QScrollBar>
#include <QStringDecoder>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace shell {

namespace {

// A help page is a web page of modest size, and so are its pictures.
constexpr qint64 kMaxPaginaBytes = 8 * 1024 * 1024;
constexpr qint64 kMaxAfbeeldingBytes = 8 * 1024 * 1024;
const QString kWacht = QStringLiteral("Even geduld a.u.b. ...");

bool isWebAdres(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

QString foutPagina(const QString &reden)
{
    return QStringLiteral("<html><head><title>Pagina kan niet worden weergegeven</title></head><body>"
                          "<h3>De pagina kan niet worden weergegeven</h3><p>")
           + reden.toHtmlEscaped() + QStringLiteral("</p></body></html>");
}

// The rich-text view: its pictures come from the window's own store, which
// the window fills through the network; nothing is read from disk.
class HelpView : public QTextBrowser {
public:
    HelpView(QWidget *parent, const QHash<QUrl, QImage> &afbeeldingen)
        : QTextBrowser(parent), m_afbeeldingen(afbeeldingen)
    {
    }

    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type != QTextDocument::ImageResource)
            return QVariant();
        const QImage image = m_afbeeldingen.value(document()->baseUrl().resolved(name));
        return image.isNull() ? QVariant() : QVariant(image);
    }

private:
    const QHash<QUrl, QImage> &m_afbeeldingen;
};

// The addresses of the pictures in `doc`, resolved against its address.
QList<QUrl> afbeeldingenVan(const QTextDocument *doc)
{
    QList<QUrl> urls;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.isImageFormat())
                continue;
            const QUrl url = doc->baseUrl().resolved(QUrl(f.toImageFormat().name()));
            if (!urls.contains(url))
                urls << url;
        }
    }
    return urls;
}

} // namespace

// ---- History -------------------------------------------------------------------

void BrowserGeschiedenis::bezoek(const QUrl &url)
{
    m_paginas.resize(m_index + 1);
    m_paginas << url;
    m_index = m_paginas.size() - 1;
}

QUrl BrowserGeschiedenis::terug()
{
    if (!kanTerug())
        return QUrl();
    return m_paginas.at(--m_index);
}

QUrl BrowserGeschiedenis::vooruit()
{
    if (!kanVooruit())
        return QUrl();
    return m_paginas.at(++m_index);
}

// ---- Window --------------------------------------------------------------------

frmBrowser::frmBrowser() : Form(QStringLiteral("frmBrowser"))
{
    setWindowTitle(QStringLiteral("Website handleiding en helpdesk"));
    tbToolBar = new QToolBar(this);
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    // The pictures of the image list imlToolbarIcons.
    const struct {
        const char *key;
        QStyle::StandardPixmap icon;
    } knoppen[] = {{"Back", QStyle::SP_ArrowBack}, {"Forward", QStyle::SP_ArrowForward}};
    int nummer = 0;
    for (const auto &k : knoppen) {
        const QString key = QLatin1String(k.key);
        QAction *a = tbToolBar->addAction(style()->standardIcon(k.icon), key);
        a->setObjectName(QStringLiteral("tbToolBar_%1").arg(++nummer));
        a->setData(key);
        a->setToolTip(key);
        connect(a, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
    }

    brwWebBrowser = new HelpView(this, m_afbeeldingen);
    brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));
    brwWebBrowser->setOpenLinks(false);
    connect(brwWebBrowser, &QTextBrowser::anchorClicked, this, &frmBrowser::brwWebBrowser_AnchorClicked);

    timTimer = new QTimer(this);
    timTimer->setObjectName(QStringLiteral("timTimer"));
    timTimer->setInterval(5);
    connect(timTimer, &QTimer::timeout, this, &frmBrowser::timTimer_Timer);

    // The browser takes the window but for the tool bar's band.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(tbToolBar);
    layout->addWidget(brwWebBrowser, 1);
    resize(720, 540);
}

frmBrowser::~frmBrowser() = default;

frmBrowser *frmBrowser::open(const QString &startingAddress)
{
    auto *f = new frmBrowser;
    f->StartingAddress = startingAddress;
    f->loadForm();
    f->Form_Load();
    return f;
}

void frmBrowser::Form_Load()
{
    if (StartingAddress.isEmpty())
        return;
    timTimer->start();
    navigeer(QUrl(StartingAddress));
}

void frmBrowser::Form_Unload()
{
    timTimer->stop();
    m_verzoek.reset();
    m_afbeeldingVerzoek.reset();
    m_teHalen.clear();
}

bool frmBrowser::isBezig() const
{
    return (m_verzoek && m_verzoek->isRunning()) || m_afbeeldingVerzoek || !m_teHalen.isEmpty();
}

void frmBrowser::navigeer(const QUrl &url)
{
    m_geschiedenis.bezoek(url);
    laad(url);
}

void frmBrowser::laad(const QUrl &url)
{
    net::Options opties = modAutoUpdate::pfunNetOpties();
    opties.maxBytes = kMaxPaginaBytes;
    // A page still on its way, or its pictures, give way to this one.
    m_afbeeldingVerzoek.reset();
    m_teHalen.clear();
    m_verzoek = std::make_unique<net::HttpRequest>(url, opties);
    connect(m_verzoek.get(), &net::HttpRequest::finished, this, &frmBrowser::geladen);
    setWindowTitle(kWacht);
    m_verzoek->start();
}

void frmBrowser::geladen()
{
    const net::Result &r = m_verzoek->result();
    if (!r.ok()) {
        brwWebBrowser->setHtml(foutPagina(r.description));
    } else if (r.contentType.startsWith(QLatin1String("text/plain"), Qt::CaseInsensitive)) {
        brwWebBrowser->setPlainText(net::textOf(r.body));
        brwWebBrowser->document()->setMetaInformation(QTextDocument::DocumentTitle, QString());
    } else {
        QStringDecoder decoder = QStringDecoder::decoderForHtml(r.body);
        const QString html = decoder.isValid() ? decoder.decode(r.body) : net::textOf(r.body);
        brwWebBrowser->document()->setBaseUrl(r.url);
        brwWebBrowser->setHtml(html);
        m_html = html;
        for (const QUrl &url : afbeeldingenVan(brwWebBrowser->document()))
            if (isWebAdres(url) && !m_afbeeldingen.contains(url))
                m_teHalen << url;
    }
    // The request goes once this signal has returned.
    m_verzoek.release()->deleteLater();
    brwWebBrowser_NavigateComplete2();
    haalVolgendeAfbeelding();
}

void frmBrowser::haalVolgendeAfbeelding()
{
    if (m_afbeeldingVerzoek)
        return;
    if (m_teHalen.isEmpty())
        return;
    m_afbeeldingAdres = m_teHalen.takeFirst();
    net::Options opties = modAutoUpdate::pfunNetOpties();
    opties.maxBytes = kMaxAfbeeldingBytes;
    m_afbeeldingVerzoek = std::make_unique<net::HttpRequest>(m_afbeeldingAdres, opties);
    connect(m_afbeeldingVerzoek.get(), &net::HttpRequest::finished, this, &frmBrowser::afbeeldingGeladen);
    m_afbeeldingVerzoek->start();
}

void frmBrowser::afbeeldingGeladen()
{
    const net::Result &r = m_afbeeldingVerzoek->result();
    // A picture that cannot be fetched or read stays away; it is not asked
    // for again while the window is open.
    m_afbeeldingen.insert(m_afbeeldingAdres, r.ok() ? QImage::fromData(r.body) : QImage());
    m_afbeeldingVerzoek.release()->deleteLater();
    if (!m_teHalen.isEmpty()) {
        haalVolgendeAfbeelding();
        return;
    }
    // Every picture is there: the page is laid out again with them, where
    // the reader was.
    QScrollBar *bar = brwWebBrowser->verticalScrollBar();
    const int plek = bar->value();
    const QUrl basis = brwWebBrowser->document()->baseUrl();
    brwWebBrowser->document()->setBaseUrl(basis);
    brwWebBrowser->setHtml(m_html);
    brwWebBrowser->document()->setBaseUrl(basis);
    bar->setValue(plek);
    setWindowTitle(paginaTitel());
}

void frmBrowser::brwWebBrowser_AnchorClicked(const QUrl &link)
{
    const QUrl url = huidigAdres().resolved(link);
    if (link.toString().startsWith(QLatin1Char('#'))) {
        brwWebBrowser->scrollToAnchor(link.fragment());
        return;
    }
    if (isWebAdres(url)) {
        timTimer->start();
        navigeer(url);
    } else {
        os::openDocument(url.toString());
    }
}

void frmBrowser::tbToolBar_ButtonClick(const QString &key)
{
    timTimer->start();
    QUrl url;
    if (key == QLatin1String("Back"))
        url = m_geschiedenis.terug();
    else if (key == QLatin1String("Forward"))
        url = m_geschiedenis.vooruit();
    if (!url.isEmpty())
        laad(url);
}

void frmBrowser::brwWebBrowser_NavigateComplete2()
{
    setWindowTitle(paginaTitel());
    emit navigatieKlaar();
}

void frmBrowser::timTimer_Timer()
{
    if (isBezig()) {
        setWindowTitle(kWacht);
        return;
    }
    timTimer->stop();
    setWindowTitle(paginaTitel());
}

QString frmBrowser::paginaTitel() const
{
    // The location name: the page's title, else its address.
    const QString titel = brwWebBrowser->documentTitle().trimmed();
    if (!titel.isEmpty())
        return titel;
    const QUrl url = m_geschiedenis.huidig();
    return url.isEmpty() ? windowTitle() : url.toString();
}

} // namespace shell
