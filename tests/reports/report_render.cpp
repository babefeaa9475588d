#include "report_render.h"

#include "platform/ui/scripted_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace reporttest {

namespace {

const QString kTitel = QStringLiteral("Rapportage opslaan als ...");
const QString kGereed = QStringLiteral("De rapportage is gereed.\r\nWilt u nu het rapport openen?");

bool klaar(const ui::ScriptedDialogs &script, const QString &file, QString *fouten)
{
    const bool ok = script.verify() && QFileInfo::exists(file);
    if (!ok && fouten)
        *fouten = script.report() + (QFileInfo::exists(file) ? QString() : QStringLiteral("\nno file ") + file);
    return ok;
}

} // namespace

reports::WordReportContext reportContext(const calctest::CalcFixture &fx, qint32 site)
{
    reports::WordReportContext ctx;
    static_cast<calc::Context &>(ctx) = fx.context(site);
    ctx.gsngBTWPerc = 21.0f;
    ctx.gstrDatabestand = fx.dataFile;
    ctx.versionMajor = 3;
    ctx.versionMinor = 0;
    ctx.generated = QDateTime(QDate(2026, 12, 10), QTime(14, 5));
    return ctx;
}

bool writeTargetFundReport(const calctest::CalcFixture &fx, qint32 site, int optRapSort, const QString &file,
                           QString *fouten, bool heffing)
{
    ui::ScriptedDialogs script;
    ui::Dialogs *vorige = ui::setDialogs(&script);
    script.expectFileDialog(ui::FileDialogMode::Save, kTitel).answer(file);
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Rapportage doelvermogen & heffing"), kGereed,
                      ui::Buttons::YesNo)
        .answer(ui::Answer::No);
    reports::DoelvermKeuzes k;
    k.optRapNaar = 2;
    k.chkVoorblad = k.chkRapDV = k.chkRapHef = k.chkRapUnselectedCLitems = true;
    k.chkRapHef = heffing;
    k.optRapSort = optRapSort;
    QString btw = QStringLiteral("21");
    reports::DoelvermRapport rapport;
    rapport.maak(k, btw, reportContext(fx, site));
    ui::setDialogs(vorige);
    return klaar(script, file, fouten);
}

bool writeInputReport(const calctest::CalcFixture &fx, qint32 site, const QString &file, QString *fouten)
{
    ui::ScriptedDialogs script;
    ui::Dialogs *vorige = ui::setDialogs(&script);
    script.expectFileDialog(ui::FileDialogMode::Save, kTitel).answer(file);
    script
        .expectMsgBox(ui::Icon::Question, QStringLiteral("Rapportage ingevoerde gegevens"), kGereed, ui::Buttons::YesNo)
        .answer(ui::Answer::No);
    reports::RapVoorzKeuze k;
    k.chkAlg = k.chkVoorz = k.chkAct = k.chkRapUnselectedCLitems = 1;
    reports::RapporteerRapVoorz(k, reportContext(fx, site), nullptr);
    ui::setDialogs(vorige);
    return klaar(script, file, fouten);
}

QString convertWithLibreOffice(const QString &file, const QString &outDir, const QString &format, QString *fout)
{
    const QStringList out = convertWithLibreOffice(QStringList{file}, outDir, format, fout);
    return out.isEmpty() ? QString() : out.front();
}

QStringList convertWithLibreOffice(const QStringList &files, const QString &outDir, const QString &format,
                                   QString *fout)
{
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        if (fout)
            *fout = QStringLiteral("soffice not found (scripts/install-deps installs libreoffice-writer-nogui)");
        return {};
    }
    QStringList targets;
    for (const QString &file : files)
        targets << QDir(outDir).filePath(QFileInfo(file).completeBaseName() + QLatin1Char('.') + format);
    auto allThere = [&] {
        for (const QString &t : targets)
            if (QFileInfo(t).size() <= 0)
                return false;
        return true;
    };
    QString log;
    for (int poging = 0; poging < 2; ++poging) {
        // A profile of its own: no running LibreOffice of the user is used
        // or changed.
        QTemporaryDir home;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        p.setProcessEnvironment(env);
        p.start(soffice,
                QStringList{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(home.path()).toString(),
                            QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
                            format, QStringLiteral("--outdir"), outDir}
                    + files);
        const bool done = p.waitForFinished(240000 + 30000 * int(files.size()));
        if (!done) {
            p.kill();
            p.waitForFinished(5000);
        }
        log += QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
        if (done && p.exitCode() == 0 && allThere())
            return targets;
    }
    if (fout)
        *fout = QStringLiteral("LibreOffice did not convert ") + files.join(QStringLiteral(", "))
                + QStringLiteral(":\n") + log;
    return {};
}

} // namespace reporttest
