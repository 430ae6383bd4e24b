i = 7
i /= 2.0
print i
