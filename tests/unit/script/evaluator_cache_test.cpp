// The evaluator's compiled programs against its interpreter: random texts over the whole grammar
// (and beyond it), run again and again on two identical stores, one evaluator through its cache,
// the other through a fresh interpreter every time. Value, error state and every variable must
// stay the same after each step.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "script/evaluator.h"
#include "script/expression_parser.h"
#include "script/expression_program.h"
#include "script/number_text.h"

namespace velk {
namespace {

// Random texts: mostly well-formed numeric expressions, with the odd fault mixed in.
class TextGenerator {
  public:
    explicit TextGenerator(std::uint32_t seed) : rng_(seed) {}

    std::string Text() {
        std::string text = Pick(8) == 0 ? " " : "";
        if (Pick(3) == 0) text += Name() + (Pick(2) ? "=" : " = ");
        text += Expression(0);
        if (Pick(10) == 0) text += Pick(2) ? ")" : Junk();
        if (Pick(8) == 0) text += "\t";
        return text;
    }

  private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    std::string Junk() {
        static const char* const kJunk[] = {"+", "'", "\"", "[", "]", "$", ",", "x", "(", ";",
                                            "#", "_", "2x", "^", "&", "",  "~", "{", ".", "e"};
        return kJunk[Pick(std::size(kJunk))];
    }

    std::string Name() {
        static const char* const kNames[] = {"x",   "y",    "i",   "n",   "big", "huge",
                                             "neg", "true", "abs", "nan", "z_1", "q"};
        return kNames[Pick(std::size(kNames))];
    }

    std::string Number() {
        static const char* const kNumbers[] = {
            "0",     "1",     "2",     "3",     "10",         "0.5",
            "2.5",   ".5",    "7",     "1e3",   "1E2",        "2d3",
            "1D-2",  "1e300", "1e301", "1e302", "9e307",      "1e-400",
            "1e999", "1e",    "1e-",   "1.2.3", "2147483648", "4294967297",
            "1 000", "-1",    "3.99",  "1e+2",  "0.1",        "12345678901234567890"};
        return kNumbers[Pick(std::size(kNumbers))];
    }

    std::string Operator() {
        static const char* const kOperators[] = {
            "+",  "-",  "*",  "/",  "^",  "&", "|", "<", ">", "=", "<=", ">=", "<>", "<<",
            ">>", "==", "=<", "=>", "><", "+", "-", "*", "/", "-", "*-", "^-", "/-"};
        return kOperators[Pick(std::size(kOperators))];
    }

    std::string Operand(int depth) {
        const int kind = Pick(depth > 3 ? 4 : 12);
        switch (kind) {
            case 0:
            case 1:
                return Number();
            case 2:
            case 3:
                return Name();
            case 4:
                return Pick(2) ? "TRUE" : "FALSE";
            case 5:
                return Name() + "[" + Expression(depth + 1) + (Pick(12) ? "]" : "");
            case 6:
                return "(" + Expression(depth + 1) + (Pick(12) ? ")" : "");
            case 7:
                return "(" + Name() + "=" + Expression(depth + 1) + ")";
            case 8:
                return "-" + Operand(depth + 1);
            case 9: {
                static const char* const kOthers[] = {"abs(x-7)", "int(2.5)", "rnd(10)",  "s$",
                                                      "s$='a'",   "TRUE$",    "q(2)",     "x[1](2)",
                                                      "2(3)",     "s$='abc'", "len('ab')"};
                return kOthers[Pick(std::size(kOthers))];
            }
            case 10:
                return Name() + "[" + Expression(depth + 1) + "]=" + Expression(depth + 1);
            default:
                return Pick(20) == 0 ? Junk() : Number();
        }
    }

    std::string Expression(int depth) {
        std::string text = Operand(depth);
        const int operators = Pick(depth > 3 ? 2 : 4);
        for (int k = 0; k < operators; ++k) text += Operator() + Operand(depth + 1);
        if (Pick(6) == 0) text = text + " ";
        return text;
    }

    std::mt19937 rng_;
};

void Preset(VariableStore& v) {
    v.SetNumber("x", 3);
    v.SetNumber("big", 2e301);
    v.SetNumber("huge", 1e308);
    v.SetNumber("neg", -1e305);
    v.SetNumber("nan", std::numeric_limits<double>::quiet_NaN());
    v.SetString("s$", "abc");
    v.SetNumber("x[3]", 30);
    v.SetString("q", "text");  // a record made by a string store: its number is 1e-99
}

bool SameNumber(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) || (a != a && b != b);
}

void ExpectSameStores(const VariableStore& a, const VariableStore& b, const std::string& text) {
    ASSERT_EQ(a.All().size(), b.All().size()) << text;
    for (std::size_t k = 0; k < a.All().size(); ++k) {
        const Variable& left = a.All()[k];
        const Variable& right = b.All()[k];
        EXPECT_EQ(left.name, right.name) << text;
        EXPECT_TRUE(SameNumber(left.number, right.number))
            << text << ": " << left.name << " " << left.number << " " << right.number;
        EXPECT_EQ(left.text, right.text) << text;
    }
}

// Two players side by side: one evaluator with its cache, and a store evaluated by a fresh
// interpreter every time (what the evaluator did before it compiled anything).
struct Sides {
    Sides() {
        Preset(cached_store);
        Preset(plain_store);
    }

    // `repeated`: the text through a remembered handle of the same mode.
    void Step(const std::string& text, bool condition, Evaluator::Repeated* repeated = nullptr) {
        const double value = repeated != nullptr ? cached.Evaluate(*repeated)
                             : condition         ? cached.EvaluateCondition(text)
                                                 : cached.Evaluate(text);
        ExpressionParser parser(plain, TrimWhiteSpace(text), condition);
        const double expected = parser.Run();
        if (parser.HasError()) {
            plain_error_text = parser.ErrorText();
            plain_context = parser.ErrorContext();
        } else {
            plain_context.clear();
        }
        const std::string where = (condition ? "if " : "") + text;
        EXPECT_TRUE(SameNumber(value, expected)) << where << ": " << value << " " << expected;
        EXPECT_EQ(cached.HasError(), parser.HasError()) << where;
        EXPECT_EQ(cached.ErrorText(), plain_error_text) << where;
        EXPECT_EQ(cached.ErrorContext(), plain_context) << where;
        EXPECT_EQ(cached_random.Next(), plain_random.Next()) << where;
        ExpectSameStores(cached_store, plain_store, where);
    }

    VariableStore cached_store, plain_store;
    RuntimeRandom cached_random{7}, plain_random{7};
    Evaluator cached{cached_store, cached_random};
    Evaluator plain{plain_store, plain_random};
    std::string plain_error_text, plain_context;
};

TEST(EvaluatorCacheTest, CompiledTextsBehaveAsTheInterpreter) {
    TextGenerator generator(20261210);
    // More texts than the cache holds, so that it starts afresh now and then.
    std::vector<std::string> pool;
    int compiled = 0;
    for (int k = 0; k < 3000; ++k) {
        pool.push_back(generator.Text());
        compiled += ExpressionProgram::Compile(TrimWhiteSpace(pool.back()), false) != nullptr;
    }
    std::vector<Evaluator::Repeated> repeated(pool.begin(), pool.end());
    std::vector<Evaluator::Repeated> repeated_conditions;
    for (const std::string& text : pool) repeated_conditions.emplace_back(text, true);
    // Enough of the texts take the compiled path for the comparison to mean something.
    EXPECT_GT(compiled, 1000);

    Sides sides;
    std::mt19937 rng(99);
    for (int step = 0; step < 40000; ++step) {
        const std::size_t k = rng() % pool.size();
        switch (rng() % 4) {
            case 0:
                sides.Step(pool[k], true);
                break;
            case 1:
                sides.Step(pool[k], false);
                break;
            case 2:
                sides.Step(pool[k], true, &repeated_conditions[k]);
                break;
            default:
                sides.Step(pool[k], false, &repeated[k]);
                break;
        }
        if (::testing::Test::HasFailure()) break;
        // Now and then the stores lose their records (a new project, a reset) or are replaced:
        // nothing compiled may keep pointing into the old ones.
        if (step % 5000 == 4999) {
            sides.cached_store.Clear();
            sides.plain_store.Clear();
        } else if (step % 5000 == 2499) {
            VariableStore fresh;
            Preset(fresh);
            sides.cached_store = fresh;
            sides.plain_store = fresh;
        }
    }
}

TEST(EvaluatorCacheTest, EdgeCasesBehaveAsTheInterpreter) {
    const char* const kTexts[] = {
        "",           "x=",      "x=x+1",        "1e302",       "big",      "big*1",
        "(big)",      "x=big",   "x=(big)*1",    "huge*huge",   "-huge*10", "neg*neg",
        "2^10",       "2^-3",    "2^0.5",        "(-2)^3",      "2^3^2",    "0^0",
        "5/0",        "x/0",     "x=y=3",        "a=b=c=1e302", "1<2<3",    "1<<5",
        "7>>x",       "2.9&3",   "-2.9|0",       "1e10&1",      "x[i=2]=5", "x[x]",
        "n[1e300]=1", "n[-3.9]", "TRUE=5",       "FALSE[2]",    "true=2",   "abs=4",
        "abs(x)",     "y(3)",    "2x",           "(1+2",        "1+2)",     "x[1",
        "+2",         " x = 4 ", "a b = 3",      "1 000+x",     "1e-400*x", "x=1e301*10",
        "nan=0/0",    "x=-",     "((((x))))",    "x=x=x",       "s$",       "q",
        "q=q+1",      "unset",   "unset=unset+1"};
    for (const bool condition : {false, true}) {
        Sides sides;
        for (int round = 0; round < 3; ++round) {
            for (const char* text : kTexts) sides.Step(text, condition);
        }
    }
}

// What the compiler takes: the plain numeric kind, with the overflow of a product left for the
// program to report; built-ins, strings and texts with any other error stay with the interpreter.
TEST(EvaluatorCacheTest, OnlyPlainNumericTextsCompile) {
    struct Case {
        std::string text;
        bool condition;
        bool compiles;
    };
    const Case kCases[] = {
        {"x=x+1", false, true},
        {"a[i]=a[i-1]*2^3", false, true},
        {"(x<3)&(y>=2)|z", true, true},
        {"x=3", true, true},
        {"TRUE", false, true},
        {"1e302*2", false, true},
        {std::string(256, '(') + "1" + std::string(256, ')'), false, false},
        {"abs(x)", false, false},
        {"x=int(2.5)", false, false},
        {"s$='a'", false, false},
        {"s$='a'", true, false},
        {"x=", false, false},
        {"(1+2", false, false},
        {"1+2)", false, false},
        {"2x", false, false},
        {"a[1", false, false},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(ExpressionProgram::Compile(c.text, c.condition) != nullptr, c.compiles)
            << (c.condition ? "if " : "") << c.text;
    }
}

}  // namespace
}  // namespace velk
