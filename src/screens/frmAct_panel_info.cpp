#include "screens/frmAct_panel.h"

// The checklist information of the shown cost item, beside the tree: the
// checklist item's explanation of its periodicity, costs, start and end
// year, combination and replacement surcharge, its notes and references;
// for an own item only that it is none.

#include "screens/frmAct_marking.h"

#include "checklist/clsCL.h"
#include "records/clsAct.h"

#include "platform/text/format.h"
#include "platform/ui/vb_color.h"

#include <QTextCursor>
#include <QTextEdit>

namespace screens {

namespace {
const QString CRLF = QStringLiteral("\r\n");
} // namespace

// Writes runs of text with their looks at the end of the information box.
class InfoWriter {
public:
    explicit InfoWriter(QTextEdit *box) : m_cursor(box->document())
    {
        m_cursor.movePosition(QTextCursor::End);
        m_format.setFontPointSize(8);
    }
    InfoWriter &text(const QString &t)
    {
        m_cursor.insertText(QString(t).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), m_format);
        return *this;
    }
    InfoWriter &bold(bool on)
    {
        m_format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        return *this;
    }
    InfoWriter &italic(bool on)
    {
        m_format.setFontItalic(on);
        return *this;
    }
    InfoWriter &size(int points)
    {
        m_format.setFontPointSize(points);
        return *this;
    }
    InfoWriter &kleur(qint32 vb)
    {
        m_format.setForeground(ui::fromVbColor(vb));
        return *this;
    }
    InfoWriter &underlined(const QString &t)
    {
        m_format.setFontUnderline(true);
        text(t);
        m_format.setFontUnderline(false);
        return *this;
    }

private:
    QTextCursor m_cursor;
    QTextCharFormat m_format;
};

void ActPaneel::strToelichtingVervangingsToeslag(InfoWriter &w)
{
    if (!gebruiktGediffToeslag())
        return;
    const int type = m_insAct->bytTypeVervangingsToeslag();
    if (type == 0)
        return;
    w.underlined(QStringLiteral("Toeslag vervanging:"));
    if (type == 1)
        w.text(QStringLiteral(" Over deze vervangingspost berekent TAVIR de toeslag 'Bovenafdichting' voor ontwerp, "
                              "directievoering en toezicht o.b.v. het aantal m2, conform bijlage 2 paragraaf 1.8 uit "
                              "de Checklist.")
               + CRLF + CRLF);
    else if (type == 2 || type == 3 || type == 7)
        w.text(QStringLiteral(" Op deze vervangingspost is een toeslag voor directievoering en toezicht van "
                              "toepassing. Deze kan liggen tussen 5% voor een klein werk tot 6-6,5% voor een groot "
                              "werk. Zie Checklistbijlage 2, paragraaf 1.8, alinea 'Grote werken'.")
               + CRLF + CRLF);
}

void ActPaneel::strInfoChecklistpost()
{
    txtInfoChecklist->clear();
    if (!m_insAct || !m_cl)
        return;
    InfoWriter w(txtInfoChecklist);
    if (m_insAct->IsQOR() == 0) {
        emit eCLPostSelected(0);
        txtInfoChecklist->clear();
        InfoWriter own(txtInfoChecklist);
        own.bold(true).text(QStringLiteral("< dit is geen post uit de QOR-checklist >") + CRLF + CRLF).bold(false);
        if (m_insAct->bytRubriek_REF() == 5 && gebruiktGediffToeslag())
            strToelichtingVervangingsToeslag(own);
        return;
    }
    const QString ref = vb::CStr(m_insAct->Clitem_REF());
    if (!gaNaarClItem()) {
        w.kleur(act::kRood)
            .text(QStringLiteral("Checklistpost ") + ref + QStringLiteral(" is niet (meer) aanwezig onder nr ") + ref
                  + QStringLiteral(" in de checklist.")
                  + QStringLiteral("Dit is het gevolg van tussentijds onderhoud van de checklist tijdens de looptijd "
                                   "van het project. Deze melding komt niet voor in de eindversie.")
                  + CRLF + QStringLiteral("Verwijder dit item."))
            .kleur(act::kZwart);
        emit eCLPostSelected(0);
        return;
    }
    const qint32 id = m_cl->lngCLitem_ID();
    w.underlined(QStringLiteral("Checklistitem-ID:")).text(QStringLiteral(" ") + QString::number(id) + CRLF + CRLF);
    w.underlined(QStringLiteral("Periodiciteit:")).text(QStringLiteral(" ") + m_cl->strFreqXtoelichting() + CRLF);
    w.underlined(QStringLiteral("Kosten:")).text(QStringLiteral(" ") + m_cl->strKostenToelichtingEx() + CRLF + CRLF);
    if (m_cl->bytOptieFreq() != 1) {
        w.underlined(QStringLiteral("Startjaar:")).text(QStringLiteral(" ") + m_cl->strStartJaarToelichting() + CRLF);
        w.underlined(QStringLiteral("Eindjaar:"))
            .text(QStringLiteral(" ") + m_cl->strEindJaarToelichting() + CRLF + CRLF);
    } else {
        w.underlined(QStringLiteral("Jaar eenmalige uitgave:") + CRLF)
            .text(QStringLiteral(" ") + m_cl->strStartJaarToelichting() + CRLF + CRLF);
    }
    if (m_cl->blnIsCombinatiePost())
        w.underlined(QStringLiteral("Combinatie:"))
            .text(QStringLiteral(" Deze post is een combinatiepost.") + CRLF + CRLF);
    if (m_cl->blnCombinatieMogelijk())
        w.underlined(QStringLiteral("Combinatie:"))
            .text(QStringLiteral(" Deze post mag u combineren met andere posten in een zgn. combinatiepost.") + CRLF
                  + CRLF);
    strToelichtingVervangingsToeslag(w);
    const QVariant toelichting = m_cl->Toelichting();
    w.underlined(QStringLiteral("Toelichting:") + CRLF)
        .text((toelichting.isNull() ? QStringLiteral("..") : toelichting.toString()) + CRLF + CRLF);
    const QVariant ref2 = m_cl->RefDeelonderz();
    w.italic(true).text(QStringLiteral("Referentie deelonderzoek:") + CRLF).italic(false);
    w.text((ref2.isNull() ? QStringLiteral("..") : ref2.toString()) + CRLF);
    w.size(7).text(m_cl->strVoetnotenToelichting());
    w.size(7).text(CRLF + m_cl->VoetNootFasering());
    emit eCLPostSelected(id);
}


} // namespace screens
