c = 0
for i = 1 to 10000000
c = c + 1
next
print c
