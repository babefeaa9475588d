// A Qt generic plugin that the installed-program test loads into the
// program it starts (QT_PLUGIN_PATH + QT_QPA_GENERIC_PLUGINS=tavirprobe),
// so that the program needs no test hook of its own. Every 100 ms it
// writes what is on screen to the file named by TAVIR_PROBE_OUT: one line
// "screen: <name>" per visible child window of the main window and
// "box: <title> | <text>" per visible message box, and the status bar's
// panels as "StatusBar1_<n>: <text>". Once the site list is
// on screen it also saves the main window as a picture beside that file.

#include <QApplication>
#include <QFile>
#include <QGenericPlugin>
#include <QLabel>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPixmap>
#include <QSaveFile>
#include <QTimer>

namespace {

class Probe : public QObject {
public:
    explicit Probe(QString out) : m_out(std::move(out))
    {
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this] { look(); });
        timer->start(100);
    }

private:
    void look()
    {
        if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
            return;
        QStringList lines;
        QMainWindow *main = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (!w->isVisible())
                continue;
            if (auto *mw = qobject_cast<QMainWindow *>(w))
                main = mw;
            if (auto *box = qobject_cast<QMessageBox *>(w))
                lines << QStringLiteral("box: ") + box->windowTitle() + QStringLiteral(" | ") + box->text();
        }
        if (main) {
            lines << QStringLiteral("main: ") + main->objectName();
            for (QLabel *panel : main->findChildren<QLabel *>())
                if (panel->objectName().startsWith(QLatin1String("StatusBar1_")))
                    lines << panel->objectName() + QStringLiteral(": ") + panel->text();
            for (QMdiSubWindow *sub : main->findChildren<QMdiSubWindow *>())
                if (sub->isVisible() && sub->widget())
                    lines << QStringLiteral("screen: ") + sub->widget()->objectName();
        }
        const QString text = lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
        if (text == m_last)
            return;
        m_last = text;
        if (main && lines.contains(QStringLiteral("screen: frmOpenInr")) && !m_pictured) {
            m_pictured = true;
            main->grab().save(m_out + QStringLiteral(".png"));
        }
        QSaveFile f(m_out);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(text.toUtf8());
            f.commit();
        }
    }

    QString m_out;
    QString m_last;
    bool m_pictured = false;
};

} // namespace

class TavirProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "tavir_probe.json")
public:
    QObject *create(const QString &, const QString &) override
    {
        const QString out = qEnvironmentVariable("TAVIR_PROBE_OUT");
        return out.isEmpty() ? nullptr : new Probe(out);
    }
};

#include "tavir_probe.moc"
