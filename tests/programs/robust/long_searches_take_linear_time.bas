' A needle that nearly matches at every place of the text: every search
' for a text takes time linear in the text, not in the product of the two
' lengths (which would keep these searches busy for many minutes).
h = srepeat("a", 4000000)
n = srepeat("a", 2000000) + "b"
print instring(h, n, 1)
h = h + "b"
print instring(h, n, 1)
print instring(h, n, 2000001)
print instring(h, n, 2000002)
print length(substitute(h, n, "x"))
print numparts(h, n)
print length(extract(h, n, 2))
