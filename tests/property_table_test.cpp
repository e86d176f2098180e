// The description keys of each class as its table gives them: keys of other classes and
// rows that leave out a key without default are refused, every key of every class applies
// to a real widget and changes what it is meant to change, and TabIndex orders the focus.

#include "ControlFixture.h"

#include "pictures/Picture.h"
#include "ui/ControlCreation.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QHeaderView>
#include <QMenuBar>
#include <QMetaProperty>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <map>

using namespace controltest;

namespace {

template <class Call>
std::string errorOf(Call call)
{
    try {
        call();
    } catch (const DescriptionError& error) {
        return error.what();
    }
    return "(no error)";
}

bool mentions(const std::string& message, std::initializer_list<std::string_view> parts)
{
    for (std::string_view part : parts)
        if (message.find(part) == std::string::npos)
            return false;
    return true;
}

// ---- Descriptions that set every key ---------------------------------------------------

// The keys that the table form gives in columns of their own rather than in "other values".
bool isColumnKey(std::string_view key, std::string_view className)
{
    static const std::vector<std::string_view> columns{"Name",    "Left",     "Top",     "Width",
                                                       "Height",  "LockLeft", "LockTop", "LockRight",
                                                       "LockBottom"};
    return std::find(columns.begin(), columns.end(), key) != columns.end() || textKeyOf(className) == key;
}

// A value for every key, chosen so that changing one key at a time shows. Keys not listed
// take their default, or the type's zero.
const std::map<std::string_view, PropertyValue>& baseValues()
{
    static const std::map<std::string_view, PropertyValue> values{
        // A control with room, following the window's right and bottom edges (so that the
        // left and top locks make it stretch).
        {"Name", Text("probe")}, {"Left", 10}, {"Top", 10}, {"Width", 200}, {"Height", 150},
        {"LockRight", true}, {"LockBottom", true},
        // Focus to take, a border to draw, columns to size, a bar to fill.
        {"AcceptFocus", true}, {"FillColor", Color::rgb(0xFFFFFF)}, {"BorderWidth", 1}, {"ColumnCount", 2},
        {"HasHeading", true}, {"Maximum", 100}, {"Period", 1000},
        // A window that can be resized between limits, with a back colour and every button.
        {"MinWidth", 50}, {"MinHeight", 50}, {"MaxWidth", 1000}, {"MaxHeight", 1000}, {"HasBackColor", true},
        {"Title", Text("probe")}, {"Visible", true}, {"MenuBarVisible", true}, {"CloseButton", true},
        {"Resizeable", true}, {"LiveResize", true}, {"MaximizeButton", true}, {"MinimizeButton", true},
    };
    return values;
}

PropertyValue zeroOf(PropertyType type)
{
    switch (type) {
    case PropertyType::Boolean:
        return false;
    case PropertyType::Integer:
        return 0;
    case PropertyType::Color:
        return Color{};
    case PropertyType::String:
        break;
    }
    return Text();
}

PropertyValue baseValue(const KeyLayout& key, const std::vector<DescriptionEntry>& overrides)
{
    for (const DescriptionEntry& entry : overrides)
        if (entry.key == key.key)
            return entry.value;
    if (const auto found = baseValues().find(key.key); found != baseValues().end())
        return found->second;
    return key.tableDefault.value_or(zeroOf(key.type));
}

// Another value than `base`, one that the key shows.
PropertyValue probeValue(std::string_view key, const PropertyValue& base)
{
    static const std::map<std::string_view, PropertyValue> chosen{
        {"Alignment", 2}, {"CaptionPlacement", 3}, {"DefaultRowHeight", 40}, {"Frame", 8},
        {"ColumnWidths", Text("10")},
    };
    if (const auto found = chosen.find(key); found != chosen.end())
        return found->second;
    return std::visit(
        [](const auto& value) -> PropertyValue {
            using V = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<V, bool>)
                return !value;
            else if constexpr (std::is_same_v<V, std::int32_t>)
                return value + 1;
            else if constexpr (std::is_same_v<V, Color>)
                return Color{static_cast<std::uint8_t>(255 - value.red), static_cast<std::uint8_t>(255 - value.green),
                             static_cast<std::uint8_t>(255 - value.blue)};
            else
                return Text("Probe");
        },
        base);
}

Text fullDescription(std::string_view className, const std::vector<DescriptionEntry>& overrides)
{
    DescriptionWriter writer;
    for (const KeyLayout& key : descriptionLayout(className).keys)
        writer.add(key.key, baseValue(key, overrides));
    return writer.text();
}

// ---- What a control or a window shows ----------------------------------------------------

std::string shown(const QVariant& value)
{
    QString text;
    QDebug(&text).nospace() << value;
    return text.toStdString();
}

// Every readable Qt property of the widget and its children, whether each is hidden, the
// window flags, and the widget as drawn.
std::string widgetState(QWidget* root)
{
    // Qt lays out the inner parts of a widget (scroll bars, headers) when it is first drawn.
    root->grab();
    QCoreApplication::processEvents();
    std::string state;
    QList<QWidget*> widgets{root};
    widgets += root->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        const QMetaObject* meta = widget->metaObject();
        state += std::string(meta->className()) + " {";
        for (int i = 0; i < meta->propertyCount(); ++i)
            if (const QMetaProperty property = meta->property(i); property.isReadable())
                state += std::string(property.name()) + "=" + shown(property.read(widget)) + "; ";
        state += "hidden=" + std::to_string(widget->isHidden()) +
                 "; flags=" + std::to_string(widget->windowFlags().toInt()) + "}\n";
    }
    const QImage image = root->grab().toImage();
    const QByteArray pixels(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    return state + "image " + QCryptographicHash::hash(pixels, QCryptographicHash::Md5).toHex().toStdString();
}

std::string shown(const Value& value)
{
    return std::visit(
        [](const auto& v) -> std::string {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, std::monostate>)
                return "-";
            else if constexpr (std::is_same_v<V, Text>)
                return v.bytes();
            else if constexpr (std::is_same_v<V, Ref<Object>>)
                return v ? "object" : "nil";
            else
                return std::to_string(v);
        },
        value);
}

// What a control's behaviour shows of the keys that set no widget property: which keys a
// button answers, whether a list keeps its last selected row, where Tab goes from a canvas.
std::string behaviour(Control& control, Window& window)
{
    std::string state;
    if (auto* button = dynamic_cast<PushButton*>(&control)) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
            QSignalSpy clicks(static_cast<QPushButton*>(button->widget()), &QPushButton::clicked);
            QTest::keyClick(window.widget(), key);
            state += "clicks " + std::to_string(clicks.count()) + "; ";
        }
    }
    if (auto* list = dynamic_cast<Listbox*>(&control)) {
        auto* table = static_cast<QTableWidget*>(list->widget());
        QHeaderView* header = table->horizontalHeader();
        for (int c = 0; c < table->columnCount(); ++c)
            state += "column " + std::to_string(header->sectionSize(c)) + " " +
                     std::to_string(header->isSectionHidden(c)) + " " + std::to_string(header->sectionResizeMode(c)) +
                     " " + shown(table->model()->headerData(c, Qt::Horizontal)) + "; ";
        list->setListIndex(0);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          table->visualRect(table->model()->index(0, 0)).center());
        state += "selected after ctrl-click " + std::to_string(list->SelCount()) + "; ";
        list->setListIndex(-1);
    }
    if (auto* canvas = dynamic_cast<Canvas*>(&control)) {
        canvas->widget()->setFocus();
        QTest::keyClick(canvas->widget(), Qt::Key_Tab);
        state += "focus kept " + std::to_string(window.widget()->focusWidget() == canvas->widget()) + "; ";
    }
    return state;
}

std::string controlState(Control& control, Window& window)
{
    std::string state = behaviour(control, window);
    // What the class's own operations report.
    for (const Operation& operation : control.classRecord()->operations())
        if (operation.body && operation.signature.starts_with("(  ) as"))
            state += operation.name + "=" + shown(operation.body(control, {})) + "; ";
    if (auto* placed = dynamic_cast<RectControl*>(&control)) {
        state += "tab index " + std::to_string(placed->TabIndex()) + "; parent " + placed->InitialParent().bytes();
        // Where the control goes when the window grows.
        const QSize size = window.content()->size();
        placed->followWindow(size + QSize(30, 30));
        state += "; grown " + shown(QVariant(placed->widget()->geometry())) + "\n";
        placed->followWindow(size);
        state += widgetState(placed->widget());
    }
    return state;
}

// ---- Making controls and windows with full descriptions ----------------------------------

// A class's controls as the probes make them: a description over the base values, and
// what is done before the description (a picture) or after it (rows).
struct ControlSetup {
    std::string_view className;
    std::vector<DescriptionEntry> values;
    std::function<void(Control&)> before;
    std::function<void(Control&)> after;
};

std::vector<ControlSetup> setups()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    const Ref<Picture> icon = Picture::fromImage(image);
    return {
        {"Rectangle", {}, {}, {}},
        {"Canvas", {}, {}, {}},
        {"StaticText", {}, {}, {}},
        {"PushButton", {}, {}, {}},
        {"BevelButton", {}, {}, {}},
        {"BevelButton", {}, [icon](Control& c) { static_cast<BevelButton&>(c).setIcon(icon); }, {}},
        {"Listbox",
         {{"InitialValue", Text("A\tB")}},
         {},
         [](Control& c) {
             auto& list = static_cast<Listbox&>(c);
             for (int row = 0; row < 2; ++row) {
                 list.AddRow(Text("row"));
                 list.setCell(row, 1, Text("cell"));
             }
             // A list being filled draws again once the rows stop coming.
             ASSERT_TRUE(QTest::qWaitFor([&] { return list.widget()->updatesEnabled(); }, testsupport::kPatience));
         }},
        {"PopupMenu", {{"InitialValue", Text("a\rb")}}, {}, {}},
        {"EditField", {}, {}, {}},
        {"EditField", {{"Multiline", true}}, {}, {}},
        {"ProgressBar", {}, {}, {}},
        {"Timer", {}, {}, {}},
    };
}

Ref<TestWindow> openWindow(const Text& description, bool withMenuBar = false)
{
    TestWindow::declare();
    auto window = RuntimeNewObject<TestWindow>();
    SetProperties(*window, description);
    if (withMenuBar)
        window->widget()->setMenuBar(new QMenuBar);
    window->Constructor();
    // Something besides the control for Tab to go to.
    (new QPushButton("neighbour", window->content()))->show();
    return window;
}

void closeWindow(Ref<TestWindow>& window)
{
    window->Close();
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

Ref<Control> makeControl(TestWindow& window, const ControlSetup& setup)
{
    const std::string_view record = setup.className == "Timer" ? "TestWindow.Timer1" : setup.className;
    Ref<Control> control = findControlClass(setup.className)->make(window, record);
    control->Constructor();
    window.AddControl(Text("probe"), control);
    if (setup.before)
        setup.before(*control);
    SetProperties(*control, fullDescription(setup.className, setup.values));
    if (setup.after)
        setup.after(*control);
    return control;
}

// ---- Tests ---------------------------------------------------------------------------------

TEST(PropertyTables, KeyOfAnotherClassIsRefusedNamingClassAndKey)
{
    // TabIndex belongs to most controls, but a progress bar takes no focus and has none.
    const std::string decoded = errorOf([] {
        decodeDescription(DescriptionWriter().add("TabIndex", 1).text(), "ProgressBar", "Window2, control bar");
    });
    EXPECT_TRUE(mentions(decoded, {"Window2, control bar", "ProgressBar", "\"TabIndex\""})) << decoded;

    ControlTableRow row{1, "bar", "ProgressBar", {}, 1, 2, 3, 4, "none", std::nullopt,
                        {{"Value", 0}, {"Maximum", 100}, {"TabIndex", 1}}, {}};
    const std::string encoded = errorOf([&] { encodeControlDescription(row); });
    EXPECT_TRUE(mentions(encoded, {"bar", "ProgressBar", "\"TabIndex\""})) << encoded;

    auto window = openWindow(windowDescription(300, 200));
    const Ref<Control> timer = makeControl(*window, {"Timer", {}, {}, {}});
    const std::string applied =
        errorOf([&] { SetProperties(*timer, DescriptionWriter().add("Mode", 0).add("Left", 3).text()); });
    EXPECT_TRUE(mentions(applied, {"control probe", "Timer", "\"Left\""})) << applied;
    closeWindow(window);
}

TEST(PropertyTables, RowWithoutAKeyThatHasNoDefaultIsRefused)
{
    for (const ControlClass& controlClass : controlClasses()) {
        if (!controlClass.make)
            continue;
        const std::string_view className = controlClass.name;
        ControlTableRow row{1, "probe", className, {}, 10, 10, 200, 150, "R B", std::nullopt, {}, {}};
        if (textKeyOf(className))
            row.textOrCaption = Text("text");
        for (const KeyLayout& key : descriptionLayout(className).keys)
            if (!key.tableDefault && !isColumnKey(key.key, className))
                row.otherValues.push_back({std::string(key.key), baseValue(key, {})});
        ASSERT_NO_THROW(encodeControlDescription(row)) << className;
        for (std::size_t i = 0; i < row.otherValues.size(); ++i) {
            ControlTableRow missing = row;
            missing.otherValues.erase(missing.otherValues.begin() + static_cast<std::ptrdiff_t>(i));
            const std::string error = errorOf([&] { encodeControlDescription(missing); });
            EXPECT_TRUE(mentions(error, {"probe", "\"" + row.otherValues[i].key + "\""})) << className << ": " << error;
        }
    }
}

// The encoder fills in a key's default by its name alone, so a key must mean the same in
// every class that has it.
TEST(PropertyTables, SharedKeysHaveOneTypeAndOneDefault)
{
    std::map<std::string_view, const KeyLayout*> first;
    for (const ClassLayout* layout : descriptionLayouts())
        for (const KeyLayout& key : layout->keys) {
            const auto [seen, isNew] = first.emplace(key.key, &key);
            if (isNew)
                continue;
            if (key.key != "Value") { // a BevelButton's is a Boolean, a ProgressBar's an integer
                EXPECT_EQ(seen->second->type, key.type) << layout->className << " " << key.key;
            }
            if (seen->second->tableDefault && key.tableDefault) {
                EXPECT_EQ(*seen->second->tableDefault, *key.tableDefault) << layout->className << " " << key.key;
            }
        }
}

TEST(PropertyTables, EveryKeyOfEveryControlClassAppliesAndTheEffectiveOnesShow)
{
    std::map<std::string, bool> shows; // "class key" -> changed in some setup
    for (const ControlSetup& setup : setups()) {
        const PropertyTable& table = findControlClass(setup.className)->properties();
        for (const PropertyEntry& entry : table.entries()) {
            const std::string name = std::string(setup.className) + " " + std::string(entry.layout.key);
            SCOPED_TRACE(name);
            auto window = openWindow(windowDescription(300, 200));
            const Ref<Control> control = makeControl(*window, setup);
            const std::string before = controlState(*control, *window);
            const KeyLayout& key = entry.layout;
            const PropertyValue probe = probeValue(key.key, baseValue(key, setup.values));
            ASSERT_NO_THROW(SetProperties(*control, DescriptionWriter().add(key.key, probe).text()));
            const bool changed = controlState(*control, *window) != before;
            if (entry.apply) {
                shows[name] = shows[name] || changed;
            } else {
                EXPECT_FALSE(entry.noEffect.empty());
                EXPECT_FALSE(changed) << "a key without effect changed the control";
            }
            closeWindow(window);
        }
    }
    for (const auto& [name, changed] : shows)
        EXPECT_TRUE(changed) << name << " changed nothing";
}

TEST(PropertyTables, EveryWindowKeyAppliesAndTheEffectiveOnesShow)
{
    for (const PropertyEntry& entry : Window::propertyTable().entries()) {
        const KeyLayout& key = entry.layout;
        SCOPED_TRACE(std::string(key.key));
        auto window = openWindow(fullDescription("Window", {}), true);
        const std::string before = widgetState(window->widget());
        const PropertyValue probe = probeValue(key.key, baseValue(key, {}));
        ASSERT_NO_THROW(SetProperties(*window, DescriptionWriter().add(key.key, probe).text()));
        const bool changed = widgetState(window->widget()) != before;
        if (entry.apply) {
            EXPECT_TRUE(changed) << "changed nothing";
        } else {
            EXPECT_FALSE(entry.noEffect.empty());
            EXPECT_FALSE(changed) << "a key without effect changed the window";
        }
        closeWindow(window);
    }
}

TEST(PropertyTables, DescriptionOfAControlNotYetConstructedIsRefused)
{
    auto window = openWindow(windowDescription(300, 200));
    Ref<PushButton> button = window->New<PushButton>();
    const std::string error = errorOf([&] { SetProperties(*button, DescriptionWriter().add("Visible", true).text()); });
    EXPECT_TRUE(mentions(error, {"constructed"})) << error;
    closeWindow(window);
}

// ---- Tab order -----------------------------------------------------------------------------

// Four buttons made in the order first, second, third, fourth, with the TabIndex values
// 3, 1, 0, 2; then a label, which takes no focus, and a button left out of the Tab order.
class TabOrderWindow : public Window {
public:
    static constexpr const char* kClassName = "TabOrderWindow.TabOrderWindow";

    void CreateControls()
    {
        const std::pair<std::string_view, std::int32_t> buttons[] = {
            {"first", 3}, {"second", 1}, {"third", 0}, {"fourth", 2}};
        int number = 0;
        for (const auto& [name, tabIndex] : buttons) {
            const ControlTableRow row{++number, name, "PushButton", {}, 10, 10 + 30 * number, 80, 24, "none",
                                      Text(name), {{"TabIndex", tabIndex}}, {}};
            createControl(*this, row, encodeControlDescription(row));
        }
        const ControlTableRow label{5, "label", "StaticText", {}, 100, 10, 80, 24, "none", Text("label"),
                                    {{"TabIndex", 1}}, {}};
        const ControlTableRow skipped{6, "skipped", "PushButton", {}, 100, 40, 80, 24, "none", Text("skipped"),
                                      {{"TabIndex", 1}, {"TabStop", false}}, {}};
        for (const ControlTableRow& row : {label, skipped})
            createControl(*this, row, encodeControlDescription(row));
    }
};

TEST(PropertyTables, TabMovesThroughTheControlsInTabIndexOrder)
{
    auto& registry = ClassRegistry::instance();
    if (!registry.isDeclared(TabOrderWindow::kClassName))
        registry.declare({TabOrderWindow::kClassName, "Window", [] {
                              return std::vector<Operation>{method<&TabOrderWindow::CreateControls>("CreateControls")};
                          }});
    registry.build(TabOrderWindow::kClassName);
    auto window = RuntimeNewObject<TabOrderWindow>();
    SetProperties(*window, windowDescription(300, 200));
    window->Constructor();

    const auto widgetOf = [&](std::string_view name) {
        return RuntimeCheckCast<RectControl>(window->controlByName(name))->widget();
    };
    const auto focused = [&]() -> std::string {
        for (const Ref<Control>& control : window->controls())
            if (RuntimeCheckCast<RectControl>(control)->widget() == window->widget()->focusWidget())
                return control->Name().bytes();
        return "(none)";
    };
    widgetOf("third")->setFocus();
    std::vector<std::string> order{focused()};
    for (int press = 0; press < 4; ++press) {
        QTest::keyClick(window->widget()->focusWidget(), Qt::Key_Tab);
        order.push_back(focused());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"third", "second", "fourth", "first", "third"}));
    QTest::mouseClick(widgetOf("skipped"), Qt::LeftButton);
    EXPECT_EQ(focused(), "skipped") << "a control left out of the Tab order can still be clicked into";
    window->Close();
}

} // namespace
