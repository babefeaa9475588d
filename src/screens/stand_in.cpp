#include "screens/stand_in.h"

#include <QLabel>
#include <QVBoxLayout>

namespace screens {

StandIn::StandIn(const QString &name, const QString &caption) : Form(name)
{
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("Dit scherm is in deze versie nog niet beschikbaar."), this);
    label->setObjectName(QStringLiteral("lblStandIn"));
    layout->addWidget(label);
    resize(360, 120);
}

StandIn *StandIn::load(const QString &name, const QString &caption, bool child)
{
    if (auto *f = qobject_cast<StandIn *>(Form::loadedForm(name)))
        return f;
    return loadNew(name, caption, child);
}

StandIn *StandIn::loadNew(const QString &name, const QString &caption, bool child)
{
    auto *f = new StandIn(name, caption);
    f->loadForm(child);
    return f;
}

frmAlgemeen::frmAlgemeen() : StandIn(QStringLiteral("frmAlgemeen"), QStringLiteral("Gegevens inrichting")) {}

frmAlgemeen *frmAlgemeen::load()
{
    if (auto *f = Form::loaded<frmAlgemeen>())
        return f;
    auto *f = new frmAlgemeen;
    f->loadForm();
    return f;
}

frmAct::frmAct() : StandIn(QStringLiteral("frmAct"), QStringLiteral("Voorzieningen en kostenposten")) {}

frmAct *frmAct::load()
{
    if (auto *f = Form::loaded<frmAct>())
        return f;
    auto *f = new frmAct;
    f->loadForm();
    return f;
}

frmAct_AddCustomItem::frmAct_AddCustomItem()
    : StandIn(QStringLiteral("frmAct_AddCustomItem"), QStringLiteral("Kostenpost toevoegen"))
{
}

frmAct_AddCustomItem *frmAct_AddCustomItem::load()
{
    if (auto *f = Form::loaded<frmAct_AddCustomItem>())
        return f;
    auto *f = new frmAct_AddCustomItem;
    f->setWindowModality(Qt::ApplicationModal);
    f->loadForm(false);
    return f;
}

namespace standins {

StandIn *frmAlgNazKosten() { return StandIn::load(QStringLiteral("frmAlgNazKosten"), QStringLiteral("Toeslagen nazorgfase")); }
StandIn *frmDoelverm() { return StandIn::load(QStringLiteral("frmDoelverm"), QStringLiteral("Doelvermogen & heffing")); }
StandIn *frmGevoelAna() { return StandIn::load(QStringLiteral("frmGevoelAna"), QStringLiteral("Gevoeligheidsanalyse")); }
StandIn *frmAct_AddCLitem() { return StandIn::load(QStringLiteral("frmAct_AddCLitem"), QStringLiteral("QOR-checklistposten"), false); }
StandIn *frmUpdateCheck() { return StandIn::load(QStringLiteral("frmUpdateCheck"), QStringLiteral("Controle op updates")); }

StandIn *frmBrowser()
{
    // Made anew each time: a second browser may be open beside the first.
    return StandIn::loadNew(QStringLiteral("frmBrowser"), QStringLiteral("Website handleiding en helpdesk"));
}

} // namespace standins

} // namespace screens
