declare a
b = 1
