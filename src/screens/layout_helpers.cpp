#include "screens/layout_helpers.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

namespace screens {

void keepPlaceWhenHidden(QWidget *widget)
{
    QSizePolicy p = widget->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(p);
}

namespace {

// Where the caption's text starts within the button.
int textLeft(const QAbstractButton *button)
{
    QStyleOptionButton opt;
    opt.initFrom(button);
    opt.text = button->text();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (qobject_cast<const QCheckBox *>(button))
        element = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<const QRadioButton *>(button))
        element = QStyle::SE_RadioButtonContents;
    return button->style()->subElementRect(element, &opt, button).left();
}

// Sets the box over the dots again when the button's looks change. It has
// its own meta-object, so that a button's follower can be told from its
// other children (the box itself among them).
class DotsFollower : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Polish:
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::Show:
            if (auto *button = qobject_cast<QAbstractButton *>(watched))
                for (QLineEdit *box : button->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly))
                    place(button, box);
            break;
        default:
            break;
        }
        return false;
    }
    static void place(QAbstractButton *button, QLineEdit *box);
};

} // namespace

void placeOnDots(QAbstractButton *button, QLineEdit *box)
{
    if (!button->text().contains(QLatin1Char('.')))
        return;
    const bool shown = !box->isHidden();
    if (box->parentWidget() != button) {
        box->setParent(button);
        if (!button->findChild<DotsFollower *>(QString(), Qt::FindDirectChildrenOnly))
            button->installEventFilter(new DotsFollower(button));
    }
    DotsFollower::place(button, box);
    box->setVisible(shown);
    box->raise();
}

void DotsFollower::place(QAbstractButton *button, QLineEdit *box)
{
    const QString text = button->text();
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return;
    int from = dot;
    while (from > 0 && text.at(from - 1) == QLatin1Char(' '))
        --from;
    int to = dot;
    while (to < text.size() && (text.at(to) == QLatin1Char('.') || text.at(to) == QLatin1Char(' ')))
        ++to;
    const QFontMetrics fm = button->fontMetrics();
    const int x = textLeft(button) + fm.horizontalAdvance(text.left(from));
    const int width = fm.horizontalAdvance(text.mid(from, to - from));
    const int height = box->sizeHint().height();
    button->setMinimumHeight(height);
    box->setGeometry(x, 0, width, height);
}

void placeOnBlanks(QLabel *label, QLineEdit *box)
{
    const QString text = label->text();
    int from = text.indexOf(QStringLiteral("  "));
    if (from < 0)
        return;
    int to = from;
    while (to < text.size() && text.at(to) == QLatin1Char(' '))
        ++to;
    box->setParent(label);
    const QFontMetrics fm = label->fontMetrics();
    const int height = box->sizeHint().height();
    label->setMinimumHeight(height);
    label->setMinimumWidth(label->sizeHint().width());
    const int x = label->contentsRect().left() + fm.horizontalAdvance(text.left(from)) + 2;
    box->setGeometry(x, 0, fm.horizontalAdvance(text.mid(from, to - from)) - 4, height);
    box->show();
}

void showAllTabs(QTabWidget *tabs)
{
    tabs->setUsesScrollButtons(false);
    tabs->setElideMode(Qt::ElideNone);
}

QWidget *firstTabStop(QWidget *container)
{
    for (QWidget *w = container->nextInFocusChain(); w && w != container; w = w->nextInFocusChain()) {
        if (container->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()
            && !w->focusProxy())
            return w;
    }
    return nullptr;
}

void focusFirstControlOfChosenTab(QTabWidget *tabs)
{
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [tabs](int index) {
        if (tabs->tabBar()->hasFocus())
            return;
        if (QWidget *page = tabs->widget(index))
            if (QWidget *first = firstTabStop(page))
                first->setFocus(Qt::TabFocusReason);
    });
}

void reserveWidthForValue(QLineEdit *box, const QString &text)
{
    // As QLineEdit measures its size hint: the text, the 2 pixels it keeps
    // free on either side and the text margins, within the style's frame.
    QStyleOptionFrame opt;
    opt.initFrom(box);
    opt.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box) : 0;
    const QMargins tm = box->textMargins();
    const int inner = box->fontMetrics().horizontalAdvance(text) + 2 * 2 + tm.left() + tm.right() + 1;
    const QSize size =
        box->style()->sizeFromContents(QStyle::CT_LineEdit, &opt, QSize(inner, box->sizeHint().height()), box);
    box->setMinimumWidth(std::max(box->minimumWidth(), size.width()));
}

void reserveWidthFor(QAbstractButton *button, const QString &text)
{
    const QString was = button->text();
    button->setText(text);
    const int wide = button->sizeHint().width();
    button->setText(was);
    button->setMinimumWidth(std::max(wide, button->sizeHint().width()));
}

} // namespace screens

#include "layout_helpers.moc"
