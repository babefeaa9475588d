#include "render_sites.h"

#include "platform/db/recordset.h"

namespace reporttest {

namespace {

using calctest::Fields;
using calctest::ownItem;

// The general data with every text as long as its column holds.
Fields longSiteFields(const QString &naam, int type, int cl, int bedrijf)
{
    return {
        {"strStortNaam", naam},
        {"intStortType", type},
        {"strRIVMnr", filled(QStringLiteral("RIVM-nummer 20-117-B registratie stortplaatsen"), 50)},
        {"bytProv_REF", 70},
        {"memVestigingsadres",
         filled(QStringLiteral("Vestigingslocatie aan de Noorderringweg ter hoogte van kilometerpaal 12, "
                               "ingang via de Westelijke Havenweg, 1234 AB Overstortdam, gemeente "
                               "Westerkwartier,"),
                255)},
        {"strVergNaam", filled(QStringLiteral("Afvalverwerking en Nazorgmaatschappij Noordelijke Provincies"), 100)},
        {"strVergPostAdres", filled(QStringLiteral("Postbus 12345, afdeling Nazorg en Stortbeheer, t.a.v. de "
                                                   "directie, Koningin Wilhelminalaan 100, 9700 AB Groningen,"),
                                    255)},
        {"strVergContPers", filled(QStringLiteral("mevrouw drs. ing. A.B.C. van der Westerhuizen-Oosterbroek"), 100)},
        {"strVergTel", filled(QStringLiteral("+31 (0)50 123 45 67 toestel 1234 of 06 12 34 56 78"), 50)},
        {"strVergFax", filled(QStringLiteral("+31 (0)50 123 45 68 ter attentie van de afdeling"), 50)},
        {"strVergEmail", filled(QStringLiteral("nazorg.stortbeheer.westerkwartier@"
                                               "afvalverwerking-nazorgmaatschappij-noordelijke-provincies.nl"),
                                100)},
        {"strInvNaam",
         filled(QStringLiteral("Ingenieursbureau voor Bodem, Water en Nazorg Noord-Nederland B.V."), 100)},
        {"strInvPostAdres", filled(QStringLiteral("Postbus 67890, afdeling Milieu en Nazorgplanning, t.a.v. "
                                                  "de projectleider, Stationsweg 1, 8000 AA Zwolle,"),
                                   255)},
        {"strInvContPers", filled(QStringLiteral("de heer ir. C.D.E. Lange-van den Berghuizen van Dijk"), 100)},
        {"strInvTel", filled(QStringLiteral("+31 (0)38 765 43 21 toestel 4321 of 06 87 65 43 21"), 50)},
        {"strInvFax", filled(QStringLiteral("+31 (0)38 765 43 22 ter attentie van de afdeling"), 50)},
        {"strInvEmail",
         filled(QStringLiteral("projectleiding.nazorgplanning@ingenieursbureau-bodem-water-nazorg-noord.nl"), 100)},
        {"sngRentePerc", 4.25},
        {"sngInflPerc", 1.95},
        {"dtmAanvangNazorg", QStringLiteral("2031-07-16 00:00:00")},
        {"intJaarPrijsPeil", 2002},
        {"bytBedrijfsGebonden", bedrijf},
        {"bytObjectGebonden", 1},
        {"sngNazorgOpp", 123.45},
        {"sngAlgAppKostenBasis", 17500.0},
        {"sngAppKostenPerc", 3.0},
        {"bytRapEval", 2},
        {"sngRapEvalMin", 3500.0},
        {"sngRapEvalPerHa", 225.0},
        {"sngRapEvalMax", 9000.0},
        {"sngAlgCommunicatieKosten", 4999.0},
        {"sngOnvoorzien", 10.0},
        {"sngOntwerpdirectie", 12.0},
        {"sngAlgRisicoBedrag", 12345678.0},
        {"intCL_REF", cl}};
}

// A cost item with the largest costs of its kind: a quantity of seven
// digits at a price with cents, or a share of a nine-digit investment.
Fields largeItem(const QString &naam, int kind, const Fields &changes = {})
{
    Fields f;
    switch (kind) {
    case 1:
        f = {{"bytOptieKosten", 3},
             {"sngAantal", 1234567.0},
             {"sngKostenPE", 810.0},
             {"strEenheid", QStringLiteral("monster")}};
        break;
    case 2:
        f = {{"bytOptieKosten", 1}, {"sngPercInvest", 1.25}, {"sngKostenInvest", 987654321.0}};
        break;
    default:
        f = {{"bytOptieKosten", 2}, {"sngKostenTotaal", 9876543.21}};
        break;
    }
    return calctest::ownItem(naam, testsupport::merged(f, changes));
}

} // namespace

QString filled(const QString &words, int width)
{
    QString t;
    while (t.size() < width)
        t += words + QLatin1Char(' ');
    t.truncate(width);
    while (!t.isEmpty() && !t.back().isLetterOrNumber())
        t.back() = QLatin1Char('x');
    return t;
}

RenderSites::RenderSites()
{
    con.BeginTrans();

    // Lang: long texts everywhere, and the largest costs.
    lang = site(longSiteFields(filled(QStringLiteral("Stortplaats De Lange Afvalberg Noordzijde"), 50), 1, 1, 0));
    const qint32 lTerrein =
        facility(lang, 1, filled(QStringLiteral("Terrein, omheining, toegangswegen en parkeerterrein"), 100));
    const qint32 lBoven = facility(lang, 2, QStringLiteral("Bovenafdichting compartimenten 1 tot en met 4"));
    const qint32 lPeil = facility(lang, 3, QStringLiteral("Peilbuizen"));
    const QString lange = filled(QStringLiteral("Onderhoud en herstel van het hekwerk, de poorten, de slagbomen en de "
                                                "verlichting langs de toegangsweg en het parkeerterrein"),
                                 255);
    const QString verwijzing = filled(QStringLiteral("Nazorgplan 2019, hoofdstuk 4.2, bijlage C, tabel 7"), 255);
    const QString opmerking =
        filled(QStringLiteral("Raming van de beheerder op basis van de aanbesteding van 2018"), 255);
    item(lang, lTerrein,
         ownItem(lange,
                 {{"strNazorgplanRef", verwijzing}, {"strOpm", opmerking}, {"bytOptieFreq", 3}, {"intFreqX", 4}}));
    item(lang, lTerrein,
         largeItem(QStringLiteral("Vervangen verharding toegangsweg"), 3,
                   {{"bytRubriek_REF", 5}, {"intStartRel", 20}, {"bytOptieFreq", 3}, {"intFreqX", 50}}));
    item(lang, lBoven,
         largeItem(QStringLiteral("Vervangen afdeklaag"), 1,
                   {{"bytRubriek_REF", 5},
                    {"bytOptieStart", 1},
                    {"intStartAbs", 2035},
                    {"bytStartBA", 1},
                    {"intStartBA", 65},
                    {"bytOptieFreq", 3},
                    {"intFreqX", 75},
                    {"strNazorgplanRef", verwijzing},
                    {"strOpm", opmerking}}));
    item(lang, lBoven,
         largeItem(QStringLiteral("Herstel bovenafdichting"), 2, {{"bytOptieFreq", 3}, {"intFreqX", 25}}));
    item(lang, lBoven,
         ownItem(filled(QStringLiteral("Maaien en afvoeren van het maaisel van de bovenafdichting"), 120),
                 {{"bytRubriek_REF", 1}, {"intFreqX", 2}}));
    item(lang, lPeil,
         largeItem(QStringLiteral("Controlemetingen grondwater"), 1,
                   {{"bytRubriek_REF", 2}, {"sngAantal", 9999999.0}, {"sngKostenPE", 0.25}}));
    for (int jaar = 2020; jaar <= 2031; ++jaar)
        forecast(lang, jaar, 1234 + jaar % 5);

    // Depot: the same long general data, company-bound, no forecast.
    depot = site(longSiteFields(filled(QStringLiteral("Baggerdepot De Slufter Oostelijke Uitbreiding"), 50), 2, 12, 1));
    const qint32 dDijk = facility(depot, 1, QStringLiteral("Ringdijk"));
    item(depot, dDijk, ownItem(QStringLiteral("Maaien ringdijk"), {{"bytRubriek_REF", 1}, {"intFreqX", 2}}));
    item(depot, dDijk,
         largeItem(QStringLiteral("Ophogen ringdijk"), 1,
                   {{"bytRubriek_REF", 5},
                    {"sngAantal", 480000.0},
                    {"sngKostenPE", 8.1},
                    {"strEenheid", QStringLiteral("m3")},
                    {"bytOptieFreq", 3},
                    {"intFreqX", 30},
                    {"bytTypeVervangingsToeslag", 2},
                    {"sngVervangingsToeslagPerc", 15.0}}));
    item(depot, facility(depot, 3, QStringLiteral("Peilbuizen")),
         ownItem(QStringLiteral("Controlemetingen grondwater"), {{"bytRubriek_REF", 2}}));

    // Groot: 343 items under 7 facilities in each of the 7 categories.
    groot = site(longSiteFields(QStringLiteral("Stortplaats Grootschalig"), 1, 1, 0));
    const QString soorten[] = {QStringLiteral("Onderhoud"), QStringLiteral("Controle"),  QStringLiteral("Inspectie"),
                               QStringLiteral("Herstel"),   QStringLiteral("Vervangen"), QStringLiteral("Afvoeren")};
    const QString objecten[] = {QStringLiteral("Terrein"),  QStringLiteral("Afdekking"), QStringLiteral("Peilbuizen"),
                                QStringLiteral("Drainage"), QStringLiteral("Gasputten"), QStringLiteral("Pompen"),
                                QStringLiteral("Diverse")};
    int k = 0;
    for (int cat = 1; cat <= 7; ++cat) {
        for (int v = 1; v <= 7; ++v) {
            const qint32 f =
                facility(groot, cat, objecten[cat - 1] + QStringLiteral(" %1").arg(v, 2, 10, QLatin1Char('0')));
            for (int i = 1; i <= 7; ++i, ++k) {
                const int rubriek = 1 + k % 6;
                Fields x = {{"bytRubriek_REF", rubriek}, {"bytOptieFreq", 1 + (k / 6) % 3}, {"intFreqX", 1 + k % 9}};
                if (k % 3 == 0) {
                    x["bytOptieKosten"] = 3;
                    x["sngAantal"] = double(10 + 7 * k);
                    x["sngKostenPE"] = 2.5 + k % 40;
                    x["strEenheid"] = k % 2 ? QStringLiteral("m2") : QStringLiteral("stuk");
                } else if (k % 3 == 1) {
                    x["bytOptieKosten"] = 1;
                    x["sngPercInvest"] = 1.5;
                    x["sngKostenInvest"] = 1000.0 * (k + 1);
                } else {
                    x["sngKostenTotaal"] = 10.0 * (k + 3);
                }
                if (x["bytOptieFreq"].toInt() == 1) {
                    x["bytOptieEind"] = 2;
                    x["intEindRel"] = 1 + k % 20;
                    x["intStartRel"] = 1 + k % 20;
                }
                if (k % 4 != 0) {
                    x["bytIsQOR"] = 1 + k % 2;
                    x["lngClitem_REF"] = 1 + k % 28;
                }
                if (k % 11 == 0) {
                    x["bytOptieStart"] = 1;
                    x["intStartAbs"] = 2030 + k % 40;
                }
                QString naam = soorten[size_t(k % 6)] + QLatin1Char(' ') + objecten[cat - 1].toLower()
                               + QStringLiteral(" onderdeel %1").arg(i);
                if (k % 10 == 0)
                    naam += QStringLiteral(", inclusief de bijkomende werkzaamheden en het afvoeren van materiaal");
                item(groot, f, ownItem(naam, x));
            }
        }
    }
    for (int jaar = 2015; jaar <= 2044; ++jaar)
        forecast(groot, jaar, 300 + 7 * (jaar % 11));

    con.CommitTrans();
}

QStringList RenderSites::voorzieningen(qint32 site)
{
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT strObject FROM tblInrichting WHERE lngStort_REF = ?"), con, db::LockType::ReadOnly,
            {site});
    QStringList namen;
    for (; !rs.EOF_(); rs.MoveNext())
        namen << rs.Fields(QStringLiteral("strObject")).Value().toString();
    return namen;
}

std::vector<RenderReport> renderReports(const RenderSites &s)
{
    std::vector<RenderReport> r;
    const std::pair<int, const char *> divisions[] = {{1, "voorziening"}, {2, "rubriek"}, {3, "conformiteit"}};
    for (const auto &[optie, naam] : divisions)
        r.push_back({QStringLiteral("doelvermogen-%1").arg(QLatin1String(naam)), s.demo, optie});
    r.push_back({QStringLiteral("groot-doelvermogen"), s.groot, 2});
    r.push_back({QStringLiteral("doelvermogen-eigen-posten"), s.eigen, 3});
    r.push_back({QStringLiteral("lang-doelvermogen"), s.lang, 1});
    r.push_back({QStringLiteral("depot-doelvermogen"), s.depot, 2, false});
    r.push_back({QStringLiteral("gamma-doelvermogen"), s.gamma, 3});
    r.push_back({QStringLiteral("invoer"), s.demo, 0});
    r.push_back({QStringLiteral("eigen-posten-invoer"), s.eigen, 0});
    r.push_back({QStringLiteral("lang-invoer"), s.lang, 0});
    r.push_back({QStringLiteral("depot-invoer"), s.depot, 0});
    r.push_back({QStringLiteral("groot-invoer"), s.groot, 0});
    return r;
}

} // namespace reporttest
