dim a[3]
for k = 0 to 5
a[k # 3] = k * 10
print a[k # 3] + a[0]
if k = 2
dim a[4]
a[0] = 100
endif
next
a[3] = 7
print a[3]; a[0]
print a[1] + a[3]
