print
print 1
