#include "ui/Window.h"

#include "menus/MenuBar.h"
#include "runtime/EventLoop.h"
#include "ui/MenuCommands.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <optional>

namespace platform {

namespace {

// The open windows in the order they were built: the list the implicit instances are
// found in.
std::vector<Ref<Window>>& windowList()
{
    static std::vector<Ref<Window>> windows;
    return windows;
}

void forget(const Window* window)
{
    auto& windows = windowList();
    windows.erase(std::remove_if(windows.begin(), windows.end(), [&](const Ref<Window>& w) { return w.get() == window; }),
                  windows.end());
}

} // namespace

// The top-level Qt window. Its close box goes through Window::Close like every close.
class Window::Frame : public QMainWindow {
public:
    explicit Frame(Window& owner) : owner_(owner) {}

protected:
    void closeEvent(QCloseEvent* event) override
    {
        event->accept();
        if (!owner_.open_)
            return;
        const Ref<Window> keepAlive = RefTo(owner_);
        dispatchGuarded(owner_.registeredName() + ", close box", [&]() -> Value {
            owner_.Close();
            return {};
        });
    }

private:
    Window& owner_;
};

// The area below the menu bar that holds the controls, in window coordinates.
class Window::Content : public QWidget {
public:
    explicit Content(Window& owner) : owner_(owner) {}
    std::optional<QColor> background;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        owner_.contentResized();
    }
    void paintEvent(QPaintEvent*) override
    {
        if (background) {
            QPainter painter(this);
            painter.fillRect(rect(), *background);
        }
    }

private:
    Window& owner_;
};

Window::Window()
{
    auto* frame = new Frame(*this);
    auto* content = new Content(*this);
    frame->setCentralWidget(content);
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    frame_ = frame;
    content_ = content;
}

Window::~Window()
{
    controls_.clear();
    if (frame_) {
        frame_->hide();
        frame_->deleteLater();
    }
}

std::string Window::registeredName() const
{
    return classRecord() ? classRecord()->name() : std::string(kClassName);
}

void Window::runHook(std::string_view hook, const Arguments& arguments)
{
    const ClassRecord* record = classRecord();
    const Operation* operation = record ? record->find(hook) : nullptr;
    if (!operation || !operation->body)
        return;
    operation->body(*this, arguments);
}

void Window::Constructor()
{
    const Ref<Window> self = RefTo(*this);
    windowList().push_back(self);
    open_ = true;
    try {
        runHook("Layout");
        runHook("CreateControls");
        runHook("AddMenuHandlers", {Ref<Object>(self)});
    } catch (...) {
        open_ = false;
        forget(this);
        frame_->hide();
        throw;
    }
    built_ = true;
    if (visible_)
        Show();
    // The Open event is an event like any other: what goes wrong in it is reported, and
    // the window stays.
    if (const ClassRecord* record = classRecord(); record && record->find("Event_Open")) {
        dispatchGuarded(registeredName() + ", event Open", [&]() -> Value {
            runHook("Event_Open");
            return {};
        });
    }
}

void Window::Show()
{
    if (!open_)
        return;
    visible_ = true;
    frame_->show();
    frame_->raise();
    frame_->activateWindow();
}

void Window::Close()
{
    if (!open_)
        return;
    open_ = false;
    const Ref<Window> keepAlive = RefTo(*this);
    forget(this);
    frame_->hide();
    if (menuBar_)
        RuntimeQuit();
}

void Window::Refresh(bool immediately)
{
    if (immediately)
        frame_->repaint();
    else
        frame_->update();
}

void Window::setMenuBar(const Ref<platform::MenuBar>& bar)
{
    menuBar_ = bar;
    if (!bar) {
        frame_->setMenuBar(nullptr);
        return;
    }
    const WeakRef<Window> owner(RefTo(*this));
    frame_->setMenuBar(bar->makeQMenuBar([owner](const Text& itemName) { dispatchMenuCommand(itemName, owner.lock()); }));
}

void Window::AddMenuHandler(const std::string& itemName, const Delegate& handler)
{
    if (handler.isEmpty())
        throw BindingError(registeredName() + ": the menu item \"" + itemName + "\" cannot be bound to an empty handler.");
    menuHandlers_.insert_or_assign(itemName, handler);
}

const Delegate* Window::menuHandler(const std::string& itemName) const
{
    const auto found = menuHandlers_.find(itemName);
    return found == menuHandlers_.end() ? nullptr : &found->second;
}

Ref<Control> Window::makeControl(std::string_view, Ref<Control> control)
{
    control->SetWindow(RefTo(*this));
    return control;
}

void Window::AddControl(const Text& name, const Ref<Control>& control)
{
    if (!control)
        throw NilObjectException("The control \"" + name.bytes() + "\" of " + registeredName());
    if (controlByName(name.bytes()))
        throw BindingError(registeredName() + " already has a control named \"" + name.bytes() + "\".");
    control->name_ = name;
    controls_.push_back(control);
}

Ref<Control> Window::controlByName(std::string_view name) const
{
    for (const Ref<Control>& control : controls_)
        if (control->Name().bytes() == name)
            return control;
    return Ref<Control>();
}

void Window::contentResized()
{
    const QSize size = content_->size();
    for (const Ref<Control>& control : controls_)
        control->followWindow(size);
}

std::int32_t Window::Width() const { return content_->width(); }
std::int32_t Window::Height() const { return content_->height(); }

void Window::setTitle(const Text& title)
{
    title_ = title;
    frame_->setWindowTitle(QString::fromStdString(title.bytes()));
}

void Window::applySizeLimits()
{
    if (resizable_) {
        content_->setMinimumSize(minWidth_, minHeight_);
        content_->setMaximumSize(maxWidth_, maxHeight_);
    } else {
        content_->setFixedSize(content_->size());
    }
}

void Window::applyProperty(const DescriptionEntry& entry)
{
    const std::string& key = entry.key;
    auto integer = [&] { return std::get<std::int32_t>(entry.value); };
    auto boolean = [&] { return std::get<bool>(entry.value); };
    auto setButton = [&](Qt::WindowType hint, bool on) {
        Qt::WindowFlags flags = frame_->windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        flags.setFlag(hint, on);
        frame_->setWindowFlags(flags);
    };
    if (key == "Width" || key == "Height") {
        // The size is that of the content area, below the menu bar.
        const QSize size = key == "Width" ? QSize(integer(), content_->height()) : QSize(content_->width(), integer());
        const int menuHeight = frame_->menuWidget() && frame_->menuWidget()->isVisibleTo(frame_)
                                   ? frame_->menuWidget()->sizeHint().height()
                                   : 0;
        frame_->resize(size.width(), size.height() + menuHeight);
        content_->resize(size);
        applySizeLimits();
    } else if (key == "MinWidth") {
        minWidth_ = integer();
        applySizeLimits();
    } else if (key == "MinHeight") {
        minHeight_ = integer();
        applySizeLimits();
    } else if (key == "MaxWidth") {
        maxWidth_ = std::min(integer(), QWIDGETSIZE_MAX);
        applySizeLimits();
    } else if (key == "MaxHeight") {
        maxHeight_ = std::min(integer(), QWIDGETSIZE_MAX);
        applySizeLimits();
    } else if (key == "Frame") {
        // 0 is a document window; the dialog kinds (1 movable modal, 2 modal dialog,
        // 8 sheet) are modal for the whole application while they are open.
        const std::int32_t frame = integer();
        if (frame == 1 || frame == 2 || frame == 8) {
            frame_->setWindowFlag(Qt::Dialog, true);
            frame_->setWindowModality(Qt::ApplicationModal);
        }
    } else if (key == "HasBackColor" || key == "BackColor") {
        if (key == "HasBackColor") {
            hasBackColor_ = boolean();
        } else {
            const Color c = std::get<Color>(entry.value);
            backColor_ = QColor(c.red, c.green, c.blue);
        }
        auto* content = static_cast<Content*>(content_.data());
        content->background = hasBackColor_ ? std::optional<QColor>(backColor_) : std::nullopt;
        content_->update();
    } else if (key == "Title") {
        setTitle(std::get<Text>(entry.value));
    } else if (key == "Visible") {
        visible_ = boolean();
        if (built_)
            visible_ ? Show() : frame_->hide();
    } else if (key == "FullScreen") {
        if (boolean())
            frame_->setWindowState(frame_->windowState() | Qt::WindowFullScreen);
    } else if (key == "MenuBarVisible") {
        if (frame_->menuWidget())
            frame_->menuWidget()->setVisible(boolean());
    } else if (key == "CloseButton") {
        setButton(Qt::WindowCloseButtonHint, boolean());
    } else if (key == "MinimizeButton") {
        setButton(Qt::WindowMinimizeButtonHint, boolean());
    } else if (key == "MaximizeButton") {
        setButton(Qt::WindowMaximizeButtonHint, boolean());
    } else if (key == "Resizeable") {
        resizable_ = boolean();
        applySizeLimits();
    } else if (key == "Placement" || key == "Composite" || key == "LiveResize" || key == "MacProcID") {
        // Placement 0 lets the desktop place the window; resizing is always live here;
        // Composite and MacProcID describe the original system's window kinds and change
        // nothing on this desktop.
    } else {
        throw DescriptionError(registeredName() + ": a window has no property \"" + key + "\".");
    }
}

std::vector<Operation> Window::operations()
{
    auto self = [](Object& object) -> Window& { return dynamic_cast<Window&>(object); };
    return {
        operation("Show", "(  )", [self](Object& o, const Arguments&) -> Value {
            self(o).Show();
            return {};
        }),
        operation("Close", "(  )", [self](Object& o, const Arguments&) -> Value {
            self(o).Close();
            return {};
        }),
        operation("Refresh", "( Boolean )", [self](Object& o, const Arguments& a) -> Value {
            self(o).Refresh(std::get<bool>(a.at(0)));
            return {};
        }),
        operation("Constructor", "(  )", [self](Object& o, const Arguments&) -> Value {
            self(o).Constructor();
            return {};
        }),
    };
}

void SetProperties(Object& target, const Text& description)
{
    if (auto* window = dynamic_cast<Window*>(&target)) {
        for (const DescriptionEntry& entry : decodeDescription(description, "Window", window->registeredName()))
            window->applyProperty(entry);
        return;
    }
    if (auto* control = dynamic_cast<Control*>(&target)) {
        for (const DescriptionEntry& entry :
             decodeDescription(description, control->descriptionClass(), control->describe()))
            control->applyProperty(entry);
        return;
    }
    throw DescriptionError("A description can only be applied to a window or a control.");
}

Ref<Window> GetImplicitWindow(std::string_view registeredName)
{
    for (const Ref<Window>& window : windowList())
        if (window->registeredName() == registeredName)
            return window;
    return Ref<Window>();
}

std::vector<Ref<Window>> openWindows() { return windowList(); }

void releaseWindowLists()
{
    std::vector<Ref<Window>> windows;
    windows.swap(windowList());
    for (const Ref<Window>& window : windows)
        if (window->widget())
            window->widget()->hide();
    windows.clear();
    if (QCoreApplication::instance())
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace platform
