dim a[5], b[3, 2]
for k = 0 to 4
a[k] = 4 - k
next
b[1, 0] = 3
b[1, 1] = 2
b[2, 1] = 9
print a[b[1, 0]]; a[b[1, 1]]
a[b[1, 0]] = a[b[1, 1]] + b[a[3], a[4]]
print a[3]
print b[a[3] # 3, a[2] - 1]
print b[a[a[4]] - 3, a[3] - 4]
