#include "script/evaluator.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "script/number_text.h"
#include "script_test_owner.h"

namespace velk {
namespace {

// Every case starts from these variables.
void Preset(VariableStore& v) {
    v.SetNumber("i", 3);
    v.SetNumber("true", 5);
    v.SetNumber("a[3]", 30);
    v.SetString("s$", "abc");
    v.SetString("t$[2]", "two");
    v.SetString("ZIZ_PageName", "Intro");
    v.SetNumber("ZIZ_Hour", 7);
    v.SetNumber("big", -1e305);
}

struct Case {
    const char* text;
    double value;
    const char* error = nullptr;  // the error text, when one is reported
    const char* context = nullptr;
};

void Check(const Case& c, bool condition) {
    EvaluatorRig rig;
    Preset(rig.variables);
    const double value =
        condition ? rig.evaluator.EvaluateCondition(c.text) : rig.evaluator.Evaluate(c.text);
    EXPECT_EQ(value, c.value) << c.text;
    EXPECT_EQ(rig.evaluator.HasError(), c.error != nullptr) << c.text;
    if (c.error != nullptr) {
        EXPECT_EQ(rig.evaluator.ErrorText(), c.error) << c.text;
        if (c.context != nullptr) {
            EXPECT_EQ(rig.evaluator.ErrorContext(), c.context) << c.text;
        }
    }
}

TEST(EvaluatorTest, NumericGrammar) {
    const Case cases[] = {
        {"2+3*4", 14},
        {"(2+3)*4", 20},
        {"2^3*2", 16},
        {"10-2-3", 5},
        {"7/2", 3.5},
        {"5/0", 0},
        {"6&3", 2},
        {"5|2", 7},
        {"2.9&3", 2},
        {"1|2&3", 3},  // one level, left to right: (1|2)&3
        {"1<2", 1},
        {"2<>2", 0},
        {"2><3", 1},
        {"1<<5", 1},
        {"9>>5", 9},
        {"3>=3", 1},
        {"3=>4", 0},
        {"2=<2", 1},
        {"2==2", 1},
        {"3>2>1", 0},  // (3>2)>1
        {"1+1=2", 1},
        // Unary minus is 0 minus what follows, at the level of sums.
        {"-3", -3},
        {"2*-3", -3},
        {"-2^2", -4},
        {"4/-2", -2},
        {"1<-2", 0},
        // The power takes whole steps and at most one "^"; 2^-3 is (2^0)-3 by the grammar.
        {"2^10", 1024},
        {"2^0", 1},
        {"2^2.5", 4},
        {"2^0.5", 1},
        {"2^-1", 0},
        {"2^-3", -2},
        {"2^3^2", 8},
        {"(-1)^1000001", -1},
        {"0.5^1e300", 0},
        {"1^1e300", 1},
        // Numbers: blanks vanish, "d" is an exponent letter.
        {"1 000", 1000},
        {"1.5e3", 1500},
        {"1D2", 100},
        {"2.5e-1", 0.25},
        {" \t12 ", 12},
        {"1e+2", 3},  // "1e" is 1, then +2
        // Names.
        {"i*2", 6},
        {"q", 0},
        {"TRUE", 1},
        {"FALSE", 0},
        {"true", 5},
        {"a[i]", 30},
        {"a[2+1.9]", 30},
        {"a [ 3 ]", 30},
        {"mousex", 0},
        {"ZIZ_PageName", 1e-99},  // a text variable read as a number
    };
    for (const Case& c : cases) Check(c, false);
}

TEST(EvaluatorTest, Errors) {
    const Case cases[] = {
        {"", -1, "Syntax Error ", " ?????"},
        {"+2", 1, "Syntax Error ", "+ ?????"},
        {"2+'", 1, "Syntax Error ", "2+' ?????"},
        {"2x", 2, "Syntax Error - Operand missing ", "2x ?????"},
        {"2 (3)", 2, "Syntax Error - Operand missing ", "2 ( ?????"},
        {"(2)x", 2, "Syntax Error - Operand missing ", "(2)x ?????"},
        {"a[3]_", 30, "Syntax Error - Operand missing ", "a[3]_ ?????"},
        {"(1+2", 3, "Unmatched braces '()'  Expected ')'", "(1+2 ?????"},
        {"1+2)", 3, "Unmatched braces '()'  : You have more ')' braces than '('", "1+2) ?????"},
        {"a[3", 30, "Unmatch brackets '[]'  Expected ']'", "a[3 ?????"},
        {"1e302", 1e301, "Overflow  ", "1e302 ?????"},
        {"1e200*1e200+1", 1e301 + 1, "Overflow  ", "1e200*1e200+ ?????"},
        {"2^2000", 1e301, "Overflow  "},
        {"1.0000001^1e15", 1e301, "Overflow  "},
        {"-1e302", -1e301, "Overflow  "},  // 0 minus the product 1e302
        {"big*2", -2e305},                 // large negative products are not limited
        // Only the first error counts.
        {"(2x", 2, "Syntax Error - Operand missing ", "(2x ?????"},
        // A string variable where a number is expected.
        {"s$", 0,
         " Using String variable in the wrong place \nor as a part of non-string expression..",
         "s$ ?????"},
        {"s$+1", 1, " String on wrong place \nor using string in non-string expression.",
         "s$+ ?????"},
        {"2+3", 5},
    };
    for (const Case& c : cases) Check(c, false);
}

TEST(EvaluatorTest, NestingIsBounded) {
    EvaluatorRig rig;
    const std::string deep = std::string(200, '(') + "1" + std::string(200, ')');
    EXPECT_EQ(rig.evaluator.Evaluate(deep), 1);
    EXPECT_FALSE(rig.evaluator.HasError());
    const std::string damaged(100000, '(');
    rig.evaluator.Evaluate(damaged);
    EXPECT_EQ(rig.evaluator.ErrorText(), "Syntax Error ");
}

TEST(EvaluatorTest, AssignmentAndConditionModes) {
    EvaluatorRig rig;
    Evaluator& e = rig.evaluator;
    VariableStore& v = rig.variables;

    EXPECT_EQ(e.Evaluate("x=4"), 4);
    EXPECT_EQ(v.GetNumber("x"), 4);
    EXPECT_EQ(e.EvaluateCondition("x=4"), 1);
    EXPECT_EQ(e.EvaluateCondition("x=5"), 0);
    EXPECT_EQ(v.GetNumber("x"), 4);

    EXPECT_EQ(e.Evaluate("a=b=3"), 3);
    EXPECT_EQ(v.GetNumber("a"), 3);
    EXPECT_EQ(v.GetNumber("b"), 3);
    EXPECT_EQ(e.Evaluate("a b = 7"), 7);
    EXPECT_EQ(v.GetNumber("ab"), 7);

    EXPECT_EQ(e.Evaluate("k[2.9]=5"), 5);
    EXPECT_EQ(e.Evaluate("k[-0.5]=6"), 6);
    EXPECT_EQ(v.FindNumber("k[2]"), 5);
    EXPECT_EQ(v.FindNumber("k[0]"), 6);
    EXPECT_EQ(e.Evaluate("k[2]+k[0]"), 11);

    EXPECT_EQ(e.Evaluate("y="), -1);
    EXPECT_TRUE(e.HasError());
    EXPECT_EQ(v.GetNumber("y"), -1);

    // The error state belongs to the last evaluation.
    EXPECT_EQ(e.Evaluate("x+1"), 5);
    EXPECT_FALSE(e.HasError());
    EXPECT_EQ(e.ErrorContext(), "");

    EXPECT_EQ(e.Evaluate("x=x+1"), 5);
    EXPECT_EQ(v.GetNumber("x"), 5);
}

struct StringCase {
    const char* text;
    const char* stored;  // the text of r$ afterwards
    const char* error = nullptr;
};

TEST(EvaluatorTest, StringExpressions) {
    const StringCase cases[] = {
        {"r$='it\\'s'", "it's"},
        {"r$='a b'+'c'", "a bc"},
        {"r$ = 'x' + s$ + 'y'", "xabcy"},
        {"r$=t$[1+1]", "two"},
        {"r$=t$[i-1]+s$", "twoabc"},
        {"r$=nothing$", ""},
        {"r$=ZIZ_PageName+'/'+ZIZ_Hour+ZIZ_Nothing", "Intro/7"},
        {"r$='a\\b'", "a\\b"},
        {"r$=<SrcDir>+'a.txt'", "Z:\\show\\a.txt"},
        {"r$='<SrcDir>b.txt'", "Z:\\show\\b.txt"},
        {"r$=<List>2+'x'", "Bx"},
        {"r$=<List>i", "C"},
        {"r$=<List>4", ""},
        {"r$=<List>0", ""},
        {"r$=\"ab\"", "",
         " Error:You are trying to mix string and non-string variables.\nTo convert a numeric "
         "variable to the string use CHAR(variable)\nTo assign a constant string use: "
         "string$='abcdef' not string$=\"abcdef\""},
        {"r$=i", "",
         " Error:You are trying to mix string and non-string variables.\nTo convert a numeric "
         "variable to the string use CHAR(variable)\nTo assign a constant string use: "
         "string$='abcdef' not string$=\"abcdef\""},
        {"r$='abc", "", " Missing ' on the end of constant string."},
        {"r$='a'+<SrcDir", "a", " Expecting >"},
    };
    for (const StringCase& c : cases) {
        EvaluatorRig rig;
        Preset(rig.variables);
        rig.owner.songs = {"A", "B", "C"};
        EXPECT_EQ(rig.evaluator.Evaluate(c.text), 1) << c.text;
        EXPECT_EQ(rig.variables.GetString("r$"), c.stored) << c.text;
        EXPECT_EQ(rig.evaluator.HasError(), c.error != nullptr) << c.text;
        if (c.error != nullptr) {
            EXPECT_EQ(rig.evaluator.ErrorText(), c.error) << c.text;
        }
    }
}

TEST(EvaluatorTest, StringConditions) {
    const Case cases[] = {
        {"s$='abc'", 1},    {"s$='ABC'", 0},       {"s$<>'abc'", 0},
        {"s$<>'abd'", 1},   {"s$>'abb'", 1},       {"s$<'abd'", 1},
        {"s$<'ab'", 0},     {"s$>'\xE9'", 0},  // unsigned bytes: 0xE9 sorts after letters
        {"missing$=''", 1}, {"s$='abc' & i=3", 1}, {"s$='ab'+'c'", 1},
    };
    for (const Case& c : cases) Check(c, true);
}

TEST(EvaluatorTest, WithoutWindowMacrosStayAndTheListIsEmpty) {
    EvaluatorRig rig(/*with_owner=*/false);
    rig.evaluator.Evaluate("r$=<SrcDir>+'|'+<List>1");
    EXPECT_EQ(rig.variables.GetString("r$"), "<SrcDir>|");
    EXPECT_FALSE(rig.evaluator.HasError());
}

TEST(EvaluatorTest, NumbersShowIntegralOrFifteenDigitsWhateverTheLocale) {
    // A locale with a decimal comma must not leak into what scripts show (when the machine has
    // one).
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const std::pair<double, const char*> cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {42, "42"},
        {-7, "-7"},
        {2147483647, "2147483647"},
        {4294967296.0, "4294967296"},
        {0.5, "0.5"},
        {1.0 / 3, "0.333333333333333"},
        {1e20, "1e+20"},
        {-2.25, "-2.25"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(NumberToText(value), text) << value;
    std::setlocale(LC_NUMERIC, "C");
}

TEST(EvaluatorTest, NumberToText) {
    EXPECT_EQ(NumberToText(3), "3");
    EXPECT_EQ(NumberToText(-2147483648.0), "-2147483648");
    EXPECT_EQ(NumberToText(2147483648.0), "2147483648");
    EXPECT_EQ(NumberToText(0.1), "0.1");
    EXPECT_EQ(NumberToText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(NumberToText(1e20), "1e+20");
    EXPECT_EQ(NumberToText(-0.0), "0");
}

TEST(EvaluatorTest, TextToNumber) {
    std::size_t used = 0;
    EXPECT_EQ(TextToDouble("  -1.5e2xyz", &used), -150);
    EXPECT_EQ(used, 8u);
    EXPECT_EQ(TextToDouble("2d3"), 2000);
    EXPECT_EQ(TextToDouble("7e"), 7);
    EXPECT_EQ(TextToDouble(".5"), 0.5);
    EXPECT_EQ(TextToDouble("abc"), 0);
    EXPECT_EQ(TextToDouble("1,5"), 1);
    EXPECT_TRUE(std::isinf(TextToDouble("1e999")));
    EXPECT_EQ(TextToDouble("1e-999"), 0);
    EXPECT_EQ(TextToInt(" -42abc"), -42);
    EXPECT_EQ(TextToInt("99999999999"), 2147483647);
}

}  // namespace
}  // namespace velk
