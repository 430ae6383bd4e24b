dim a[1000000]
for i = 0 to 999999
a[i] = i # 100
next
t = 0
for i = 0 to 999999
t = t + a[i]
next
print t
