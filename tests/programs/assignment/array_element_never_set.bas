dim a[3]
a[1] += 1
