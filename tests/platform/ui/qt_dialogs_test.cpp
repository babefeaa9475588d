// The Qt dialog service: how each box is set up, and a real run of each,
// answered by a timer that finds the modal dialog.

#include "platform/ui/qt_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using ui::Answer;
using ui::Buttons;
using ui::Icon;

namespace {

// Runs `act` on the modal dialog of type T once it is shown. Gives up (and
// rejects every dialog, so that the test cannot hang) after about 5 s.
template <typename T> void whenShown(std::function<void(T *)> act, int attempts = 500)
{
    QTimer::singleShot(10, [act, attempts] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            act(dialog);
            return;
        }
        if (attempts > 0) {
            whenShown<T>(act, attempts - 1);
            return;
        }
        ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " appeared";
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QDialog *>(w))
                d->reject();
    });
}

} // namespace

TEST(QtDialogs, MessageBoxSetUp)
{
    QMessageBox box;
    ui::configureMessageBox(box, ui::MsgBoxRequest{"Regel 1\r\nRegel <b>2</b>", Buttons::YesNoCancel, Icon::Exclamation,
                                                   QString(), ui::DefaultButton::Second});
    EXPECT_EQ(box.windowTitle(), "TAVIR");
    EXPECT_EQ(box.text(), "Regel 1\nRegel <b>2</b>");
    EXPECT_EQ(box.textFormat(), Qt::PlainText);
    EXPECT_EQ(box.icon(), QMessageBox::Warning);
    EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::No));
    EXPECT_EQ(box.escapeButton(), box.button(QMessageBox::Cancel));

    struct Case {
        Icon icon;
        QMessageBox::Icon qt;
    };
    for (const Case &c :
         {Case{Icon::None, QMessageBox::NoIcon}, Case{Icon::Critical, QMessageBox::Critical},
          Case{Icon::Question, QMessageBox::Question}, Case{Icon::Information, QMessageBox::Information}}) {
        QMessageBox b;
        ui::configureMessageBox(b, ui::MsgBoxRequest{"x", Buttons::AbortRetryIgnore, c.icon, "Titel"});
        EXPECT_EQ(b.icon(), c.qt);
        EXPECT_EQ(b.windowTitle(), "Titel");
        EXPECT_EQ(b.standardButtons(), QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
    }
}

TEST(QtDialogs, MessageBoxRun)
{
    ui::QtDialogs dialogs;
    whenShown<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_EQ(dialogs.MsgBox("Doorgaan?", Buttons::YesNo, Icon::Question, "Vraag"), Answer::Yes);

    whenShown<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Retry)->click(); });
    EXPECT_EQ(dialogs.MsgBox("Opnieuw?", Buttons::RetryCancel), Answer::Retry);

    // Closed without a choice: the escape answer.
    whenShown<QMessageBox>([](QMessageBox *box) { box->reject(); });
    EXPECT_EQ(dialogs.MsgBox("Opslaan?", Buttons::YesNoCancel), Answer::Cancel);
}

TEST(QtDialogs, InputBoxRun)
{
    ui::QtDialogs dialogs;
    whenShown<QInputDialog>([](QInputDialog *d) {
        EXPECT_EQ(d->windowTitle(), "Nieuwe voorziening");
        EXPECT_EQ(d->labelText(), "Naam voorziening:");
        EXPECT_EQ(d->textValue(), "Put");
        d->setTextValue("Put 3");
        d->accept();
    });
    bool cancelled = true;
    EXPECT_EQ(dialogs.InputBox("Naam voorziening:", "Nieuwe voorziening", "Put", &cancelled), "Put 3");
    EXPECT_FALSE(cancelled);

    whenShown<QInputDialog>([](QInputDialog *d) {
        EXPECT_EQ(d->windowTitle(), "TAVIR");
        d->reject();
    });
    EXPECT_EQ(dialogs.InputBox("Naam:", QString(), "oud", &cancelled), QString());
    EXPECT_TRUE(cancelled);
}

TEST(QtDialogs, FileDialogSetUp)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    ui::FileDialogRequest save;
    save.title = "Exporteren...";
    save.filter = "XML bestanden (*.xml)|*.xml|Alle bestanden|*.*|";
    save.filterIndex = 2;
    save.initialDir = dir.path();
    save.fileName = "Stort A";
    save.flags = 0x806;
    save.defaultExt = "xml";
    QFileDialog d1;
    ui::configureFileDialog(d1, ui::FileDialogMode::Save, save);
    EXPECT_EQ(d1.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(d1.fileMode(), QFileDialog::AnyFile);
    EXPECT_FALSE(d1.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(d1.windowTitle(), "Exporteren...");
    EXPECT_EQ(d1.nameFilters(), QStringList({"XML bestanden (*.xml)", "Alle bestanden (*.*)"}));
    EXPECT_EQ(d1.selectedNameFilter(), "Alle bestanden (*.*)");
    EXPECT_EQ(QDir(d1.directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    EXPECT_EQ(d1.defaultSuffix(), "xml");

    // Open dialog: without OverwritePrompt no question; FileMustExist only
    // existing files; an index out of range selects the first filter.
    ui::FileDialogRequest open;
    open.filter = "databestand (dbQORdata_*)|dbQORdata_*.mdb|";
    open.filterIndex = 5;
    open.flags = 0x1000;
    QFileDialog d2;
    ui::configureFileDialog(d2, ui::FileDialogMode::Open, open);
    EXPECT_EQ(d2.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(d2.fileMode(), QFileDialog::ExistingFile);
    EXPECT_TRUE(d2.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(d2.selectedNameFilter(), "databestand (dbQORdata_*) (dbQORdata_*.mdb)");

    open.flags = 0x806;
    QFileDialog d3;
    ui::configureFileDialog(d3, ui::FileDialogMode::Open, open);
    EXPECT_EQ(d3.fileMode(), QFileDialog::AnyFile);
}

TEST(QtDialogs, FileChoiceFlags)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString existing = dir.filePath("a.xml");
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString newInFolder = dir.filePath("b.xml");
    const QString inMissingFolder = dir.filePath("nergens/b.xml");

    EXPECT_TRUE(ui::fileChoiceAcceptable(newInFolder, 0x806));
    EXPECT_FALSE(ui::fileChoiceAcceptable(inMissingFolder, 0x806));
    EXPECT_TRUE(ui::fileChoiceAcceptable(inMissingFolder, 0x6));
    EXPECT_TRUE(ui::fileChoiceAcceptable(existing, 0x1000));
    EXPECT_FALSE(ui::fileChoiceAcceptable(newInFolder, 0x1000));
}

TEST(QtDialogs, FileDialogRun)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ui::QtDialogs dialogs;
    ui::FileDialogRequest r;
    r.title = "Exporteren...";
    r.filter = "XML bestanden (*.xml)|*.xml|Alle bestanden|*.*|";
    r.initialDir = dir.path();
    r.flags = 0x806;

    const QString target = dir.filePath("stort.xml");
    whenShown<QFileDialog>([target](QFileDialog *d) {
        d->selectNameFilter("Alle bestanden (*.*)");
        d->selectFile(target);
        static_cast<QDialog *>(d)->accept(); // QFileDialog's own accept is protected
    });
    const ui::FileDialogResult chosen = dialogs.ShowSave(r);
    EXPECT_FALSE(chosen.cancelled);
    EXPECT_EQ(chosen.fileName, target);
    EXPECT_EQ(chosen.filterIndex, 2);

    whenShown<QFileDialog>([](QFileDialog *d) { d->reject(); });
    const ui::FileDialogResult cancelled = dialogs.ShowSave(r);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.filterIndex, 1);
}

// A name typed without its extension comes back with the filter's.
TEST(QtDialogs, ASaveGetsTheFiltersExtension)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ui::QtDialogs dialogs;
    ui::FileDialogRequest r;
    r.title = "Exporteren...";
    r.filter = "XML bestanden (*.xml)|*.xml|";
    r.initialDir = dir.path();
    r.flags = 0x806;
    const QString nieuw = dir.filePath("nieuw");
    whenShown<QFileDialog>([nieuw](QFileDialog *d) {
        d->selectFile(nieuw);
        static_cast<QDialog *>(d)->accept();
    });
    EXPECT_EQ(dialogs.ShowSave(r).fileName, nieuw + ".xml");
}

TEST(QtDialogs, ColorDialogRun)
{
    ui::QtDialogs dialogs;
    whenShown<QColorDialog>([](QColorDialog *d) {
        EXPECT_EQ(d->currentColor(), QColor(255, 0, 0));
        d->setCurrentColor(QColor(255, 128, 0));
        d->accept();
    });
    const ui::ColorResult chosen = dialogs.ShowColor(255);
    EXPECT_FALSE(chosen.cancelled);
    EXPECT_EQ(chosen.color, 33023);

    whenShown<QColorDialog>([](QColorDialog *d) { d->reject(); });
    EXPECT_TRUE(dialogs.ShowColor(0).cancelled);
}
