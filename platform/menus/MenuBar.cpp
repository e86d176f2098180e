#include "platform/menus/MenuBar.h"

#include "platform/runtime/Application.h"
#include "platform/runtime/Runtime.h"
#include "platform/ui/Window.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace platform {

QKeySequence shortcutFromText(const Text& shortcut)
{
    QString text = QString::fromStdString(shortcut.bytes()).trimmed();
    if (text.isEmpty())
        return QKeySequence();
    // The Command key of the original system is Ctrl here, Option is Alt.
    text.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"), Qt::CaseInsensitive);
    text.replace(QStringLiteral("Option+"), QStringLiteral("Alt+"), Qt::CaseInsensitive);
    return QKeySequence::fromString(text, QKeySequence::PortableText);
}

namespace {

bool copyFocusedText()
{
    QWidget* focus = QApplication::focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(focus); line && line->hasSelectedText()) {
        line->copy();
        return true;
    }
    if (auto* text = qobject_cast<QTextEdit*>(focus)) {
        text->copy();
        return true;
    }
    if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
        plain->copy();
        return true;
    }
    return false;
}

void addItems(QWidget* menu, const MenuItem& parent, const WeakRef<Window>& window)
{
    for (const Ref<MenuItem>& item : parent.children()) {
        const QString text = QString::fromStdString(item->Text().bytes());
        if (!item->children().empty()) {
            auto* submenu = new QMenu(text, menu);
            addItems(submenu, *item, window);
            menu->addAction(submenu->menuAction());
            continue;
        }
        auto* action = new QAction(text, menu);
        action->setObjectName(QString::fromStdString(item->Name().bytes()));
        action->setShortcut(shortcutFromText(item->KeyboardShortcut()));
        // The shortcuts work whatever window of the program is in front.
        action->setShortcutContext(Qt::ApplicationShortcut);
        action->setEnabled(item->AutoEnable());
        const platform::Text name = item->Name();
        QObject::connect(action, &QAction::triggered, [name, window] { dispatchMenuCommand(name, window.lock()); });
        menu->addAction(action);
    }
}

} // namespace

void MenuBar::installOn(Window& window)
{
    auto* bar = new QMenuBar;
    const WeakRef<Window> owner(RefTo(window));
    for (const Ref<MenuItem>& menu : children()) {
        auto* qmenu = bar->addMenu(QString::fromStdString(menu->Text().bytes()));
        qmenu->setObjectName(QString::fromStdString(menu->Name().bytes()));
        addItems(qmenu, *menu, owner);
    }
    window.widget()->setMenuBar(bar);
}

std::vector<Operation> MenuBar::operations()
{
    return {
        declaredOnly("_InstallClone", "(  )", "one menu bar serves the one main window."),
        declaredOnly("__DependencyList", "(  )", "it is the framework's own and runs only inside it."),
    };
}

bool dispatchMenuCommand(const Text& itemName, const Ref<Window>& window)
{
    const std::string name = itemName.bytes();
    const Delegate* handler = window ? window->menuHandler(name) : nullptr;
    if (!handler) {
        if (Ref<Application> application = GetAppObject())
            handler = application->menuHandler(name);
    }
    if (handler) {
        const Delegate call = *handler;
        dispatchGuarded("menu command " + name, [&] { return call.invoke(); }, false);
        return true;
    }
    if (name == "EditCopy")
        return copyFocusedText();
    return false;
}

} // namespace platform
