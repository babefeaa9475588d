#pragma once
// clsAct: the cost items of the open site, one tblAct row per cost item and
// one further row per further phase (same strAct under the same facility).
//
// The cost-item screen binds its detail fields to the current row; the
// operations position on a row, save the pending edit, add a cost item from
// a checklist item or as the user's own item, add a phase, rename a cost
// item with all its phases or move it to another rubric, and delete. The
// adding operations add the item's node to the site tree (Context::tree)
// under the key "actNEW" and leave the new row current and unsaved; the
// screen saves it with UpdateNu. Releasing the object saves a pending edit.
// An adding operation first saves the pending edit of the current row; when
// that save fails, the operation reports it, adds nothing and leaves that
// edit (also an earlier new row) pending.
//
// The site's rows are read when the object is made; rows that this object
// adds appear at once, rows that other objects add do not. Searches, counts
// and scans run on a second cursor, so the current row does not move.
//
// Failures: the operations that show their own boxes (UpdateNu, ActiveerID,
// the adding operations, verwijderAct) report and answer false; every other
// failure reaches the caller as platform::Error naming the operation.

#include "records/bound_record.h"
#include "records/context.h"
#include "records/site_tree.h"

#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>

namespace checklist {
class clsCL;
}

namespace records {

class clsAct : public BoundRecord {
public:
    explicit clsAct(const Context &ctx);
    ~clsAct();

    // lngInrichting_REF of the current row.
    qint32 Voorz_ID() const;
    // Sets dtmMut of the current row to now (a pending edit).
    void ForceDirty();
    // Saves the pending edit of the current row. A failed save shows
    // "Er is een fout opgetreden bij het opslaan van het record." and the
    // error, keeps the edit pending and answers false.
    bool UpdateNu();
    // UpdateNu without its boxes, for a caller that tells the user itself:
    // a failed save raises its platform::Error and keeps the edit pending.
    void Bewaar();
    bool EOF_() const;

    // Saves the pending edit, then makes the row with that id current.
    // When the save fails the object stays where it was (false). An id that
    // is not among the object's rows shows "EOF-fout in ActiveerID(lngIDAct
    // as long)" and leaves the object after its last row, without a current
    // row, so that no later edit lands on another cost item (false).
    bool ActiveerID(qint32 lngIDAct);

    qint32 idrAct_ID() const;

    // Adds a cost item made from that checklist item of the open site's
    // checklist version, first adding its facility when the site has none of
    // that category and name. False after the failure box; the new row is
    // then dropped and no node is left in the tree.
    bool VoegToe_CLitem(qint32 lngCLitem_ID);

    // Whether a row of the facility bears this name. Names compare as the
    // data file compares text, without regard to case: "pomp" and "Pomp"
    // are one item, as its phases are rows of one name.
    bool ActiviteitBestaatAl(const QString &strNaam, qint32 lngInrichting_REF) const;

    // Adds the user's own cost item; "NEW", or an empty text after the
    // failure box (nothing added).
    QString VoegToe_CustomAct(const QString &strNaam, qint32 lngInrichting_REF, std::uint8_t bytRubriek_REF);

    qint32 AantalRecords() const;

    // Adds a further phase of the current cost item: a copy of its row
    // without start and end years, and a node "{n+1e fase}" under the first
    // phase's node. False after the failure box (nothing added).
    bool Dupliceer_Act(qint16 intAantalDeelfasesBeforeToevoegen);

    // Gives the current cost item and all its phases the new name and, when
    // bytNieuweRubriek is not 0, that rubric (leaving rubric 5 clears the
    // replacement surcharge). All rows change in one transaction, or none.
    // An empty name or Null is refused with "Ongeldige naam. Wijziging niet
    // doorgevoerd." (false).
    bool pfunHernoemActNaamOfRubriek(const QVariant &strNieuweActNaam, std::uint8_t bytNieuweRubriek = 0);

    // Deletes the current row and moves to the next (or last) row. False
    // after the failure box.
    bool verwijderAct();

    // Deletes the current cost item with all its phases (the rows of its
    // facility that bear its name) in one transaction: all of them or none.
    // Saves the pending edit first. Answers the ids deleted, in row order,
    // and then stands as verwijderAct leaves it; an empty list after the
    // failure box "Fout <n>" (nothing deleted). For a screen that deletes a
    // cost item whole rather than row by row.
    QList<qint32> verwijderActMetAlleFases();

    // "|" followed by the lngClitem_REF of every checklist row, each
    // followed by "|"; just "|" without one.
    QString strAlleChecklistRefs() const;

    QString strActHuidig() const;
    void IsQOR(const QVariant &value);
    // bytIsQOR of the current row; 0 when the object has no rows.
    std::uint8_t IsQOR() const;
    std::uint8_t bytTypeVervangingsToeslag() const;
    // Whether the facility has a row with bytIsQOR not 0.
    bool IsQORvoorziening(qint32 lngInrichtings_ID) const;
    QVariant Clitem_REF() const;
    void Clitem_REF(const QVariant &value);
    // Sets lngClitem_REF of the current row to Null (pending); gives Null.
    QVariant DeleteCLitem_REF();
    std::uint8_t bytRubriek_REF() const;
    // The rubric's name; "?" for a code outside 1 to 6.
    QString Rubriek() const;
    void MoveVolgendeOfLaatste();
    void moveNext();
    void LetbytIsQOR(std::uint8_t value);

    // The Dutch sentence that describes the current item (records::
    // BeschrijvingInZin), from its row and the option codes the caller
    // passes (the screen passes what its controls show), counted from the
    // start of after-care the object was made with. An error reading the
    // row or a missing year that the sentence needs reaches the caller.
    QString BeschrijvingInZin(qint32 bytCombineer, bool blnVerifyAnSichOK, qint32 bytTypeJaarStart,
                              qint32 bytTypeJaarEind, std::uint8_t bytOptieKosten, qint32 bytOptieFreq,
                              qint32 bytStartBA, qint32 bytEindBA) const;

    // Whether the current item is complete as such (records::verifyAnSich).
    // blnGebruiktGediffToeslag: the site's checklist version uses the
    // differentiated replacement surcharges.
    bool verify_ansich(bool blnGebruiktGediffToeslag) const;

    // 1 when the current item keeps within its checklist item of
    // insCl_new, which the caller has positioned on it (GaNaarItem with the
    // item's lngClitem_REF); 2 otherwise. A missing or unreadable option
    // code reaches the caller as an error.
    std::uint8_t ToetsAanNieuweCL(checklist::clsCL &insCl_new) const;

    // Multiplies the amount of the current item's cost option (investment,
    // total or price per unit) by sngFactor, as a pending edit: nothing is
    // saved, the row stays current and dtmMut is not touched. A missing
    // amount or another cost option changes nothing.
    void psubVermenigvuldigKostenMet(float sngFactor);

    // The data source for binding: any non-empty data member name ("Act")
    // gives the site's row set, the empty name nothing.
    db::Recordset *DataMember(const QString &name);

    const Context &context() const { return m_ctx; }
    qint32 lngStortID() const { return m_lngStortID; }

private:
    void addFailed(const platform::Error &error, bool rowAdded);
    // Takes the node of a failed add out of the tree again (quietly: the
    // add's own error is the one to report).
    void dropNode(SiteTree::Node node) noexcept;
    // The current row's fields by name, for the checks and the sentence.
    QVariant currentField(const QString &name) const;

    Context m_ctx;
    qint32 m_lngStortID;
    db::Connection m_cn;
    db::Recordset rsAct;
};

// The list strAlleChecklistRefs gives, of the rows of `rijen` (a copy of
// its cursor is read) that `telt` accepts, or of all of them without it.
QString checklistRefsUitRijen(const db::Recordset &rijen, int fQOR, int fClitemRef,
                              const std::function<bool(const db::Recordset &)> &telt = {});

} // namespace records
