goto b
' comment
print 1

b:
print 2
