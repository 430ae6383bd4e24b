dim a[5]
for k = 0 to 4
a[k] = k
next
dim a[2]
for k = 0 to 4
a[k] = k + 10
print a[k]
next
