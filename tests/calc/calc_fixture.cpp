#include "calc_fixture.h"

#include "support/test_paths.h"

#include "platform/db/recordset.h"

namespace calctest {

namespace {

Fields siteFields(const QString &naam, int cl, double rente, double infl, const QString &start, int pp, double opp,
                  int rapEval, double basis, double comm, double risico, int prov, int object)
{
    return {{"strStortNaam", naam},
            {"intStortType", 1},
            {"bytProv_REF", prov},
            {"sngRentePerc", rente},
            {"sngInflPerc", infl},
            {"dtmAanvangNazorg", start},
            {"intJaarPrijsPeil", pp},
            {"bytBedrijfsGebonden", 0},
            {"bytObjectGebonden", object},
            {"sngNazorgOpp", opp},
            {"sngAlgAppKostenBasis", basis},
            {"sngAppKostenPerc", 3.0},
            {"bytRapEval", rapEval},
            {"sngRapEvalMin", 3500.0},
            {"sngRapEvalPerHa", 225.0},
            {"sngRapEvalMax", 9000.0},
            {"sngAlgCommunicatieKosten", comm},
            {"sngOnvoorzien", 10.0},
            {"sngOntwerpdirectie", cl == 3 ? 0.0 : 12.0},
            {"sngAlgRisicoBedrag", risico},
            {"intCL_REF", cl}};
}

} // namespace

CalcFixture::CalcFixture() : SiteFile(QStringLiteral("dbQORdata_calc.mdb"))
{
    // Alfa.
    alfa = site(siteFields(QStringLiteral("Alfa"), 1, 5, 2, QStringLiteral("2030-07-16 00:00:00"), 2002, 20, 2, 15000,
                           3000, 50000, 20, 1));
    const qint32 terrein = facility(alfa, 1, QStringLiteral("Terrein"));
    const qint32 boven = facility(alfa, 2, QStringLiteral("Bovenafdichting"));
    const qint32 peil = facility(alfa, 3, QStringLiteral("Peilbuizen"));
    aMaaien =
        item(alfa, terrein,
             ownItem(QStringLiteral("Maaien"), {{"bytRubriek_REF", 1}, {"sngKostenTotaal", 1000.0}, {"intFreqX", 2}}));
    aHekwerk = item(alfa, terrein,
                    ownItem(QStringLiteral("Onderhoud hekwerk en poort"), {{"bytIsQOR", 1},
                                                                           {"lngClitem_REF", 2},
                                                                           {"bytOptieStart", 1},
                                                                           {"intStartAbs", 2031},
                                                                           {"bytOptieEind", 1},
                                                                           {"intEindAbs", 2050},
                                                                           {"bytOptieKosten", 1},
                                                                           {"sngPercInvest", 10.0},
                                                                           {"sngKostenInvest", 20000.0},
                                                                           {"bytOptieFreq", 3},
                                                                           {"intFreqX", 5}}));
    aAfdeklaag = item(alfa, boven,
                      ownItem(QStringLiteral("Vervangen afdeklaag"), {{"bytRubriek_REF", 5},
                                                                      {"intStartRel", 10},
                                                                      {"bytStartBA", 1},
                                                                      {"intStartBA", 5},
                                                                      {"bytOptieEind", 2},
                                                                      {"bytEindBA", 1},
                                                                      {"intEindBA", 30},
                                                                      {"bytOptieKosten", 3},
                                                                      {"sngAantal", 100.0},
                                                                      {"sngKostenPE", 25.0},
                                                                      {"strEenheid", QStringLiteral("m2")},
                                                                      {"bytOptieFreq", 3},
                                                                      {"intFreqX", 10}}));
    aOpruimen = item(alfa, peil,
                     ownItem(QStringLiteral("Opruimen"), {{"bytRubriek_REF", 6},
                                                          {"intStartRel", 3},
                                                          {"bytOptieEind", 2},
                                                          {"intEindRel", 3},
                                                          {"sngKostenTotaal", 5000.0},
                                                          {"bytOptieFreq", 1}}));
    aGecombineerd = item(alfa, peil,
                         {{"strAct", QStringLiteral("Controlemetingen grondwater")},
                          {"bytRubriek_REF", 2},
                          {"bytIsQOR", 2},
                          {"lngClitem_REF", 10},
                          {"bytCombineer", 1},
                          {"bytOptieStart", 2},
                          {"bytOptieEind", 3},
                          {"bytOptieKosten", 3},
                          {"bytOptieFreq", 2},
                          {"intFreqX", 4}});
    aInspectie = item(alfa, peil,
                      ownItem(QStringLiteral("Inspectie peilbuizen"), {{"bytRubriek_REF", 3},
                                                                       {"bytOptieStart", 1},
                                                                       {"intStartAbs", 2030},
                                                                       {"bytOptieEind", 1},
                                                                       {"intEindAbs", 2030},
                                                                       {"sngKostenTotaal", 800.0},
                                                                       {"bytOptieFreq", 1}}));
    aZetting = item(alfa, terrein,
                    ownItem(QStringLiteral("Zettingsmetingen"), {{"bytRubriek_REF", 2},
                                                                 {"bytOptieStart", 1},
                                                                 {"intStartAbs", 2028},
                                                                 {"bytOptieEind", 1},
                                                                 {"intEindAbs", 2040},
                                                                 {"sngKostenTotaal", 1200.0}}));
    forecast(alfa, 2025, 100);
    forecast(alfa, 2026, 150);
    forecast(alfa, 2027, 0);

    // Beta.
    beta = site(siteFields(QStringLiteral("Beta"), 3, 3, 3, QStringLiteral("2030-01-01 00:00:00"), 2008, 8, 1, 13000,
                           2500, 0, 20, 1));
    const qint32 bBovenF = facility(beta, 2, QStringLiteral("Bovenafdichting"));
    const qint32 bDrainsF = facility(beta, 4, QStringLiteral("Drainageleidingen"));
    const qint32 bTerrein = facility(beta, 1, QStringLiteral("Terrein en hekwerk"));
    const qint32 bPeil = facility(beta, 3, QStringLiteral("Peilbuizen"));
    bBoven = item(beta, bBovenF,
                  ownItem(QStringLiteral("Vervangen bovenafdichting"), {{"bytRubriek_REF", 5},
                                                                        {"bytIsQOR", 1},
                                                                        {"lngClitem_REF", 8},
                                                                        {"intStartRel", 75},
                                                                        {"bytOptieKosten", 3},
                                                                        {"sngAantal", 160000.0},
                                                                        {"sngKostenPE", 30.0},
                                                                        {"strEenheid", QStringLiteral("m2")},
                                                                        {"bytOptieFreq", 1},
                                                                        {"bytTypeVervangingsToeslag", 1}}));
    bDrains = item(beta, bDrainsF,
                   ownItem(QStringLiteral("Vervangen drainageleidingen"), {{"bytRubriek_REF", 5},
                                                                           {"intStartRel", 25},
                                                                           {"sngKostenTotaal", 100000.0},
                                                                           {"bytOptieFreq", 3},
                                                                           {"intFreqX", 25},
                                                                           {"bytTypeVervangingsToeslag", 2},
                                                                           {"sngVervangingsToeslagPerc", 6.25}}));
    bHekwerk = item(beta, bTerrein,
                    ownItem(QStringLiteral("Vervangen hekwerk"), {{"bytRubriek_REF", 5},
                                                                  {"intStartRel", 30},
                                                                  {"bytOptieEind", 2},
                                                                  {"intEindRel", 30},
                                                                  {"sngKostenTotaal", 20000.0},
                                                                  {"bytOptieFreq", 1},
                                                                  {"bytTypeVervangingsToeslag", 3},
                                                                  {"sngVervangingsToeslagPerc", 5.0}}));
    bMaaien = item(beta, bTerrein,
                   ownItem(QStringLiteral("Maaien bermen"), {{"bytRubriek_REF", 1}, {"sngKostenTotaal", 500.0}}));
    bOverig =
        item(beta, bPeil,
             ownItem(QStringLiteral("Overige kosten"),
                     {{"bytRubriek_REF", 6}, {"bytOptieEind", 2}, {"intEindRel", 10}, {"sngKostenTotaal", 100.0}}));
    bGecombineerd = item(beta, bPeil,
                         {{"strAct", QStringLiteral("Controlemetingen grondwater")},
                          {"bytRubriek_REF", 2},
                          {"bytIsQOR", 1},
                          {"lngClitem_REF", 10},
                          {"bytCombineer", 1}});
    bCombinatie =
        item(beta, bPeil,
             ownItem(QStringLiteral("Combinatie controlemetingen"), {{"bytRubriek_REF", 2},
                                                                     {"bytIsQOR", 1},
                                                                     {"lngClitem_REF", 30},
                                                                     {"bytOptieKosten", 3},
                                                                     {"sngAantal", 4.0},
                                                                     {"sngKostenPE", 500.0},
                                                                     {"strEenheid", QStringLiteral("monster")},
                                                                     {"intFreqX", 2}}));

    // Gamma and Delta, equalised in province 30.
    gamma = site(siteFields(QStringLiteral("Gamma"), 1, 4, 2, QStringLiteral("2032-01-01 00:00:00"), 2002, 50, 3, 12500,
                            2500, 10000, 30, 0));
    item(gamma, facility(gamma, 1, QStringLiteral("Terrein")),
         ownItem(QStringLiteral("Onderhoud terrein"), {{"sngKostenTotaal", 2000.0}}));
    forecast(gamma, 2010, 100);
    forecast(gamma, 2011, 200);
    delta = site(siteFields(QStringLiteral("Delta"), 1, 4, 2, QStringLiteral("2030-01-16 00:00:00"), 2002, 5, 1, 12500,
                            2500, 0, 30, 0));
    item(delta, facility(delta, 4, QStringLiteral("Drainageleidingen")),
         ownItem(QStringLiteral("Vervangen drains"), {{"bytRubriek_REF", 5},
                                                      {"intStartRel", 20},
                                                      {"sngKostenTotaal", 50000.0},
                                                      {"bytOptieFreq", 3},
                                                      {"intFreqX", 20}}));
    forecast(delta, 2011, 300);
    forecast(delta, 2012, 400);
}

calc::Context CalcFixture::context(qint32 site) const
{
    calc::Context ctx;
    ctx.gstrConnData = dataFile;
    ctx.gstrConnCL = QStringLiteral("Data Source=") + testsupport::checklistFile() + QStringLiteral(";Mode=Read");
    ctx.glngStortID = site;
    db::Connection cn;
    cn.Open(dataFile);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT strStortNaam, intCL_REF FROM tblStort WHERE idrStort_ID=?"), cn,
            db::LockType::ReadOnly, {site});
    if (!rs.EOF_()) {
        ctx.gstrNaamStort = rs.Fields(QStringLiteral("strStortNaam")).Value().toString();
        ctx.gintCL_ID = qint16(rs.Fields(QStringLiteral("intCL_REF")).Value().toInt());
    }
    ctx.gsngBTWPerc = 19.0f;
    return ctx;
}

void CalcFixture::execute(const QString &sql, const QVariantList &params)
{
    con.Execute(sql, params);
}

QVariant CalcFixture::scalar(const QString &sql, const QVariantList &params)
{
    db::Recordset rs;
    rs.Open(sql, con, db::LockType::ReadOnly, params);
    return rs.EOF_() ? QVariant() : rs.Fields(0).Value();
}

} // namespace calctest
