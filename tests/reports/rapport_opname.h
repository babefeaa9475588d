#pragma once
// A report window that records what the writers put in it: the text (CR LF
// as LF), the stretches written in bold, the symbol characters written in
// the symbol font, the tab stops set and the colour changes.

#include "reports/rapport_tekst.h"
#include "reports/word_report.h"

#include <QList>
#include <QStringList>

namespace reporttest {

class RapportOpname : public reports::RapportTekst {
public:
    QString tekst;
    QStringList vet;
    QStringList onderstreept;
    QString symbolen;
    QList<double> tabs;
    QList<qint32> kleuren;
    bool zichtbaar = false;
    qint32 start = -1;

    void SelText(const QString &text) override
    {
        QString t = text;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        tekst += t;
        if (m_vet)
            vet << t;
        if (m_onder)
            onderstreept << t;
        if (m_font.compare(reports::kSymboolFont, Qt::CaseInsensitive) == 0)
            symbolen += t;
    }
    void SelBold(bool on) override { m_vet = on; }
    void SelUnderline(bool on) override { m_onder = on; }
    void SelColor(qint32 color) override { kleuren << color; }
    void SelFontName(const QString &name) override { m_font = name; }
    void SelTabCount(qint16 count) override { tabs = QList<double>(count, 0.0); }
    void SelTabs(qint16 index, double position) override { tabs[index] = position; }
    void SelStart(qint32 position) override { start = position; }
    QString Text() const override { return tekst; }
    void setText(const QString &text) override { tekst = text; }
    void setFont(const QString &, double) override {}
    void setZichtbaar(bool visible) override { zichtbaar = visible; }
    // As if every character were 1.2 mm wide, about as wide as one of Arial
    // 8 pt.
    double tekstBreedte(const QString &text) const override { return kTekenBreedte * double(text.size()); }
    void ruimteVoorRegels(double breedte) override { regelBreedte = breedte; }

    static constexpr double kTekenBreedte = 0.12;
    double regelBreedte = 0;

    QStringList regels() const { return tekst.split(QLatin1Char('\n')); }

private:
    bool m_vet = false;
    bool m_onder = false;
    QString m_font;
};

} // namespace reporttest
