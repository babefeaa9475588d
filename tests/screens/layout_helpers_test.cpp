// The number box on a caption's dots, offscreen: when the button's font or
// style changes after the box was placed, the box moves and grows with the
// dots, to where it would stand had the button looked so from the start.

#include "screens/layout_helpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QLineEdit>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
}

namespace {

const QString kCaption = QStringLiteral("groot werk      .....     %");

struct Knop {
    std::unique_ptr<QWidget> venster = std::make_unique<QWidget>();
    QCheckBox *knop = new QCheckBox(kCaption, venster.get());
    QLineEdit *vak = new QLineEdit;
};

TEST(LayoutHelpersTest, TheBoxOnTheDotsFollowsAFontOrStyleChangeOfItsButton)
{
    const struct {
        const char *naam;
        std::function<void(QCheckBox *)> verander;
    } gevallen[] = {
        {"a larger font",
         [](QCheckBox *k) {
             QFont f = k->font();
             f.setPointSize(f.pointSize() * 3);
             k->setFont(f);
         }},
        {"a wider check mark (style sheet)",
         [](QCheckBox *k) { k->setStyleSheet(QStringLiteral("QCheckBox::indicator { width: 60px; }")); }},
    };
    for (const auto &g : gevallen) {
        SCOPED_TRACE(g.naam);
        Knop later; // placed first, changed afterwards
        later.venster->show();
        screens::placeOnDots(later.knop, later.vak);
        const QRect voor = later.vak->geometry();
        g.verander(later.knop);
        QApplication::processEvents();

        Knop meteen; // changed first, placed afterwards
        g.verander(meteen.knop);
        meteen.venster->show();
        screens::placeOnDots(meteen.knop, meteen.vak);
        QApplication::processEvents();

        ASSERT_NE(meteen.vak->geometry(), voor) << "the change does not move the dots";
        EXPECT_EQ(later.vak->geometry(), meteen.vak->geometry());
    }
}

} // namespace
