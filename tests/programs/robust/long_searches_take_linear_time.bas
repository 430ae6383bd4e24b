' Needles that nearly match at every place of the text: every search for a
' text takes time linear in the text, not in the product of the two lengths
' (which would keep these searches busy for many minutes).
h = srepeat("a", 4000000)
n = srepeat("a", 2000000) + "b"
m = srepeat("a", 1000000) + "b" + srepeat("a", 1000000)
print instring(h, n, 1); " "; instring(h, m, 1)
h = h + "b"
print instring(h, n, 1); " "; instring(h, n, 2000001); " "; instring(h, n, 2000002)
print length(substitute(h, n, "x")); " "; numparts(h, n); " "; length(extract(h, n, 2))
h = h + srepeat("a", 1000000)
print instring(h, m, 1); " "; instring(h, m, 3000002)
print length(substitute(h, m, "x")); " "; numparts(h, m); " "; length(extract(h, m, 1))
