print 1
terminate
print 2
