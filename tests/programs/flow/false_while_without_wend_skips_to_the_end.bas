print 1
while 0
print 2
