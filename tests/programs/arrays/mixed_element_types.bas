dim a[4]
a[0] = "text"
a[0] += 1
print a[0]
a[0] = 2.5
a[0] *= 2
print a[0]
a[0] = 7
a[0] -= 1
print a[0]
a[1] = a[0] / 4
a[2] = "s" + a[1]
print a[1]; a[2]
for k = 0 to 2
a[3] = a[k]
print a[3]
next
a[3] = 1
a[3] -= "x"
