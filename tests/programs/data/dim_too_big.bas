print "before"
dim a[100000, 100000, 100000]
print "after"
