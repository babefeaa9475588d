#pragma once
// The target-fund table of the main report in Word: a landscape section
// with a two-line title, one table of nine columns that lists every cost
// item of the site grouped by the chosen division, the annual costs (A),
// the replacement costs (B), the general after-care costs (C), the target
// fund and a legend.
//
// The calculation object must have calculated, opened its report view and
// been given its division key; the selection stands at the end of the
// document. Errors of Word or of the calculation go to the caller.

#include "reports/word_report.h"

#include "calc/clsDV.h"

#include "platform/word/document.h"

namespace reports {

class RapDVWord {
public:
    RapDVWord(calc::clsDV &dv, word::Application &app, word::Document &doc, const WordReportContext &ctx,
              Voortgang *voortgang = nullptr);

    // The division the user chose: 1 facility category, 2 rubric, 3
    // checklist conformity.
    int optRapSort = 2;

    // Writes the part; a part already in the document (blnDeelVooraf)
    // makes it start a new section on a new page.
    void RapDVnaarWord(bool &blnDeelVooraf);
    // The A block and the B block, from row intRij on; intRij is left on
    // the row after the block.
    void RapSubtotaalA(qint16 &intRij, word::Table &wrdTabel);
    void RapSubtotaalB(qint16 &intRij, word::Table &wrdTabel);

private:
    bool perRubriek() const { return optRapSort == 2; }
    void groepsSubtotaal(word::Table &t, int r, std::uint8_t key, const QString &label);
    void voortgang();
    // The facility's heading row after an empty one; r goes past both.
    void voorzieningKop(word::Table &t, qint16 &r, const QString &voorz, bool nieuweGroep);
    // A cost item in row r; its share of the target fund only when it is
    // part of it.
    void itemRij(word::Table &t, int r, const calc::DVRapportRegel &regel, bool metAandeel);
    // The rows of rubric "Overig" after block B, with their own subtotal
    // and the statement that they are not part of the target fund; r is
    // left on the row after the block.
    void blokOverig(word::Table &t, qint16 &r);
    void kopB(word::Table &t, int r);
    void blokC(word::Table &t, int r);

    calc::clsDV &m_dv;
    word::Application &m_app;
    word::Document &m_doc;
    WordReportContext m_ctx;
    Voortgang *m_voortgang;
    int m_rijenGeschreven = 0;
};

} // namespace reports
