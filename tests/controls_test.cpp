// The controls other than the list: every key of each description applies, and each
// control's behaviour that the program relies on.

#include "ControlFixture.h"

#include "pictures/Picture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <map>

using namespace controltest;

namespace {

// A row with the given values, placed at 10,10 in 120 x 24.
ControlTableRow placed(std::string_view name, std::string_view className, std::vector<DescriptionEntry> values,
                       std::optional<Text> text = std::nullopt)
{
    return ControlTableRow{1, name, className, {}, 10, 10, 120, 24, "L T", std::move(text), std::move(values), {}};
}

// An edit field's row: `values` first, so that they win over the defaults after them.
ControlTableRow fieldRow(std::string_view name, std::vector<DescriptionEntry> values, Text text)
{
    for (DescriptionEntry entry : std::vector<DescriptionEntry>{{"TabIndex", 0}, {"Border", true}, {"ReadOnly", false}})
        values.push_back(entry);
    return placed(name, "EditField", std::move(values), std::move(text));
}

ControlTableRow timerRow(std::int32_t mode, std::int32_t period)
{
    return ControlTableRow{1, "ticks", "Timer", "TestWindow.Timer1", {}, {}, {}, {}, "-", std::nullopt,
                           {{"Mode", mode}, {"Period", period}}, {}};
}

QColor pixel(QWidget* widget, int x, int y) { return widget->grab().toImage().pixelColor(x, y); }

using ControlsTest = ControlTest;

// Every key of a full description applies; a key of another class's layout is refused
// with an error that names the control.
TEST_F(ControlsTest, FullDescriptionsApplyAndForeignKeysAreRefused)
{
    const auto check = [](Ref<Control> control, std::string_view foreignKey, PropertyValue foreignValue) {
        const std::string name = control->Name().bytes();
        try {
            SetProperties(*control, DescriptionWriter().add(foreignKey, foreignValue).text());
            ADD_FAILURE() << name << " took " << foreignKey;
        } catch (const DescriptionError& error) {
            EXPECT_NE(std::string(error.what()).find("control " + name), std::string::npos) << error.what();
        }
    };
    const Color red = Color::rgb(0xFF0000);
    check(make<Rectangle>(placed("box", "Rectangle",
                                 {{"FillColor", red}, {"BorderWidth", 2}, {"TopLeftColor", red},
                                  {"BottomRightColor", red}})),
          "Period", 1);
    check(make<Canvas>(placed("canvas", "Canvas", {{"TabIndex", 0}, {"AcceptFocus", true}})), "Caption", Text());
    check(make<StaticText>(placed("label", "StaticText", {{"TabIndex", 0}, {"Multiline", true}}, Text("a"))),
          "Caption", Text());
    check(make<PushButton>(placed("ok", "PushButton", {{"TabIndex", 0}, {"Default", true}}, Text("OK"))), "Text",
          Text());
    check(make<BevelButton>(placed("bevel", "BevelButton",
                                   {{"TabIndex", 0}, {"CaptionAlign", 0}, {"CaptionPlacement", 3},
                                    {"CaptionDelta", 0}, {"IconAlign", 0}, {"IconDX", 0}, {"IconDY", 0},
                                    {"Bevel", 0}, {"HasMenu", 0}, {"Value", true}, {"MenuValue", 0},
                                    {"ButtonType", 1}},
                                   Text("Go"))),
          "Text", Text());
    check(make<Listbox>(placed("list", "Listbox",
                               {{"TabIndex", 0}, {"Border", true}, {"ColumnCount", 2}, {"ColumnWidths", Text()},
                                {"HasHeading", false}, {"GridLinesHorizontal", 1}, {"GridLinesVertical", 0},
                                {"SelectionType", 1}, {"ColumnsResizable", true}, {"DefaultRowHeight", 18}},
                               Text("A\tB"))),
          "Caption", Text());
    check(make<PopupMenu>(placed("popup", "PopupMenu", {{"TabIndex", 0}}, Text("a\rb"))), "Caption", Text());
    check(make<EditField>(fieldRow("field", {{"Multiline", true}, {"LimitText", 5}, {"Alignment", 3}}, Text("text"))),
          "Caption", Text());
    check(make<EditField>(fieldRow("secret", {{"Border", false}, {"Password", true}, {"Mask", Text("000")}}, Text())),
          "Caption", Text());
    check(make<ProgressBar>(placed("bar", "ProgressBar", {{"Value", 1}, {"Maximum", 10}})), "Caption", Text());
    check(make<Timer>(timerRow(0, 100)), "Caption", Text());
}

TEST_F(ControlsTest, PaintedControlsShowTheirColoursAndPictures)
{
    auto box = make<Rectangle>(placed("box", "Rectangle",
                                      {{"FillColor", Color::rgb(0x00FF00)}, {"BorderWidth", 2},
                                       {"TopLeftColor", Color::rgb(0xFF0000)},
                                       {"BottomRightColor", Color::rgb(0x0000FF)}}));
    EXPECT_EQ(pixel(box->widget(), 1, 12), QColor(Qt::red));
    EXPECT_EQ(pixel(box->widget(), 60, 12), QColor(Qt::green));
    EXPECT_EQ(pixel(box->widget(), 60, 22), QColor(Qt::blue));
    EXPECT_EQ(pixel(box->widget(), 118, 12), QColor(Qt::blue));

    auto canvas = make<Canvas>(placed("canvas", "Canvas", {{"TabIndex", 0}}));
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    canvas->setBackdrop(Picture::fromImage(image));
    EXPECT_EQ(pixel(canvas->widget(), 3, 3), QColor(Qt::magenta));
}

TEST_F(ControlsTest, StaticTextShowsCarriageReturnsAsLineBreaks)
{
    auto label = make<StaticText>(placed("label", "StaticText", {{"TabIndex", 0}, {"TextAlign", 2}}, Text("one\rtwo")));
    auto* qlabel = qobject_cast<QLabel*>(label->widget());
    EXPECT_EQ(qlabel->text(), QStringLiteral("one\ntwo"));
    EXPECT_EQ(label->Text(), Text("one\rtwo"));
    EXPECT_TRUE(qlabel->alignment().testFlag(Qt::AlignRight));
}

// A label lets a press through to the control beneath it unless it asks for the mouse
// itself: with a mouse handler bound, or a help tag to show.
TEST_F(ControlsTest, LabelsTakeTheMouseOnlyWhenTheyHandleIt)
{
    auto button = make<PushButton>(placed("under", "PushButton", {{"TabIndex", 0}}, Text("Under")));
    bind(button, "Action", "(  )");
    auto label = make<StaticText>(placed("over", "StaticText", {{"TabIndex", 1}}, Text("over the button")));
    QWidget* content = window->content();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(content->window()));
    const QPoint centre = button->widget()->geometry().center();
    // Clicks come through the window, which hands them to the widget under the pointer.
    QWindow* screenWindow = content->window()->windowHandle();
    const QPoint atCentre = content->mapTo(content->window(), centre);

    ASSERT_EQ(content->childAt(centre), button->widget()) << "a label without handlers lies over the button";
    QTest::mouseClick(screenWindow, Qt::LeftButton, {}, atCentre);
    EXPECT_EQ(std::count(window->log.begin(), window->log.end(), "Action"), 1);

    bind(label, "MouseDown", "( Int32, Int32 ) as Boolean");
    EXPECT_EQ(content->childAt(centre), label->widget());
    window->log.clear();
    QTest::mouseClick(screenWindow, Qt::LeftButton, {}, atCentre);
    EXPECT_EQ(std::count(window->log.begin(), window->log.end(), "Action"), 0);
    EXPECT_EQ(std::count_if(window->log.begin(), window->log.end(),
                            [](const std::string& entry) { return entry.starts_with("MouseDown"); }),
              1) << ::testing::PrintToString(window->log);

    // Each of the other ways of asking for the mouse, on a fresh label over the button.
    struct Case {
        const char* name;
        std::function<void(const Ref<StaticText>&)> ask;
    };
    const Case cases[] = {
        {"entering", [this](const Ref<StaticText>& l) { bind(l, "MouseEnter", "(  )"); }},
        {"leaving", [this](const Ref<StaticText>& l) { bind(l, "MouseExit", "(  )"); }},
        {"tip",
         [](const Ref<StaticText>& l) { SetProperties(*l, DescriptionWriter().add("HelpTag", Text("tip")).text()); }},
    };
    for (const Case& c : cases) {
        auto another = make<StaticText>(placed(c.name, "StaticText", {{"TabIndex", 2}}, Text("another")));
        ASSERT_NE(content->childAt(centre), another->widget()) << c.name;
        c.ask(another);
        EXPECT_EQ(content->childAt(centre), another->widget()) << c.name;
        another->setVisible(false);
    }
}

TEST_F(ControlsTest, ButtonsRaiseActionAndDefaultAndCancelAnswerTheirKeys)
{
    auto ok = make<PushButton>(placed("ok", "PushButton", {{"TabIndex", 0}, {"Default", true}}, Text("OK")));
    auto cancel = make<PushButton>(placed("cancel", "PushButton", {{"TabIndex", 1}, {"Cancel", true}}, Text("No")));
    auto field = make<EditField>(fieldRow("field", {}, Text()));
    bind(ok, "Action", "(  )");
    EXPECT_EQ(ok->Caption(), Text("OK"));

    auto* line = field->widget()->findChild<QLineEdit*>();
    QTest::keyClick(line, Qt::Key_Return);
    EXPECT_EQ(window->log.size(), 1u) << "Return in a one-line field presses the default button";
    bind(cancel, "Action", "(  )");
    QTest::keyClick(line, Qt::Key_Escape);
    EXPECT_EQ(window->log.size(), 2u);

    auto bevel = make<BevelButton>(placed("bevel", "BevelButton",
                                          {{"TabIndex", 3}, {"CaptionAlign", 0}, {"CaptionPlacement", 0},
                                           {"CaptionDelta", 0}, {"IconAlign", 0}, {"IconDX", 0}, {"IconDY", 0},
                                           {"Bevel", 0}, {"HasMenu", 0}, {"Value", true}, {"MenuValue", 0},
                                           {"ButtonType", 2}},
                                          Text("Stick")));
    bind(bevel, "Action", "(  )");
    auto* tool = qobject_cast<QToolButton*>(bevel->widget());
    EXPECT_TRUE(tool->isChecked()) << "Value holds though ButtonType comes after it";
    QTest::mouseClick(tool, Qt::LeftButton);
    QTest::mouseClick(tool, Qt::LeftButton);
    EXPECT_TRUE(bevel->Value()) << "a sticky button stays down";
    EXPECT_EQ(window->log.size(), 4u);
    QImage image(8, 8, QImage::Format_RGB32);
    bevel->setIcon(Picture::fromImage(image));
    EXPECT_FALSE(tool->icon().isNull());
    bevel->setIcon(Ref<Picture>());
    EXPECT_TRUE(tool->icon().isNull());
}

TEST_F(ControlsTest, ButtonHandlerMayCloseAndReleaseItsWindow)
{
    auto ok = make<PushButton>(placed("ok", "PushButton", {{"TabIndex", 0}}, Text("Close")));
    bind(ok, "Action", "(  )");
    QPointer<QWidget> button = ok->widget();
    ok.reset();
    window->during = [this] {
        window->Close();
        window.reset();
    };
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(window);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(button.isNull());
}

TEST_F(ControlsTest, SettingAPopupMenusRowFromCodeRaisesChangeOnlyWhenTheRowChanges)
{
    auto popup = make<PopupMenu>(placed("popup", "PopupMenu", {{"TabIndex", 0}}, Text("Alpha\rBeta\nGamma\r\n")));
    EXPECT_EQ(popup->ListCount(), 3);
    EXPECT_EQ(popup->RowText(1), Text("Beta"));
    EXPECT_EQ(popup->ListIndex(), 0);
    bind(popup, "Change", "(  )");

    popup->setListIndex(1);
    popup->setListIndex(1);
    popup->setListIndex(7);
    EXPECT_EQ(window->log.size(), 1u) << "the same row again, or one that does not exist, is no change";
    EXPECT_EQ(popup->Text(), Text("Beta"));
    qobject_cast<QComboBox*>(popup->widget())->setCurrentIndex(0); // as the user's choice does
    EXPECT_EQ(window->log.size(), 2u);
    EXPECT_EQ(popup->ListIndex(), 0);
}

TEST_F(ControlsTest, EmptyingAPopupMenuOrAddingRowsRaisesNoChange)
{
    auto popup = make<PopupMenu>(placed("popup", "PopupMenu", {{"TabIndex", 0}}, Text("Alpha\rBeta")));
    bind(popup, "Change", "(  )");
    ASSERT_EQ(popup->ListIndex(), 0);

    popup->DeleteAllRows(); // drops the chosen row
    EXPECT_EQ(popup->ListIndex(), -1);
    EXPECT_EQ(popup->RowText(0), Text());
    popup->AddRow(Text("One"));
    popup->AddRow(Text("Two"));
    EXPECT_EQ(popup->ListIndex(), -1) << "adding rows chooses none";
    EXPECT_EQ(popup->Text(), Text());
    EXPECT_EQ(qobject_cast<QComboBox*>(popup->widget())->currentIndex(), -1);
    EXPECT_TRUE(window->log.empty());
}

TEST_F(ControlsTest, SettingAnEditFieldsTextFromCodeRaisesTextChange)
{
    auto field = make<EditField>(fieldRow("field", {}, Text("start")));
    bind(field, "TextChange", "(  )");
    field->setText(Text("start"));
    EXPECT_EQ(window->log.size(), 1u) << "also when the field already shows that text";
    field->setText(Text("next"));
    EXPECT_EQ(window->log.size(), 2u);
    auto notes = make<EditField>(fieldRow("notes", {{"Multiline", true}}, Text("one")));
    bind(notes, "TextChange", "(  )");
    notes->setText(Text("one\rtwo"));
    EXPECT_EQ(window->log.size(), 3u) << "a multi-line field as well";
    EXPECT_EQ(notes->Text(), Text("one\rtwo"));
}

TEST_F(ControlsTest, EditFieldRaisesTextChangeForTypingButNotForKeysItRefuses)
{
    auto field = make<EditField>(fieldRow("field", {}, Text("next")));
    bind(field, "TextChange", "(  )");
    auto* line = field->widget()->findChild<QLineEdit*>();
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClicks(line, "!");
    EXPECT_EQ(window->log.size(), 1u);
    EXPECT_EQ(field->Text(), Text("next!"));

    SetProperties(*field, DescriptionWriter().add("ReadOnly", true).text());
    QTest::keyClicks(line, "x");
    EXPECT_EQ(field->Text(), Text("next!"));
    EXPECT_EQ(window->log.size(), 1u);

    bind(field, "KeyDown", "( String ) as Boolean");
    window->reply = true;
    SetProperties(*field, DescriptionWriter().add("ReadOnly", false).text());
    QTest::keyClicks(line, "y");
    EXPECT_EQ(field->Text(), Text("next!")) << "a handled key is not typed";
    EXPECT_EQ(window->log.back(), "KeyDown 121");
}

TEST_F(ControlsTest, MultilineEditFieldKeepsLinesAndLimit)
{
    auto field = make<EditField>(fieldRow("notes", {{"Multiline", true}, {"LimitText", 7}}, Text("one\rtwo")));
    auto* editor = field->widget()->findChild<QPlainTextEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(field->widget()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("one\ntwo"));
    EXPECT_EQ(field->Text(), Text("one\rtwo"));
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, "xyz");
    EXPECT_EQ(field->Text(), Text("one\rtwo")) << "nothing beyond the limit";
}

TEST_F(ControlsTest, ProgressBarKeepsItsValueAndShowsItClamped)
{
    auto bar = make<ProgressBar>(placed("bar", "ProgressBar", {{"Value", 150}, {"Maximum", 100}}));
    auto* qbar = qobject_cast<QProgressBar*>(bar->widget());
    EXPECT_EQ(bar->Value(), 150);
    EXPECT_EQ(qbar->value(), 100);
    bar->setValue(-5);
    EXPECT_EQ(bar->Value(), -5);
    EXPECT_EQ(qbar->value(), 0);
    bar->setMaximum(0);
    EXPECT_EQ(bar->Maximum(), 0);
    EXPECT_NE(qbar->maximum(), 0) << "a 0...0 range would be a busy indicator";
    EXPECT_EQ(qbar->value(), qbar->minimum());
}

TEST_F(ControlsTest, TimerFiresRepeatedlyOnceOrAfterItsNewPeriod)
{
    // A plain Qt timer as a clock to compare with: what it counts shows how much time has
    // passed without the test waiting for a fixed time.
    int referenceTicks = 0;
    QTimer reference;
    QObject::connect(&reference, &QTimer::timeout, [&] { ++referenceTicks; });
    const auto actions = [this] { return window->log.size(); };

    auto timer = make<Timer>(timerRow(Timer::kModeMultiple, 10));
    bind(timer, "Action", "(  )");
    ASSERT_TRUE(QTest::qWaitFor([&] { return actions() >= 3; }, testsupport::kPatience));

    timer->setMode(Timer::kModeSingle);
    window->log.clear();
    ASSERT_TRUE(QTest::qWaitFor([&] { return actions() >= 1; }, testsupport::kPatience));
    EXPECT_EQ(timer->Mode(), Timer::kModeOff);
    reference.start(10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return referenceTicks >= 5; }, testsupport::kPatience));
    EXPECT_EQ(actions(), 1u) << "a single timer fires once";

    timer->setPeriod(60000);
    timer->setMode(Timer::kModeMultiple);
    timer->setPeriod(0); // counts as 1 ms, from now on
    window->log.clear();
    EXPECT_TRUE(QTest::qWaitFor([&] { return actions() >= 2; }, testsupport::kPatience));
}

TEST_F(ControlsTest, TimerHandlerMayReleaseItsWindow)
{
    auto timer = make<Timer>(timerRow(Timer::kModeMultiple, 1));
    bind(timer, "Action", "(  )");
    timer.reset();
    window->during = [this] {
        window->Close();
        window.reset();
    };
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window; }, testsupport::kPatience));
}

TEST_F(ControlsTest, AControlsPlaceIsInWindowCoordinatesAlsoInsideAnotherAndItIsDrawnAboveIt)
{
    const auto rectangle = [](std::string_view name, int left, int top, int width, int height, std::uint32_t fill,
                              std::vector<DescriptionEntry> more) {
        more.insert(more.begin(), {{"FillColor", Color::rgb(fill)}, {"BorderWidth", 0},
                                   {"TopLeftColor", Color::rgb(fill)}, {"BottomRightColor", Color::rgb(fill)}});
        return ControlTableRow{1, name, "Rectangle", {}, left, top, width, height, "L T", std::nullopt,
                               std::move(more), {}};
    };
    auto outer = make<Rectangle>(rectangle("outer", 20, 30, 200, 100, 0x00FF00, {}));
    auto inner = make<Rectangle>(rectangle("inner", 60, 70, 40, 20, 0xFF0000, {{"InitialParent", Text("outer")}}));

    EXPECT_EQ(QRect(inner->Left(), inner->Top(), inner->Width(), inner->Height()), QRect(60, 70, 40, 20));
    EXPECT_EQ(inner->widget()->mapTo(window->content(), QPoint(0, 0)), QPoint(60, 70));
    const QImage drawn = window->content()->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(80, 80), QColor(Qt::red)) << "the inner control is drawn above the outer";
    EXPECT_EQ(drawn.pixelColor(30, 40), QColor(Qt::green));
}

TEST_F(ControlsTest, TextSizeZeroAndTheFontSystemAreTheDesktopsDefaultFontAndSize)
{
    const QFont desktop = QApplication::font();
    auto label = make<StaticText>(placed("label", "StaticText",
                                         {{"TabIndex", 0}, {"TextFont", Text("System")}, {"TextSize", 0}}, Text("a")));
    EXPECT_EQ(label->widget()->font().family(), desktop.family());
    EXPECT_EQ(label->widget()->font().pointSizeF(), desktop.pointSizeF());

    // Back to the desktop's after another font and size.
    SetProperties(*label, DescriptionWriter().add("TextFont", Text("Courier")).add("TextSize", 14).text());
    EXPECT_EQ(label->widget()->font().pixelSize(), 14);
    SetProperties(*label, DescriptionWriter().add("TextFont", Text("System")).add("TextSize", 0).text());
    EXPECT_EQ(label->widget()->font().family(), desktop.family());
    EXPECT_EQ(label->widget()->font().pointSizeF(), desktop.pointSizeF());
}

// Refresh with True, asked of the window or of one control, draws at once what changed
// in the window, and leaves what did not change alone: the copy asks for it after every
// file, and drawing the whole window each time cost more than the file.
TEST_F(ControlsTest, RefreshTrueDrawsWhatChangedAtOnceAndNothingElse)
{
    const auto label = [](std::string_view name, std::int32_t top, const char* text) {
        return ControlTableRow{1, name, "StaticText", {}, 10, top, 120, 20, "L T", Text(text), {{"TabIndex", 0}}, {}};
    };
    auto counter = make<StaticText>(label("counter", 10, "1/9"));
    auto still = make<StaticText>(label("still", 60, "stays as it is"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window->widget()));

    // Counts the paint events of the two labels.
    class Paints : public QObject {
    public:
        std::map<QObject*, int> count;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                ++count[watched];
            return false;
        }
    } paints;
    counter->widget()->installEventFilter(&paints);
    still->widget()->installEventFilter(&paints);
    window->Refresh(true); // whatever was still to be drawn

    const std::function<void()> refreshes[] = {[&] { window->Refresh(true); }, [&] { counter->Refresh(true); }};
    int n = 2;
    for (const auto& refresh : refreshes) {
        paints.count.clear();
        counter->setText(Text(std::to_string(n++) + "/9"));
        refresh(); // no turn of the event loop in between
        EXPECT_EQ(paints.count[counter->widget()], 1);
        EXPECT_EQ(paints.count[still->widget()], 0);
    }
    for (const auto& refresh : refreshes) {
        paints.count.clear();
        refresh();
        EXPECT_TRUE(paints.count.empty()) << "nothing changed, nothing drawn";
    }
}

} // namespace
