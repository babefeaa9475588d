#pragma once
// The target-fund and levy report screen without a window: its choices
// and their rules, the check of its VAT field, the name the save dialog
// proposes. The report itself is in doelverm_rapport.h.

#include <QDate>
#include <QString>
#include <optional>

namespace reports {

// The screen's choices: its four check boxes, the output (1 screen, 2 a
// Word file) and the division of the target-fund table (1 facility
// category, 2 rubric, 3 checklist conformity, 0 none).
struct DoelvermKeuzes {
    bool chkVoorblad = false;
    bool chkRapDV = true;
    bool chkRapHef = false;
    bool chkRapUnselectedCLitems = false;
    int optRapNaar = 1;
    int optRapSort = 2;

    // Run after every change of a check box or the output: screen output
    // unticks the cover page and the list of unused checklist items.
    void ActualiseerKeuzes();
    // Choosing a division asks for the target-fund table.
    void kiesSortering(int optie);
    // OK needs at least one part.
    bool okMogelijk() const;
    // The cover page and the list of unused items exist only in Word.
    bool alleenWord() const { return optRapNaar == 2; }
};

// The division key the calculation sorts by; empty for none.
QString sorteerVeld(int optRapSort);

// The VAT field on leaving: empty is accepted and changes nothing (an
// empty optional with ok); a number from 0 to 30 is accepted and is the
// new percentage; anything else is refused.
struct BTWInvoer {
    bool ok = false;
    std::optional<float> perc;
};
BTWInvoer controleerBTW(const QString &text);

// What the Word report shows of the program beyond the calculation's
// context: the data file's path, the program's title and version.
struct RapportGegevens {
    QString gstrDatabestand;
    QString programTitle = QStringLiteral("TAVIR");
    int versionMajor = 0;
    int versionMinor = 0;
};

// The name the save dialog proposes: "Rapportage <site> dd-mm-yyyy".
QString voorgesteldeNaam(const QString &naamStort, const QDate &datum);

} // namespace reports
