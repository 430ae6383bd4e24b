dim a[2]
a[0] = 1
dim a[3], b[2, 2]
print a[0]
