f = 1.5
f++
f--
f++
print f
