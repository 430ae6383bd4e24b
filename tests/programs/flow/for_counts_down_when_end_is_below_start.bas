for i = 5 to 1
print i
next
