// The settings array has 8 elements (a ninth may name the port).
dim s[7]
dim b[1]
print "before"
sendemail s, b, 0
print "not reached"
