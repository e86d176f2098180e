#include "ui/Keyboard.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>

#include <utility>

namespace platform {

namespace {

// Sees every key press of the application before any widget or shortcut does. A shortcut
// of the same keys takes the press away from the widgets, but is itself asked about first
// with a ShortcutOverride, which passes here too.
class CommandPeriodWatch : public QObject {
public:
    explicit CommandPeriodWatch(QObject* parent) : QObject(parent) {}

    bool pressed = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (key.key() == Qt::Key_Period && (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
                pressed = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

QPointer<CommandPeriodWatch>& watch()
{
    static QPointer<CommandPeriodWatch> current;
    return current;
}

Keyboard::KeySource& optionKeySource()
{
    static Keyboard::KeySource source;
    return source;
}

} // namespace

void Keyboard::startWatching()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || watch())
        return;
    auto* watcher = new CommandPeriodWatch(application);
    application->installEventFilter(watcher);
    // The event loop waits for events only where no program code is running: at the top
    // level between the user's actions, or in a modal dialog. The yields inside the
    // program's loops never wait. A press seen before such a wait belongs to no running
    // work and is forgotten.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(application->thread()))
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, watcher,
                         [watcher] { watcher->pressed = false; });
    watch() = watcher;
}

bool Keyboard::OptionKey()
{
    if (const KeySource& source = optionKeySource())
        return source();
    // queryKeyboardModifiers asks the window system; keyboardModifiers would give the
    // state of the last event, which stays old while the user holds the key and the
    // pointer still.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return false;
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
}

Keyboard::KeySource Keyboard::setOptionKeySource(KeySource source)
{
    return std::exchange(optionKeySource(), std::move(source));
}

bool UserCancelled()
{
    Keyboard::startWatching();
    CommandPeriodWatch* watcher = watch();
    return watcher && std::exchange(watcher->pressed, false);
}

} // namespace platform
