// Text functions called again and again, as compiled expressions run them:
// the same texts, numbers and errors as a single call.
s = "The quick brown fox jumps over the lazy dog"
k = 0
for i = -2 to 46
t = left(s, i)
u = right(s, i - 40)
k = k + length(t) + instring(s, "o", i) + instring(t, u) - instring(u, "", 2)
w = upper(t) + "/" + lower(u)
next
print k; " "; w
n = "12"
for i = 1 to 2
print length(n + "ab"); " "; left(n + "xyz", i)
next
for i = 1 to 3
print left(s, 1e18 * i ^ 4)
next
print "never"
