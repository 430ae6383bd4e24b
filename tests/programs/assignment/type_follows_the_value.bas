x = 1
x = "a"
print x
