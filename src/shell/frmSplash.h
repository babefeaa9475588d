#pragma once
// The splash window: the program's picture and version after a successful
// start, which opens the site list after 2.5 seconds and goes; the same
// window serves as the about box, which stays until it is closed and opens
// nothing. Three hot spots on the picture open the web pages of the three
// parties behind the program. It exists once, program-wide.

#include "screens/form.h"

class QLabel;
class QPushButton;
class QTimer;

namespace shell {

class frmSplash : public screens::Form {
    Q_OBJECT

public:
    // Splash mode: the timer runs, the close button is hidden.
    static frmSplash *loadSplash();
    // About box: no timer, the close button shown.
    static frmSplash *loadAbout();

    // The web pages behind the hot spots.
    static const char *const kUrlQOR;
    static const char *const kUrlBrandeck;
    static const char *const kUrlKettrilon;

    // Handlers (public so that tests can fire the timer at once).
    void Form_Activate();
    void Timer1_Timer();
    void cmdClose_Click();
    void lblQOR_Click();
    void lblBrandeck_Click();
    void lblKettrilon_Click();

    bool isAboutBox() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    frmSplash();
    static frmSplash *loadIn(bool about);
    QLabel *hotSpot(const char *name, const QRect &where);

    QLabel *lblVersion = nullptr;
    QPushButton *cmdClose = nullptr;
    QTimer *Timer1 = nullptr;
    QLabel *lblQOR = nullptr;
    QLabel *lblBrandeck = nullptr;
    QLabel *lblKettrilon = nullptr;
};

} // namespace shell
