// Qt's own texts in Dutch once the translations are installed: the
// standard buttons, the file dialog, its overwrite question and the system
// menu of a child window.

#include "platform/ui/qt_translations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(QtDutch, QtsOwnDialogsAndButtonsSpeakDutch)
{
    ASSERT_TRUE(ui::installQtDutch());
    // A second call keeps the one translator.
    EXPECT_TRUE(ui::installQtDutch());

    QMessageBox box(QMessageBox::Question, QStringLiteral("Verwijderen"), QStringLiteral("Zeker?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Ja"));
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Nee"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Annuleren"));

    // The file dialog's texts and its overwrite question.
    const QString lookIn = QCoreApplication::translate("QFileDialog", "Look in:");
    EXPECT_NE(lookIn, QStringLiteral("Look in:"));
    const QString overwrite =
        QCoreApplication::translate("QFileDialog", "%1 already exists.\nDo you want to replace it?");
    EXPECT_TRUE(overwrite.contains(QStringLiteral("%1"))) << overwrite.toStdString();
    EXPECT_NE(overwrite, QStringLiteral("%1 already exists.\nDo you want to replace it?"));

    // The system menu of a child window of the main window.
    QMdiSubWindow sub;
    QStringList items;
    for (QAction *a : sub.systemMenu()->actions())
        if (!a->isSeparator())
            items << a->text().remove(QLatin1Char('&'));
    EXPECT_TRUE(items.contains(QStringLiteral("Sluiten"))) << items.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(items.contains(QStringLiteral("Close"))) << items.join(QLatin1Char('|')).toStdString();
}

} // namespace
