data d; 1, , 2.5
print d[0]; d[2]
print d[1]
