print "[" + right("abc", 0) + "][" + left("abc", 0) + "][" + substring("abcdef", 0, 0) + "]"
print instring("abcabc", "c", 4), " ", instring("abc", "c", 9), " ", instring("abc", "")
print substitute("abc", "", "x"), " ", substitute("aaa", "a", "aa")
print tostring(0.5), " ", tostring(1 / 3.0), " ", tostring(-7)
print replace("abcdef", "XY", 3), " ", insert("abcdef", "XY", 3)
print numparts("a,b,c", ","), " ", numparts("abc", ","), " ", extract("a,b,c", ",", 9)
print soundex("Tymczak"), " ", soundex("Lee"), " ", soundex(""), " ", soundex("Lee", 2), " ", soundex("Pfister")
print spell(1234)
print spell(40), "/", spell(100), "/", spell(1000000), "/", spell(0), "/", spell(-5), "/", spell(1e15)
print hex(255), " ", hex(255, 2), " ", hex(-1), " ", hex(3000000000)
print bin(5), " ", bin(5, 8), " ", bin(0)
print totime(3725), " ", totime(-1)
print "[" + center("ab", "*", 5) + "][" + justifyr("ab", "", 4) + "]"
print encrypt(encrypt("secret text", "key"), "key")
print tonumber("12") + 1, " ", tonumber("1.5") + 1, " ", tonumber("x", 7), " ", tonumber("x")
print format(1234.5, "#,##0.00"), "|", format(0.5, "#.##"), "|", format(-1, "0;(0);zero"), "|"
print upper("abc"), " ", lower("ABC"), " ", proper("hello big world")
print "nested: ", substring("abcdef", length(substring("xy")), 3)
