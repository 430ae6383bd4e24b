100 print 1
100 print 2
