' Joining an array into a text that would pass the bound of every text
' (256 MiB) gives the failure value at once: the length is counted before
' anything is built, so none of these five joins of 5 GB takes its time.
' (Its texts take a sanitized build many seconds: fuzz/seeds.sh leaves it out.)
dim a[5000]
mconstant a, 1
for i = 1 to 5
x = mtostring(a, spaces(1000000))
next
print x
' Within the bound the text is built.
y = mtostring(a, spaces(10))
print length(y)
' A comma text whose doubled quotes would pass the bound fails the same way,
' from a text or from an array's elements.
q = srepeat(char(34), 135000000)
print tocommatext(q)
dim c[2]
c[0] = q
q = 0
print mtocommatext(c)
