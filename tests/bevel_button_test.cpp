// The bevel button: where its icon, caption and menu arrow stand, and its operations as
// the plug-in table reaches them, acting on the Qt button.

#include "ControlFixture.h"

#include "pictures/Picture.h"
#include "runtime/ExternalClasses.h"
#include "ui/BevelButtonLook.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

using namespace controltest;

namespace {

// ---- Places ------------------------------------------------------------------------------

struct PlaceCase {
    const char* what;
    BevelLook look;
    QSize icon;
    QSize caption;
    QRect expectedIcon;
    QRect expectedCaption;
};

TEST(BevelButtonPlaces, IconAndCaptionStandWhereTheSettingsSay)
{
    // A 100 x 40 button; the small bevel leaves a 98 x 38 face from 1,1.
    const QSize button(100, 40);
    const PlaceCase cases[] = {
        {.what = "centred icon alone",
         .look = {},
         .icon = {10, 10},
         .caption = {},
         .expectedIcon = {45, 15, 10, 10},
         .expectedCaption = {}},
        {.what = "icon right, moved in by IconDX",
         .look = {.iconAlign = 3, .iconDX = 4},
         .icon = {10, 10},
         .caption = {},
         .expectedIcon = {85, 15, 10, 10},
         .expectedCaption = {}},
        {.what = "icon bottom left, moved up by IconDY",
         .look = {.iconAlign = 7, .iconDX = 2, .iconDY = 3},
         .icon = {10, 10},
         .caption = {},
         .expectedIcon = {3, 26, 10, 10},
         .expectedCaption = {}},
        {.what = "caption alone, flush right with a delta",
         .look = {.captionAlign = 3, .captionDelta = 5},
         .icon = {},
         .caption = {20, 10},
         .expectedIcon = {},
         .expectedCaption = {74, 15, 20, 10}},
        {.what = "caption to the right of a left icon, flush left",
         .look = {.iconAlign = 2, .captionPlacement = 1, .captionAlign = 2},
         .icon = {10, 10},
         .caption = {20, 10},
         .expectedIcon = {1, 15, 10, 10},
         .expectedCaption = {13, 15, 20, 10}},
        {.what = "caption below a top icon, centred",
         .look = {.iconAlign = 4, .captionPlacement = 3},
         .icon = {10, 10},
         .caption = {20, 10},
         .expectedIcon = {45, 1, 10, 10},
         .expectedCaption = {40, 21, 20, 10}},
        {.what = "caption to the left of a right icon, flush right",
         .look = {.iconAlign = 3, .captionPlacement = 2, .captionAlign = 3},
         .icon = {10, 10},
         .caption = {20, 10},
         .expectedIcon = {89, 15, 10, 10},
         .expectedCaption = {67, 15, 20, 10}},
        {.what = "large bevel insets the face by three",
         .look = {.bevel = 2, .iconAlign = 6},
         .icon = {10, 10},
         .caption = {},
         .expectedIcon = {3, 3, 10, 10},
         .expectedCaption = {}},
    };
    for (const PlaceCase& c : cases) {
        const BevelPlaces places = placeBevelContents(button, c.icon, c.caption, c.look);
        EXPECT_EQ(places.icon, c.expectedIcon) << c.what;
        EXPECT_EQ(places.caption, c.expectedCaption) << c.what;
        EXPECT_TRUE(places.arrow.isEmpty()) << c.what;
    }
}

TEST(BevelButtonPlaces, AMenuTakesAStripAtTheRightForItsArrow)
{
    const BevelPlaces places = placeBevelContents({100, 40}, {10, 10}, {}, {.iconAlign = 3, .hasMenu = 2});
    EXPECT_EQ(places.arrow, QRect(87, 1, 12, 38));
    EXPECT_EQ(places.face, QRect(1, 1, 86, 38));
    EXPECT_EQ(places.icon, QRect(77, 15, 10, 10)) << "a right icon stands left of the arrow";
}

// ---- Operations through the plug-in table ------------------------------------------------

class BevelButtonTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        std::vector<std::string> names;
        for (const Operation& op : BevelButton::operations())
            names.push_back("BevelButton." + op.name);
        PluginEntryPoints::instance().fill(names);
        bevel = make<BevelButton>(ControlTableRow{
            1, "bevel", "BevelButton", {}, 10, 10, 100, 40, "none", Text(),
            {{"TabIndex", 0}, {"CaptionAlign", 3}, {"CaptionPlacement", 1}, {"CaptionDelta", 0}, {"IconAlign", 1},
             {"IconDX", 0}, {"IconDY", 0}, {"Bevel", 0}, {"HasMenu", 0}, {"Value", false}, {"MenuValue", 0},
             {"ButtonType", 0}},
            {}});
        bevel->InstallEventHandler("Action", delegateForMethod(window, "Action", "(  )", "test"));
        widget = static_cast<BevelButtonWidget*>(bevel->widget());
    }

    Value call(const char* name, Arguments arguments = {})
    {
        const Operation* entry = PluginEntryPoints::instance().find(std::string("BevelButton.") + name);
        EXPECT_NE(entry, nullptr) << name;
        return entry ? entry->body(*bevel, arguments) : Value();
    }

    Ref<BevelButton> bevel;
    BevelButtonWidget* widget = nullptr;
};

TEST_F(BevelButtonTest, CaptionIconValueFontAndColourReachTheButton)
{
    call("Caption.Set", {Text("Donate")});
    EXPECT_EQ(widget->text(), QStringLiteral("Donate"));
    EXPECT_EQ(call("Caption.Get"), Value(Text("Donate")));

    QImage image(12, 8, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    call("Icon.Set", {Ref<Object>(Picture::fromImage(image))});
    EXPECT_FALSE(widget->icon().isNull());
    EXPECT_EQ(widget->iconSize(), QSize(12, 8));
    call("Icon.Set", {Ref<Object>()});
    EXPECT_TRUE(widget->icon().isNull()) << "an empty picture takes the icon away";

    SetProperties(*bevel, DescriptionWriter().add("ButtonType", 1).text());
    call("Value.Set", {true});
    EXPECT_TRUE(widget->isChecked());
    EXPECT_EQ(call("Value.Get"), Value(true));

    call("TextColor.Set", {std::int32_t{0xFF0000}});
    EXPECT_EQ(widget->textColor, QColor(Qt::red));
    call("TextFont.Set", {Text("Monospace")});
    EXPECT_EQ(widget->font().family(), QStringLiteral("Monospace"));
    call("TextFont.Set", {Text("System")});
    EXPECT_EQ(widget->font().family(), QApplication::font(widget).family());

    call("CaptionAlign.Set", {std::int32_t{2}});
    call("CaptionPlacement.Set", {std::int32_t{3}});
    call("CaptionDelta.Set", {std::int32_t{4}});
    call("IconAlign.Set", {std::int32_t{6}});
    call("IconDX.Set", {std::int32_t{5}});
    call("IconDY.Set", {std::int32_t{7}});
    call("Bevel.Set", {std::int32_t{2}});
    call("HasMenu.Set", {std::int32_t{2}});
    const BevelLook& look = widget->look;
    EXPECT_EQ(std::vector<int>({look.captionAlign, look.captionPlacement, look.captionDelta, look.iconAlign,
                                look.iconDX, look.iconDY, look.bevel, look.hasMenu}),
              std::vector<int>({2, 3, 4, 6, 5, 7, 2, 2}));
}

TEST_F(BevelButtonTest, PaintsTheIconWhereItsAlignmentPutsIt)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    bevel->setIcon(Picture::fromImage(image));
    call("IconAlign.Set", {std::int32_t{2}});
    call("IconDX.Set", {std::int32_t{5}});
    const QImage shown = widget->grab().toImage();
    // The small bevel is one pixel wide: the icon starts at 1 + 5 across, centred down.
    EXPECT_EQ(shown.pixelColor(6, 15), QColor(Qt::magenta));
    EXPECT_EQ(shown.pixelColor(15, 24), QColor(Qt::magenta));
    EXPECT_NE(shown.pixelColor(5, 15), QColor(Qt::magenta));
    EXPECT_NE(shown.pixelColor(16, 15), QColor(Qt::magenta));
}

TEST_F(BevelButtonTest, MenuRowsAreKeptInOrderAndAChosenRowBecomesTheMenuValue)
{
    call("AddRow", {Text("Small")});
    call("AddSeparator");
    call("AddRow", {Text("Large")});
    call("InsertRow", {std::int32_t{0}, Text("None")});
    call("InsertRow", {std::int32_t{99}, Text("Last")});
    std::vector<std::string> rows;
    for (std::int32_t i = 0; i < 6; ++i)
        rows.push_back(std::get<Text>(call("List", {i})).bytes());
    EXPECT_EQ(rows, (std::vector<std::string>{"None", "Small", "-", "Large", "Last", ""}));
    ASSERT_EQ(widget->rowMenu->actions().size(), 5);
    EXPECT_TRUE(widget->rowMenu->actions()[2]->isSeparator());

    // HasMenu 1: a press anywhere opens the menu instead of pressing the button.
    call("HasMenu.Set", {std::int32_t{1}});
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(widget->rowMenu->isVisible());
    EXPECT_TRUE(window->log.empty());
    widget->rowMenu->actions()[3]->trigger();
    widget->rowMenu->hide();
    EXPECT_EQ(call("MenuValue.Get"), Value(std::int32_t{3}));
    EXPECT_EQ(window->log, std::vector<std::string>{"Action"});
    EXPECT_TRUE(widget->rowMenu->actions()[3]->isChecked());

    // HasMenu 2: only the arrow opens it; elsewhere the press is a plain press.
    call("HasMenu.Set", {std::int32_t{2}});
    EXPECT_TRUE(widget->opensMenuAt(QPoint(94, 20)));
    EXPECT_FALSE(widget->opensMenuAt(QPoint(20, 20)));
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(window->log.size(), 2u);

    call("MenuValue.Set", {std::int32_t{1}});
    EXPECT_TRUE(widget->rowMenu->actions()[1]->isChecked());
    EXPECT_FALSE(widget->rowMenu->actions()[3]->isChecked());

    call("DeleteAllRows");
    EXPECT_TRUE(widget->rowMenu->actions().isEmpty());
    EXPECT_EQ(call("List", {std::int32_t{0}}), Value(Text()));
    call("HasMenu.Set", {std::int32_t{0}});
    EXPECT_FALSE(widget->opensMenuAt(QPoint(94, 20)));
}

} // namespace
