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


} // namespace screens
