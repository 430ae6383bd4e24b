h = srepeat("a", 4194304)
n = srepeat("a", 2097152) + "b"
k = 0
for i = 1 to 10
k = k + instring(h, n, i)
next
h = h + "b"
for i = 1 to 10
k = k + instring(h, n, i)
next
print k
