declare a, b = 2.5, c
print a; b; c
