// The plug-in entry table that start-up fills: every name the program asks for resolves,
// the controls this framework cannot make refuse clearly, and a name that resolves to
// nothing is an error that names it.

#include "TestSupport.h"
#include "pictures/Picture.h"
#include "runtime/ExternalClasses.h"
#include "shell/Startup.h"
#include "ui/BevelButton.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class PluginEntryPointsTest : public ::testing::Test {
protected:
    void SetUp() override { parvolin::initializeClassRecords(); }
    PluginEntryPoints& table = PluginEntryPoints::instance();
};

} // namespace

TEST_F(PluginEntryPointsTest, EveryNameOfTheProgramResolvesInOrder)
{
    const std::vector<std::string>& names = parvolin::pluginEntryPointNames();
    ASSERT_EQ(names.size(), 26u);
    ASSERT_NO_THROW(table.fill(names));
    ASSERT_EQ(table.size(), 26u);
    EXPECT_EQ(table.name(0), "_");
    EXPECT_EQ(table.name(1), "BevelButton.DeleteAllRows");
    EXPECT_EQ(table.name(22), "BevelButton.TextFont.Set");
    EXPECT_EQ(table.name(25), "ImageWell.Image.Set");
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_TRUE(table.entry(i).body) << table.name(i);

    // Each BevelButton entry is the button's own operation of that name, with its signature.
    const std::vector<Operation> own = BevelButton::operations();
    ASSERT_EQ(own.size(), 22u);
    for (std::size_t i = 0; i < own.size(); ++i) {
        EXPECT_EQ(table.name(i + 1), "BevelButton." + own[i].name);
        EXPECT_EQ(table.entry(i + 1).signature, own[i].signature) << own[i].name;
    }
    EXPECT_EQ(table.find("BevelButton.Icon.Set")->signature, "( Picture )");
    EXPECT_EQ(table.find("BevelButton.List")->signature, "( Int32 ) as String");
    EXPECT_EQ(table.find("BevelButton.MenuValue.Get")->signature, "(  ) as Int32");
}

TEST_F(PluginEntryPointsTest, ControlsThisFrameworkCannotMakeRefuseWithAClearMessage)
{
    table.fill(parvolin::pluginEntryPointNames());
    const std::pair<const char*, const char*> foreign[] = {
        {"Placard.Value.Set", "placards"},
        {"DisclosureTriangle.Value.Set", "disclosure triangles"},
        {"ImageWell.Image.Set", "image wells"},
        {"_", "placeholder"},
    };
    const Ref<Picture> anything = Picture::fromImage(QImage());
    for (const auto& [name, says] : foreign) {
        const Operation* entry = table.find(name);
        ASSERT_NE(entry, nullptr) << name;
        try {
            entry->body(*anything, {});
            ADD_FAILURE() << name << " did not refuse";
        } catch (const UnsupportedOperation& refused) {
            EXPECT_NE(std::string(refused.what()).find(says), std::string::npos) << refused.what();
            EXPECT_NE(std::string(refused.what()).find("not available"), std::string::npos) << refused.what();
        }
    }
}

TEST_F(PluginEntryPointsTest, ANameThatResolvesToNothingIsAnErrorThatNamesIt)
{
    for (const char* wrong : {"BevelButton.Explode", "Gauge.Value.Set", "BevelButton", ".Value.Set", ""}) {
        table.fill({"_", "BevelButton.Icon.Set"});
        try {
            table.fill({"_", "BevelButton.Icon.Set", wrong, "Placard.Value.Set"});
            ADD_FAILURE() << wrong << " was accepted";
        } catch (const BindingError& error) {
            EXPECT_NE(std::string(error.what()).find("\"" + std::string(wrong) + "\""), std::string::npos)
                << error.what();
        }
        EXPECT_EQ(table.size(), 0u) << "no half-filled table stays behind";
    }
}
