declare n = 0
n = 2.7
print n
n = -2.7
print n
