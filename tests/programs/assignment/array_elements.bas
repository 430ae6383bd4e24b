dim a[2, 3]
a[1, 2] = 5
a[1, 2] += 1
print a[1, 2]
