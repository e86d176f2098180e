// The run time: texts, handles, class records and delegates.

#include "TestSupport.h"
#include "menus/MenuItem.h"
#include "runtime/Application.h"
#include "runtime/ClassRecord.h"
#include "runtime/Delegate.h"
#include "runtime/Text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace platform;

TEST(TextFunctions, CountCharactersNotBytes)
{
    const Text name("Beyonc\xC3\xA9 \xE2\x99\xAB"); // "Beyoncé ♫"
    EXPECT_EQ(Len(name), 9);
    EXPECT_EQ(Right(name, 2), Text(" \xE2\x99\xAB"));
    EXPECT_EQ(Left(name, 7), Text("Beyonc\xC3\xA9"));
    EXPECT_EQ(Left(name, 6), Text("Beyonc"));
    EXPECT_EQ(Left(name, 0), Text());
    EXPECT_EQ(Right(name, 99), name);
    EXPECT_EQ(Asc(Text("\xC3\xA9")), 0xE9);
    EXPECT_EQ(Chr(0x266B), Text("\xE2\x99\xAB"));
    EXPECT_EQ(Chr(13).bytes(), "\r");
    EXPECT_EQ(Asc(Text()), 0);
}

TEST(TextFunctions, FolderNamesComeFromTheLastTwoDigits)
{
    const auto folderName = [](std::int32_t row) { return Text("F") + Right(Text("0") + Str(row), 2); };
    EXPECT_EQ(folderName(0), Text("F00"));
    EXPECT_EQ(folderName(9), Text("F09"));
    EXPECT_EQ(folderName(10), Text("F10"));
    EXPECT_EQ(folderName(99), Text("F99"));
    EXPECT_EQ(folderName(100), Text("F00"));
    EXPECT_EQ(folderName(123), Text("F23"));
}

TEST(TextFunctions, ValReadsTheNumberAtTheHead)
{
    EXPECT_EQ(Val(Text("25 audio files")), 25.0);
    EXPECT_EQ(Val(Text("  -3.5e2x")), -350.0);
    EXPECT_EQ(Val(Text("0 files...")), 0.0);
    EXPECT_EQ(Val(Text("files")), 0.0);
    EXPECT_EQ(Val(Text("")), 0.0);
    for (const char* notANumber : {"inf", "nan", "-Infinity", "0x1A", "."})
        EXPECT_EQ(Val(Text(notANumber)), 0.0) << notANumber;
    EXPECT_EQ(Str(std::int32_t{-2147483647 - 1}), Text("-2147483648"));
    EXPECT_EQ(Str(std::uint64_t{18446744073709551615ULL}), Text("18446744073709551615"));
}

TEST(TextFunctions, ConversionToInt32NeverOverflows)
{
    EXPECT_EQ(CvtReal64ToSInt32(7.9), 7);
    EXPECT_EQ(CvtReal64ToSInt32(-7.9), -7);
    EXPECT_EQ(CvtReal64ToSInt32(1e300), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(CvtReal64ToSInt32(-1e300), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(CvtReal64ToSInt32(std::nan("")), 0);
    EXPECT_EQ(StringCompare(Text("Play"), Text("Play")), 0);
    EXPECT_NE(StringCompare(Text("Play"), Text("play")), 0);
}

TEST(Handles, EmptyHandleThrowsTheNilObjectException)
{
    Ref<Object> empty;
    EXPECT_FALSE(empty);
    EXPECT_THROW(empty->classRecord(), NilObjectException);
    EXPECT_THROW(*empty, NilObjectException);
    EXPECT_FALSE(RuntimeCheckCast<Object>(empty));
}

namespace {

class Greeter : public Object {
public:
    static constexpr const char* kClassName = "Greeter";
    bool greet(const Text& name)
    {
        last = name;
        return true;
    }
    void poke() { ++pokes; }
    void count(std::int32_t a, std::int32_t b) { pokes += a * b; }
    Text last;
    int pokes = 0;
};

class LoudGreeter : public Greeter {
public:
    static constexpr const char* kClassName = "LoudGreeter";
    void poke2() { pokes += 10; }
};

class ClassRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto& registry = ClassRegistry::instance();
        if (!registry.isDeclared("Greeter")) {
            registry.declare({"LoudGreeter", "Greeter", [] {
                                  return std::vector<Operation>{method<&LoudGreeter::poke2>("poke"),
                                                                method<&LoudGreeter::poke2>("shout")};
                              }});
            registry.declare({"Greeter", "Object", [] {
                                  return std::vector<Operation>{method<&Greeter::greet>("greet"),
                                                                method<&Greeter::poke>("poke"),
                                                                method<&Greeter::count>("count")};
                              }});
        }
    }
};

} // namespace

TEST_F(ClassRecordTest, SuperclassIsBuiltFirstAndOnlyOnce)
{
    auto& registry = ClassRegistry::instance();
    const ClassRecord& loud = registry.build("LoudGreeter");
    const ClassRecord* greeter = registry.find("Greeter");
    ASSERT_NE(greeter, nullptr);
    EXPECT_EQ(loud.superclass(), greeter);
    const auto& order = registry.buildOrder();
    const auto at = [&](const ClassRecord* r) { return std::find(order.begin(), order.end(), r) - order.begin(); };
    EXPECT_LT(at(greeter), at(&loud));
    EXPECT_EQ(&registry.build("LoudGreeter"), &loud);
    EXPECT_EQ(std::count(order.begin(), order.end(), &loud), 1);
}

TEST_F(ClassRecordTest, OperationsKeepTheSuperclassOrderAndOverridesTakeTheirSlot)
{
    const ClassRecord& loud = ClassRegistry::instance().build("LoudGreeter");
    std::vector<std::string> names;
    for (const Operation& op : loud.operations())
        names.push_back(op.name);
    EXPECT_EQ(names, (std::vector<std::string>{"greet", "poke", "count", "shout"}));
    EXPECT_EQ(loud.find("greet")->signature, "( String ) as Boolean");
    EXPECT_EQ(loud.find("poke")->signature, "(  )");
    EXPECT_EQ(loud.find("count")->signature, "( Int32, Int32 )");

    auto object = RuntimeNewObject<LoudGreeter>();
    loud.find("poke")->body(*object, {});
    EXPECT_EQ(object->pokes, 10); // the override, not Greeter::poke
}

TEST_F(ClassRecordTest, DelegatesCallByNameAndRefuseWrongSignatures)
{
    ClassRegistry::instance().build("Greeter");
    auto greeter = RuntimeNewObject<Greeter>();
    const Ref<Object> target(greeter);

    const Delegate greet = delegateForMethod(target, "greet", "( String ) as Boolean", "test");
    EXPECT_EQ(greet.invoke({Text("Ann")}), Value(true));
    EXPECT_EQ(greeter->last, Text("Ann"));

    const auto expectBindingError = [&](const std::string& method, const std::string& signature,
                                        const std::string& fragment) {
        try {
            delegateForMethod(target, method, signature, "Window9, control list, event Change, method " + method);
            FAIL() << method;
        } catch (const BindingError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("Window9, control list, event Change, method " + method), std::string::npos);
            EXPECT_NE(message.find(fragment), std::string::npos) << message;
        }
    };
    expectBindingError("greet", "(  )", "( String ) as Boolean");
    expectBindingError("wave", "(  )", "no method \"wave\"");
}

TEST_F(ClassRecordTest, DelegateOfAGoneObjectThrowsInsteadOfCrashing)
{
    ClassRegistry::instance().build("Greeter");
    Delegate poke;
    {
        auto greeter = RuntimeNewObject<Greeter>();
        poke = delegateForMethod(Ref<Object>(greeter), "poke", "(  )", "test");
    }
    EXPECT_THROW(poke.invoke(), NilObjectException);
}

TEST(Delegates, PlainFunctionsTakeOnlyTheEmptySignature)
{
    int calls = 0;
    const Delegate startup = RuntimeCreateDelegate(Invoker::Invoke, "_Startup", [&] { ++calls; }, "(  )");
    startup.invoke();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(startup.signature(), "(  )");
    EXPECT_THROW(RuntimeCreateDelegate(Invoker::Invoke, "_Startup", [] {}, "(  ) as Boolean"), BindingError);
}

TEST(Delegates, OperationsTheDesktopDoesNotOfferRefuseWithAMessageThatSaysSo)
{
    const auto refusal = [](const Ref<Object>& object, const std::string& name, const std::string& signature) {
        try {
            delegateForMethod(object, name, signature, "test").invoke();
        } catch (const UnsupportedOperation& error) {
            return std::string(error.what());
        }
        return std::string("no refusal");
    };
    const Ref<Object> application(RuntimeNewObject<Application>());
    const Ref<Object> item(RuntimeNewObject<MenuItem>());
    const std::string documents = refusal(application, "NewDocument", "(  )");
    EXPECT_NE(documents.find("\"NewDocument\" is not available"), std::string::npos) << documents;
    EXPECT_NE(documents.find("no documents"), std::string::npos) << documents;
    EXPECT_NE(refusal(application, "AddTrayItem", "( TrayItem )").find("no tray items"), std::string::npos);
    EXPECT_NE(refusal(item, "PopUp", "(  ) as MenuItem").find("no contextual menus"), std::string::npos);
}
