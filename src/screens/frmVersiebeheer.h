#pragma once
// The checklist version screen "Actualiseren QOR-checklistversie": lists
// the versions of the open site's kind that are newer than its own,
// compares the selected one with the site's version in a report over three
// tabs, and moves the site to it on request. The general-data screen loads
// it and shows it only when a newer version exists.

#include "screens/form.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace checklist {
class RapTekst;
}

namespace screens {

class frmVersiebeheer : public Form {
    Q_OBJECT

public:
    static frmVersiebeheer *load();

    // True when the list holds at least one newer version.
    bool NieuwereChecklistBeschikbaar() const;

    void lst1_ItemClick();
    // Moves the site to the selected version after the user confirmed;
    // the screen closes either way.
    void cmdOK_Click();
    void cmdCancel_Click();

    // Shows a report text in a box, with its colours, sizes and bullets.
    static void toonRapport(QTextEdit *box, const checklist::RapTekst &tekst);

private:
    frmVersiebeheer();
    void Form_Load();
    void VulLijstNieuwereVersies();
    void InitRapOpmaak();
    void VergelijkChecklists();

    QLabel *Label5 = nullptr, *Label6 = nullptr, *Label4 = nullptr;
    QTreeWidget *lst1 = nullptr;
    QTabWidget *SSTab1 = nullptr;
    QLabel *lblToegevoegd = nullptr, *lblVerwijderd = nullptr, *lblGewijzigd = nullptr;
    QTextEdit *txtRapToegevoegd = nullptr, *txtRapVerwijderd = nullptr, *txtRapGewijzigd = nullptr,
              *txtRapAct = nullptr;
    QPushButton *cmdOK = nullptr, *cmdCancel = nullptr;
    QTimer *Timer1 = nullptr;
};

} // namespace screens
