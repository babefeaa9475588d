#include "reports/frmRapScherm.h"

#include "platform/ui/vb_color.h"

#include <QMdiArea>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>
#include <cmath>

namespace reports {

namespace {
constexpr double kCmPerInch = 2.54;
// Where the text box starts, in cm.
constexpr double kLinks = 0.25;
constexpr double kBoven = 0.1;
} // namespace

frmRapScherm::frmRapScherm() : Form(QStringLiteral("frmRapScherm"))
{
    setWindowTitle(QStringLiteral("Rapportage"));
    txtRap = new QTextEdit(this);
    txtRap->setObjectName(QStringLiteral("txtRap"));
    txtRap->setAcceptRichText(false);
    txtRap->setUndoRedoEnabled(false);
    // Tab goes on to "Sluiten"; it types no tab into the report.
    txtRap->setTabChangesFocus(true);
    Command1 = new QPushButton(QStringLiteral("&Sluiten"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    setCancelButton(Command1);
    connect(Command1, &QPushButton::clicked, this, &frmRapScherm::Command1_Click);
    resize(760, 520);
    m_cursor = QTextCursor(txtRap->document());
}

frmRapScherm *frmRapScherm::load()
{
    if (auto *f = Form::loaded<frmRapScherm>())
        return f;
    auto *f = new frmRapScherm;
    f->Form_Load();
    return f;
}

double frmRapScherm::cm(double centimetres) const
{
    return centimetres / kCmPerInch * logicalDpiX();
}

void frmRapScherm::setScale(double width, double height)
{
    m_scaleWidth = width > 0 && height > 0 ? width : 0;
    m_scaleHeight = width > 0 && height > 0 ? height : 0;
    applyTabs();
    Form_Resize();
}

double frmRapScherm::px(double units, bool horizontal) const
{
    if (m_scaleWidth <= 0)
        return cm(units);
    return horizontal ? units * width() / m_scaleWidth : units * height() / m_scaleHeight;
}

double frmRapScherm::units(double pixels, bool horizontal) const
{
    const double een = px(1.0, horizontal);
    return een > 0 ? pixels / een : 0;
}

void frmRapScherm::Form_Load()
{
    txtRap->setVisible(false);
    Form_Resize();
    loadForm();
    moveFrame(twips(100), twips(100));
    // Report lines are wider than the window.
    txtRap->setLineWrapMode(QTextEdit::FixedPixelWidth);
    txtRap->setLineWrapColumnOrWidth(2 * txtRap->width());
    // A small left indent keeps the text off the box's edge.
    txtRap->document()->setDocumentMargin(cm(0.1));
}

void frmRapScherm::resizeEvent(QResizeEvent *event)
{
    Form::resizeEvent(event);
    Form_Resize();
}

void frmRapScherm::Form_Resize()
{
    // A window too small for its controls leaves them as they were.
    const int breedte = int(width() - px(0.5));
    const int hoogte = int(height() - px(1.0, false));
    if (breedte <= 0 || hoogte <= 0)
        return;
    txtRap->setGeometry(int(cm(kLinks)), int(cm(kBoven)), breedte, hoogte);
    const QSize knop = Command1->sizeHint();
    Command1->setGeometry(width() - knop.width() - int(cm(kLinks)), int(height() - px(0.6, false)), knop.width(),
                          std::min(knop.height(), int(cm(0.55))));
}

void frmRapScherm::Command1_Click()
{
    unload();
}

// ---- Writing at the insertion point -----------------------------------------

// A writer writes in many small pieces. They are gathered in one edit of the
// document, so that the text is laid out once when it is shown or read and
// not again after every piece. An empty document is emptied anew inside the
// edit (keeping its first paragraph's formats): the edit is then one new
// text as a whole, of which the box lays out what it shows first and the
// rest as it goes, as for a text set in one call.
void frmRapScherm::schrijfBlok()
{
    if (m_blok)
        return;
    m_cursor.beginEditBlock();
    m_blok = true;
    QTextDocument *doc = txtRap->document();
    m_vanLeeg = doc->isEmpty();
    if (m_vanLeeg) {
        const QTextBlockFormat alinea = m_cursor.blockFormat();
        const QTextCharFormat tekens = m_cursor.blockCharFormat();
        doc->clear();
        m_cursor.setBlockFormat(alinea);
        m_cursor.setBlockCharFormat(tekens);
    }
}

void frmRapScherm::sluitBlok() const
{
    if (m_blok) {
        auto *self = const_cast<frmRapScherm *>(this);
        self->m_blok = false;
        self->m_cursor.endEditBlock();
    }
}

void frmRapScherm::SelText(const QString &text)
{
    schrijfBlok();
    // CR LF, CR or LF ends a paragraph; the next one takes the format of the
    // one it follows, with the tab stops as they stand. A paragraph that has
    // those already gives its format to all that follow in one insertion.
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))) {
        if (!text.isEmpty())
            m_cursor.insertText(text, m_format);
        return;
    }
    const QList<QTextOption::Tab> tabs = tabPosities();
    const QTextBlockFormat huidig = m_cursor.blockFormat();
    if (huidig.hasProperty(QTextFormat::TabPositions) && huidig.tabPositions() == tabs) {
        m_cursor.insertText(text, m_format);
        return;
    }
    const qsizetype lengte = text.size();
    qsizetype begin = 0;
    for (qsizetype i = 0;; ++i) {
        const bool eind = i == lengte;
        if (!eind && text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
            continue;
        if (i > begin)
            m_cursor.insertText(text.mid(begin, i - begin), m_format);
        if (eind)
            break;
        if (text[i] == QLatin1Char('\r') && i + 1 < lengte && text[i + 1] == QLatin1Char('\n'))
            ++i;
        QTextBlockFormat alinea = m_cursor.blockFormat();
        alinea.setTabPositions(tabs);
        m_cursor.insertBlock(alinea, m_format);
        begin = i + 1;
    }
}

void frmRapScherm::SelBold(bool on)
{
    m_format.setFontWeight(on ? QFont::Bold : QFont::Normal);
}

void frmRapScherm::SelUnderline(bool on)
{
    m_format.setFontUnderline(on);
}

void frmRapScherm::SelColor(qint32 color)
{
    const QColor c = ui::fromVbColor(color);
    if (c.isValid())
        m_format.setForeground(c);
}

void frmRapScherm::SelFontName(const QString &name)
{
    m_format.setFontFamilies({name});
}

void frmRapScherm::SelTabCount(qint16 count)
{
    m_tabs.resize(std::max<qint16>(count, 0));
    applyTabs();
}

void frmRapScherm::SelTabs(qint16 index, double positie)
{
    if (index < 0 || index >= m_tabs.size())
        return;
    m_tabs[index] = positie;
    applyTabs();
}

QList<QTextOption::Tab> frmRapScherm::tabPosities() const
{
    // As px(), with the resolution asked for once.
    const int dpi = m_scaleWidth <= 0 ? logicalDpiX() : 0;
    QList<QTextOption::Tab> tabs;
    tabs.reserve(m_tabs.size());
    for (double t : m_tabs)
        tabs << QTextOption::Tab(m_scaleWidth <= 0 ? t / kCmPerInch * dpi : t * width() / m_scaleWidth,
                                 QTextOption::LeftTab);
    return tabs;
}

void frmRapScherm::applyTabs()
{
    schrijfBlok();
    QTextBlockFormat f = m_cursor.blockFormat();
    f.setTabPositions(tabPosities());
    m_cursor.setBlockFormat(f);
}

QList<double> frmRapScherm::tabStops() const
{
    sluitBlok();
    QList<double> stops;
    for (const QTextOption::Tab &t : m_cursor.blockFormat().tabPositions())
        stops << units(t.position);
    return stops;
}

void frmRapScherm::SelStart(qint32 position)
{
    // The box's caret moves along with what is written at or before it, so
    // after a text written into the empty box it stands at the end, and
    // moving it from there would first lay out all of the text to find where
    // it was. While the caret moves, the box is given a page of no size, which
    // it does not lay out; the whole page back, it lays out the new text once
    // from the top, and then shows the insertion point as when it moved.
    QTextDocument *doc = txtRap->document();
    const bool nieuweTekst = m_blok && m_vanLeeg;
    const QSizeF pagina = doc->pageSize();
    if (nieuweTekst)
        doc->setPageSize(QSizeF(0, 0));
    sluitBlok();
    const int einde = doc->characterCount() - 1;
    m_cursor.setPosition(std::clamp(position, 0, std::max(einde, 0)));
    txtRap->setTextCursor(m_cursor);
    if (nieuweTekst) {
        doc->setPageSize(pagina);
        txtRap->ensureCursorVisible();
    }
}

QString frmRapScherm::Text() const
{
    sluitBlok();
    return txtRap->document()->toPlainText();
}

void frmRapScherm::setText(const QString &text)
{
    sluitBlok();
    txtRap->clear();
    m_cursor = QTextCursor(txtRap->document());
    m_tabs.clear();
    m_format = QTextCharFormat();
    if (!text.isEmpty())
        SelText(text);
}

void frmRapScherm::setFont(const QString &name, double pointSize)
{
    QFont f(name);
    f.setPointSizeF(pointSize);
    txtRap->document()->setDefaultFont(f);
}

void frmRapScherm::setZichtbaar(bool visible)
{
    sluitBlok();
    txtRap->setVisible(visible);
}

double frmRapScherm::tekstBreedte(const QString &text) const
{
    // The format at the insertion point over the box's base font, as the
    // text written next will be set. A report measures its every cell: the
    // widths of the characters are kept per font, and a text is as wide as
    // its characters (the font's kerning only narrows it).
    const QFont basis = txtRap->document()->defaultFont();
    if (!m_maat || m_format != m_maatFormat || basis != m_maatBasis) {
        m_maat.emplace(m_format.font().resolve(basis), txtRap->viewport());
        m_maatFormat = m_format;
        m_maatBasis = basis;
        m_tekenBreedte.clear();
    }
    qreal breedte = 0;
    for (const QChar c : text) {
        if (c.isSurrogate())
            return units(m_maat->horizontalAdvance(text));
        auto at = m_tekenBreedte.constFind(c);
        if (at == m_tekenBreedte.cend())
            at = m_tekenBreedte.insert(c, m_maat->horizontalAdvance(c));
        breedte += *at;
    }
    return units(breedte);
}

void frmRapScherm::ruimteVoorRegels(double breedte)
{
    // The box shows a line between its frame, the document's margins and
    // the scroll bar a long report has; the window is 0.5 unit wider.
    const int vak = int(std::ceil(px(breedte) + 2 * txtRap->document()->documentMargin() + 2 * txtRap->frameWidth()
                                  + txtRap->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, txtRap)));
    QWidget *kader = frame();
    const int rand = kader->width() - width();
    int nodig = int(std::ceil(vak + px(0.5))) + rand;
    if (const QMdiArea *area = host(); area && kader != this)
        nodig = std::min(nodig, area->viewport()->width() - kader->x());
    if (nodig > kader->width())
        kader->resize(nodig, kader->height());
}

} // namespace reports
