#pragma once
// The text of one report box of the version comparison, kept as fragments of
// text each with the character format that was current when it was added
// (colour, size, bold, struck through, bulleted paragraph), so that the
// screen can render it and tests can read it without a window.
//
// Line breaks are "\r\n" inside the fragments; a fragment's bullet flag applies to
// the paragraph the fragment's text lands in.

#include <QList>
#include <QString>
#include <QtGlobal>

namespace checklist {

// VB colour numbers (0x00BBGGRR).
inline constexpr qint32 kRapZwart = 0x000000;
inline constexpr qint32 kRapRood = 0x0000FF;
inline constexpr qint32 kRapBlauw = 0xFF0000;

struct RapOpmaak {
    qint32 kleur = kRapZwart;
    int grootte = 8;
    bool vet = false;
    bool doorgehaald = false;
    bool opsomming = false;

    bool operator==(const RapOpmaak &) const = default;
};

struct RapStuk {
    QString tekst;
    RapOpmaak opmaak;
};

class RapTekst {
public:
    // A box with its base colour and paragraph indent (twips).
    explicit RapTekst(qint32 basisKleur = kRapZwart, int inspringing = 0);

    qint32 basisKleur() const { return m_basisKleur; }
    int inspringing() const { return m_inspringing; }

    // Empties the text; the format starts again from the box's settings.
    void wis();

    void kleur(qint32 kleur) { m_opmaak.kleur = kleur; }
    void grootte(int punten) { m_opmaak.grootte = punten; }
    void vet(bool aan) { m_opmaak.vet = aan; }
    void doorgehaald(bool aan) { m_opmaak.doorgehaald = aan; }
    void opsomming(bool aan) { m_opmaak.opsomming = aan; }
    const RapOpmaak &opmaak() const { return m_opmaak; }

    // Adds text at the end in the current format.
    void voegToe(const QString &tekst);

    bool isLeeg() const { return m_stukken.isEmpty(); }
    // The plain text of the box.
    QString tekst() const;
    const QList<RapStuk> &stukken() const { return m_stukken; }

private:
    qint32 m_basisKleur;
    int m_inspringing;
    RapOpmaak m_opmaak;
    QList<RapStuk> m_stukken;
};

} // namespace checklist
