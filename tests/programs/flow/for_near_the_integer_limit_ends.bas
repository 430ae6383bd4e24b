n = 0
for i = 2147483646 to 2147483647
n++
next
print n
