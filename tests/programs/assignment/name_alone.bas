x = 1
x
