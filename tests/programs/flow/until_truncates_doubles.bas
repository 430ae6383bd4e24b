n = 0
repeat
n++
until n * 0.4
print n
