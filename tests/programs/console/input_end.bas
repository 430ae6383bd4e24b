print "before"
input x
print "after"
