#pragma once
// The base of every screen of the program.
//
// A screen ("form") exists once program-wide unless it says otherwise: it is
// loaded when it is opened and unloaded when it is closed. Loading a form
// shows it as a child window of the main window's QMdiArea (the host, set by
// the main window); without a host (tests of one screen) it shows as a
// window of its own. Every loaded form is in one registry, shown or hidden,
// so that the main window can count the loaded windows and close them all.
//
// Unloading runs QueryUnload (which may refuse: the form stays loaded) and
// then Form_Unload, whatever closed the form: its own button, the window's
// close box, or the main window closing.
//
// The objectName of a form is its screen name ("frmOpenInr"); the
// widgets on it carry their control names.

#include <QPointer>
#include <QWidget>

class QMdiArea;
class QMdiSubWindow;
class QPushButton;

namespace screens {

class Form : public QWidget {
    Q_OBJECT

public:
    ~Form() override;

    // The area child forms open in; nullptr shows forms as windows.
    static void setHost(QMdiArea *host);
    static QMdiArea *host();

    // Every loaded form, in the order they were loaded.
    static QList<Form *> loadedForms();
    // The first loaded form with this screen name, or nullptr.
    static Form *loadedForm(const QString &name);
    template <class T> static T *loaded()
    {
        for (Form *f : loadedForms())
            if (auto *t = qobject_cast<T *>(f))
                return t;
        return nullptr;
    }

    // Unloads the form: QueryUnload, then Form_Unload. False when refused.
    bool unload();
    bool isLoaded() const { return m_loaded; }

    // The window that frames the form: its MDI sub-window, or itself.
    QWidget *frame() const;
    // Places the frame at (x, y) pixels within the host's client area (a
    // window of its own as well: from the area's top left corner on the
    // screen), and keeps it inside (keepFrameInside).
    void moveFrame(int x, int y);
    // Moves the frame the least that puts it wholly inside the room it
    // opens in, title bar and close button in view: a child window inside
    // the host's client area; a window of its own, frame included, inside
    // the main window's client area where there is a host, and always
    // inside the screen's available area. A frame larger than that room
    // is made smaller where it can be. Loading, moving and fitting the
    // frame do this.
    void keepFrameInside();

    // A fixed dialog border: the window keeps the size its contents need,
    // cannot be resized, and has no minimise or maximise button. Set before
    // the form is loaded.
    void setFixedBorder(bool fixed = true) { m_fixedBorder = fixed; }
    bool hasFixedBorder() const { return m_fixedBorder; }
    // Fits the frame to what the form's contents need now (after a load
    // that filled captions which wrap); a fixed border keeps that size.
    void fitFrame();

    // The button Escape presses, as a dialog's cancel button (Annuleren,
    // Sluiten): Escape that no control of the form takes.
    void setCancelButton(QPushButton *button);

    // Twips (1/1440 inch) in pixels at the usual 96 dots per inch.
    static int twips(int value) { return value / 15; }

signals:
    void unloaded();

protected:
    explicit Form(const QString &name, QWidget *parent = nullptr);

    // Puts the form into the registry and shows it as a child window (or
    // as a window of its own when `child` is false or there is no host).
    void loadForm(bool child = true);

    // False keeps the form loaded.
    virtual bool QueryUnload() { return true; }
    // Runs once the form is unloading.
    virtual void Form_Unload() {}

    void closeEvent(QCloseEvent *event) override;
    // Enter that no control took presses the button that has the focus,
    // else the form's default button (a QPushButton set as default); Escape
    // presses its cancel button, as in a dialog.
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_loaded = false;
    bool m_unloading = false;
    bool m_fixedBorder = false;
    QPointer<QMdiSubWindow> m_subWindow;
    QPointer<QPushButton> m_cancelButton;
};

// Signals about forms that the program above this layer follows (the
// cost-item screen's flag, the current site after the general-data screen).
class FormEvents : public QObject {
    Q_OBJECT

public:
    static FormEvents &instance();

signals:
    void formLoaded(screens::Form *form);
    void formUnloaded(screens::Form *form);
};

} // namespace screens
