#pragma once
// The target-fund and levy report without a window: the choices of the
// report screen and their rules, the check of its VAT field, and the
// report itself.
//
// The report checks and calculates the open site, then writes the chosen
// parts in a fixed order: the cover page, the target-fund table, the
// checklist items the site does not use, the levy. On screen they go into
// the report window, emptied first; in Word into one new document that
// gets the page header and footer, is protected against changes and is
// saved as Office Open XML (.docx) under the name the user chose, written
// beside it and renamed into place. A cancelled save dialog, a site that
// fails its input check or calculation, or any error writes no file.

#include "reports/word_report.h"

#include <QDate>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace calc {
class clsDV;
class clsHeffing;
} // namespace calc

namespace reports {

class RapportTekst;

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

inline const QString kRapportWachtwoord = QStringLiteral("tramp4lu");

class DoelvermRapport {
public:
    // `voortgang`: the screen's progress bar, or none.
    explicit DoelvermRapport(Voortgang *voortgang = nullptr);
    ~DoelvermRapport();

    // Loads the report window (the screen output writes there).
    std::function<RapportTekst *()> laadRapScherm;

    // Makes the report. `btwTekst` is the VAT field, emptied when it reads
    // "0". True when the screen may close: the report is done or the site
    // failed its check; false after an error (reported) or a cancelled
    // save dialog, which leave the screen open.
    bool maak(const DoelvermKeuzes &keuzes, QString &btwTekst, const WordReportContext &ctx);

    // The objects of the last report, kept after a failure.
    std::unique_ptr<calc::clsDV> mobjDV;
    std::unique_ptr<calc::clsHeffing> mobjHeffing;

private:
    void naarScherm(const DoelvermKeuzes &keuzes, const WordReportContext &ctx);
    // The chosen file, or empty when the dialog was cancelled. With
    // `onthoud` its folder becomes the site's report folder.
    QString kiesBestand(const WordReportContext &ctx, QString &map, bool onthoud = true);
    void naarWord(const DoelvermKeuzes &keuzes, bool blnBTW, const WordReportContext &ctx, const QString &bestand);
    void bewaar(word::Document &doc, const QString &bestand, const WordReportContext &ctx);
    void verbergVoortgang();

    Voortgang *m_voortgang;
};

} // namespace reports
