for i = 1 to 5 step -2
print i
next i
