s = "The quick brown fox jumps over the lazy dog 0123456789"
k = 0
for i = 1 to 1000000
t = left(s, mod(i, 40) + 1)
k = k + length(t) + instring(s, "lazy")
u = upper(t)
next
print k; " "; u
