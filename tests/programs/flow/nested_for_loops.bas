for i = 1 to 2
for j = 1 to 2
print i * 10 + j
next
next
