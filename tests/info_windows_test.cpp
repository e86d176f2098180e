// The About and help windows and the two menu commands that open them: pictures, hover
// effects, the addresses handed to the desktop, the help texts, and one window at a time.

#include "TestSupport.h"
#include "browser/Window1.h"
#include "info/PictureResources.h"
#include "info/aboutWin.h"
#include "info/infoWin.h"
#include "runtime/Runtime.h"
#include "shell/App.h"
#include "menubar/MenuBar1.h"
#include "shell/Startup.h"
#include "ui/Ui.h"

#include <QDir>
#include <QEnterEvent>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;
using parvolin::aboutWin;
using parvolin::infoWin;

namespace {

struct PictureFile {
    const char* name;
    QSize size;
    QColor colour;
};

// Each picture with a size and a colour of its own, so that a picture in the wrong place
// shows.
const PictureFile kPictures[] = {
    {"paypal.gif", {19, 4}, Qt::yellow},    {"logo317.png", {31, 23}, Qt::blue}, {"mulb.png", {31, 23}, Qt::green},
    {"info0.png", {22, 5}, Qt::red},        {"info1.png", {30, 12}, Qt::cyan},   {"info3.png", {16, 4}, Qt::magenta},
    {"info4.png", {16, 5}, Qt::darkYellow},
};

QSize sizeOf(const char* name)
{
    for (const PictureFile& picture : kPictures)
        if (std::string(picture.name) == name)
            return picture.size;
    return {};
}

class InfoWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parvolin::initializeClassRecords();
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(QDir(home.path()).mkpath("bin"));
        ASSERT_TRUE(QDir(home.path()).mkpath("Resources"));
        for (const PictureFile& picture : kPictures) {
            QImage image(picture.size, QImage::Format_RGB32);
            image.fill(picture.colour);
            ASSERT_TRUE(image.save(home.filePath(QStringLiteral("Resources/") + picture.name), "PNG"));
        }
        previousGetter = parvolin::setAppFolderItemGetterForTesting([this] {
            ++lookups;
            return FolderItem::forNativePath(home.filePath("bin/parvolin").toStdString());
        });
        parvolin::forgetPicturesForTesting();
        previousOpener = setUrlOpener([this](const Text& url) {
            urls.push_back(url.bytes());
            aboutOpenWhenHandedOver.push_back(static_cast<bool>(GetImplicitWindow(aboutWin::kClassName)));
        });
    }

    void TearDown() override
    {
        releaseWindowLists();
        MenuBar1Release();
        setUrlOpener(std::move(previousOpener));
        parvolin::setAppFolderItemGetterForTesting(std::move(previousGetter));
        parvolin::forgetPicturesForTesting();
    }

    static void MenuBar1Release() { parvolin::MenuBar1::releaseInstance(); }

    template <class C>
    static Ref<C> control(const Ref<Window>& window, const char* name)
    {
        Ref<C> found = RuntimeWindowControlByName<C>(window, name);
        EXPECT_TRUE(found) << name;
        return found;
    }

    static void enter(const Ref<RectControl>& control)
    {
        QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QCoreApplication::sendEvent(control->widget(), &event);
    }

    static void leave(const Ref<RectControl>& control)
    {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(control->widget(), &event);
    }

    // "plain" or "lit": underlined and red under the pointer, else neither.
    static std::string look(const Ref<StaticText>& label)
    {
        auto* shown = qobject_cast<QLabel*>(label->widget());
        const bool underlined = shown->font().underline();
        const QColor colour = shown->palette().color(QPalette::Active, QPalette::WindowText);
        if (underlined && colour == QColor(Qt::red))
            return "lit";
        if (!underlined && colour == QColor(Qt::black))
            return "plain";
        return "underline " + std::to_string(underlined) + ", colour " + colour.name().toStdString();
    }

    static int openCount(const char* registeredName)
    {
        int count = 0;
        for (const Ref<Window>& window : openWindows())
            count += window->registeredName() == registeredName;
        return count;
    }

    testsupport::ReportCatcher reports;
    QTemporaryDir home;
    int lookups = 0; // attempts to load a picture from the disk
    std::vector<std::string> urls;
    std::vector<bool> aboutOpenWhenHandedOver;
    parvolin::AppFolderItemGetter previousGetter;
    UrlOpener previousOpener;
};

} // namespace

// ---- About window --------------------------------------------------------------------------

TEST_F(InfoWindowsTest, AboutShowsTheLogoAndTheDonationPictureSetBeforeTheirDescriptions)
{
    const Ref<Window> about = aboutWin::instance();
    EXPECT_EQ(about->Title(), Text("Untitled"));
    ASSERT_EQ(about->controls().size(), 10u);
    EXPECT_EQ(about->controls().back()->Name(), Text("BevelButton1"));

    const auto logo = control<Canvas>(about, "Canvas1");
    ASSERT_TRUE(logo->Backdrop());
    EXPECT_EQ(logo->Backdrop()->pixmap().size(), sizeOf("logo317.png"));
    EXPECT_EQ(logo->widget()->grab().toImage().pixelColor(1, 1), QColor(Qt::blue));
    const auto donate = control<BevelButton>(about, "BevelButton1");
    ASSERT_TRUE(donate->Icon());
    EXPECT_EQ(donate->Icon()->pixmap().size(), sizeOf("paypal.gif"));
    EXPECT_EQ(look(control<StaticText>(about, "StaticText4")), "plain");
    EXPECT_EQ(look(control<StaticText>(about, "StaticText5")), "plain");
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(InfoWindowsTest, HoveringTheLogoAlternatesItsTwoPicturesEachLoadedOnce)
{
    const Ref<Window> about = aboutWin::instance();
    const auto logo = control<Canvas>(about, "Canvas1");
    const Ref<Picture> standing = logo->Backdrop();
    const int loadsWhenBuilt = lookups; // the logo and the donation picture

    enter(logo);
    const Ref<Picture> under = logo->Backdrop();
    ASSERT_TRUE(under);
    EXPECT_EQ(under->pixmap().toImage().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(logo->widget()->grab().toImage().pixelColor(1, 1), QColor(Qt::green));
    leave(logo);
    EXPECT_EQ(logo->Backdrop().get(), standing.get());
    for (int crossing = 0; crossing < 3; ++crossing) {
        enter(logo);
        EXPECT_EQ(logo->Backdrop().get(), under.get());
        leave(logo);
        EXPECT_EQ(logo->Backdrop().get(), standing.get());
    }
    EXPECT_EQ(lookups, loadsWhenBuilt + 1) << "only the first entry loads the second picture";
}

TEST_F(InfoWindowsTest, ALinkLabelLightsUpUnderThePointerOnItsOwn)
{
    const Ref<Window> about = aboutWin::instance();
    const auto web = control<StaticText>(about, "StaticText4");
    const auto mail = control<StaticText>(about, "StaticText5");

    enter(web);
    EXPECT_EQ(look(web), "lit");
    EXPECT_EQ(look(mail), "plain");
    leave(web);
    enter(mail);
    EXPECT_EQ(look(web), "plain");
    EXPECT_EQ(look(mail), "lit");
    leave(mail);
    EXPECT_EQ(look(mail), "plain");
    EXPECT_EQ(control<Canvas>(about, "Canvas1")->Backdrop()->pixmap().toImage().pixelColor(0, 0), QColor(Qt::blue))
        << "the labels leave the logo alone";
}

TEST_F(InfoWindowsTest, PressingALinkHandsItsAddressToTheDesktopThenCloses)
{
    // Only the framework holds the window, as in the program: closing it inside the press
    // lets it go while its label is still handling that press.
    QPointer<QWidget> web = control<StaticText>(aboutWin::instance(), "StaticText4")->widget();
    QTest::mousePress(web, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(GetImplicitWindow(aboutWin::kClassName));

    QPointer<QWidget> mail = control<StaticText>(aboutWin::instance(), "StaticText5")->widget();
    QTest::mousePress(mail, Qt::LeftButton, {}, QPoint(150, 6));
    EXPECT_FALSE(GetImplicitWindow(aboutWin::kClassName));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(web);
    EXPECT_FALSE(mail);

    EXPECT_EQ(urls, (std::vector<std::string>{"https://parvolin.example.org", "mailto:parvolin@example.org"}));
    EXPECT_EQ(aboutOpenWhenHandedOver, (std::vector<bool>{true, true})) << "the address goes before the window";
    EXPECT_TRUE(reports.reports().empty());
}

TEST_F(InfoWindowsTest, TheDonationButtonHandsOverTheDonationPageAndTheWindowStays)
{
    const Ref<Window> about = aboutWin::instance();
    QWidget* button = control<BevelButton>(about, "BevelButton1")->widget();
    for (int press = 0; press < 3; ++press)
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(100, 25));
    EXPECT_EQ(urls, std::vector<std::string>(3, "https://parvolin.example.org/paypal.php?app=Parvolin"));
    EXPECT_TRUE(about->isOpen());
    EXPECT_EQ(GetImplicitWindow(aboutWin::kClassName).get(), about.get());
}

TEST_F(InfoWindowsTest, OkClosesAndTheNextAboutWindowStartsWithTheLogoAndPlainLinks)
{
    const Ref<Window> first = aboutWin::instance();
    enter(control<Canvas>(first, "Canvas1"));
    enter(control<StaticText>(first, "StaticText4"));
    QTest::mouseClick(control<PushButton>(first, "PushButton1")->widget(), Qt::LeftButton);
    EXPECT_FALSE(first->isOpen());

    const Ref<Window> second = aboutWin::instance();
    EXPECT_NE(second.get(), first.get());
    EXPECT_EQ(control<Canvas>(second, "Canvas1")->Backdrop()->pixmap().toImage().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(look(control<StaticText>(second, "StaticText4")), "plain");
    EXPECT_TRUE(urls.empty());
}

// ---- Help window ---------------------------------------------------------------------------

TEST_F(InfoWindowsTest, HelpShowsItsFourPicturesBesideItsFourTextsExactly)
{
    const Ref<Window> help = infoWin::instance();
    EXPECT_EQ(help->Title(), Text("Parvolin - Info"));
    ASSERT_EQ(help->controls().size(), 9u);
    EXPECT_EQ(help->controls().back()->Name(), Text("Canvas4")) << "the fourth picture is made last";

    const std::pair<const char*, const char*> pictures[] = {
        {"Canvas1", "info1.png"}, {"Canvas2", "info0.png"}, {"Canvas3", "info3.png"}, {"Canvas4", "info4.png"}};
    for (const auto& [canvas, file] : pictures) {
        const Ref<Picture> shown = control<Canvas>(help, canvas)->Backdrop();
        ASSERT_TRUE(shown) << canvas;
        EXPECT_EQ(shown->pixmap().size(), sizeOf(file)) << canvas;
    }

    EXPECT_EQ(control<StaticText>(help, "StaticText1")->Text(),
              Text("Click the button to choose a folder, it's where to save the music files copied from the hidden "
                   "folders on the iPod."));
    EXPECT_EQ(control<StaticText>(help, "StaticText2")->Text(),
              Text("Start by selecting one or more files to copy.\rUse Shift+Click or Command+Click to select more "
                   "than one file."));
    EXPECT_EQ(control<StaticText>(help, "StaticText3")->Text(),
              Text("Click \"Copy\" to start.\rA progress bar will inform you about the status of the copy ...\r\r... "
                   "or press the Option key (Alt) to copy all the music file in just one easy step, the button name "
                   "changes to \"Copy All\".\rThe files on the iPod remains untouched."));
    EXPECT_EQ(control<StaticText>(help, "StaticText4")->Text(),
              Text("Don't worry abot the strange names, all the informations are stored in the filess (TAGs) and, "
                   "when you drag the files back to iTunes, everything (album title, track names, ...) will be "
                   "there."));

    QTest::mouseClick(control<PushButton>(help, "PushButton1")->widget(), Qt::LeftButton);
    EXPECT_FALSE(help->isOpen());
    EXPECT_FALSE(GetImplicitWindow(infoWin::kClassName));
}

TEST_F(InfoWindowsTest, WithoutItsPicturesHelpIsBuiltAllTheSameAndNothingIsReported)
{
    ASSERT_TRUE(QDir(home.filePath("Resources")).removeRecursively());
    const Ref<Window> help = infoWin::instance();
    EXPECT_EQ(help->controls().size(), 9u);
    for (const char* canvas : {"Canvas1", "Canvas2", "Canvas3", "Canvas4"})
        EXPECT_FALSE(control<Canvas>(help, canvas)->Backdrop()) << canvas;
    const Ref<Window> about = aboutWin::instance();
    enter(control<Canvas>(about, "Canvas1"));
    EXPECT_FALSE(control<Canvas>(about, "Canvas1")->Backdrop());
    EXPECT_TRUE(reports.reports().empty());
}

// ---- The two menu commands -----------------------------------------------------------------

TEST_F(InfoWindowsTest, HelpCommandWhateverIsInFrontOpensOneHelpWindowAndANewOneAfterClose)
{
    RuntimeRegisterAppObject(RuntimeNewObject<parvolin::App>());
    parvolin::applicationAddMenuHandlers();
    const Ref<Window> about = aboutWin::instance(); // another window in front

    EXPECT_TRUE(dispatchMenuCommand(Text("infoHelp"), nullptr));
    const Ref<Window> help = GetImplicitWindow(infoWin::kClassName);
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->widget()->isVisible());
    EXPECT_TRUE(parvolin::App::instance()->infoHelp_Action());
    EXPECT_EQ(GetImplicitWindow(infoWin::kClassName).get(), help.get());
    EXPECT_EQ(openCount(infoWin::kClassName), 1);

    help->Close();
    EXPECT_TRUE(dispatchMenuCommand(Text("infoHelp"), nullptr));
    const Ref<Window> again = GetImplicitWindow(infoWin::kClassName);
    ASSERT_TRUE(again);
    EXPECT_NE(again.get(), help.get());
    EXPECT_EQ(openCount(infoWin::kClassName), 1);
    EXPECT_TRUE(reports.reports().empty());

    RuntimeExit();
    RuntimeInit();
}

TEST_F(InfoWindowsTest, AboutCommandOnTheMainWindowOpensOneAboutWindowAndANewOneAfterClose)
{
    const Ref<parvolin::Window1> main = parvolin::Window1::instance();
    dispatchMenuCommand(Text("AppleAbout"), main);
    const Ref<Window> about = GetImplicitWindow(aboutWin::kClassName);
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->widget()->isVisible());
    EXPECT_FALSE(main->AppleAbout_Action());
    EXPECT_EQ(GetImplicitWindow(aboutWin::kClassName).get(), about.get());
    EXPECT_EQ(openCount(aboutWin::kClassName), 1);

    about->Close();
    dispatchMenuCommand(Text("AppleAbout"), main);
    const Ref<Window> again = GetImplicitWindow(aboutWin::kClassName);
    ASSERT_TRUE(again);
    EXPECT_NE(again.get(), about.get());
    EXPECT_EQ(openCount(aboutWin::kClassName), 1);
    EXPECT_TRUE(reports.reports().empty());
}
