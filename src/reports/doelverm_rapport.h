#pragma once
// The target-fund and levy report, without a window.
//
// The report checks and calculates the open site, then writes the chosen
// parts in a fixed order: the cover page, the target-fund table, the
// checklist items the site does not use, the levy. On screen they go into
// the report window, emptied first; in Word into one new document that
// gets the page header and footer, is protected against changes and is
// saved as Office Open XML (.docx) under the name the user chose, written
// beside it and renamed into place. A cancelled save dialog, a site that
// fails its input check or calculation, or any error writes no file.
// Errors go to the context's error reporter.
//
// The report screen (frmDoelverm) holds the choices; their rules are in
// frmDoelverm_rules.h.

#include "reports/frmDoelverm_rules.h"
#include "reports/word_report.h"

#include <QString>
#include <functional>
#include <memory>

namespace calc {
class clsDV;
class clsHeffing;
} // namespace calc

namespace reports {

class RapportTekst;

inline const QString kRapportWachtwoord = QStringLiteral("tramp4lu");

class DoelvermRapport {
public:
    // `voortgang`: the screen's progress bar, or none.
    explicit DoelvermRapport(Voortgang *voortgang = nullptr);
    ~DoelvermRapport();

    // Loads the report window the screen output writes to; whoever asks
    // for screen output sets it (the report screen:
    // laadRapSchermDoelverm in frmDoelverm.h).
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
