input "Name?", name
print "Hi "; name
input a, b
print a * b
waitkey k
print k
