#pragma once
// frmRapScherm, "Rapportage": the one window in which reports are shown on
// screen. It computes nothing: the writers load it and write formatted,
// tab-separated text at its insertion point (RapportTekst). Loading it when
// it is open keeps what it holds; a writer that should start afresh empties
// it first. Its text box is hidden until a writer shows it.
//
// Positions are in the window's scale units, centimetres when it loads
// (setScale can make the client area a number of units wide and high): tab
// stops, and the resize rule that keeps the text box 0.5 unit narrower and
// 1.0 unit lower than the window with the close button in the strip beneath. A resize that
// would leave no room changes nothing. Report lines are wider than the
// window: the text wraps only at twice the box's width at load. A writer
// that asks for room for its lines has the window widened to show them,
// as far as the main window's client area reaches.

#include "reports/rapport_tekst.h"

#include "screens/form.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextOption>
#include <QVector>
#include <optional>

class QPushButton;
class QTextEdit;

namespace reports {

class frmRapScherm : public screens::Form, public RapportTekst {
    Q_OBJECT

public:
    // The loaded window, or a new one.
    static frmRapScherm *load();

    // ---- RapportTekst -------------------------------------------------------
    void SelText(const QString &text) override;
    void SelBold(bool on) override;
    void SelUnderline(bool on) override;
    void SelColor(qint32 color) override;
    void SelFontName(const QString &name) override;
    void SelTabCount(qint16 count) override;
    void SelTabs(qint16 index, double position) override;
    void SelStart(qint32 position) override;
    QString Text() const override;
    void setText(const QString &text) override;
    void setFont(const QString &name, double pointSize) override;
    void setZichtbaar(bool visible) override;
    double tekstBreedte(const QString &text) const override;
    void ruimteVoorRegels(double breedte) override;

    // The tab stops of the paragraph at the insertion point, in scale units.
    QList<double> tabStops() const;

    // Makes the client area `width` by `height` units; 0 for either goes
    // back to centimetres.
    void setScale(double width, double height);
    // Units of the scale in pixels of this window, and back.
    double px(double units, bool horizontal = true) const;
    double units(double pixels, bool horizontal = true) const;
    // Centimetres in pixels.
    double cm(double centimetres) const;

    void Command1_Click();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    frmRapScherm();
    void Form_Load();
    void Form_Resize();
    void applyTabs();
    // The tab stops in pixels of this window.
    QList<QTextOption::Tab> tabPosities() const;
    // The writers' pieces are one edit of the document until it is shown
    // or read.
    void schrijfBlok();
    void sluitBlok() const;

    // The metrics of the font last measured, and its characters' widths.
    mutable QTextCharFormat m_maatFormat;
    mutable QFont m_maatBasis;
    mutable std::optional<QFontMetricsF> m_maat;
    mutable QHash<QChar, qreal> m_tekenBreedte;

    QTextEdit *txtRap = nullptr;
    QPushButton *Command1 = nullptr;
    QTextCursor m_cursor;
    QTextCharFormat m_format;
    QVector<double> m_tabs;
    double m_scaleWidth = 0;
    double m_scaleHeight = 0;
    bool m_blok = false;
    // The open edit began on an empty document.
    bool m_vanLeeg = false;
};

} // namespace reports
