#include "screens/frmAct.h"

// The cost-item screen's tree commands, as the pop-up menu, the keys and a
// drop from the checklist picker give them: add a facility or a phase,
// rename, delete, add a checklist item.

#include "screens/frmAct_AddCLitem.h"
#include "screens/frmAct_AddCustomItem.h"
#include "screens/session.h"

#include "records/clsAct.h"
#include "records/clsVoorz.h"
#include "records/codes.h"

#include "platform/core/error.h"
#include "platform/ui/dialogs.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>

namespace screens {

using act::idUitKey;
using records::SiteTree;

namespace {
const QString CRLF = QStringLiteral("\r\n");
const QString kActNew = records::kKeyActNew;
// A facility's name takes no more than its column holds (strObject).
constexpr int kMaxNaamVoorziening = 100;

QMenu *popupAct()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = w->findChild<QMenu *>(QStringLiteral("popupAct")))
            return m;
    return nullptr;
}
} // namespace

// ---- Pop-up menu --------------------------------------------------------------------

act::PopupMenu frmAct::ZetPopupMenu()
{
    act::PopupMenu m;
    const SiteTree::Node n = m_boom->selected();
    if (!n)
        return m;
    act::PopupNode node;
    node.text = m_boom->text(n);
    node.tag = m_boom->tag(n);
    node.bold = m_boom->bold(n);
    node.foreColor = m_boom->foreColor(n);
    if (const SiteTree::Node p = m_boom->parent(n))
        node.parentText = m_boom->text(p);
    bool qorVoorz = false;
    try {
        if (m_voorzieningGekozen && m_insAct)
            qorVoorz = m_insAct->IsQORvoorziening(idUitKey(m_gekozenKey, 3));
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.ZetPopupMenu")));
    }
    m = act::ZetPopupMenu(node, m_voorzieningGekozen, m_paneel->kostenpostGekozen(), qorVoorz);
    if (QMenu *menu = popupAct()) {
        const auto zet = [menu](const char *name, const act::PopupItem &item) {
            if (auto *a = menu->findChild<QAction *>(QLatin1String(name))) {
                a->setEnabled(item.enabled);
                if (!item.caption.isEmpty())
                    a->setText(item.caption);
            }
        };
        zet("mnuPopUpaddVoorz", m.addVoorz);
        zet("mnuPopUpaddAct", m.addAct);
        zet("mnuPopUpaddFase", m.addFase);
        zet("mnuPopUpnaamwijzigen", m.naamWijzigen);
        zet("mnuPopUpverwijder", m.verwijder);
    }
    return m;
}

void frmAct::toonPopup(const QPoint &globalPos)
{
    ZetPopupMenu();
    if (QMenu *menu = popupAct())
        menu->popup(globalPos);
}

// ---- Tree commands ------------------------------------------------------------------

void frmAct::psubAddVoorz()
{
    try {
        if (!m_paneel->ok() || !m_voorz)
            return;
        QString naam = ui::InputBox(QStringLiteral("Naam voorziening:"), QStringLiteral("Nieuwe voorziening"));
        naam = naam.left(kMaxNaamVoorziening);
        if (naam.isEmpty())
            return;
        const SiteTree::Node n = m_boom->selected();
        if (!n || !m_boom->key(n).startsWith(QLatin1String("objcat")))
            return;
        if (!BewaarNieuweAct())
            return;
        const QString key = m_voorz->VoegVoorzieningToe(std::uint8_t(idUitKey(m_boom->key(n), 6)), naam);
        m_TreeView1->setFocus();
        ververs(key, true);
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.psubAddVoorz")));
    }
}

void frmAct::psubAddFase()
{
    try {
        if (!m_paneel->ok() || !m_insAct || !m_paneel->kostenpostGekozen())
            return;
        if (!BewaarNieuweAct() || !m_paneel->bewaar())
            return;
        const SiteTree::Node n = m_boom->selected();
        if (!n || m_boom->text(n).startsWith(QLatin1Char('{')))
            return;
        if (m_insAct->Dupliceer_Act(qint16(m_boom->children(n).size() + 1)))
            ververs(kActNew, true);
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.psubAddFase")));
    }
}

void frmAct::psubHernoemActNaamOfRubriek()
{
    try {
        if (!m_paneel->ok())
            return;
        const SiteTree::Node n = m_boom->selected();
        if (!n)
            return;
        if (m_voorzieningGekozen && m_voorz) {
            const QString huidig = m_boom->text(n);
            QString naam = ui::InputBox(QStringLiteral("Nieuwe naam:"), QStringLiteral("Naam wijzigen"), huidig);
            while (naam.contains(QLatin1Char('{')) || naam.contains(QLatin1Char('}')))
                naam = ui::InputBox(QStringLiteral("Ongeldige tekens { of } gebruikt.") + CRLF
                                        + QStringLiteral("Voer een nieuwe naam in: "),
                                    QStringLiteral("Hernoemen"), huidig);
            // As the add box: the name is cut to what the column holds.
            naam = naam.left(kMaxNaamVoorziening);
            if (!naam.isEmpty()) {
                if (m_voorz->HernoemVoorzNaam(naam))
                    m_boom->setText(n, naam);
                ververs(m_boom->key(n), true);
            }
        } else if (m_paneel->kostenpostGekozen() && m_insAct) {
            if (!BewaarNieuweAct() || !m_paneel->bewaar())
                return;
            frmAct_AddCustomItem::openen(0, m_boom->text(n), m_insAct->bytRubriek_REF());
        }
        m_TreeView1->setFocus();
        tmrDropHighlightCorrectie->start();
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.psubHernoemActNaamOfRubriek")));
    }
}

void frmAct::psubDeleteItem()
{
    try {
        if (!m_paneel->ok())
            return;
        // A new item is saved and keyed first, so that its row can be found.
        if (!BewaarNieuweAct())
            return;
        const SiteTree::Node n = m_boom->selected();
        if (!n)
            return;
        const QString key = m_boom->key(n);
        const QString text = m_boom->text(n);
        const SiteTree::Node parent = m_boom->parent(n);
        const auto fout = [](const QString &t) {
            ui::MsgBox(t, ui::Buttons::OK, ui::Icon::Critical, ui::programTitle());
        };

        if (m_paneel->kostenpostGekozen() && m_insAct) {
            const bool metFases = !m_boom->children(n).isEmpty();
            const QString vraag = metFases
                                      ? QStringLiteral("Wilt u kostenpost '") + text
                                            + QStringLiteral("' en alle onderliggende deelfases verwijderen?")
                                      : QStringLiteral("Wilt u kostenpost '") + text + QStringLiteral("' verwijderen?");
            if (ui::MsgBox(vraag, ui::Buttons::YesNo, ui::Icon::Question, QStringLiteral("Verwijderen"))
                == ui::Answer::Yes) {
                // The item is left (and stored) first; when it cannot be
                // stored, nothing is deleted.
                kiesNode(parent);
                if (!ververs(m_boom->key(parent)))
                    return;
                if (!m_insAct->ActiveerID(idUitKey(key, 3))) {
                    fout(QStringLiteral("Fout bij verwijderen kostenpost"));
                } else if (metFases) {
                    // The item and all its phases go in one transaction.
                    if (!m_insAct->verwijderActMetAlleFases().isEmpty())
                        m_boom->remove(n);
                    else
                        fout(QStringLiteral("Fout bij verwijderen kostenpost"));
                } else if (m_insAct->verwijderAct()) {
                    m_boom->remove(n);
                    if (m_boom->key(parent).startsWith(QLatin1String("act"))) {
                        const QList<SiteTree::Node> fases = m_boom->children(parent);
                        if (fases.isEmpty()) {
                            const QString kop = m_boom->text(parent);
                            const int at = kop.indexOf(QStringLiteral(" {1e fase}"));
                            if (at >= 0)
                                m_boom->setText(parent, kop.left(at));
                        } else {
                            for (int i = 0; i < fases.size(); ++i)
                                m_boom->setText(fases[i], QStringLiteral("{") + QString::number(i + 2)
                                                              + QStringLiteral("e fase}"));
                        }
                        ververs(m_boom->key(parent));
                    }
                } else {
                    fout(QStringLiteral("Fout bij verwijderen kostenpost"));
                }
            }
        } else if (m_voorzieningGekozen && m_voorz) {
            if (!m_boom->children(n).isEmpty()) {
                ui::MsgBox(QStringLiteral("U dient eerst kostenposten van deze voorziening te verwijderen."),
                           ui::Buttons::OK, ui::Icon::Information, QStringLiteral("verwijderen"));
                m_TreeView1->setFocus();
                return;
            }
            if (ui::MsgBox(QStringLiteral("Wilt u deze voorziening verwijderen?"), ui::Buttons::YesNo,
                           ui::Icon::Question, QStringLiteral("Verwijderen"))
                == ui::Answer::Yes) {
                kiesNode(parent);
                if (!ververs(m_boom->key(parent)))
                    return;
                m_voorz->ActiveerID(idUitKey(key, 3));
                if (m_voorz->verwijderVoorz())
                    m_boom->remove(n);
                else
                    fout(QStringLiteral("Fout bij verwijderen voorziening"));
            }
        } else {
            ui::MsgBox(QStringLiteral("U kunt dit item niet verwijderen."), ui::Buttons::OK, ui::Icon::Exclamation,
                       QStringLiteral("Verwijdering niet toegestaan"));
        }
        m_TreeView1->setFocus();
        tmrDropHighlightCorrectie->start();
        emit eCLPostDeleted();
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.psubDeleteItem")));
    }
}

void frmAct::TreeView1_DragDrop()
{
    QTreeWidgetItem *dragged = gnodDrag();
    if (!dragged)
        return;
    try {
        const QString key = SiteTreeWidget::keyOf(dragged);
        if (!key.startsWith(QLatin1String("act"))) {
            ui::MsgBox(QStringLiteral("Selecteer een kostenpost"), ui::Buttons::OK, ui::Icon::Exclamation,
                       QStringLiteral("Selectie QOR-checklistitem"));
        } else if (m_insAct && m_paneel->ok() && BewaarNieuweAct() && m_paneel->bewaar()) {
            if (m_insAct->VoegToe_CLitem(idUitKey(key, 3))) {
                SiteTreeWidget::setTagOf(dragged, QStringLiteral("old"));
                SiteTreeWidget::setForeColorOf(dragged, 12632256);
                ververs(kActNew, true);
            }
        }
    } catch (const platform::Error &e) {
        meldFout(e.withSource(QStringLiteral("frmAct.TreeView1_DragDrop")));
    }
    setGnodDrag(nullptr);
}

} // namespace screens
