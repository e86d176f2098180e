#include "menus/MenuBar.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

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

void addItems(QWidget* menu, const MenuItem& parent, const MenuBar::Command& command)
{
    for (const Ref<MenuItem>& item : parent.children()) {
        const QString text = QString::fromStdString(item->Text().bytes());
        if (!item->children().empty()) {
            auto* submenu = new QMenu(text, menu);
            addItems(submenu, *item, command);
            menu->addAction(submenu->menuAction());
            continue;
        }
        auto* action = new QAction(text, menu);
        action->setObjectName(QString::fromStdString(item->Name().bytes()));
        action->setShortcut(shortcutFromText(item->KeyboardShortcut()));
        action->setShortcutContext(Qt::ApplicationShortcut);
        action->setEnabled(item->AutoEnable());
        const platform::Text name = item->Name();
        QObject::connect(action, &QAction::triggered, [name, command] { command(name); });
        menu->addAction(action);
    }
}

} // namespace

QMenuBar* MenuBar::makeQMenuBar(const Command& command) const
{
    auto* bar = new QMenuBar;
    for (const Ref<MenuItem>& menu : children()) {
        auto* qmenu = bar->addMenu(QString::fromStdString(menu->Text().bytes()));
        qmenu->setObjectName(QString::fromStdString(menu->Name().bytes()));
        addItems(qmenu, *menu, command);
    }
    return bar;
}

std::vector<Operation> MenuBar::operations()
{
    return {
        declaredOnly("_InstallClone", "(  )", "one menu bar serves the one main window."),
        declaredOnly("__DependencyList", "(  )", "it is the framework's own and runs only inside it."),
    };
}

} // namespace platform
