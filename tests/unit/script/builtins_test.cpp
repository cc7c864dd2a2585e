#include "script/builtins.h"

#include <gtest/gtest.h>

#include <cmath>

#include "script_test_owner.h"

namespace velk {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

Picture SizedPicture(std::int32_t width, std::int32_t height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    return picture;
}

// A window with a few objects, files and variables for the built-ins to read.
struct BuiltinRig : EvaluatorRig {
    explicit BuiltinRig(bool with_owner = true) : EvaluatorRig(with_owner) {
        variables.SetNumber("n", 2);
        variables.SetString("abc$", "hello");
        variables.SetString("num$", "7.5");
        variables.SetString("list$", "a,b,c,");
        variables.SetString("gap$", "a,,c,");
        variables.SetString("comma$", ",");
        variables.SetString("semi$", "x;y;");  // a comma cannot be written inside the arguments
        Object& picture = owner.AddObject("Pic2", kKindImage, {10, 20, 110, 70});
        picture.image1 = SizedPicture(64, 48);
        picture.image_origin = {5, 6};
        owner.AddObject("Hidden", kKindShape, {0, 0, 1, 1}).hidden = 1;
        owner.AddObject("Empty", kKindImage, {0, 0, 8, 9}).image1 = SizedPicture(0, 9);
        owner.AddObject("Label", kKindText, {0, 0, 300, 20}).text = "ab\r\ncde\r\n";
        owner.AddObject("Movie", kKindVideo, {1, 2, 161, 122});
        owner.files.AddFile("Z:\\show\\t.txt", Bytes("l1\r\nl2\r\nl3\r\n"));
    }

    double Number(std::string_view text) { return evaluator.Evaluate(text); }
    std::string Text(std::string_view expression) {
        evaluator.Evaluate("r$=" + std::string(expression));
        return variables.GetString("r$");
    }
};

struct NumberCase {
    const char* text;
    double value;
};

TEST(BuiltinsTest, Numeric) {
    const NumberCase cases[] = {
        {"rnd(0)", 0},
        {"int(-2.7)", -2},
        {"int(3e9)", 3e9},
        {"abs(-2.7)", 2},
        {"ABS(-3)+Int(1.5)", 4},
        {"val('12.5')+1", 13.5},
        {"val(num$)", 7.5},
        {"val('1'+'2')*2", 24},
        {"val('x')", 0},
        {"len(abc)", 3},
        {"len('abc')", 3},
        {"len(abc$)", 5},
        {"len('a b')", 3},
        {"len( abc$ )", 5},
        {"ord('A')", 65},
        {"ord('\xE9')", 233},
        {"ord('')", 0},
        {"pos(b,abc)", 2},
        {"pos(x,abc)", 0},
        {"pos(l,,,abc$)", 3},  // consecutive commas count as one
        {"mousex()", 12},
        {"mousey(ignored)", 34},
        {"mouselbutton()+mouserbutton()", 1},
        {"mousex", 0},  // without brackets: a variable
        {"getarraynum(list$,',')", 3},
        {"getarraynum(list$,0x2C)", 3},
        {"getarraynum(list,',')", 0},
        {"pubwidth()*10000+pubheight()", 6400480},
        {"pubx()*1000+puby()", 100050},
        {"clientwidth()*1000+clientheight()", 632453},
        {"screenwidth()*1000+screenheight()", 1024768},
        {"workareawidth()*1000+workareaheight()", 1024738},
        {"isminimized()", 0},
        {"screencolors()", 32},
        {"usingwinnt()", 1},
        {"procfreq()", 0},
        {"isvisible(Pic2)", 1},
        {"isvisible(Pic[n])", 1},
        {"isvisible(Hidden)", 0},
        {"isvisible(None)", -1},
        {"objectx(Pic2)*1000+objecty(Pic2)", 10020},
        {"objectwidth(Pic2)*1000+objectheight(Pic2)", 100050},
        {"objectwidth(Label)*1000+objectheight(Label)", 21032},
        {"objectwidth(Movie)*1000+objectheight(Movie)", 160120},
        {"objectwidth(None)", 0},
        {"imagewidth(Pic2)*1000+imageheight(Pic2)", 64048},
        {"imagescrollx(Pic2)*10+imagescrolly(Pic2)", 56},
        {"imagewidth(Empty)+imagescrollx(Hidden)", 0},
        {"scrollbarsize(Pic2)", 0},
        {"getvideoparam(Movie, LOOP )", 0},
        {"nol(<SrcDir>t.txt)", 4},
        {"nol(<SrcDir>none.txt)", 0},
    };
    for (const NumberCase& c : cases) {
        BuiltinRig rig;
        EXPECT_EQ(rig.Number(c.text), c.value) << c.text;
        EXPECT_FALSE(rig.evaluator.HasError()) << c.text << ": " << rig.evaluator.ErrorText();
    }
}

TEST(BuiltinsTest, RndDrawsFromThePlayersGenerator) {
    BuiltinRig rig;
    RuntimeRandom same;
    for (int i = 0; i < 20; ++i) {
        const double expected = std::trunc(same.Next() / 32767.0 * 10 + 0.5);
        EXPECT_EQ(rig.Number("rnd(10)"), expected);
    }
}

TEST(BuiltinsTest, DisplayedPictureFollowsParam1) {
    BuiltinRig rig;
    Object& picture = *rig.owner.FindObject("Pic2");
    picture.param1 = 1;
    picture.image2 = SizedPicture(30, 40);
    EXPECT_EQ(rig.Number("imagewidth(Pic2)"), 30);
    picture.image2->height = 0;
    EXPECT_EQ(rig.Number("imagewidth(Pic2)"), 64);
}

struct TextCase {
    const char* expression;
    const char* text;
};

TEST(BuiltinsTest, Strings) {
    const TextCase cases[] = {
        {"char(5)", "5"},
        {"char(n)+'/'+char(1.5)", "2/1.5"},
        {"chr(65)+chr(321)+chr(256)", "AA"},
        {"getarrayitem(list$,comma$,2)", "b"},
        {"getarrayitem(list$,comma$,3)", "c"},
        {"getarrayitem(list$,comma$,4)", ""},
        {"getarrayitem(list$,comma$,0)", ""},
        {"getarrayitem(gap$,comma$,3)", ""},
        {"getarrayitem(list,comma$,1)", ""},
        {"getarrayitem(semi$,';',2)", "y"},
        {"winver()", "5.01.2600"},
        {"getmemory()", "0/0"},
        {"extractext('C:\\dir\\file.txt')", ".txt"},
        {"extractname('C:\\dir\\file.txt')", "file"},
        {"extractdir('C:\\dir\\file.txt')", "\\dir\\"},
        {"extractdrive('C:\\dir\\file.txt')", "C:"},
        {"extractdir(<SrcDir>a.b.c)+extractext(<SrcDir>a.b.c)", "\\show\\.c"},
        {"low('AbC\xC9\x8A')", "abc\xE9\x9A"},
        {"upp('abc\xE9\xFF')", "ABC\xC9\x9F"},
        {"upp(abc$)", "HELLO"},
        {"strcopy('abcdef',2,3)", "bcd"},
        {"strcopy('abcdef',0,2)", "ab"},
        {"strcopy('abcdef',5,9)", "ef"},
        {"strcopy('abc',4,1)", ""},
        {"strcopy('abc',2,0)", ""},
        {"strcopy(abc$,n,n)", "el"},
        {"strdel('abcdef',2,3)", "aef"},
        {"strdel('abc',5,1)", "abc"},
        {"strdel('abc',2,99)", "a"},
        {"strins('abc','X',2)", "aXbc"},
        {"strins('abc','X',0)", "Xabc"},
        {"strins('abc','X',4)", "abcX"},
        {"strins('','X',1)", ""},
        {"strchange('aaa','aa','b')", "ba"},
        {"strchange('a.b.c','.','--')", "a--b--c"},
        {"strchange('abc','','x')", "abc"},
        {"strget('abc',3)", "c"},
        {"strget('abc',0)", "a"},
        {"strget('abc',4)", ""},
        {"strset('abc',2,'X')", "aXc"},
        {"strset('abc',3,'XY')", "abXY"},
        {"strset('abc',2,'')", ""},
        {"strofchar('ab',3)", "ababab"},
        {"strofchar('ab',0)", ""},
        {"strfromfile(<SrcDir>t.txt,2,1)", "l2"},
        {"strfromfile(<SrcDir>t.txt,2,2)", "l2\r\nl3"},
        {"strfromfile(<SrcDir>t.txt,3,5)", "l3\r\n"},
        {"strfromfile(<SrcDir>t.txt,0,-1)", "l1\r\nl2\r\nl3\r\n"},
        {"strfromfile(<SrcDir>t.txt,2,-1)", "l2\r\nl3\r\n"},
        {"strfromfile(<SrcDir>t.txt,0,1)", ""},
        {"strfromfile(<SrcDir>t.txt,9,1)", ""},
        {"strfromfile(<SrcDir>none.txt,1,1)", ""},
        {"'<'+strcopy('abc',1,1)+'>'", "<a>"},
    };
    for (const TextCase& c : cases) {
        BuiltinRig rig;
        EXPECT_EQ(rig.Text(c.expression), c.text) << c.expression;
        EXPECT_FALSE(rig.evaluator.HasError()) << c.expression << ": " << rig.evaluator.ErrorText();
    }
}

TEST(BuiltinsTest, StrToFileWritesAppendsAndReportsFailure) {
    BuiltinRig rig;
    rig.owner.files.AddFolder("Z:\\show");
    EXPECT_EQ(rig.Number("strtofile(<SrcDir>o.txt,abc$,true,true)"), 1);
    EXPECT_EQ(rig.Number("strtofile(<SrcDir>o.txt,'x y',TRUE,1)"), 1);
    EXPECT_EQ(rig.Number("strtofile(<SrcDir>o.txt,z,1,no)"), 1);
    EXPECT_EQ(rig.owner.files.ReadFile("Z:\\show\\o.txt"), Bytes("hello\r\nx yz"));
    EXPECT_EQ(rig.Number("strtofile(<SrcDir>o.txt,new,false,true)"), 1);
    EXPECT_EQ(rig.owner.files.ReadFile("Z:\\show\\o.txt"), Bytes("new"));

    EXPECT_EQ(rig.Number("strtofile(Z:\\missing\\o.txt,a,0,0)"), 0);
    EXPECT_EQ(rig.owner.messages,
              std::vector<std::string>{"Couldn't create the file!Z:\\missing\\o.txt"});
}

struct ErrorCase {
    const char* text;
    double value;
    const char* error;
};

TEST(BuiltinsTest, ArgumentErrors) {
    const ErrorCase cases[] = {
        {"len('abc'", 0, " Expecting )"},
        {"len('abc)", 0, " Expecting '"},
        {"pos(b)", 0, " Wrong number of parameters."},
        {"pos(,,b)", 0, " Wrong number of parameters."},
        {"val('3'", 0, " Expecting: ')'"},
        {"val(3)", 0,
         " Error:You are trying to mix string and non-string variables.\nTo convert a numeric "
         "variable to the string use CHAR(variable)\nTo assign a constant string use: "
         "string$='abcdef' not string$=\"abcdef\""},
        {"int(2.5", 2, "Unmatched braces '()'  Expected ')'"},
        {"r$=strcopy('abc',2)", 1, " Wrong number of parameters."},
        {"mousex(", 0, " Expecting )"},
    };
    for (const ErrorCase& c : cases) {
        BuiltinRig rig;
        EXPECT_EQ(rig.Number(c.text), c.value) << c.text;
        EXPECT_EQ(rig.evaluator.ErrorText(), c.error) << c.text;
    }
    BuiltinRig rig;
    EXPECT_EQ(rig.Text("strcopy('abc',2)+'x'"), "x");
}

TEST(BuiltinsTest, WithoutWindowArgumentsAreConsumedAndGiveNothing) {
    BuiltinRig rig(/*with_owner=*/false);
    EXPECT_EQ(rig.Number("len('abc')+mousex()+isvisible(x)+strtofile(a,b,c,d)"), 0);
    EXPECT_EQ(rig.Number("int(2.5)+abs(-1)+val('3')+rnd(0)"), 6);
    EXPECT_EQ(rig.Number("screencolors()"), 32);
    EXPECT_EQ(rig.Text("'a'+strcopy('abc',1,2)+winver()+char(5)+'b'"), "ab");
    EXPECT_FALSE(rig.evaluator.HasError());
    EXPECT_EQ(rig.Number("pos(a)"), 0);
    EXPECT_EQ(rig.evaluator.ErrorText(), " Wrong number of parameters.");
}

TEST(BuiltinsTest, LookupIgnoresCase) {
    EXPECT_NE(FindNumericBuiltin("StrToFile"), nullptr);
    EXPECT_EQ(FindNumericBuiltin("strcopy"), nullptr);
    EXPECT_NE(FindStringBuiltin("STRCOPY"), nullptr);
    EXPECT_EQ(FindStringBuiltin("len"), nullptr);
}

}  // namespace
}  // namespace velk
