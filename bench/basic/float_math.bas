x = 0.0
for i = 1 to 1000000
x = x + sqrt(i) * sin(i) * 1.5
next
print x
