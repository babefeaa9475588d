#pragma once
// A report screen's progress bar as the report writers move it.

#include "reports/word_report.h"

#include <QProgressBar>

namespace reports {

class ProgressBarVoortgang : public Voortgang {
public:
    explicit ProgressBarVoortgang(QProgressBar *bar) : m_bar(bar) {}
    void setVisible(bool visible) override { m_bar->setVisible(visible); }
    void setMinimum(int value) override { m_bar->setMinimum(value); }
    void setMaximum(int value) override { m_bar->setMaximum(value); }
    void setValue(int value) override { m_bar->setValue(value); }

private:
    QProgressBar *m_bar;
};

} // namespace reports
