for i = 3 to 1 step 0
print i
next
