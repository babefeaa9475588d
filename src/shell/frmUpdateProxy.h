#pragma once
// The proxy dialog "Geavanceerd", opened over the update screen: how the
// program reaches the internet (the system's settings, directly, or through
// a named HTTP proxy with its port). OK stores the choice in the program
// state and the settings; the next request uses it.

#include "screens/form.h"

#include <QtGlobal>

class QLineEdit;
class QRadioButton;

namespace shell {

// What OK stores.
struct ProxyKeuze {
    quint8 type = 0;
    QString naam;
    qint32 poort = 0;
};

// Checks the dialog's entries for option `index`. Returns an empty text and
// fills `keuze` when they can be stored; else the message to show, with
// `veld` the control name of the field to correct. A named proxy needs a
// name and a TCP port, 1 to 65535; under the other options a port that is
// not such a number is stored as 0.
QString pfunControleerProxy(int index, const QString &naam, const QString &poort, ProxyKeuze &keuze,
                            QString *veld = nullptr);

class frmUpdateProxy : public screens::Form {
    Q_OBJECT

public:
    static frmUpdateProxy *load();

    void optProxType_Click(int index);
    void OKButton_Click();
    void CancelButton_Click();

private:
    frmUpdateProxy();
    void Form_Load();

    QRadioButton *optProxType[3] = {};
    QWidget *picKader = nullptr;
    QLineEdit *txtProxyNaam = nullptr;
    QLineEdit *txtProxyPoortNr = nullptr;
    int m_index = 0; // the option last clicked
};

} // namespace shell
