#pragma once
// clsStort: the record object of one site, one row of tblStort.
//
// Make it on a Context, open it on a site with initializeStort, read the
// site's values through the accessors (a default for an empty column where
// one is listed, else platform::Error 94 naming the column), and bind
// screen controls to it through the fields by name. Writes are pending
// edits of the row; Move0 commits them, and so does releasing the object.
//
// Several objects may be open on one site; each holds its own copy of the
// row, read when it was opened. A commit writes only the columns that
// object changed, so two objects that change different columns of the row
// keep each other's edits.
//
// Failures reach the caller as platform::Error (source: the operation). The
// commit made when the object is released cannot reach a caller; it goes to
// the Context's error reporter.

#include "records/bound_record.h"
#include "records/context.h"

#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QDateTime>
#include <QString>
#include <cstdint>

namespace records {

// A start of after-care the general-data screen takes and the calculation
// can use: a date with a four-digit year (1000 to 9999).
bool isDatumAanvangNazorg(const QDate &date);

class clsStort : public BoundRecord {
public:
    explicit clsStort(const Context &ctx);
    ~clsStort();

    // Filled by GetInfoChecklist; empty until then.
    QString ClInfo_StortType;
    QString ClInfo_Versie;
    QString ClInfo_Opmerking;

    // Opens the row of the site; an id without a row leaves the object
    // without a row (every accessor then fails with 3021).
    void initializeStort(qint32 stort_ID);

    // Whether another site of the data file already has this name (the
    // database's text equality: case is ignored). The object's own row does
    // not count.
    bool StortnaamBestaatAl(const QString &strNaam);

    qint32 stort_ID() const;
    QString RivmNr() const;
    // The name of the province code; an empty code fails.
    QString ProvNaam() const;
    QString locatie_adres() const;
    QString VergHouderNaam() const;
    QString VergHouderPostadres() const;
    QString VergHouderContactPers() const;
    QString VergHouderTelnr() const;
    QString VergHouderFaxnr() const;
    QString VergHouderEmail() const;
    QString InvullerNaam() const;
    QString InvullerPostadres() const;
    QString InvullerContactPers() const;
    QString InvullerTelnr() const;
    QString InvullerFaxnr() const;
    QString InvullerEmail() const;

    // Commits the pending edit when the object stands on its row.
    void Move0();
    // Drops the pending edit, so that releasing the object writes nothing.
    void CancelUpdate();

    // "bedrijfsgebonden " / "niet-bedrijfsgebonden " followed by
    // "en objectgebonden. " / "en niet-objectgebonden. ".
    QString Bedrijfs_Objectgebonden() const;

    // The start of after-care as a fractional year; 2030 (after a message)
    // when the date is empty; a day other than the 1st or the 16th is
    // reported and counted as the 1st. A value that is no date the field
    // takes (see isDatumAanvangNazorg: a text, a number, the year 231 or
    // 10000, as another tool may write) gives 2030 after a message that
    // says so; a calculation asks DatumAanvangNazorgOnleesbaar and refuses.
    float AanvangNazorgGebrokenJaar() const;
    // The field holds a value, but not a date that can be used.
    bool DatumAanvangNazorgOnleesbaar() const;

    QDateTime DatumAanvangNazorg() const;
    void DatumAanvangNazorg(const QDateTime &dtm);

    qint16 JaarPrijsPeil() const;
    float rente() const;    // sngRentePerc / 100
    float inflatie() const; // sngInflPerc / 100
    std::uint8_t Optie_heffing() const;
    qint16 startjaarHeffing() const;
    qint16 eindjaarHeffing() const;
    std::uint8_t bytBedrijfsGebonden() const;
    std::uint8_t bytObjectGebonden() const;
    std::uint8_t prov_id() const;
    float NazorgOpp() const;

    // The cost settings: read (0 for an empty column) and write (pending).
    float AppKostenBasis() const;
    void AppKostenBasis(float sng);
    float AppKostenBasisPerc() const;
    void AppKostenBasisPerc(float sng);
    qint32 OptieRapEval() const;
    float RapEvalMin() const;
    void RapEvalMin(float sng);
    float RapEvalPerHa() const;
    void RapEvalPerHa(float sng);
    float RapEvalMax() const;
    void RapEvalMax(float sng);
    float CommunicatieKosten() const;
    void CommunicatieKosten(float sng);
    float Onvoorzien() const;
    void Onvoorzien(float sng);
    float OntwerpdirectieFixed() const;
    void OntwerpdirectieFixed(float sng);
    float RisicoBedrag() const;
    void RisicoBedrag(float sng);

    // "c:\" for an empty column.
    QString StandaardExportDir() const;
    void StandaardExportDir(const QString &str);

    // "?" for an empty name.
    QString NaamStort() const;
    qint16 intStortType() const;
    // intCL_REF as a single (callers convert it to a 16-bit id); 0 when empty.
    float checklist_ID() const;

    // Reads the site's checklist version from the checklist file into the
    // three ClInfo texts.
    void GetInfoChecklist();

    void LetChecklist_REF(qint32 id);

    // The data source for binding: any non-empty data member name
    // ("tblStort") gives the row set in its current state, the empty name
    // nothing.
    db::Recordset *DataMember(const QString &name);

private:
    QVariant field(const char *column) const;
    QString text(const char *column, const QString &dflt = QString()) const;
    float single(const char *column) const; // 0 for an empty column
    QVariant required(const char *column, const char *source) const;
    void write(const char *column, const QVariant &value);

    Context m_ctx;
    db::Connection m_cn;
    db::Recordset rsStort;
};

} // namespace records
