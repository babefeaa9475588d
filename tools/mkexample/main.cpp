// Writes the example site "Stortplaats De Berkenheuvel": an invented but
// ordinary landfill with four facilities, checklist items and own items
// and a waste forecast, on the stortplaats checklist of 2012. The site is
// put into a fresh copy of the template and written by the program's own
// export, so the file is exactly what a user's export gives.
//
//   QT_QPA_PLATFORM=offscreen build/tools/tavir-mkexample
//     build/bin/db00.mdb examples/stortplaats-de-berkenheuvel.xml

#include "shell/connection_strings.h"
#include "shell/program_state.h"
#include "shell/site_export.h"

#include "platform/core/error.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QVariant>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

using Fields = std::vector<std::pair<const char *, QVariant>>;

qint32 insert(db::Connection &cn, const char *table, const Fields &fields)
{
    QStringList names, marks;
    QVariantList values;
    for (const auto &[name, value] : fields) {
        names << QLatin1String(name);
        marks << QStringLiteral("?");
        values << value;
    }
    cn.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                   .arg(QLatin1String(table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
               values);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT last_insert_rowid() AS id"), cn);
    return rs.Fields(QStringLiteral("id")).Value().toInt();
}

// A cost item that starts in after-care year `start` and goes on for ever;
// `changes` adds or replaces fields.
Fields item(const char *naam, int rubriek, Fields changes)
{
    Fields f = {{"strAct", QString::fromUtf8(naam)},
                {"bytRubriek_REF", rubriek},
                {"bytOptieStart", 2},
                {"intStartRel", 1},
                {"bytStartBA", 0},
                {"bytOptieEind", 3},
                {"bytEindBA", 0},
                {"bytIsQOR", 0},
                {"bytCombineer", 0},
                {"bytTypeVervangingsToeslag", 0},
                {"dtmMut", QDateTime(QDate(2026, 11, 2), QTime(10, 0))}};
    for (auto &[name, value] : changes) {
        bool replaced = false;
        for (auto &[n, v] : f)
            if (qstrcmp(n, name) == 0) {
                v = value;
                replaced = true;
            }
        if (!replaced)
            f.emplace_back(name, value);
    }
    return f;
}

// A checklist item within its checklist's bounds.
Fields clItem(const char *naam, int rubriek, int clItem, Fields changes)
{
    changes.emplace_back("lngClitem_REF", clItem);
    changes.emplace_back("bytIsQOR", 1);
    return item(naam, rubriek, std::move(changes));
}

Fields aantalMaal(double aantal, double prijs, const char *eenheid)
{
    return {{"bytOptieKosten", 3},
            {"sngAantal", aantal},
            {"sngKostenPE", prijs},
            {"strEenheid", QString::fromUtf8(eenheid)}};
}

Fields plus(Fields a, const Fields &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Fields perJaar(int keer)
{
    return {{"bytOptieFreq", 2}, {"intFreqX", keer}};
}
Fields elke(int jaar)
{
    return {{"bytOptieFreq", 3}, {"intFreqX", jaar}};
}

void bouw(db::Connection &cn, qint32 &stortId)
{
    stortId = insert(cn, "tblStort",
                     {{"strStortNaam", QStringLiteral("Stortplaats De Berkenheuvel")},
                      {"strRIVMnr", QStringLiteral("GLD-0417")},
                      {"bytProv_REF", 40},
                      {"memVestigingsadres", QStringLiteral("Berkenheuvelweg 12\n7251 XK Vorden")},
                      {"intStortType", 1},
                      {"strVergNaam", QStringLiteral("Afvalzorg Berkenheuvel B.V.")},
                      {"strVergPostAdres", QStringLiteral("Postbus 208, 7250 AE Vorden")},
                      {"strVergContPers", QStringLiteral("ir. M. de Wit")},
                      {"strVergTel", QStringLiteral("0575-551200")},
                      {"strVergFax", QString()},
                      {"strVergEmail", QStringLiteral("nazorg@berkenheuvel.example")},
                      {"strInvNaam", QStringLiteral("Ingenieursbureau Veldkamp")},
                      {"strInvPostAdres", QStringLiteral("Stationsstraat 3, 7201 MC Zutphen")},
                      {"strInvContPers", QStringLiteral("J. Veldkamp")},
                      {"strInvTel", QStringLiteral("0575-512345")},
                      {"strInvFax", QString()},
                      {"strInvEmail", QStringLiteral("j.veldkamp@veldkamp.example")},
                      {"sngRentePerc", 4.0},
                      {"sngInflPerc", 2.0},
                      {"dtmAanvangNazorg", QDateTime(QDate(2030, 1, 1), QTime(0, 0))},
                      {"intJaarNazorg", 2030},
                      {"intJaarPrijsPeil", 2012},
                      {"bytBedrijfsGebonden", 0},
                      {"bytObjectGebonden", 1},
                      {"sngNazorgOpp", 18.0},
                      {"sngAlgAppKostenBasis", 15000.0},
                      {"sngAppKostenPerc", 3.5},
                      {"bytRapEval", 2},
                      {"sngRapEvalMin", 3500.0},
                      {"sngRapEvalPerHa", 250.0},
                      {"sngRapEvalMax", 9000.0},
                      {"sngAlgCommunicatieKosten", 4000.0},
                      {"sngOnvoorzien", 10.0},
                      {"sngOntwerpdirectie", 0.0},
                      {"sngAlgRisicoBedrag", 25000.0},
                      {"memStandaardExportDir", QString()},
                      {"intCL_REF", 4}});

    auto voorziening = [&](int cat, const char *naam) {
        return insert(cn, "tblInrichting",
                      {{"lngStort_REF", stortId}, {"bytObjectCat_REF", cat}, {"strObject", QString::fromUtf8(naam)}});
    };
    auto act = [&](qint32 inr, Fields f) {
        f.emplace_back("lngStort_REF", stortId);
        f.emplace_back("lngInrichting_REF", inr);
        insert(cn, "tblAct", f);
    };

    const qint32 terrein = voorziening(1, "Terrein en hekwerk");
    act(terrein, clItem("Maaien bermen en taluds", 1, 1, plus(aantalMaal(4.5, 200, "ha"), perJaar(2))));
    act(terrein, clItem("Onderhoud hekwerk en poort", 4, 2,
                        plus({{"bytOptieKosten", 2}, {"sngKostenTotaal", 1800.0}}, elke(5))));
    act(terrein,
        clItem("Vervangen hekwerk", 5, 3,
               plus(plus(aantalMaal(1400, 50, "m1"), elke(25)),
                    {{"intStartRel", 25}, {"bytTypeVervangingsToeslag", 3}, {"sngVervangingsToeslagPerc", 5.0}})));
    act(terrein,
        item("Zwerfvuil verwijderen langs de terreingrens", 1,
             plus({{"bytOptieKosten", 2}, {"sngKostenTotaal", 1200.0}, {"bytOptieEind", 2}, {"intEindRel", 10}},
                  perJaar(1))));
    act(terrein, item("Onderhoud bluswatervoorziening", 4,
                      plus({{"bytOptieKosten", 2}, {"sngKostenTotaal", 2500.0}}, elke(10))));

    const qint32 peil = voorziening(3, "Peilbuizen");
    act(peil, clItem("Controlemetingen grondwater", 2, 10, plus(aantalMaal(8, 350, "monster"), perJaar(2))));
    act(peil, clItem("Inspectie peilbuizen", 3, 11, plus(aantalMaal(12, 20, "stuk"), perJaar(1))));
    act(peil,
        clItem("Vervangen peilbuizen", 5, 12,
               plus(plus(aantalMaal(12, 2000, "stuk"), elke(25)),
                    {{"intStartRel", 25}, {"bytTypeVervangingsToeslag", 3}, {"sngVervangingsToeslagPerc", 5.0}})));

    const qint32 drains = voorziening(4, "Drainageleidingen");
    act(drains, clItem("Doorspuiten drainageleidingen", 4, 14, plus(aantalMaal(2400, 3, "m1"), perJaar(1))));
    act(drains,
        clItem("Vervangen drainageleidingen", 5, 16,
               plus(plus(aantalMaal(2400, 75, "m1"), elke(40)),
                    {{"intStartRel", 30}, {"bytTypeVervangingsToeslag", 2}, {"sngVervangingsToeslagPerc", 6.0}})));

    // Gas is drawn off for the first 30 years of after-care.
    const qint32 gas = voorziening(5, "Gasonttrekking");
    act(gas, clItem("Onderhoud gasonttrekkingsinstallatie", 4, 21,
                    plus({{"bytOptieKosten", 2}, {"sngKostenTotaal", 7500.0}, {"bytOptieEind", 2}, {"intEindRel", 30}},
                         perJaar(1))));
    act(gas, clItem("Controlemetingen stortgas", 2, 22,
                    plus({{"bytOptieKosten", 2}, {"sngKostenTotaal", 1500.0}, {"bytOptieEind", 2}, {"intEindRel", 30}},
                         perJaar(2))));

    // The waste still to come before the after-care starts, in kton a year.
    const std::pair<int, int> prognose[] = {{2024, 95}, {2025, 90}, {2026, 85}, {2027, 80}, {2028, 60}, {2029, 40}};
    for (const auto &[jaar, kton] : prognose)
        insert(cn, "tblTonnage", {{"lngStort_REF", stortId}, {"intKalJaar", jaar}, {"lngTonnage", kton}});
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tavir-mkexample <template.mdb> <out.xml>\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("dbQORdata_voorbeeld.mdb"));
    if (!QFile::copy(QString::fromLocal8Bit(argv[1]), data)) {
        std::fprintf(stderr, "cannot copy the template %s\n", argv[1]);
        return 1;
    }
    QFile::setPermissions(data, QFile::ReadOwner | QFile::WriteOwner);
    try {
        qint32 stortId = 0;
        {
            db::Connection cn;
            cn.Open(data);
            cn.BeginTrans();
            bouw(cn, stortId);
            cn.CommitTrans();
        }
        modMain::gstrConnData = modMain::pfunConnStrData(data);
        modMain::gstrConnShape = modMain::pfunConnStrShape(data);
        modMain::glngStortID = stortId;
        modMain::ExporteerInrichting(QString::fromLocal8Bit(argv[2]));
    } catch (const platform::Error &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
    return 0;
}
