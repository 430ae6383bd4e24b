print "never"
