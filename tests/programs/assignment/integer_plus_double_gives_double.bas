i = 3
i += 0.5
print i
