for i = 1 to 4
i = i + 0.5
print i
next
print i
s = 0
for k = 1 to 3
s  =   s +   k
s   +=  1
next
print s
