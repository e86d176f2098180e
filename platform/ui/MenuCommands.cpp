#include "ui/MenuCommands.h"

#include "menus/MenuBar.h"
#include "runtime/Application.h"
#include "runtime/EventLoop.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace platform {

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

bool isStandardCopy(const Text& itemName, const Ref<Window>& window)
{
    if (!window || !window->MenuBar())
        return false;
    const Ref<MenuItem> item = window->MenuBar()->Lookup(itemName);
    return item && shortcutFromText(item->KeyboardShortcut()) == QKeySequence(QKeySequence::Copy);
}

} // namespace

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
    if (isStandardCopy(itemName, window))
        return copyFocusedText();
    return false;
}

} // namespace platform
