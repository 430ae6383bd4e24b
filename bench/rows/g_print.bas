for i = 1 to 20000
print "line "; i
next
