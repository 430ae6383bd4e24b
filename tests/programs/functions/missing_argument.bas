print "before"
print atan2(1)
print "never"
