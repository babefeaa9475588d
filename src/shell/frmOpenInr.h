#pragma once
// The site list "Open inrichting": every site of the data file in name
// order, with its RIVM number, kind, province and checklist version. From
// here the user opens a site, deletes one, starts a new one or imports one.
// The remembered site (HUIDIGSTORT_ID) is selected when the list fills.
// With rows but none selected, OK and "&Verwijderen..." do nothing: the
// user chooses a row first. A site that fails to open is reported and the
// list stays, with the previous site still open.

#include "screens/form.h"

#include <QList>
#include <QString>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace modMain {

// One row of the list.
struct InrichtingRij {
    qint32 id = 0;
    QString naam;
    QString rivmNr;    // empty when not filled in
    QString soort;     // "stortplaats", "baggerdepot", "?" for another kind
    QString provincie; // empty when the code has no province row
    QString checklist; // the year of the version's date, "?" when not installed
};

// The rows of the data file's sites, in name order. Every site is listed,
// also one whose province code has no row in tblProv (a new site has code
// 0). Raises platform::Error when a file cannot be read.
QList<InrichtingRij> pfunInrichtingen();

} // namespace modMain

namespace shell {

class frmOpenInr : public screens::Form {
    Q_OBJECT

public:
    // Loads the list (the one loaded already when there is one), fills it
    // and shows it.
    static frmOpenInr *load();

    // Empties and refills the list and selects the remembered site.
    void pFillList();
    // cmdVerwijder is enabled exactly when the list has a row.
    void psubZetKnopVerwijderen();

    void OKButton_Click();
    void CancelButton_Click();
    void cmdNieuw_Click();
    void cmdVerwijder_Click();
    void cmdImport_Click();

    // The id of a row, read back from its key "id<N>".
    static qint32 idVan(const QTreeWidgetItem *row);

private:
    frmOpenInr();
    void Form_Load();
    QTreeWidgetItem *geselecteerd() const;

    QTreeWidget *lst1 = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QPushButton *cmdNieuw = nullptr;
    QPushButton *cmdVerwijder = nullptr;
    QPushButton *cmdImport = nullptr;
};

} // namespace shell
