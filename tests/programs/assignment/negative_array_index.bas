dim a[2]
a[-1] = 1
