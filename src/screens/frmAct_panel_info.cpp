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
class InfoSchrijver {
public:
    explicit InfoSchrijver(QTextEdit *box) : m_cursor(box->document())
    {
        m_cursor.movePosition(QTextCursor::End);
        m_format.setFontPointSize(8);
    }
    InfoSchrijver &tekst(const QString &t)
    {
        m_cursor.insertText(QString(t).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), m_format);
        return *this;
    }
    InfoSchrijver &vet(bool on)
    {
        m_format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        return *this;
    }
    InfoSchrijver &cursief(bool on)
    {
        m_format.setFontItalic(on);
        return *this;
    }
    InfoSchrijver &grootte(int points)
    {
        m_format.setFontPointSize(points);
        return *this;
    }
    InfoSchrijver &kleur(qint32 vb)
    {
        m_format.setForeground(ui::fromVbColor(vb));
        return *this;
    }
    InfoSchrijver &onderstreept(const QString &t)
    {
        m_format.setFontUnderline(true);
        tekst(t);
        m_format.setFontUnderline(false);
        return *this;
    }

private:
    QTextCursor m_cursor;
    QTextCharFormat m_format;
};

void ActPaneel::strToelichtingVervangingsToeslag(InfoSchrijver &w)
{
    if (!gebruiktGediffToeslag())
        return;
    const int type = m_insAct->bytTypeVervangingsToeslag();
    if (type == 0)
        return;
    w.onderstreept(QStringLiteral("Toeslag vervanging:"));
    if (type == 1)
        w.tekst(QStringLiteral(" Over deze vervangingspost berekent TAVIR de toeslag 'Bovenafdichting' voor ontwerp, "
                               "directievoering en toezicht o.b.v. het aantal m2, conform bijlage 2 paragraaf 1.8 uit "
                               "de Checklist.")
                + CRLF + CRLF);
    else if (type == 2 || type == 3 || type == 7)
        w.tekst(QStringLiteral(" Op deze vervangingspost is een toeslag voor directievoering en toezicht van "
                               "toepassing. Deze kan liggen tussen 5% voor een klein werk tot 6-6,5% voor een groot "
                               "werk. Zie Checklistbijlage 2, paragraaf 1.8, alinea 'Grote werken'.")
                + CRLF + CRLF);
}

void ActPaneel::strInfoChecklistpost()
{
    txtInfoChecklist->clear();
    if (!m_insAct || !m_cl)
        return;
    InfoSchrijver w(txtInfoChecklist);
    if (m_insAct->IsQOR() == 0) {
        emit eCLPostSelected(0);
        txtInfoChecklist->clear();
        InfoSchrijver own(txtInfoChecklist);
        own.vet(true).tekst(QStringLiteral("< dit is geen post uit de QOR-checklist >") + CRLF + CRLF).vet(false);
        if (m_insAct->bytRubriek_REF() == 5 && gebruiktGediffToeslag())
            strToelichtingVervangingsToeslag(own);
        return;
    }
    const QString ref = vb::CStr(m_insAct->Clitem_REF());
    if (!gaNaarClItem()) {
        w.kleur(act::kRood)
            .tekst(QStringLiteral("Checklistpost ") + ref + QStringLiteral(" is niet (meer) aanwezig onder nr ") + ref
                   + QStringLiteral(" in de checklist.")
                   + QStringLiteral("Dit is het gevolg van tussentijds onderhoud van de checklist tijdens de looptijd "
                                    "van het project. Deze melding komt niet voor in de eindversie.")
                   + CRLF + QStringLiteral("Verwijder dit item."))
            .kleur(act::kZwart);
        emit eCLPostSelected(0);
        return;
    }
    const qint32 id = m_cl->lngCLitem_ID();
    w.onderstreept(QStringLiteral("Checklistitem-ID:")).tekst(QStringLiteral(" ") + QString::number(id) + CRLF + CRLF);
    w.onderstreept(QStringLiteral("Periodiciteit:")).tekst(QStringLiteral(" ") + m_cl->strFreqXtoelichting() + CRLF);
    w.onderstreept(QStringLiteral("Kosten:")).tekst(QStringLiteral(" ") + m_cl->strKostenToelichtingEx() + CRLF + CRLF);
    if (m_cl->bytOptieFreq() != 1) {
        w.onderstreept(QStringLiteral("Startjaar:"))
            .tekst(QStringLiteral(" ") + m_cl->strStartJaarToelichting() + CRLF);
        w.onderstreept(QStringLiteral("Eindjaar:"))
            .tekst(QStringLiteral(" ") + m_cl->strEindJaarToelichting() + CRLF + CRLF);
    } else {
        w.onderstreept(QStringLiteral("Jaar eenmalige uitgave:") + CRLF)
            .tekst(QStringLiteral(" ") + m_cl->strStartJaarToelichting() + CRLF + CRLF);
    }
    if (m_cl->blnIsCombinatiePost())
        w.onderstreept(QStringLiteral("Combinatie:"))
            .tekst(QStringLiteral(" Deze post is een combinatiepost.") + CRLF + CRLF);
    if (m_cl->blnCombinatieMogelijk())
        w.onderstreept(QStringLiteral("Combinatie:"))
            .tekst(QStringLiteral(" Deze post mag u combineren met andere posten in een zgn. combinatiepost.") + CRLF
                   + CRLF);
    strToelichtingVervangingsToeslag(w);
    const QVariant toelichting = m_cl->Toelichting();
    w.onderstreept(QStringLiteral("Toelichting:") + CRLF)
        .tekst((toelichting.isNull() ? QStringLiteral("..") : toelichting.toString()) + CRLF + CRLF);
    const QVariant ref2 = m_cl->RefDeelonderz();
    w.cursief(true).tekst(QStringLiteral("Referentie deelonderzoek:") + CRLF).cursief(false);
    w.tekst((ref2.isNull() ? QStringLiteral("..") : ref2.toString()) + CRLF);
    w.grootte(7).tekst(m_cl->strVoetnotenToelichting());
    w.grootte(7).tekst(CRLF + m_cl->VoetNootFasering());
    emit eCLPostSelected(id);
}

} // namespace screens
