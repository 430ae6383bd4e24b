s = 0
for i = 1 to 10000000
s = s + (i # 7)
next
print s
