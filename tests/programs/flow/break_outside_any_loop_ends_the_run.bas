print 1
break
print 2
