print "before"
rectangle 1, 2, 3
print "never"
