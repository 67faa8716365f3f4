#pragma once
// The program's windows by name: how each is created, the list of loaded windows in load
// order (position 0 first, unloading closes the gap), loading on first use and unloading at
// any moment. A window unloaded from inside its own handler is destroyed only once the
// handler has returned.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace calvex::widgets {

// A window with something to do when it is unloaded (the result viewer shows the frame's
// toolbar again, for instance).
class UnloadHandler {
public:
    virtual ~UnloadHandler() = default;
    virtual void Form_Unload() = 0;
};

// A window with something to do once the registry has placed it (an MDI child is inside its
// sub-window by then, so it can move itself within the frame).
class LoadHandler {
public:
    virtual ~LoadHandler() = default;
    virtual void Form_Load() = 0;
};

enum class Placement {
    MdiChild, // shown inside the frame
    // A window of its own (help browser, chart window), once the frame stands the frame's
    // transient: on Wayland only that keeps it, and the boxes it opens, above the frame, and a
    // window gone behind the frame there cannot be raised again by the program. The start windows
    // come before the frame and stay without a parent.
    TopLevel,
    Dialog, // modal dialogs: shown by their callers, hidden rather than closed
};

class WindowRegistry : public QObject {
    Q_OBJECT

public:
    using Factory = std::function<QWidget*()>;

    static WindowRegistry& instance();

    // Makes `name` loadable; a later registration of the same name replaces the factory.
    void registerWindow(const QString& name, Factory factory, Placement placement = Placement::MdiChild);
    bool isAvailable(const QString& name) const;
    // Makes `name` a known window whose window is not built yet; an existing registration stays.
    void declareWindow(const QString& name, Placement placement = Placement::MdiChild);
    bool isKnown(const QString& name) const;
    QStringList knownWindows() const;

    void setMdiArea(QMdiArea* area);
    QMdiArea* mdiArea() const;

    // Puts a window created elsewhere (the frame, the start windows) in the list of loaded windows.
    void noteLoaded(QWidget* window);

    // The loaded window of that name, or nullptr.
    QWidget* find(const QString& name) const;
    // The loaded window of that name, created first when it is not loaded; nullptr when no
    // window of that name is available.
    QWidget* load(const QString& name);
    template <class T>
    T* loadAs(const QString& name) { return dynamic_cast<T*>(load(name)); }
    template <class T>
    T* findAs(const QString& name) const { return dynamic_cast<T*>(find(name)); }

    // Loads the window and shows it in front; a window not available yet gives a short note.
    QWidget* show(const QString& name);

    void unload(QWidget* window);
    void unload(const QString& name);
    // The window itself, or the sub-window that holds it inside the frame.
    static QWidget* outerWindow(QWidget* window);

    QList<QWidget*> loadedWindows() const;

    // The note shown for a window that is not available yet.
    static QString notAvailableText();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        Factory factory;
        Placement placement = Placement::MdiChild;
    };

    void unloadIfClosed(QPointer<QWidget> window);
    // Gives a window of its own the frame as its parent, when there is a frame and it is not the frame.
    void belongToFrame(QWidget& window) const;
    // Activates the frame and, inside it, the child in front of the others (the MDI area's own
    // choice when a child closes follows the same stacking order), leaving the rest where they
    // are.
    void activateFrontChild(const QWidget* closed);
    static void keepCloseOffMenuKeys(QMdiSubWindow* frame);

    std::map<QString, Entry> m_entries;
    QList<QPointer<QWidget>> m_loaded;
    QPointer<QMdiArea> m_mdiArea;
};

} // namespace calvex::widgets
