#pragma once
// Data files for the benchmarks: a copy of the built template with sites of
// any number of cost items, made with a few statements so that even 10,000
// items take no time to make.
//
// A site has facilities of 20 cost items each, in the seven categories in
// turn; its items are a third perpetual yearly, a third every N years and a
// third once, over the six rubrics, all complete; every tenth item bears the
// name of the one before it (a later phase). A 20-year waste forecast.

#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <stdexcept>

namespace bench {

// The program folder (template and checklist file): $TAVIR_PROGRAM_DIR, or
// "bin" beside this program's folder, as the build lays it out.
inline QString programFolder()
{
    const QString env = qEnvironmentVariable("TAVIR_PROGRAM_DIR");
    if (!env.isEmpty())
        return env;
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")).absolutePath();
}

inline QString checklistConnection()
{
    return QStringLiteral("Data Source=") + programFolder() + QStringLiteral("/dbQORCL.mdb;Mode=Read");
}

// A fresh copy of the template at `path`.
inline void templateCopy(const QString &path)
{
    QFile::remove(path);
    if (!QFile::copy(programFolder() + QStringLiteral("/db00.mdb"), path))
        throw std::runtime_error("no template in " + programFolder().toStdString());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

inline qint32 lastId(db::Connection &cn)
{
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT last_insert_rowid()"), cn);
    return rs.Fields(0).Value().toInt();
}

// Adds a site of `items` cost items (checklist 1, 4,5 % and 2 %, after-care
// from 2031) and returns its id.
inline qint32 addSite(db::Connection &cn, const QString &naam, int items, int prov = 10, int objectGebonden = 1)
{
    cn.BeginTrans();
    cn.Execute(QStringLiteral(
                   "INSERT INTO tblStort (strStortNaam, strRIVMnr, intStortType, bytProv_REF, memVestigingsadres,"
                   " strVergNaam, strVergPostAdres, strVergContPers, strInvNaam, sngRentePerc, sngInflPerc,"
                   " dtmAanvangNazorg, intJaarPrijsPeil, bytBedrijfsGebonden, bytObjectGebonden, bytheffing,"
                   " intStartjaarHeffing, intEindjaarHeffing, sngNazorgOpp, sngAlgAppKostenBasis, sngAppKostenPerc,"
                   " bytRapEval, sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax, sngAlgCommunicatieKosten,"
                   " sngOnvoorzien, sngOntwerpdirectie, sngAlgRisicoBedrag, memStandaardExportDir, intCL_REF)"
                   " VALUES (?, 'RIVM-1234', 1, ?, 'Stortweg 1, 1234 AB Ergenshuizen', 'Exploitant B.V.',"
                   " 'Postbus 1, 1000 AA Amsterdam', 'J. de Vries', 'Provincie', 4.5, 2, '2031-01-01 00:00:00',"
                   " 2002, 0, ?, 1, 2010, 2030, 25, 15000, 3, 2, 3500, 225, 9000, 3000, 10, 12, 25000, '/tmp/', 1)"),
               {naam, prov, objectGebonden});
    const qint32 id = lastId(cn);
    const int facilities = (items + 19) / 20;
    cn.Execute(QStringLiteral("WITH RECURSIVE f(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM f WHERE n + 1 < ?)"
                              " INSERT INTO tblInrichting (lngStort_REF, bytObjectCat_REF, strObject)"
                              " SELECT ?, 1 + n % 7, printf('Voorziening %05d', n) FROM f"),
               {facilities, id});
    cn.Execute(QStringLiteral(
                   "WITH RECURSIVE a(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM a WHERE i + 1 < ?),"
                   " inr(n, fid) AS (SELECT row_number() OVER (ORDER BY idrInrichting_ID) - 1, idrInrichting_ID"
                   "   FROM tblInrichting WHERE lngStort_REF = ?)"
                   " INSERT INTO tblAct (lngStort_REF, lngInrichting_REF, bytRubriek_REF, strAct, bytOptieStart,"
                   "   intStartRel, bytStartBA, bytOptieEind, intEindRel, bytEindBA, bytOptieKosten, sngKostenTotaal,"
                   "   bytOptieFreq, intFreqX, bytIsQOR, bytCombineer, bytTypeVervangingsToeslag, strOpm)"
                   " SELECT ?, inr.fid, 1 + i % 6,"
                   "   printf('Kostenpost %05d', CASE WHEN i % 10 = 9 THEN i - 1 ELSE i END),"
                   "   2, 1 + i % 10, 0, CASE WHEN i % 3 = 2 THEN 2 ELSE 3 END, CASE WHEN i % 3 = 2 THEN 50 END,"
                   "   0, 2, 1000 + 7 * i, CASE i % 3 WHEN 0 THEN 2 WHEN 1 THEN 3 ELSE 1 END,"
                   "   CASE i % 3 WHEN 0 THEN 1 WHEN 1 THEN 5 + i % 21 END, 0, 0, 0, 'Opmerking ' || i"
                   " FROM a JOIN inr ON inr.n = i / 20 ORDER BY i"),
               {items, id, id});
    cn.Execute(QStringLiteral(
                   "WITH RECURSIVE y(j) AS (SELECT 2010 UNION ALL SELECT j + 1 FROM y WHERE j < 2029)"
                   " INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) SELECT ?, j, 100 + j % 7 FROM y"),
               {id});
    cn.CommitTrans();
    return id;
}

// Removes a site with everything under it.
inline void removeSite(db::Connection &cn, qint32 id)
{
    cn.BeginTrans();
    for (const char *t : {"tblAct", "tblInrichting", "tblTonnage"})
        cn.Execute(QStringLiteral("DELETE FROM %1 WHERE lngStort_REF=?").arg(QLatin1String(t)), {id});
    cn.Execute(QStringLiteral("DELETE FROM tblStort WHERE idrStort_ID=?"), {id});
    cn.CommitTrans();
}

} // namespace bench
