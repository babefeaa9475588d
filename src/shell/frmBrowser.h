#pragma once
// The help browser: a small window that shows the online manual and
// help-desk page of the update server. Each opening makes a new window,
// so several may be open; while one is open it counts as an open screen.
//
// Pages come through the program's own HTTP requests (proxy choice and
// time-out of the update check) and are shown as rich text: the text,
// headings, lists, tables, links and pictures of a page (the pictures
// fetched the same way, once the text is shown, and kept while the window
// is open), not its scripts, external style sheets, frames or forms. A link
// to another web page opens here; any other link (mail, a document) goes to
// the desktop's program for it. "Back" and "Forward" walk the pages
// visited. The caption shows the page's title, or "Even geduld a.u.b. ..."
// while a page or its pictures are on their way; a page that cannot be
// fetched shows why, in Dutch.

#include "screens/form.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QUrl>
#include <memory>

class QTextBrowser;
class QTimer;
class QToolBar;

namespace net {
class HttpRequest;
}

namespace shell {

// The pages visited, in order, and the place in them.
class BrowserGeschiedenis {
public:
    // A new page: the pages ahead of the current one are dropped.
    void bezoek(const QUrl &url);
    bool kanTerug() const { return m_index > 0; }
    bool kanVooruit() const { return m_index + 1 < m_paginas.size(); }
    // Moves back or forward; the page there (an empty address when there
    // is none: nothing moves).
    QUrl terug();
    QUrl vooruit();
    QUrl huidig() const { return m_index >= 0 ? m_paginas.at(m_index) : QUrl(); }

private:
    QList<QUrl> m_paginas;
    qsizetype m_index = -1;
};

class frmBrowser : public screens::Form {
    Q_OBJECT

public:
    // A new window that opens `startingAddress` (nothing when empty).
    static frmBrowser *open(const QString &startingAddress);

    // The address the window opens with; set before it loads.
    QString StartingAddress;

    // "Back" or "Forward".
    void tbToolBar_ButtonClick(const QString &key);
    // Opens `url` as a new page.
    void navigeer(const QUrl &url);

    bool isBezig() const;
    QUrl huidigAdres() const { return m_geschiedenis.huidig(); }
    const BrowserGeschiedenis &geschiedenis() const { return m_geschiedenis; }

signals:
    // A page (or the report that it could not be fetched) is shown.
    void navigatieKlaar();

private:
    frmBrowser();
    ~frmBrowser() override;
    void Form_Load();
    void Form_Unload() override;
    void laad(const QUrl &url);
    void geladen();
    void haalVolgendeAfbeelding();
    void afbeeldingGeladen();
    void brwWebBrowser_AnchorClicked(const QUrl &link);
    void brwWebBrowser_NavigateComplete2();
    void timTimer_Timer();
    QString paginaTitel() const;

    QTextBrowser *brwWebBrowser = nullptr;
    QToolBar *tbToolBar = nullptr;
    QTimer *timTimer = nullptr;
    BrowserGeschiedenis m_geschiedenis;
    std::unique_ptr<net::HttpRequest> m_verzoek;
    // The pictures of the page: those still to fetch, the one on its way,
    // and every one fetched in this window (a null image for one that
    // could not be fetched or read).
    QList<QUrl> m_teHalen;
    std::unique_ptr<net::HttpRequest> m_afbeeldingVerzoek;
    QUrl m_afbeeldingAdres;
    QHash<QUrl, QImage> m_afbeeldingen;
    QString m_html;
};

} // namespace shell
