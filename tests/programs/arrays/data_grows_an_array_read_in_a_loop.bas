data d; 1
for k = 1 to 4
data d; d[k - 1] * 2
print d[k]
next
print d[4] + d[0]
dim m[2, 2]
m[1, 1] = 5
for k = 0 to 1
print m[1, 1]
data m; 7
next
