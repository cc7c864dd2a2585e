#include "script/variable_store.h"

#include <gtest/gtest.h>

#include "script/date_time_variables.h"
#include "script_test_owner.h"

namespace velk {
namespace {

TEST(VariableStoreTest, OneRecordPerNameWithNumberAndText) {
    VariableStore v;
    EXPECT_FALSE(v.SetNumber("x", 1));
    EXPECT_FALSE(v.SetString("x$", "a"));
    EXPECT_TRUE(v.SetNumber("x", 2));
    EXPECT_FALSE(v.SetString("ZIZ_PageName", "Intro"));

    ASSERT_EQ(v.All().size(), 3u);
    EXPECT_EQ(v.All()[0].name, "x");  // order of creation
    EXPECT_EQ(v.All()[0].number, 2);
    EXPECT_EQ(v.All()[0].text, "");
    EXPECT_EQ(v.All()[1].name, "x$");
    EXPECT_EQ(v.All()[1].number, kNoNumber);  // a string store makes no number
    EXPECT_EQ(v.All()[1].text, "a");

    // A numeric store keeps the text of a record, and the other way round.
    EXPECT_TRUE(v.SetNumber("x$", 4));
    EXPECT_EQ(v.FindString("x$"), "a");
    EXPECT_EQ(v.FindNumber("x$"), 4);
    EXPECT_EQ(v.FindNumber("y"), std::nullopt);
    EXPECT_EQ(v.GetNumber("y"), 0);
    EXPECT_EQ(v.GetString("y$"), "");

    // Names are exact.
    EXPECT_EQ(v.Find("X"), nullptr);
}

TEST(VariableStoreTest, IndexNormalisation) {
    VariableStore v;
    v.SetNumber("i", 3.7);
    v.SetNumber("a[3]", 30);
    v.SetNumber("a[0]", 5);
    v.SetString("a$[3]", "three");
    v.SetNumber("j[1]", 2);
    v.SetNumber("b[2]", 22);

    struct Case {
        const char* name;
        bool found;
        double number;
    };
    const Case numbers[] = {
        {"a[3]", true, 30},   {"a[i]", true, 30},     {"a[3.9]", true, 30},
        {"a[-0.5]", true, 5}, {"a[x]", true, 5},  // no variable x: the text is no number, 0
        {"a[4]", false, 0},   {"a[3]tail", true, 30}, {"b[j[1]]", false, 0},
    };
    for (const Case& c : numbers) {
        double value = -1;
        EXPECT_EQ(v.GetNumber(c.name, value), c.found) << c.name;
        EXPECT_EQ(value, c.found ? c.number : -1) << c.name;
    }
    std::string text = "old";
    EXPECT_TRUE(v.GetString("a$[i]", text));
    EXPECT_EQ(text, "three");
    EXPECT_TRUE(v.GetString("a[i]$", text));
    EXPECT_EQ(text, "three");
    EXPECT_FALSE(v.GetString("a$[9]", text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(NormaliseIndexedName("c[i]$", v), "c$[3]");
    EXPECT_EQ(NormaliseIndexedName("plain", v), "plain");
}

TEST(VariableStoreTest, CopiesKeepTheirOwnIndex) {
    VariableStore a;
    a.SetNumber("n", 1);
    VariableStore b = a;
    b.SetNumber("n", 2);
    VariableStore c = std::move(b);
    c.SetNumber("m", 3);
    EXPECT_EQ(a.GetNumber("n"), 1);
    EXPECT_EQ(c.GetNumber("n"), 2);
    EXPECT_EQ(c.GetNumber("m"), 3);
    a = c;
    EXPECT_EQ(a.All().size(), 2u);
    EXPECT_EQ(a.Find("m")->number, 3);
    a.Clear();
    EXPECT_EQ(a.Find("m"), nullptr);
}

TEST(VariableStoreTest, ResolveObjectName) {
    VariableStore v;
    v.SetNumber("k", 2);
    v.SetString("dest$", "Intro");
    v.SetString("Pic2$", "Photo");

    struct Case {
        const char* name;
        bool indexing;
        const char* object;
    };
    const Case cases[] = {
        {"Pic[k]", true, "Pic2"},       {"Button[2.7]", true, "Button2"},
        {"Button[x]", true, "Button0"}, {"Row[a[1]]", true, "Row0"},  // first "[" to last "]"
        {"dest$", true, "Intro"},       {"other$", true, "other$"},
        {"Plain", true, "Plain"},       {"Grid[k][3]", false, "Grid2"},
        {"Grid[3]", false, "Grid"},     {"Grid", false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolveObjectName(c.name, c.indexing, v), c.object) << c.name;
    }
    EXPECT_EQ(SubstituteStringVariable(" dest$ ", v), "Intro");
    EXPECT_EQ(SubstituteStringVariable("$5", v), "$5");
}

TEST(VariableStoreTest, DateAndTimeVariablesNeedTheirDisplayObjects) {
    TestScriptOwner owner;
    VariableStore v;
    for (const char* name : {"ZIZ_DateLong", "ZIZ_Hour", "ZIZ_TimeHMS", "ZIZ_DayNum", "ZIZ_Day",
                             "ZIZ_DateShort", "ZIZ_Year"}) {
        owner.AddObject(name, kKindText, {0, 0, 10, 10});
    }
    const host::LocalTime time{
        .year = 2024, .month = 3, .day = 5, .day_of_week = 2, .hour = 14, .minute = 7, .second = 9};
    UpdateDateTimeVariables(v, owner, time, LocaleTimeFormat("C"));

    EXPECT_EQ(v.GetString("ZIZ_TimeHMS"), "02:07:09 PM");
    EXPECT_EQ(v.GetNumber("ZIZ_Hour"), 14);
    EXPECT_EQ(v.GetNumber("ZIZ_Year"), 2024);
    EXPECT_EQ(v.GetString("ZIZ_Day"), "Tuesday");
    EXPECT_EQ(v.GetNumber("ZIZ_DayNum"), 3);
    EXPECT_EQ(v.GetString("ZIZ_DateShort"), "05/03/24");
    EXPECT_EQ(v.GetString("ZIZ_DateLong"), "March 05, 2024");
    EXPECT_EQ(v.Find("ZIZ_Minute"), nullptr);
    EXPECT_EQ(v.Find("ZIZ_Month"), nullptr);
    EXPECT_EQ(owner.FindObject("ZIZ_Hour")->text, "14");
    EXPECT_EQ(owner.FindObject("ZIZ_DateLong")->text, "March 05, 2024");
    // In the order the variables are written.
    EXPECT_EQ(owner.invalidated,
              (std::vector<std::string>{"ZIZ_TimeHMS", "ZIZ_Hour", "ZIZ_Year", "ZIZ_Day",
                                        "ZIZ_DayNum", "ZIZ_DateShort", "ZIZ_DateLong"}));
}

}  // namespace
}  // namespace velk
