dim a[1000000]
t = 0
for pass = 1 to 3
for i = 0 to 999999
a[i] = i # 100
next
for i = 0 to 999999
t = t + a[i]
next
next
print t
