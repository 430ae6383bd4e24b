#include "FunctionCases.h"

TEST(TextFunctions, MeasuringAndConversion)
{
    const FunctionCase cases[] = {
        { "length(\"abc\")", "i:3" },
        { "length(\"\")", "i:0" },
        { "ascii(\"A\")", "i:65" },
        { "ascii(\"\xE9\")", "i:233" },
        { "ascii(\"\")", "error 45" },
        { "char(65)", "s:A" },
        { "char(321)", "s:A" },
        { "tobyte(66)", "s:B" },
        { "tobyte(\"xyz\")", "s:x" },
        { "isnumber(5)", "i:1" },
        { "isnumber(\"12\")", "i:1" },
        { "isnumber(\" 1e3\")", "i:1" },
        { "isnumber(\"abc\")", "i:0" },
        { "isnumber(\"inf\")", "i:0" },
        { "isnumber(\"nan\")", "i:0" },
        { "isnumber(\"0x1p3\")", "i:0" },
        { "isstring(5)", "i:0" },
        { "isstring(\"5\")", "i:1" },
        { "hextoint(\"0x1F\")", "i:31" },
        { "hextoint(\"$ff\")", "i:255" },
        { "hextoint(\"42\")", "i:42" },
        { "hextoint(\"zz\")", "i:0" },
        { "hextoint(7.9)", "i:7" },
        { "bintoint(\"0%1011\")", "i:11" },
        { "bintoint(\"0%12\")", "i:0" },
        { "bintoint(\"7\")", "i:7" },
        { "tonumber(\"12\")", "i:12" },
        { "tonumber(\"1.5\")", "f:1.5" },
        { "tonumber(\"0x1F\")", "i:31" },
        { "tonumber(\"x\", 7)", "i:7" },
        { "tonumber(\"x\", 7.5)", "f:7.5" },
        { "tonumber(\"x\")", "s:x" },
        { "tonumber(\"x\", \"y\")", "error 36" },
        { "tonumber(2.5, 1)", "f:2.5" },
        { "tostring(0.5)", "s:0.5" },
        { "tostring(1 / 3.0)", "s:0.333333333333333" },
        { "tostring(-7)", "s:-7" },
        { "tostring(1.5e20)", "s:1.5E20" },
        { "tostring(1e-6)", "s:1E-6" },
        { "tostring(0.00001)", "s:0.00001" },
        { "tostring(-0.000012)", "s:-0.000012" },
        { "tostring(0.0000012)", "s:1.2E-6" },
        { "tostring(123456789012345.0)", "s:123456789012345" },
        { "tostring(1234567890123456.0)", "s:1.23456789012346E15" },
        { "tostring(2.0)", "s:2" },
        { "tostring(\"t\")", "s:t" },
        { "hex(255)", "s:FF" },
        { "hex(255, 2)", "s:00FF" },
        { "hex(-1)", "s:FFFFFFFF" },
        { "hex(5, 9)", "s:00000000000005" },
        { "hex(0, 0)", "s:0" },
        { "bin(5)", "s:101" },
        { "bin(5, 8)", "s:00000101" },
        { "bin(0)", "s:0" },
        { "bin(-1)", "s:11111111111111111111111111111111" },
        { "spaces(3)", "s:   " },
        { "spaces(-3)", "s:" },
        { "totime(3725)", "s:01:02:05" },
        { "totime(-1)", "s:00:00:00" },
        { "totime(360000)", "s:100:00:00" },
    };
    RunFunctionCases(cases);
}

TEST(TextFunctions, SpellingNumbers)
{
    const FunctionCase cases[] = {
        { "spell(1234)", "s:One Thousand Two Hundred Thirty Four" },
        { "spell(40)", "s:Forty" },
        { "spell(100)", "s:One Hundred" },
        { "spell(115)", "s:One Hundred Fifteen" },
        { "spell(1000000)", "s:One Million" },
        { "spell(0)", "s:Zero" },
        { "spell(-5)", "s:Five" },
        { "spell(999999999999999)",
            "s:Nine Hundred Ninety Nine Trillion Nine Hundred Ninety Nine Billion Nine Hundred Ninety Nine Million "
            "Nine Hundred Ninety Nine Thousand Nine Hundred Ninety Nine" },
        { "spell(1e15)", "s:Overflow" },
        { "spell(1e300)", "s:Overflow" },
    };
    RunFunctionCases(cases);
}

TEST(TextFunctions, TrimmingAndCase)
{
    const FunctionCase cases[] = {
        { "trim(\" \ta b\" + char(13) + \" \")", "s:a b" },
        { "lefttrim(\"  ab \")", "s:ab " },
        { "righttrim(\"  ab \")", "s:  ab" },
        { "nospaces(\" a\tb c \")", "s:abc" },
        { "upper(\"abc\xE4\xFF\xF7\")", "s:ABC\xC4\x9F\xF7" },
        { "lower(\"ABC\xC4\x8A\xD7\")", "s:abc\xE4\x9A\xD7" },
        { "proper(\"hello big  world\")", "s:Hello Big  World" },
    };
    RunFunctionCases(cases);
}

TEST(TextFunctions, CuttingPaddingAndSearching)
{
    const FunctionCase cases[] = {
        { "right(\"abc\", 0)", "s:c" },
        { "right(\"abc\", 5)", "s:abc" },
        { "right(\"\", 2)", "s:" },
        { "left(\"abc\", 0)", "s:" },
        { "left(\"abc\", -2)", "s:" },
        { "left(\"abc\", 2)", "s:ab" },
        { "instring(\"abcabc\", \"c\", 4)", "i:6" },
        { "instring(\"abcabc\", \"c\")", "i:3" },
        { "instring(\"abc\", \"c\", 9)", "i:0" },
        { "instring(\"abc\", \"\")", "i:0" },
        { "srepeat(\"ab\", 3)", "s:ababab" },
        { "srepeat(\"ab\", 0)", "s:" },
        { "center(\"ab\", \"*\", 5)", "s:*ab**" },
        { "center(\" abcdef \", \"*\", 5)", "s: abcdef " },
        { "justifyl(\" ab\", \"-\", 4)", "s:ab--" },
        { "justifyr(\"ab\", \"\", 4)", "s:  ab" },
        { "extract(\"a,b,c\", \",\", 2)", "s:b" },
        { "extract(\"a,b,c\", \",\", 9)", "s:c" },
        { "extract(\"a,b,c\", \",\", 0)", "s:a" },
        { "extract(\"a::b\", \"::\", 2)", "s:b" },
        { "numparts(\"a,b,c\", \",\")", "i:3" },
        { "numparts(\"abc\", \",\")", "i:0" },
        { "numparts(\"a,\", \",\")", "i:2" },
        { "insert(\"abcdef\", \"XY\", 3)", "s:abXYcdef" },
        { "insert(\"abc\", \"XY\", 9)", "s:abcXY" },
        { "insert(\"abc\", \"XY\", -1)", "s:XYabc" },
        { "replace(\"abcdef\", \"XY\", 3)", "s:abXYef" },
        { "replace(\"abc\", \"XYZ\", 2)", "s:aXYZ" },
        { "replace(\"abc\", \"XY\", 0)", "s:XYc" },
        { "substitute(\"abc\", \"\", \"x\")", "s:abc" },
        { "substitute(\"aaa\", \"a\", \"aa\")", "s:aaaaaa" },
        { "substitute(\"a.b.c\", \".\", \"\")", "s:abc" },
        { "contains(\"hello\", \"xlhz\")", "s:lh" },
        { "notcontains(\"hello\", \"xlhz\")", "s:xz" },
    };
    RunFunctionCases(cases);
}

TEST(TextFunctions, CodesShapesAndCommaTexts)
{
    const FunctionCase cases[] = {
        { "soundex(\"Tymczak\")", "s:T520" },
        { "soundex(\"Lee\")", "s:L000" },
        { "soundex(\"\")", "s:0000" },
        { "soundex(\"Lee\", 2)", "s:L000" },
        { "soundex(\"Pfister\")", "s:P123" },
        { "soundex(\"robert rupert\", 6)", "s:R16361" },
        { "rotshape(\"aqwsdlur\", 1)", "s:qwsalurd" },
        { "rotshape(\"aqwsdlur\", -1)", "s:saqwrdlu" },
        { "rotshape(\"Ax\", 5)", "s:Qx" },
        { "rotshape(\"a\", 2000000001)", "s:q" },
        { "encrypt(\"abc\", \"k\")", "s:abc" },
        { "encrypt(encrypt(\"hello world\", \"key\"), \"key\")", "s:hello world" },
        { "tocommatext(\"a\" + crlf() + \"b c\" + crlf() + \"d\"\"e\")", "s:a,\"b c\",\"d\"\"e\"" },
        { "tocommatext(\"\")", "s:" },
    };
    RunFunctionCases(cases);
}

TEST(TextFunctions, FormatPatterns)
{
    const FunctionCase cases[] = {
        { "format(1234.5, \"#,##0.00\")", "s:1,234.50" },
        { "format(-1234.5, \"#,##0.00\")", "s:-1,234.50" },
        { "format(0.5, \"#.##\")", "s:  .5" },
        { "format(2.5, \"0\")", "s:3" },
        { "format(-2.5, \"0\")", "s:-3" },
        { "format(2.675, \"0.00\")", "s:2.68" },
        { "format(5, \"000\")", "s:005" },
        { "format(12345, \"0.00E+00\")", "s:1.23E+04" },
        { "format(0.00012, \"0.0E-0\")", "s:1.2E-4" },
        { "format(-1, \"0;(0);zero\")", "s:       (1)" },
        { "format(0, \"0;(0);zero\")", "s:      zero" },
        { "format(0.001, \"0.00;(0.00);'nil'\")", "s:              nil" },
        { "format(5, \"\")", "s:5" },
        { "format(5, \"0 'kg'\")", "s:  5 kg" },
        { "format(1, \"abc\")", "s:abc" },
        { "format(\"1\", \"0\")", "error 36" },
        { "format(1, 2)", "error 35" },
    };
    RunFunctionCases(cases);
}
