for i = 1 to 1
print i
next
print "i=", i
