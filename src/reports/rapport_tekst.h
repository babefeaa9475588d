#pragma once
// What the on-screen report writers do with the report window's text: write
// at the insertion point with the formatting set before (bold, underline,
// colour, font, tab stops of the current paragraph), so that consecutive
// writes append. The report window implements it; tests can record it.
//
// Texts: CR LF (or LF alone) ends a paragraph, TAB moves to the next tab
// stop. Tab positions are in the window's scale units (centimetres unless a
// writer set another scale) from the paragraph's start.

#include <QString>
#include <QtGlobal>

namespace reports {

class RapportTekst {
public:
    virtual ~RapportTekst() = default;

    // Inserts `text` at the insertion point and moves the point behind it.
    virtual void SelText(const QString &text) = 0;
    virtual void SelBold(bool on) = 0;
    virtual void SelUnderline(bool on) = 0;
    // A colour number 0x00BBGGRR (0 black, 0xFF0000 blue).
    virtual void SelColor(qint32 color) = 0;
    virtual void SelFontName(const QString &name) = 0;
    // The number of tab stops of the current paragraph and those after it.
    virtual void SelTabCount(qint16 count) = 0;
    // The position of tab stop `index` (from 0), in scale units.
    virtual void SelTabs(qint16 index, double position) = 0;
    // Moves the insertion point to a character position (0: the top).
    virtual void SelStart(qint32 position) = 0;

    // The whole text (paragraphs joined by LF); setText("") empties it.
    virtual QString Text() const = 0;
    virtual void setText(const QString &text) = 0;
    // The base font of the text.
    virtual void setFont(const QString &name, double pointSize) = 0;
    // Shows or hides the text (writers show it when they are done).
    virtual void setZichtbaar(bool visible) = 0;

    // The width `text` (no TAB, no line end) takes in the formatting at the
    // insertion point, in scale units: a writer keeps its texts inside
    // their columns with it, whatever the font makes of them.
    virtual double tekstBreedte(const QString &text) const = 0;
    // Asks for room to show lines `breedte` scale units wide: the window
    // grows to show them whole where it has the room, and never shrinks.
    virtual void ruimteVoorRegels(double breedte) = 0;
};

} // namespace reports
