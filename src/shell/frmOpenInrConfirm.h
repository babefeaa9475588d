#pragma once
// The short notice window: one line of text (such as "Geopend: <site>")
// for three seconds. It is made anew each time; while one is loaded
// gblnBerichtOpen is True, and the one-screen rule allows one more window.

#include "screens/form.h"

class QLabel;
class QTimer;

namespace shell {

class frmOpenInrConfirm : public screens::Form {
    Q_OBJECT

public:
    // Makes a new notice window with `bericht` and shows it.
    static frmOpenInrConfirm *toon(const QString &bericht);

    void setBericht(const QString &bericht);
    QString bericht() const;

    // The timer's action: the notice goes.
    void Timer1_Timer();

private:
    frmOpenInrConfirm();
    void Form_Load();
    void Form_Unload() override;

    QLabel *Label1 = nullptr;
    QTimer *Timer1 = nullptr;
};

} // namespace shell
