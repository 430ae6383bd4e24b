s = 0.0
for i = 1 to 4000000
x = i * 0.5
s = s + sqrt(x) * sin(x) * 1.000001
next
print s
