print "catch: ", exp(1000), " ", factorial(171), " ", format(1, spaces(300))
print "go on: ", sqrt(16)
print sqrt(-1)
