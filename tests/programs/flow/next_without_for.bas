print 1
next
