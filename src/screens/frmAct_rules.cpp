#include "screens/frmAct_rules.h"

#include "platform/text/format.h"

#include <QHash>

namespace screens::act {

PopupMenu ZetPopupMenu(const PopupNode &node, bool facilitySelected, bool costItemSelected, bool isQORvoorziening)
{
    PopupMenu m;
    m.addVoorz.enabled = node.bold;
    m.addVoorz.caption = node.bold ? QStringLiteral("Voorziening toevoegen aan ' ") + node.text + QStringLiteral(" '")
                                   : QStringLiteral("Voorziening toevoegen");

    m.addAct.enabled = facilitySelected && !costItemSelected;
    if (!m.addAct.enabled)
        m.addAct.caption = QStringLiteral("Kostenpost toevoegen");
    else if (node.foreColor != 0)
        m.addAct.caption = QStringLiteral("Kostenpost toevoegen aan  ' ") + node.text + QStringLiteral(" '");
    else
        m.addAct.caption = QStringLiteral("Kostenpost toevoegen aan  ' ") + node.parentText + QStringLiteral("....")
                           + node.text + QStringLiteral(" '");

    m.addFase.enabled = costItemSelected && !node.text.startsWith(QLatin1Char('{'));
    m.addFase.caption = QStringLiteral("Fase toevoegen");

    if (facilitySelected)
        m.naamWijzigen.enabled = !isQORvoorziening;
    else if (costItemSelected)
        m.naamWijzigen.enabled =
            vb::IsNumeric(node.tag) && vb::CDbl(node.tag) == 0 && !node.text.startsWith(QLatin1Char('{'));

    m.verwijder.enabled = !node.bold;
    return m;
}

QString veldNaam(const QString &controlName, bool eenmalig)
{
    static const QHash<QString, QString> namen = {
        {QStringLiteral("txtIntEindAct_1"), QStringLiteral("eindjaar")},
        {QStringLiteral("txtIntEindAct_2"), QStringLiteral("eindjaar")},
        {QStringLiteral("txtEindBA"), QStringLiteral("eindjaar")},
        {QStringLiteral("txtfreqX"), QStringLiteral("periodiciteit")},
        {QStringLiteral("txtKostenPerc"), QStringLiteral("percentage")},
        {QStringLiteral("txtKostenInvest"), QStringLiteral("investeringsbedrag")},
        {QStringLiteral("txtKostenTotaal"), QStringLiteral("kosten")},
        {QStringLiteral("txtKostenPE"), QStringLiteral("eenheidsprijs")},
        {QStringLiteral("txtAantal"), QStringLiteral("aantal eenheden")},
        {QStringLiteral("txtVervangingsToeslagPerc"), QStringLiteral("toeslagpercentage")},
    };
    if (controlName == QLatin1String("txtIntStartAct_1") || controlName == QLatin1String("txtIntStartAct_2")
        || controlName == QLatin1String("txtStartBA"))
        return startCaption(eenmalig).toLower();
    return namen.value(controlName);
}

bool isGeldigGetal(const QString &text)
{
    return vb::TypedNumber(text).has_value();
}

QString meldingOngeldigeInvoer(const QString &naam)
{
    return QStringLiteral("U heeft geen of een ongeldige waarde ingevuld in het volgende invoervak: \r\n\t---> ") + naam
           + QStringLiteral("\r\n\r\nKlik op OK en voer alsnog een geldige waarde in.");
}

std::optional<int> optieCode(const QVariant &value)
{
    bool number = false;
    const double d = value.isNull() ? 0 : value.toDouble(&number);
    if (!number || d < 0 || d > 255)
        return std::nullopt;
    return int(vb::CByte(d));
}

KostenLayout kostenLayout(int code, bool costItemSelected)
{
    KostenLayout l;
    l.percEnInvest = code == 1;
    l.totaal = code == 2;
    l.perEenheid = code == 3;
    l.eenheidFrame = code == 3 && costItemSelected;
    return l;
}

QString startCaption(bool eenmalig)
{
    return eenmalig ? QStringLiteral("Jaar eenmalige uitgave") : QStringLiteral("Startjaar");
}

FreqLayout freqLayout(int code, bool chkStartBA, bool chkEindBA)
{
    FreqLayout l;
    if (code == 1) {
        l.eindFrameEnabled = false;
        l.eindEeuwigdurend = true;
        l.chkEindBAEnabled = false;
        l.chkEindBAClear = chkEindBA;
        l.freqXVisible = false;
    } else {
        l.eindFrameEnabled = true;
        l.chkEindBAEnabled = chkStartBA;
        l.freqXVisible = true;
    }
    l.startCaption = startCaption(code == 1);
    return l;
}

StartEindLayout startEindLayout(bool chkStartBA, bool chkEindBA, bool eindFrameEnabled, std::optional<int> optieEind)
{
    StartEindLayout l;
    if (!chkStartBA) {
        l.txtStartBAVisible = false;
        l.optStart1 = QStringLiteral("kalenderjaar");
        l.optStart2 = QStringLiteral("nazorgjaar");
        l.chkEindBAEnabled = false;
        l.chkEindBAEnabledSet = true;
        l.chkEindBAClear = chkEindBA;
        chkEindBA = false;
    } else {
        l.txtStartBAVisible = true;
        l.optStart1 = QStringLiteral("kalenderjaar aanleg bovenafd.");
        l.optStart2 = QStringLiteral("nazorgjaar aanleg bovenafd.");
        if (eindFrameEnabled) {
            l.chkEindBAEnabled = true;
            l.chkEindBAEnabledSet = true;
        }
    }
    if (!chkEindBA) {
        l.optEindVisible = true;
        if (optieEind == 1 || optieEind == 2) {
            l.txtIntEind1 = *optieEind == 1;
            l.txtIntEind2 = *optieEind == 2;
        }
        l.txtEindBAVisible = false;
    } else {
        l.optEindVisible = false;
        l.txtIntEind1 = false;
        l.txtIntEind2 = false;
        l.txtEindBAVisible = true;
    }
    return l;
}

FramesLayout framesLayout(bool hide, bool combineer, std::optional<int> optieKosten)
{
    FramesLayout l;
    if (hide || combineer) {
        l.chkCombineer = !hide;
        return l;
    }
    l.frame = {true, true, true, optieKosten == 3, true, true, true, true};
    l.chkCombineer = true;
    return l;
}

ToeslagStatus toeslagStatus(int isQOR, bool gediff, int rubriek, std::optional<int> verborgenType,
                            std::optional<int> clType, bool clCombinatieMogelijk)
{
    ToeslagStatus s;
    if (isQOR == 0) {
        if (gediff && rubriek == 5) {
            s.frame = true;
            s.option = {true, true, true};
            s.bovenafdichting = verborgenType == 1;
        }
        return s;
    }
    if (!clType)
        return s;
    s.combinatieMogelijk = clCombinatieMogelijk;
    if (!gediff)
        return s;
    switch (*clType) {
    case 0:
        break;
    case 1:
        s.frame = true;
        s.option = {true, false, false};
        s.bovenafdichting = true;
        break;
    case 2:
        s.frame = true;
        s.option = {false, true, false};
        break;
    case 3:
        s.frame = true;
        s.option = {false, false, true};
        break;
    case 7:
        s.frame = true;
        s.option = {false, true, true};
        break;
    default:
        s.changed = false;
        break;
    }
    return s;
}

} // namespace screens::act
