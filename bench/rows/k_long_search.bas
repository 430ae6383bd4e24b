h = srepeat("a", 4194304)
n = srepeat("a", 2097152) + "b"
m = srepeat("a", 1048576) + "b" + srepeat("a", 1048576)
k = 0
for i = 1 to 10
k = k + instring(h, n, i) + instring(h, m, i)
next
h = h + "b" + srepeat("a", 1048576)
for i = 1 to 10
k = k + instring(h, n, i) + instring(h, m, i)
next
print k
