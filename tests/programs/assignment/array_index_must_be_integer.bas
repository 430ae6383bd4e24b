dim a[2]
a[0.5] = 1
