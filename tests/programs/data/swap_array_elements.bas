dim m[2]
m[0] = 1
m[1] = 2
swap m[0], m[1]
print m[0]; m[1]
