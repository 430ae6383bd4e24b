print 1
if 0
print 2
