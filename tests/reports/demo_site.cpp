#include "demo_site.h"

namespace reporttest {

namespace {

using calctest::Fields;
using calctest::ownItem;

Fields siteFields(const QString &naam, int cl, double opp, int rapEval)
{
    return {{"strStortNaam", naam},
            {"intStortType", 1},
            {"strRIVMnr", QStringLiteral("RIVM 20-117")},
            {"bytProv_REF", 20},
            {"sngRentePerc", 4.5},
            {"sngInflPerc", 2.0},
            {"dtmAanvangNazorg", QStringLiteral("2030-01-01 00:00:00")},
            {"intJaarPrijsPeil", 2002},
            {"bytBedrijfsGebonden", 0},
            {"bytObjectGebonden", 1},
            {"sngNazorgOpp", opp},
            {"sngAlgAppKostenBasis", 15000.0},
            {"sngAppKostenPerc", 3.0},
            {"bytRapEval", rapEval},
            {"sngRapEvalMin", 3500.0},
            {"sngRapEvalPerHa", 225.0},
            {"sngRapEvalMax", 9000.0},
            {"sngAlgCommunicatieKosten", 3000.0},
            {"sngOnvoorzien", 10.0},
            {"sngOntwerpdirectie", 12.0},
            {"sngAlgRisicoBedrag", 250000.0},
            {"intCL_REF", cl}};
}

// A checklist item of checklist 1: class 1 within its criteria, 2 outside.
Fields clItem(const QString &naam, int clItem, int klasse, const Fields &changes = {})
{
    Fields f = ownItem(naam, changes);
    f["bytIsQOR"] = klasse;
    f["lngClitem_REF"] = clItem;
    return f;
}

} // namespace

DemoSite::DemoSite()
{
    demo = site(siteFields(QStringLiteral("De Kuil/Noord"), 1, 35, 2));
    const qint32 terrein = facility(demo, 1, QStringLiteral("Terrein en omgeving"));
    const qint32 wegen = facility(demo, 1, QStringLiteral("Wegen"));
    const qint32 boven = facility(demo, 2, QStringLiteral("Bovenafdichting"));
    const qint32 peil = facility(demo, 3, QStringLiteral("Peilbuizen"));
    const qint32 drains = facility(demo, 4, QStringLiteral("Drainageleidingen"));
    const qint32 pompen = facility(demo, 4, QStringLiteral("Percolaatpompen"));
    const qint32 gas = facility(demo, 5, QStringLiteral("Gasonttrekking"));
    const qint32 putten = facility(demo, 6, QStringLiteral("Onttrekkingsputten"));
    const qint32 overig = facility(demo, 7, QStringLiteral("Overig"));

    item(demo, terrein,
         clItem(QStringLiteral("Maaien bermen en taluds"), 1, 1,
                {{"bytRubriek_REF", 1},
                 {"bytOptieKosten", 3},
                 {"sngAantal", 12.0},
                 {"sngKostenPE", 200.0},
                 {"strEenheid", QStringLiteral("ha")},
                 {"intFreqX", 2}}));
    item(demo, terrein,
         clItem(QStringLiteral("Onderhoud hekwerk en poort"), 2, 2,
                {{"sngKostenTotaal", 3000.0}, {"bytOptieFreq", 3}, {"intFreqX", 5}}));
    item(demo, terrein,
         clItem(QStringLiteral("Vervangen hekwerk"), 3, 1,
                {{"bytRubriek_REF", 5},
                 {"intStartRel", 25},
                 {"bytOptieKosten", 3},
                 {"sngAantal", 1200.0},
                 {"sngKostenPE", 50.0},
                 {"strEenheid", QStringLiteral("m1")},
                 {"bytOptieFreq", 3},
                 {"intFreqX", 25}}));
    item(demo, terrein,
         ownItem(QStringLiteral("Onderhoud toegangsweg, parkeerplaats en slagboom bij de ingang"),
                 {{"sngKostenTotaal", 4500.0},
                  {"bytOptieFreq", 3},
                  {"intFreqX", 4},
                  {"strNazorgplanRef", QStringLiteral("Nazorgplan 2019, hoofdstuk 4.2")},
                  {"strOpm", QStringLiteral("Raming van de beheerder, prijspeil 2002")}}));
    item(demo, wegen,
         clItem(QStringLiteral("Onderhoud wegen en paden"), 4, 1,
                {{"sngKostenTotaal", 1800.0}, {"bytOptieFreq", 3}, {"intFreqX", 4}}));
    item(demo, boven,
         clItem(QStringLiteral("Maaien bovenafdichting"), 5, 1,
                {{"bytRubriek_REF", 1},
                 {"bytOptieStart", 1},
                 {"intStartAbs", 2024},
                 {"bytStartBA", 1},
                 {"intStartBA", 1},
                 {"bytOptieKosten", 3},
                 {"sngAantal", 20.0},
                 {"sngKostenPE", 250.0},
                 {"strEenheid", QStringLiteral("ha")},
                 {"intFreqX", 2}}));
    item(demo, boven,
         clItem(QStringLiteral("Inspectie bovenafdichting"), 6, 1,
                {{"bytRubriek_REF", 3}, {"sngKostenTotaal", 2500.0}}));
    item(demo, boven,
         clItem(QStringLiteral("Herstel afdeklaag bovenafdichting"), 7, 2,
                {{"bytOptieKosten", 1},
                 {"sngPercInvest", 1.5},
                 {"sngKostenInvest", 4800000.0},
                 {"bytOptieFreq", 3},
                 {"intFreqX", 10}}));
    item(demo, boven,
         clItem(QStringLiteral("Vervangen bovenafdichting"), 8, 1,
                {{"bytRubriek_REF", 5},
                 {"bytOptieStart", 1},
                 {"intStartAbs", 2024},
                 {"bytStartBA", 1},
                 {"intStartBA", 75},
                 {"bytOptieKosten", 3},
                 {"sngAantal", 160000.0},
                 {"sngKostenPE", 30.0},
                 {"strEenheid", QStringLiteral("m2")},
                 {"bytOptieFreq", 3},
                 {"intFreqX", 75}}));
    item(demo, boven,
         clItem(QStringLiteral("Controlemetingen zettingen bovenafdichting"), 9, 1,
                {{"bytRubriek_REF", 2}, {"bytOptieEind", 2}, {"intEindRel", 30}, {"sngKostenTotaal", 1500.0}}));
    item(demo, peil,
         clItem(QStringLiteral("Controlemetingen grondwater"), 10, 2,
                {{"bytRubriek_REF", 2},
                 {"bytOptieKosten", 3},
                 {"sngAantal", 24.0},
                 {"sngKostenPE", 350.0},
                 {"strEenheid", QStringLiteral("monster")},
                 {"intFreqX", 4}}));
    item(demo, peil,
         clItem(QStringLiteral("Inspectie peilbuizen"), 11, 1, {{"bytRubriek_REF", 3}, {"sngKostenTotaal", 900.0}}));
    item(demo, peil,
         clItem(QStringLiteral("Vervangen peilbuizen"), 12, 1,
                {{"bytRubriek_REF", 5},
                 {"intStartRel", 30},
                 {"sngKostenTotaal", 60000.0},
                 {"bytOptieFreq", 3},
                 {"intFreqX", 30}}));
    item(demo, peil,
         clItem(QStringLiteral("Doorspuiten peilbuizen"), 13, 2,
                {{"sngKostenTotaal", 2200.0}, {"bytOptieFreq", 3}, {"intFreqX", 2}}));
    item(demo, drains, clItem(QStringLiteral("Doorspuiten drainageleidingen"), 14, 1, {{"sngKostenTotaal", 6000.0}}));
    item(demo, drains,
         clItem(QStringLiteral("Camera-inspectie drainageleidingen"), 15, 1,
                {{"bytRubriek_REF", 3}, {"sngKostenTotaal", 3500.0}, {"bytOptieFreq", 3}, {"intFreqX", 5}}));
    item(demo, drains,
         clItem(QStringLiteral("Vervangen drainageleidingen"), 16, 1,
                {{"bytRubriek_REF", 5},
                 {"intStartRel", 35},
                 {"bytOptieKosten", 3},
                 {"sngAantal", 8500.0},
                 {"sngKostenPE", 120.0},
                 {"strEenheid", QStringLiteral("m1")},
                 {"bytOptieFreq", 3},
                 {"intFreqX", 35}}));
    item(demo, pompen, clItem(QStringLiteral("Onderhoud percolaatpompen"), 17, 1, {{"sngKostenTotaal", 4000.0}}));
    item(demo, pompen,
         clItem(QStringLiteral("Vervangen percolaatpompen"), 18, 1,
                {{"bytRubriek_REF", 5},
                 {"intStartRel", 15},
                 {"bytOptieKosten", 3},
                 {"sngAantal", 4.0},
                 {"sngKostenPE", 12500.0},
                 {"strEenheid", QStringLiteral("pomp")},
                 {"bytOptieFreq", 3},
                 {"intFreqX", 15}}));
    item(demo, gas,
         clItem(QStringLiteral("Onderhoud gasinstallatie"), 21, 1,
                {{"bytOptieEind", 2}, {"intEindRel", 30}, {"sngKostenTotaal", 8000.0}}));
    item(demo, gas,
         clItem(QStringLiteral("Controlemetingen stortgas"), 22, 1,
                {{"bytRubriek_REF", 2},
                 {"bytOptieEind", 2},
                 {"intEindRel", 30},
                 {"sngKostenTotaal", 2500.0},
                 {"intFreqX", 2}}));
    item(demo, putten,
         clItem(QStringLiteral("Energiekosten grondwateronttrekking"), 25, 1,
                {{"bytRubriek_REF", 1}, {"sngKostenTotaal", 25000.0}}));
    item(demo, overig,
         clItem(QStringLiteral("Actualiseren nazorgplan"), 27, 1,
                {{"bytRubriek_REF", 6}, {"sngKostenTotaal", 7500.0}, {"bytOptieFreq", 3}, {"intFreqX", 5}}));
    item(demo, overig,
         clItem(QStringLiteral("Beheer en toezicht terrein"), 28, 1,
                {{"bytRubriek_REF", 6}, {"sngKostenTotaal", 12000.0}}));
    item(demo, peil,
         ownItem(QStringLiteral("Opruimen bouwketen"), {{"bytRubriek_REF", 6},
                                                        {"intStartRel", 2},
                                                        {"bytOptieEind", 2},
                                                        {"intEindRel", 2},
                                                        {"sngKostenTotaal", 3500.0},
                                                        {"bytOptieFreq", 1}}));
    for (int jaar = 2015; jaar <= 2034; ++jaar)
        forecast(demo, jaar, 150 + 10 * (jaar % 7));

    eigen = site(siteFields(QStringLiteral("Eigen posten"), 1, 8, 1));
    const qint32 eTerrein = facility(eigen, 1, QStringLiteral("Terrein"));
    item(eigen, eTerrein, ownItem(QStringLiteral("Maaien"), {{"bytRubriek_REF", 1}}));
    item(eigen, eTerrein, ownItem(QStringLiteral("Onderhoud hekwerk")));
    item(eigen, facility(eigen, 3, QStringLiteral("Peilbuizen")),
         ownItem(QStringLiteral("Opruimen"),
                 {{"bytRubriek_REF", 6}, {"bytOptieFreq", 1}, {"bytOptieEind", 2}, {"intEindRel", 1}}));
    forecast(eigen, 2025, 80);
    forecast(eigen, 2026, 90);
}

} // namespace reporttest
