#pragma once
// The Dutch sentence that describes a cost item: when the first outlay
// falls (calendar year and after-care year), until when the item runs, how
// often an outlay occurs, what the item is called and what one outlay costs.
// The cost-item screen shows it under the detail panel, so that the user
// can read back in words what the figures mean.
//
// The sentence is built from the values of one cost item and from option
// codes that the caller passes (the screen passes what its controls show,
// not the stored options). Numbers are written as the program writes them
// everywhere: a Single with its 7-digit default text, amounts with Dutch
// pictures ("€ 1.000"). Nothing here touches the database.

#include <QString>
#include <QVariant>
#include <QtGlobal>
#include <cstdint>
#include <functional>

namespace records {

// Years between the start of after-care (a fractional year: year +
// (month - 1)/12, plus 1/24 from the 16th) and the middle of calendar year
// `jaar` (1 July, when its outlay counts), in single precision.
float pfunJaarNaAanvangNazorg(qint16 jaar, float sngJaarAanvangNazorg);

// The after-care year (1 is the first) in which the middle of calendar year
// `jaar` falls; 0 or less for a year before the start. Raises error 6 when
// it does not fit a 16-bit number.
qint16 pfunNazorgjaar(qint16 jaar, float sngJaarAanvangNazorg);

// The fields of the cost item (tblAct) that the sentence reads. Null is an
// invalid QVariant.
struct ActSentenceRow {
    QVariant intStartabs, intStartrel, intStartBA;
    QVariant intEindabs, intEindrel, intEindBA;
    QVariant intfreqX;
    QVariant strAct;
    QVariant sngPercInvest, sngKostenInvest, sngKostenTotaal, sngKostenPE, sngAantal;
};

// Reads the fields by name (names as in tblAct) through `field`.
ActSentenceRow actSentenceRow(const std::function<QVariant(const QString &)> &field);

// The sentence of a cost item.
//  - bytCombineer 1: the item is absorbed into a combination item;
//  - blnVerifyAnSichOK: the caller found the item complete; when False the
//    sentence asks to complete it;
//  - bytTypeJaarStart 1 calendar year, 2 after-care year; bytTypeJaarEind
//    1 calendar year, 2 after-care year, 3 perpetual;
//  - bytOptieKosten 1 percentage of an investment, 2 total, 3 units x price;
//  - bytOptieFreq 1 once, 2 intfreqX times a year, 3 once every intfreqX
//    years;
//  - bytStartBA, bytEindBA 1: the year counts from the construction of the
//    top liner, which is the start year as entered.
// A year that is needed but missing raises error 94 ("Invalid use of
// Null"), one out of the 16-bit range error 6; the caller handles them.
//
// The sentence describes what the calculation does:
//  - a calendar start at or after the start of after-care is counted from
//    its own after-care year when the sentence judges whether the item ends
//    before its first outlay (a start in after-care year 6 with an end in
//    year 3 is not applicable) and whether a periodic item has room for
//    more than one outlay (every 5 years from year 6 until year 10 is one
//    single outlay); an end that lies before after-care itself is still
//    reported as a period over before after-care begins;
//  - a once-only item has no end: its end option and top-liner end count
//    are not used (the screen stores "perpetual" for it);
//  - "Gedurende de gehele nazorgperiode" is said only of an item that
//    really runs for ever, not of one whose end counts from the top liner;
//  - an interval of less than one year under "once every so many years"
//    gives the request to complete the item instead of a sentence.
QString BeschrijvingInZin(const ActSentenceRow &row, float sngJaarAanvangNazorg, qint32 bytCombineer,
                          bool blnVerifyAnSichOK, qint32 bytTypeJaarStart, qint32 bytTypeJaarEind,
                          std::uint8_t bytOptieKosten, qint32 bytOptieFreq, qint32 bytStartBA, qint32 bytEindBA);

} // namespace records
