n = 0
for i = 1 to 50000
n = n + 1
next
print n
