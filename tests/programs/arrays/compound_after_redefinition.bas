dim a[3]
for k = 1 to 2
a[1] = 5
a[1] += k
print a[1]
next
dim b[2]
for k = 1 to 2
dim a[3]
b[0] = 1
b[0] += 1
print b[0]
a[1] += 1
next
