declare f = 0.5
f = 2
f /= 4
print f
