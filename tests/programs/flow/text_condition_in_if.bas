if "a" then print 1
